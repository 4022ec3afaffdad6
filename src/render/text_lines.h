// The list painters: all lines centred or left-aligned, the current one in
// two layers.
//
// A full repaint (background, every visible line, the base of the active line
// in StillNotActiveColor) happens only on a line change, a backward jump or a
// changed frame; in between only the active line's top layer in ActiveColor is
// drawn again, clipped to the sung part, over what the frame already holds.
// A frame at the same position and line as the last draws nothing. Failures
// return E_FAIL and leave the bookkeeping as it was, so the next frame retries.
#pragma once

#include "render/painter.h"

namespace lumeko {

// The first line shown so that the active one sits in the middle row.
int FirstVisibleLine(int active, int count, int areaBottom, int pitch);

HRESULT RenderTextLines(TPaintTarget& target, const TFrameState& frame, bool centred) noexcept;

// The two list presets.
HRESULT PaintCentredList(TPaintTarget& target, const TFrameState& frame) noexcept;
HRESULT PaintLeftList(TPaintTarget& target, const TFrameState& frame) noexcept;

}  // namespace lumeko
