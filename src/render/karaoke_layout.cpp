// Karaoke layout: the font, the block of rows, row breaking, start times and
// the plan of screen rows (see karaoke_layout.h).
//
// The plan stacks a line's rows from the second-to-last screen row down, so
// consecutive one-row lines alternate between the two bottom rows, wraps to
// the top row when a line needs more rows than are left, and starts afresh
// after a long pause. All of it runs once per layout.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string_view>

#include "render/font_fit.h"
#include "render/karaoke_layout.h"

namespace lumeko {
namespace {

struct TBlock {
  int Left = 0;
  int Right = 0;
  int Rows = 0;
};

// Breaks a line into rows of at most usable pixels. Every break takes at
// least one character, so a character wider than the frame is a row of its
// own and breaking always ends.
std::vector<std::string> BreakLine(TTextMeasurer& m, const std::string& text, int usable, int preferred) {
  std::vector<std::string> rows;
  std::string rest = text;
  while (!rest.empty() && m.TextExtent(rest).cx > usable) {
    TKaraokeRowBreak b = BreakKaraokeRow(m, rest, preferred, usable);
    if (b.Head.empty()) break;  // the whole rest fits after all (a measurer that is not additive)
    rows.push_back(std::move(b.Head));
    rest = std::move(b.Rest);
  }
  if (!rest.empty() || rows.empty()) rows.push_back(std::move(rest));
  return rows;
}

// When singing reaches byte o of timed line k: the governing tag's start,
// plus the share of its span that lies before o, by width.
std::int32_t RowStartTime(TTextMeasurer& m, const TLyricsControl& lyrics, int k, const std::string& text, size_t o) {
  TLyricsPosition pos;
  if (!lyrics.GetTagAtPosition(k, static_cast<std::int32_t>(o), pos)) return 0;
  std::int32_t start = pos.TagStart;
  const size_t segStart = static_cast<size_t>(std::max(pos.SegmentStart, 0));
  const size_t segEnd = std::min(static_cast<size_t>(std::max(pos.SegmentEnd, 0)), text.size());
  if (segStart < o && segEnd > segStart) {
    const std::string_view sv(text);
    const int part = m.TextExtent(sv.substr(segStart, std::min(o, segEnd) - segStart)).cx;
    const int span = m.TextExtent(sv.substr(segStart, segEnd - segStart)).cx;
    if (span > 0) {
      const double add = static_cast<double>(pos.TagDuration) * part / span;
      const double t = static_cast<double>(start) + add;
      start = t >= INT32_MAX ? INT32_MAX : t <= INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(t);
    }
  }
  return start;
}

// The planned first screen row of a line with rowCount rows, after the row
// prev (-1: none).
int FirstSlot(int high, int prev, int rowCount) {
  if (high - prev >= rowCount) {
    if (prev >= 0) return prev + 1;
    return rowCount > 2 ? high - rowCount + 1 : high - 1;
  }
  return rowCount == 1 ? high - 1 : high - rowCount + 1;
}

void PlanSlots(TKaraokeState& s, const TKaraokeTiming& timing, const TBlock& block, int size, int indent) {
  const int high = static_cast<int>(s.RowSlots.size()) - 1;
  int prev = -1;
  int prevWidth = 0;
  std::int64_t prevEnd = 0;
  for (size_t li = 0; li < s.KaraokeLines.size(); ++li) {
    TKaraokeLineData& line = s.KaraokeLines[li];
    const int rowCount = line.ItemCount();
    // A long pause before the line starts the screen afresh.
    if (rowCount > 0 && timing.AutoHidePause + prevEnd < line.Items[0].StartTime) prev = -1;
    prevEnd = line.EndTime;
    int n = FirstSlot(high, prev, rowCount);
    // A one-row line whose next line, two rows, comes soon moves up a row so
    // that both fit under each other.
    if (li + 1 < s.KaraokeLines.size()) {
      const TKaraokeLineData& next = s.KaraokeLines[li + 1];
      if (n == high - 1 && rowCount == 1 && next.ItemCount() == 2 &&
          next.Items[0].StartTime < timing.FetchTime + prevEnd)
        n = high - 2;
    }
    n = std::max(n, 0);
    for (int r = 0; r < rowCount; ++r) {
      if (n > high) n = 0;  // wrap to the top row
      TKaraokeItemData& item = line.Items[r];
      item.Slot = n;
      if (r == 0 && n == high && high > 0) {
        // The bottom row is right-aligned, or starts two characters before
        // the end of the one-row line above it.
        item.X = block.Right - item.Width - indent;
        const int pulled = prevWidth - 2 * size;
        if (pulled > indent && item.X > block.Left + pulled) item.X = block.Left + pulled;
      }
      prev = n;
      ++n;
    }
    prevWidth = rowCount == 1 && line.Items[0].Slot == high - 1 ? line.Items[0].Width : 0;
    if (line.Width == 0) prev = -1;
  }
}

}  // namespace

TKaraokeTiming KaraokeTimingOf(const TSetupInfo& setup) {
  auto nonNegative = [](std::int32_t v) { return static_cast<std::int64_t>(v < 0 ? 0 : v); };
  return {nonNegative(setup.ActiveAutoHidePause), nonNegative(setup.ActiveShortHidePause),
          nonNegative(setup.KaraokeFetchTime), nonNegative(setup.KaraokeInterruptLimit)};
}

void FreeKaraokeLayout(TKaraokeState& s) {
  s.KaraokeQueue.Clear();  // it points into the rows
  s.RowSlots.clear();
  s.KaraokeLines.clear();
  s.LaidOut = false;
}

void LayoutKaraoke(TKaraokeState& s, TTextMeasurer& m, const TLyricsControl& lyrics, const TSetupInfo& setup,
                   int width, int height) {
  FreeKaraokeLayout(s);
  s.LaidOut = true;
  if (lyrics.LineCount() <= 0) return;

  const int count = lyrics.TimedLineCount();
  const TLineSource timed = [&](int i) { return lyrics.GetTimedLine(i); };
  const TFitArea fit{width, height, setup.Font.FontMinSize};
  // More rows than pixels can never fit; the bound also keeps the arithmetic
  // of a value from elsewhere than the settings page in range.
  const int rowCount = std::clamp(setup.KaraokeRowCount, 0, std::max(height, 0));
  TResultCalcFontSize font = CalcKaraokeFont(m, count, timed, fit, rowCount, s.KaraokeMetrics);
  const TLineMetrics& km = s.KaraokeMetrics;
  const int pitch = km.LineHeight + 2;
  // So many rows that they would not fit one under another: the rows follow
  // from the height, as when no count is set.
  if (!font.WidestText.empty() &&
      (km.LineHeight <= 2 || static_cast<long long>(rowCount) * pitch > height - km.HalfSize))
    font.WidestText.clear();
  const int size = font.FontSize;
  m.SetFontSize(size);

  TBlock block{0, width, 0};
  if (!font.WidestText.empty()) {
    const int blockWidth = m.TextExtent(font.WidestText).cx + size;
    if (blockWidth < width) {
      block.Left = (width - blockWidth) / 2;
      block.Right = width - block.Left;
    }
    block.Rows = rowCount;
  } else {
    block.Rows = (height - size) / pitch;
  }

  const int indent = size / 2;
  const int usable = block.Right - block.Left - size;
  const int preferred = (usable / 4) * 3;
  std::int32_t serial = 0;
  for (int k = 0; k < count; ++k) {
    const std::string& text = lyrics.GetTimedLine(k);
    TKaraokeLineData& line = s.KaraokeLines.emplace_back();
    line.TimedIndex = k;
    line.Width = text.empty() ? 0 : m.TextExtent(text).cx;
    TLyricsPosition last;
    line.EndTime = lyrics.GetTagAtPosition(k, INT32_MAX, last) ? last.TagStart : 0;
    std::vector<std::string> rows = BreakLine(m, text, usable, preferred);
    line.Items.resize(rows.size());
    size_t offset = 0;
    std::int32_t lineOffset = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
      TKaraokeItemData& item = line.Items[r];
      item.Serial = serial++;
      item.Text = std::move(rows[r]);
      item.LineOffset = lineOffset;
      item.Slot = -1;
      item.Width = item.Text.empty() ? 0 : m.TextExtent(item.Text).cx;
      item.Line = &line;
      item.StartTime = RowStartTime(m, lyrics, k, text, offset);
      if (r == 0)
        item.X = block.Left + indent;
      else if (r + 1 == rows.size())
        item.X = block.Right - item.Width - indent;
      else
        item.X = std::abs(usable - item.Width) / 2 + block.Left;
      offset += item.Text.size();
      lineOffset += item.Width;
    }
    line.StartTime = line.Items[0].StartTime;
  }

  s.RowSlots.assign(static_cast<size_t>(std::max(block.Rows, 1)), TKaraokeRowSlot());
  int y = height - km.HalfSize;
  for (size_t k = s.RowSlots.size(); k-- > 0;) {
    y -= pitch;
    if (y < 0) y = 0;
    s.RowSlots[k].Y = y;
  }
  PlanSlots(s, KaraokeTimingOf(setup), block, size, indent);
}

}  // namespace lumeko
