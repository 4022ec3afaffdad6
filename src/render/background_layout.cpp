// Background placement arithmetic and tint (see background_layout.h).
#include "render/background_layout.h"

#include <cmath>

namespace lumeko {

bool PictureSizeAllowed(long long width, long long height) {
  if (width <= 0 || height <= 0) return false;
  if (width > kMaxPictureSide || height > kMaxPictureSide) return false;
  return static_cast<std::uint64_t>(DibStride24(static_cast<int>(width))) *
             static_cast<std::uint64_t>(height) <= kMaxPictureBytes;
}

TBkGndRect PlaceBackground(int mode, int frameW, int frameH, int pictureW, int pictureH) {
  TBkGndRect r;
  const double W = frameW, H = frameH, bw = pictureW, bh = pictureH;
  auto centre = [&] {
    r.x = (frameW - r.w) / 2;
    r.y = (frameH - r.h) / 2;
  };
  auto scaled = [&](double c) {
    r.w = static_cast<std::int32_t>(std::ceil(bw * c));
    r.h = static_cast<std::int32_t>(std::ceil(c * bh));
    centre();
  };
  switch (mode) {
    case 1: r = {0, 0, frameW, frameH}; break;
    case 2: scaled(W / bw >= H / bh ? W / bw : H / bh); break;
    case 3: r.w = pictureW; r.h = pictureH; centre(); break;
    case 4: r = {0, 0, pictureW, pictureH}; break;
    case 5: r = {frameW - pictureW, 0, pictureW, pictureH}; break;
    case 6: r = {0, frameH - pictureH, pictureW, pictureH}; break;
    case 7: r = {frameW - pictureW, frameH - pictureH, pictureW, pictureH}; break;
    case kBkGndModeTile: r = {0, 0, frameW, frameH}; break;
    default: scaled(W / bw >= H / bh ? H / bh : W / bw); break;
  }
  return r;
}

void BlendToColor(std::uint8_t* pixels, int width, int height, std::size_t stride,
                  std::uint32_t color, int alpha) {
  if (alpha < 0) alpha = 0;
  if (alpha > 255) alpha = 255;
  // B, G, R in memory; the colour value holds R in its low byte.
  const unsigned tint[3] = {(color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF};
  unsigned table[3][256];
  for (int c = 0; c < 3; ++c)
    for (unsigned v = 0; v < 256; ++v)
      table[c][v] = (tint[c] * alpha + (255 - alpha) * v) >> 8;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* p = pixels + y * stride;
    for (int x = 0; x < width; ++x, p += 3) {
      p[0] = static_cast<std::uint8_t>(table[0][p[0]]);
      p[1] = static_cast<std::uint8_t>(table[1][p[1]]);
      p[2] = static_cast<std::uint8_t>(table[2][p[2]]);
    }
  }
}

}  // namespace lumeko
