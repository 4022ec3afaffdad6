// The single-line painter and its fade-out (see single_line.h).
#include "render/single_line.h"

#include <algorithm>
#include <utility>

#include "render/effect_text.h"
#include "render/font_fit.h"
#include "render/line_metrics.h"

namespace lumeko {
namespace {

// The effect colour of fading rows: they are drawn plain and have none.
constexpr std::uint32_t kNoEffectColor = 0x1FFFFFFF;

void DrawRows(TPaintTarget& t, const TFadeoutLineData& line, const RECT& area, int effect, std::uint32_t textColor,
              std::uint32_t effectColor) {
  if (line.Items.empty()) return;
  t.Canvas.SetFontSize(line.FontSize);
  for (const TFadeoutLineItem& row : line.Items) {
    const RECT r{area.left, row.Top, area.right, row.Top + line.RowHeight};
    DrawEffectText(t.Canvas, row.Text, r, effect, textColor, effectColor, false, nullptr, kFormatCentred);
  }
}

TFadeClock& DefaultClock() {
  static TPerformanceClock clock;
  return clock;
}

}  // namespace

TSingleLineFit BuildSingleLineRows(TTextMeasurer& m, const std::string& text, int frameWidth, int frameHeight,
                                   int minSize, TFadeoutLineItemArray& rows) {
  rows.clear();
  TSingleLineFit fit;
  const TFitArea area{frameWidth, frameHeight, minSize};
  const int s = FitFontSize(m, text, area, nullptr);
  if (s <= 0) return fit;
  m.SetFontSize(s);
  const std::string wrapped = WrapText(m, text, frameWidth - s);
  bool first = true;
  for (size_t start = 0; start < wrapped.size();) {
    size_t end = wrapped.find("\r\n", start);
    if (end == std::string::npos) end = wrapped.size();
    TFadeoutLineItem& row = rows.emplace_back();
    row.Text = wrapped.substr(start, end - start);
    TLineMetrics metrics;
    const int size = FitFontSize(m, row.Text, area, &metrics);
    if (size > 0 && (first || size < fit.FontSize)) {
      fit.FontSize = size;
      fit.RowHeight = metrics.LineHeight;
      first = false;
    }
    start = end == wrapped.size() ? end : end + 2;
  }
  return fit;
}

bool AdvanceFadeout(TFadeoutData& fade, TFadeClock& clock, std::int32_t fadeoutInterval,
                    std::int64_t frameTimeStamp) {
  if (fade.SlotCount <= 0) return false;
  const std::int64_t now = clock.Now(frameTimeStamp);
  // An interval of 0 or less would divide by zero: a step is at least 1 ms.
  const std::int64_t interval = fadeoutInterval > 0 ? fadeoutInterval : 1;
  const std::int64_t perMs = std::max<std::int64_t>(clock.TicksPerMs(), 1);
  std::int64_t steps = fade.LastTick == 0 ? 1 : (now - fade.LastTick) / perMs / interval;
  steps = std::min<std::int64_t>(steps, 3);
  if (steps <= 0) return false;  // time accumulates until a whole interval has passed
  const int n = static_cast<int>(steps);
  for (int b = kFadeoutSlots - 1; b >= n; --b) std::swap(fade.Slots[b], fade.Slots[b - n]);
  for (int b = 0; b < n; ++b) EmptyFadeoutLine(fade.Slots[b]);
  fade.LastTick = now;
  fade.Shown = false;
  return true;
}

HRESULT RenderSingleLine(TPaintTarget& t, const TFrameState& frame) noexcept {
  try {
    TDrawData& dd = t.DrawData;
    TFadeoutData& fade = dd.Fadeout;
    const TSetupInfo& setup = t.Setup;
    const RECT area = frame.Area;
    const std::int32_t ms = static_cast<std::int32_t>(frame.TimeStamp / 10000);
    const bool useFade = (setup.DisplayFlags & df_UseFadeEffect) != 0;

    int line = -1, timed = -1;
    TLyricsPosition pos;
    if (frame.State != 0 && t.Lyrics.FindByTime(ms, pos)) {
      line = pos.LineIndex;
      timed = pos.TimelineIndex;
    }

    bool rebuild = false;
    if (frame.Changed) {
      // Everything is laid out again. The play state is the frame path's
      // and stays, so a stop seen on a changed frame still counts as one.
      ResetDrawData(dd, dd_Metrics | dd_Fadeout);
      dd.LastLineIndex = -1;
      rebuild = true;
    }
    if (line != dd.LastLineIndex) {
      const bool fades = useFade && (!(setup.DisplayFlags & df_FadeNextSpaceOnly) ||
                                     (timed >= 0 && t.Lyrics.GetTimedLine(timed).empty()));
      if (fades) {
        std::swap(fade.Slots[0], fade.Current);
        EmptyFadeoutLine(fade.Current);
        ++fade.SlotCount;
        fade.LastTick = 0;
      }
      rebuild = true;
    }
    bool drawFading = fade.SlotCount > 0 && !t.BkGnd.HasPicture() && useFade;
    bool drawCurrent = false;
    if (rebuild) {
      if (line >= 0) {
        const TSingleLineFit fit = BuildSingleLineRows(t.Canvas, t.Lyrics.GetLine(line), t.Width, t.Height,
                                                       setup.Font.FontMinSize, fade.Current.Items);
        TFadeoutLineData& cur = fade.Current;
        cur.FontSize = fit.FontSize;
        cur.RowHeight = fit.RowHeight;
        cur.TotalHeight = static_cast<std::int32_t>(cur.Items.size()) * cur.RowHeight;
        std::int32_t top = (t.Height - cur.TotalHeight) / 2;
        for (TFadeoutLineItem& row : cur.Items) {
          row.Top = top;
          top += cur.RowHeight;
        }
      } else {
        EmptyFadeoutLine(fade.Current);  // no line now: the one shown goes
      }
      drawCurrent = true;
    }
    if (frame.PileDrawn) drawCurrent = true;

    // Between two steps of the fade the frame already shows what a repaint
    // would draw: the time still runs on, the pixels stay.
    const bool unchanged = drawFading && !drawCurrent && fade.Shown;
    if ((drawCurrent || drawFading) && unchanged) {
      if (useFade) AdvanceFadeout(fade, t.Clock ? *t.Clock : DefaultClock(), setup.FadeoutInterval, frame.TimeStamp);
    } else if (drawCurrent || drawFading) {
      PaintBackground(t, frame.PileDrawn);
      if (drawFading) {
        const std::uint32_t from = ColorToRgb(setup.Color.ActiveColor);
        const std::uint32_t to = ColorToRgb(setup.Color.BackgroundColor);
        fade.SlotCount = 0;
        for (int i = kFadeoutSlots - 1; i >= 0; --i) {
          const TFadeoutLineData& slot = fade.Slots[i];
          if (slot.Items.empty()) continue;
          DrawRows(t, slot, area, fe_Normal, BlendColor(from, to, 25 * i), kNoEffectColor);
          ++fade.SlotCount;
        }
      }
      DrawRows(t, fade.Current, area, setup.Font.FontEffect, setup.Color.ActiveColor, setup.Color.ActiveEffectColor);
      fade.Shown = true;
      if (useFade) AdvanceFadeout(fade, t.Clock ? *t.Clock : DefaultClock(), setup.FadeoutInterval, frame.TimeStamp);
    }
    dd.LastLineIndex = line;
    dd.LastTimeMs = ms;
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace lumeko
