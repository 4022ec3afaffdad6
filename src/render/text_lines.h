// The list painters: all lines centred or left-aligned, the current one in
// two layers.
//
// A full repaint (background, every visible line, the base of the active line
// in StillNotActiveColor) happens only on a line change, a backward jump or a
// changed frame; in between only the active line's top layer in ActiveColor is
// drawn again, clipped to the sung part, over what the frame already holds.
// A frame at the same position and line as the last draws nothing. Failures return
// E_FAIL and leave the bookkeeping as it was, so the next frame retries.
#pragma once

#include <windows.h>

#include <cstdint>

#include "effect/draw_data.h"
#include "effect/setup_info.h"
#include "lyrics/lyrics_control.h"
#include "render/background.h"
#include "render/canvas.h"

namespace lumeko {

// What a painter works with: the frame's canvas and size, the settings, the
// document, the background and the render state kept between frames.
struct TPaintTarget {
  TCanvas& Canvas;
  int Width;
  int Height;
  const TSetupInfo& Setup;
  const TLyricsControl& Lyrics;
  TBackground& BkGnd;
  TDrawData& DrawData;
};

// The background settings in force, as the picture code takes them.
TBkGndOptions BkGndOptionsOf(const TSetupInfo& setup);

// The first line shown so that the active one sits in the middle row.
int FirstVisibleLine(int active, int count, int areaBottom, int pitch);

// state and timeStamp are the player's (0 stopped, 100-ns units).
HRESULT RenderTextLines(TPaintTarget& target, long state, long long timeStamp, bool centred,
                        bool changed, bool pileDrawn, RECT area) noexcept;

}  // namespace lumeko
