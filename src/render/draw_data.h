// The render state the effect keeps between frames.
//
// The frame path reads LastPlayState; the painters keep their line, time
// and karaoke bookkeeping here, the list and single-line metrics, and the
// single-line mode's fade-out: the line on screen and the lines fading out,
// slot i holding a line that has faded i steps. ResetDrawData clears it in
// parts: 1 the metrics, 2 the fade-out data, 4 the play state and the line
// bookkeeping. Nothing here touches Windows.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "render/line_metrics.h"

namespace lumeko {

inline constexpr std::uint8_t dd_Metrics = 1;
inline constexpr std::uint8_t dd_Fadeout = 2;
inline constexpr std::uint8_t dd_Position = 4;

// One row of a single-line display.
struct TFadeoutLineItem {
  std::string Text;
  std::int32_t Top = 0;  // in frame pixels
};
using TFadeoutLineItemArray = std::vector<TFadeoutLineItem>;

// A line as the single-line mode shows it: its rows and their font.
struct TFadeoutLineData {
  TFadeoutLineItemArray Items;
  std::int32_t FontSize = 0;     // points
  std::int32_t RowHeight = 0;    // pixels
  std::int32_t TotalHeight = 0;  // rows × RowHeight
};

inline constexpr int kFadeoutSlots = 10;

struct TFadeoutData {
  TFadeoutLineData Current;                             // the line on screen
  std::array<TFadeoutLineData, kFadeoutSlots> Slots;    // slot i: faded i steps
  std::int32_t SlotCount = 0;                           // non-empty slots at the last count
  std::int64_t LastTick = 0;                            // clock ticks of the last step; 0: none yet
  bool Shown = false;  // the frame shows the slots as they are: no step since they were drawn
};

struct TDrawData {
  TLineMetrics Metrics;  // list and single-line modes
  TFadeoutData Fadeout;  // single-line mode
  std::uint8_t LastPlayState = 0;
  std::int32_t LastLineIndex = -1;
  std::int32_t LastTimeMs = 0;
  std::int32_t EarliestOpenLine = -1;
};

// No rows; the array keeps its storage for the next line.
inline void EmptyFadeoutLine(TFadeoutLineData& line) {
  line.Items.clear();
  line.FontSize = line.RowHeight = line.TotalHeight = 0;
}

inline void ResetDrawData(TDrawData& d, std::uint8_t parts) {
  if (parts & dd_Metrics) d.Metrics = TLineMetrics();
  if (parts & dd_Fadeout) {
    EmptyFadeoutLine(d.Fadeout.Current);
    for (TFadeoutLineData& s : d.Fadeout.Slots) EmptyFadeoutLine(s);
    d.Fadeout.SlotCount = 0;
    d.Fadeout.LastTick = 0;
  }
  if (parts & dd_Position) {
    d.LastPlayState = 0;
    d.LastLineIndex = -1;
    d.LastTimeMs = 0;
    d.EarliestOpenLine = -1;
  }
}

}  // namespace lumeko
