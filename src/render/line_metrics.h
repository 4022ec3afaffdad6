// Text metrics shared by the painters, and the colour arithmetic they use.
//
// A TLineMetrics is derived from one font size and one measured text height;
// every layout keeps one and the text primitive takes its pen widths and
// italic slant from it. Pure arithmetic: no GDI here, so it builds natively.
#pragma once

#include <cstdint>

namespace lumeko {

struct TLineMetrics {
  std::int32_t FontSize = 0;
  std::int32_t HalfSize = 0;
  std::int32_t QuarterSize = 0;
  std::int32_t LineHeight = 0;
  std::int32_t HalfLine = 0;
  std::int32_t ThirdLine = 0;
  std::int32_t QuarterLine = 0;
};

// From font size and text height: LineHeight is the height + 2. ThirdLine is
// rounded up when the metrics come from font fitting, down when the text
// primitive derives them from the canvas on its own.
TLineMetrics MakeLineMetrics(int fontSize, int textHeight, bool roundThirdUp);

// The pixels a font effect adds to a line's height: frames and shadows reach
// one or two pixels out, outlines grow with the font.
int ExtraLineSpace(int fontEffect, const TLineMetrics& metrics);

// Per channel (from × (255 − weight) + to × weight) shr 8 over the low 24 bits;
// weight 0..255.
std::uint32_t BlendColor(std::uint32_t from, std::uint32_t to, int weight);

}  // namespace lumeko
