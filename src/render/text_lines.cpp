// The centred and left-aligned list painters (see text_lines.h).
#include "render/text_lines.h"

#include <algorithm>
#include <string>

#include "render/effect_text.h"
#include "render/font_fit.h"
#include "render/line_metrics.h"

namespace lumeko {
namespace {

struct TListPass {
  TPaintTarget& t;
  bool timed;
  int count;
  bool centred;
  RECT area;

  const std::string& Line(int i) const { return t.Lyrics.GetText(timed, i); }
  int Extra() const { return ExtraLineSpace(t.Setup.Font.FontEffect, t.DrawData.Metrics); }

  void DrawAllLines(int active, int first, int pitch) {
    const TSetupInfo_Color& c = t.Setup.Color;
    RECT rect = area;
    rect.bottom = rect.top + pitch;
    RECT activeRect{};
    bool haveActive = false;
    for (int i = first; i < count; ++i) {
      const std::string& text = Line(i);
      if (centred) rect.left = (rect.right - t.Canvas.TextExtent(text).cx) / 2;
      if (i != active) {
        DrawEffectText(t.Canvas, text, rect, fe_Normal, c.InactiveColor, c.ActiveEffectColor, false,
                       &t.DrawData.Metrics, kFormatLeft);
      } else {
        if (t.Setup.LineSpaceMode == ls_ActiveOnly) rect.bottom += Extra();
        activeRect = rect;
        haveActive = true;
      }
      rect.top += pitch;
      rect.bottom += pitch;
      if (rect.bottom >= area.bottom) break;
    }
    if (active < 0) return;
    const std::string& text = Line(active);
    if (!haveActive) activeRect = ActiveRow(active, first, pitch, text);
    if ((c.ActiveBkGndColor & 0xFFFFFFFFu) != (c.BackgroundColor & 0xFFFFFFFFu)) {
      RECT band = activeRect;
      band.left = 0;
      t.Canvas.FillSolid(band, c.ActiveBkGndColor);
    }
    const int effect = t.Setup.Font.FontEffect;
    DrawEffectText(t.Canvas, text, activeRect, effect == fe_OutlineSmall || effect == fe_OutlineLarge ? effect : 0,
                   c.StillNotActiveColor, c.ActiveEffectColor, false, &t.DrawData.Metrics, kFormatLeft);
  }

  // The active line's row, as the top layer places it.
  RECT ActiveRow(int active, int first, int pitch, const std::string& text) {
    RECT r = area;
    r.top = area.top + (active - first) * pitch;
    r.bottom = r.top + pitch;
    if (t.Setup.LineSpaceMode == ls_ActiveOnly) r.bottom += Extra();
    if (centred) r.left = (area.right - t.Canvas.TextExtent(text).cx) / 2;
    return r;
  }
};

}  // namespace

int FirstVisibleLine(int active, int count, int areaBottom, int pitch) {
  if (count <= 0 || pitch <= 0) return 0;
  const int rows = areaBottom / pitch;
  const int first = std::min(active - rows / 2, count - rows);
  return first < 0 ? 0 : first;
}

HRESULT RenderTextLines(TPaintTarget& t, const TFrameState& frame, bool centred) noexcept {
  try {
    TDrawData& dd = t.DrawData;
    const bool changed = frame.Changed, pileDrawn = frame.PileDrawn;
    const RECT area = frame.Area;
    const std::int32_t ms = static_cast<std::int32_t>(frame.TimeStamp / 10000);
    const bool timed = (t.Setup.DisplayFlags & df_HideNotHaveTag) != 0;
    TLyricsPosition pos;
    int active = -1;
    if (frame.State != 0 && t.Lyrics.FindByTime(ms, pos)) active = timed ? pos.TimelineIndex : pos.LineIndex;
    TListPass pass{t, timed, timed ? t.Lyrics.TimedLineCount() : t.Lyrics.LineCount(), centred, area};

    if (changed) {
      const TFitArea fit{t.Width, t.Height, t.Setup.Font.FontMinSize};
      CalcFontSize(t.Canvas, pass.count, [&](int i) { return pass.Line(i); }, fit, dd.Metrics);
      // The active line's base carries the outline effects: its glyphs'
      // outlines are made now, so a line change only places them.
      for (int i = 0; i < pass.count; ++i)
        PrepareEffectText(t.Canvas, pass.Line(i), t.Setup.Font.FontEffect, t.Setup.Color.ActiveEffectColor,
                          &dd.Metrics);
    }
    // Nothing moved: draw nothing. Stopping or starting at the same position
    // changes the active line without moving, and that must show.
    if (!changed && !pileDrawn && ms == dd.LastTimeMs && active == dd.LastLineIndex) return S_OK;

    int pitch = dd.Metrics.LineHeight + 2;
    if (t.Setup.LineSpaceMode == ls_All) pitch += pass.Extra();
    const int first = FirstVisibleLine(active, pass.count, area.bottom, pitch);
    if (!centred) pass.area.left += dd.Metrics.HalfSize;

    if (changed || pileDrawn || active != dd.LastLineIndex || ms < dd.LastTimeMs) {
      PaintBackground(t, pileDrawn);
      pass.DrawAllLines(active, first, pitch);
    }

    if (active >= 0 && active < pass.count) {
      const std::string& text = pass.Line(active);
      RECT r = pass.ActiveRow(active, first, pitch, text);
      if (t.Lyrics.HasWordTags()) {
        const std::string_view sv(text);
        const size_t start = std::min<size_t>(std::max(pos.SegmentStart, 0), sv.size());
        const size_t end = std::min<size_t>(std::max(pos.SegmentEnd, 0), sv.size());
        int w = 0;
        if (end > start)
          w = static_cast<int>(static_cast<long long>(t.Canvas.TextExtent(sv.substr(start, end - start)).cx) *
                               pos.Progress / 10000);
        r.right = r.left + (start > 0 ? t.Canvas.TextExtent(sv.substr(0, start)).cx : 0) + w;
      }
      int effect = t.Setup.Font.FontEffect;
      if (effect == fe_OutlineSmall || effect == fe_OutlineLarge) effect = fe_Normal;
      DrawEffectText(t.Canvas, text, r, effect, t.Setup.Color.ActiveColor, t.Setup.Color.ActiveEffectColor,
                     t.Lyrics.HasWordTags(), nullptr, kFormatLeft);
    }
    dd.LastLineIndex = active;
    dd.LastTimeMs = ms;
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}

HRESULT PaintCentredList(TPaintTarget& target, const TFrameState& frame) noexcept {
  return RenderTextLines(target, frame, true);
}

HRESULT PaintLeftList(TPaintTarget& target, const TFrameState& frame) noexcept {
  return RenderTextLines(target, frame, false);
}

}  // namespace lumeko
