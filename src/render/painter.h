// The painters of the four layouts and what they paint on.
//
// A painter draws one frame of lyrics into a TPaintTarget: the frame's
// canvas and size, the settings, the document, the background, the render
// state it keeps between frames and the clock its fades run by. It never
// sees the effect object or COM, so it is tested on its own. The preset table says which painter each
// of the player's four presets uses and what the player calls it. Painters
// never throw: a failure is E_FAIL and the next frame tries again.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "lyrics/lyrics_control.h"
#include "render/background.h"
#include "render/canvas.h"
#include "render/draw_data.h"
#include "settings/setup_info.h"

namespace lumeko {

class TFadeClock;
struct TKaraokeState;

// What a painter works on.
struct TPaintTarget {
  TCanvas& Canvas;
  int Width;
  int Height;
  const TSetupInfo& Setup;
  const TLyricsControl& Lyrics;
  TBackground& BkGnd;
  TDrawData& DrawData;
  TKaraokeState* Karaoke = nullptr;  // the karaoke layout and screen rows; without it that painter fails
  TFadeClock* Clock = nullptr;       // times the fade-out; none: the performance counter
};

// This frame as the player gave it.
struct TFrameState {
  long State = 0;            // the player's play state: 0 stopped, 1 paused, 2 playing
  long long TimeStamp = 0;   // 100-nanosecond units
  bool Changed = false;      // any change since the last frame: repaint everything
  bool PileDrawn = false;    // the stacked effect painted this frame's background
  RECT Area{};               // the frame, {0, 0, width, height}
};

using TPainter = HRESULT (*)(TPaintTarget& target, const TFrameState& frame) noexcept;

struct TPreset {
  const char* Title;  // CP932, as the player lists it
  TPainter Paint;
};

inline constexpr int kPresetCount = 4;
// The player's presets in order: centred list, left-aligned list, single
// line, karaoke.
std::span<const TPreset, kPresetCount> Presets();

// The background settings in force, as the picture code takes them.
TBkGndOptions BkGndOptionsOf(const TSetupInfo& setup);

// Paints BackgroundColor and the prepared picture over the whole target
// (nothing when the stacked effect painted this frame).
void PaintBackground(TPaintTarget& target, bool pileDrawn);

}  // namespace lumeko
