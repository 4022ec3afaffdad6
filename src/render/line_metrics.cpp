// Line metrics, extra line space and colour blending (see line_metrics.h).
#include "render/line_metrics.h"

namespace lumeko {

TLineMetrics MakeLineMetrics(int fontSize, int textHeight, bool roundThirdUp) {
  TLineMetrics m;
  m.FontSize = fontSize;
  m.HalfSize = fontSize / 2;
  m.QuarterSize = fontSize / 4;
  m.LineHeight = textHeight + 2;
  m.HalfLine = m.LineHeight / 2;
  m.ThirdLine = m.LineHeight / 3;
  if (roundThirdUp && m.LineHeight % 3 != 0) ++m.ThirdLine;
  m.QuarterLine = m.LineHeight / 4;
  return m;
}

int ExtraLineSpace(int fontEffect, const TLineMetrics& metrics) {
  switch (fontEffect) {
    case 1: return 2;
    case 2:
    case 3: return 1;
    case 4: return metrics.QuarterSize / 2;
    case 5: return metrics.HalfSize / 2;
    default: return 0;
  }
}

std::uint32_t BlendColor(std::uint32_t from, std::uint32_t to, int weight) {
  if (weight < 0) weight = 0;
  if (weight > 255) weight = 255;
  std::uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t a = (from >> shift) & 0xFF;
    const std::uint32_t b = (to >> shift) & 0xFF;
    const std::uint32_t c = (a * (255 - weight) + b * weight) >> 8;
    result |= c << shift;
  }
  return result;
}

}  // namespace lumeko
