// The karaoke painter: timed lines in screen rows stacked from the bottom,
// each shown shortly before it is sung, first in InactiveColor, then wiped
// in ActiveColor from left to right as its time tags pass.
//
// The background and every row are repainted only when a row was placed or
// freed, on a changed frame, a backward jump or a stacked effect's paint;
// otherwise a frame draws only the rows whose sung part grew. A stopped
// player shows the background alone. Failures return E_FAIL and leave the
// time bookkeeping as it was, so the next frame runs again.
#pragma once

#include "render/karaoke_layout.h"
#include "render/painter.h"

namespace lumeko {

// Draws the occupied screen rows as they stand at t.
void DrawRowSlots(TPaintTarget& target, TKaraokeState& state, std::int32_t t);

HRESULT RenderKaraoke(TPaintTarget& target, const TFrameState& frame) noexcept;

}  // namespace lumeko
