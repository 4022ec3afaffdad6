// The single-line painter: the current line alone, as large as the frame
// allows, wrapped into rows and centred both ways.
//
// With UseFadeEffect a line that is left does not vanish: it fades toward
// BackgroundColor in ten steps of FadeoutInterval, at most three a frame,
// while the next line already shows; older lines are drawn first, so newer
// ones cover them. Over a background picture nothing fades. A frame without a
// line change, a changed frame, a stacked effect's paint or a fading line
// draws nothing. Failures return E_FAIL and leave the bookkeeping as it was.
#pragma once

#include <string>

#include "render/draw_data.h"
#include "render/fade_clock.h"
#include "render/painter.h"
#include "render/text_measurer.h"

namespace lumeko {

// The size a line is drawn in and the height of each of its rows.
struct TSingleLineFit {
  int FontSize = 0;   // points; 0 when there are no rows
  int RowHeight = 0;  // pixels
};

// Fits the line to the frame, wraps it where it is still too wide and fits
// each row alone; the smallest row's size serves all rows.
TSingleLineFit BuildSingleLineRows(TTextMeasurer& m, const std::string& text, int frameWidth, int frameHeight,
                                   int minSize, TFadeoutLineItemArray& rows);

// Moves the fading lines on by the whole FadeoutIntervals passed since the
// last step (at most three); the first step after a line is left is taken
// at once. True when the lines moved (the frame must show them anew).
bool AdvanceFadeout(TFadeoutData& fade, TFadeClock& clock, std::int32_t fadeoutInterval,
                    std::int64_t frameTimeStamp);

HRESULT RenderSingleLine(TPaintTarget& target, const TFrameState& frame) noexcept;

}  // namespace lumeko
