// The render state the effect keeps between frames.
//
// The frame path reads LastPlayState; the painters keep their line, time
// and karaoke bookkeeping here and add their metrics and fade-out data.
// ResetDrawData clears it in parts: 1 the metrics, 2 the fade-out data,
// 4 the play state and the line bookkeeping.
#pragma once

#include <cstdint>

#include "render/line_metrics.h"

namespace lumeko {

inline constexpr std::uint8_t dd_Metrics = 1;
inline constexpr std::uint8_t dd_Fadeout = 2;
inline constexpr std::uint8_t dd_Position = 4;

struct TDrawData {
  TLineMetrics Metrics;  // list and single-line modes
  std::uint8_t LastPlayState = 0;
  std::int32_t LastLineIndex = -1;
  std::int32_t LastTimeMs = 0;
  std::int32_t EarliestOpenLine = -1;
};

inline void ResetDrawData(TDrawData& d, std::uint8_t parts) {
  if (parts & dd_Metrics) d.Metrics = TLineMetrics();
  if (parts & dd_Position) {
    d.LastPlayState = 0;
    d.LastLineIndex = -1;
    d.LastTimeMs = 0;
    d.EarliestOpenLine = -1;
  }
}

}  // namespace lumeko
