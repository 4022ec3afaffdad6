// The karaoke painter (see karaoke.h).
#include "render/karaoke.h"

#include <algorithm>
#include <string_view>

#include "render/effect_text.h"

namespace lumeko {
namespace {

// The sung width of a timed line at a position within it: the tags passed
// whole, and the current tag's share of its span.
int SungWidth(TCanvas& canvas, std::string_view text, const TLyricsPosition& pos) {
  const size_t start = std::min<size_t>(static_cast<size_t>(std::max(pos.SegmentStart, 0)), text.size());
  const size_t end = std::min<size_t>(static_cast<size_t>(std::max(pos.SegmentEnd, 0)), text.size());
  long long sung = 0;
  if (end > start) sung = static_cast<long long>(canvas.TextExtent(text.substr(start, end - start)).cx) * pos.Progress / 10000;
  if (start > 0) sung += canvas.TextExtent(text.substr(0, start)).cx;
  return static_cast<int>(sung);
}

void Requeue(TPaintTarget& t, TKaraokeState& k) {
  ResetRowSlots(k, t.DrawData.EarliestOpenLine);
  for (TKaraokeLineData& line : k.KaraokeLines) EnqueueLineRows(k, line);
}

}  // namespace

void DrawRowSlots(TPaintTarget& t, TKaraokeState& k, std::int32_t ms) {
  const TSetupInfo_Color& c = t.Setup.Color;
  const int effect = t.Setup.Font.FontEffect;
  const int baseEffect = effect == fe_OutlineSmall || effect == fe_OutlineLarge ? effect : fe_Normal;
  const int topEffect = effect >= fe_Frame && effect <= fe_ShadowUpperLeft ? effect : fe_Normal;
  const TLineMetrics& metrics = t.DrawData.Metrics;
  std::int32_t& earliest = t.DrawData.EarliestOpenLine;
  earliest = -1;
  for (TKaraokeRowSlot& slot : k.RowSlots) {
    if (slot.State == krs_Free || !slot.Item) continue;
    const TKaraokeItemData& row = *slot.Item;
    const TKaraokeLineData& line = *row.Line;
    RECT rect{row.X, slot.Y, row.X + std::max(row.Width, 0), slot.Y + metrics.LineHeight};
    TLyricsPosition pos;
    const int where = slot.State == krs_Sung ? lpsAfter : t.Lyrics.GetLinePosition(line.TimedIndex, ms, pos);
    if (where == lpsAfter) {
      // Sung whole: drawn once, and again only after the background was.
      if (slot.NeedsRedraw || slot.State != krs_Sung) {
        DrawEffectText(t.Canvas, row.Text, rect, effect, c.ActiveColor, c.ActiveEffectColor, false, &metrics,
                       kFormatLeft);
        k.ShowsRows = true;
      }
      slot.NeedsRedraw = false;
      if (slot.State != krs_Sung) {
        slot.State = krs_Sung;
        if (slot.DoneTime == -1) slot.DoneTime = ms;
      }
      continue;
    }
    earliest = earliest >= 0 ? std::min(earliest, line.TimedIndex) : line.TimedIndex;
    const int sung = where == lpsWithin ? SungWidth(t.Canvas, t.Lyrics.GetTimedLine(line.TimedIndex), pos) : 0;
    const int sungHere = sung - row.LineOffset;
    const int shown = slot.SungWidth;
    slot.SungWidth = sungHere;
    bool baseDrawn = false;
    if (slot.NeedsRedraw || slot.State == krs_Assigned) {
      DrawEffectText(t.Canvas, row.Text, rect, baseEffect, c.InactiveColor, c.ActiveEffectColor, false, &metrics,
                     kFormatLeft);
      slot.State = krs_Drawn;
      slot.NeedsRedraw = false;
      baseDrawn = true;
      k.ShowsRows = true;
    }
    if (sung != 0 && sungHere > 0) {
      // The wipe only grows: over a row drawn before, only its new part is
      // drawn, so no pixel gets a second coat.
      if (baseDrawn || sungHere != shown) {
        RECT clip = rect;
        clip.right = row.X + sungHere;
        const int from = !baseDrawn && shown > 0 ? row.X + shown : kClipFromText;
        DrawEffectText(t.Canvas, row.Text, clip, topEffect, c.ActiveColor, c.ActiveEffectColor, true, &metrics,
                       kFormatLeft, {0, 0}, from);
        k.ShowsRows = true;
      }
      if (row.LineOffset + row.Width < 0 || sung >= row.LineOffset + row.Width) {
        slot.State = krs_Sung;
        if (slot.DoneTime == -1) slot.DoneTime = ms;
      } else {
        slot.State = krs_PartlySung;
      }
    }
  }
}

HRESULT RenderKaraoke(TPaintTarget& t, const TFrameState& frame) noexcept {
  try {
    if (!t.Karaoke) return E_FAIL;
    TKaraokeState& k = *t.Karaoke;
    TDrawData& dd = t.DrawData;
    const std::int32_t ms = static_cast<std::int32_t>(frame.TimeStamp / 10000);
    const bool playing = frame.State != 0;
    // Playing again after a stop draws at once, even at the same position.
    bool force = frame.PileDrawn || (playing && k.Stopped);
    k.Stopped = !playing;

    // A layout dropped with its media is made again even without a change.
    const bool relayout = frame.Changed || !k.LaidOut;
    if (relayout) {
      LayoutKaraoke(k, t.Canvas, t.Lyrics, t.Setup, t.Width, t.Height);
      dd.Metrics = k.KaraokeMetrics;
    }
    t.Canvas.SetFontSize(dd.Metrics.FontSize);
    if (relayout) {
      // The rows' base carries the outline effects: their outlines are made
      // once now, not on the frames that place rows.
      for (const TKaraokeLineData& line : k.KaraokeLines)
        for (const TKaraokeItemData& row : line.Items)
          PrepareEffectText(t.Canvas, row.Text, t.Setup.Font.FontEffect, t.Setup.Color.ActiveEffectColor,
                            &dd.Metrics);
    }
    if (relayout || ms < dd.LastTimeMs) {
      Requeue(t, k);
      force = true;
    }

    if (!playing) {
      // Stopped: the background alone, and the rows start afresh wherever
      // playing resumes.
      const bool occupied = std::any_of(k.RowSlots.begin(), k.RowSlots.end(),
                                        [](const TKaraokeRowSlot& s) { return s.State != krs_Free; });
      if (force || k.ShowsRows || occupied) {
        if (occupied) Requeue(t, k);
        PaintBackground(t, frame.PileDrawn);
        k.ShowsRows = false;
      }
    } else if (force || ms != dd.LastTimeMs) {
      const TKaraokeTiming timing = KaraokeTimingOf(t.Setup);
      const bool expired = ExpireRowSlots(k, ms, timing, dd.EarliestOpenLine);
      const bool filled = FillRowSlots(k, ms, timing);
      if (force || expired || filled) {
        PaintBackground(t, frame.PileDrawn);
        k.ShowsRows = false;
        for (TKaraokeRowSlot& slot : k.RowSlots)
          if (slot.State != krs_Free) slot.NeedsRedraw = true;
      }
      DrawRowSlots(t, k, ms);
    }
    dd.LastTimeMs = ms;
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace lumeko
