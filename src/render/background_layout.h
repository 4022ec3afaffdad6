// Where a background picture goes in the frame, and its tint.
//
// Nine drawing modes place a bw × bh picture in a W × H frame: scaled to fit
// or to cover, stretched, at its own size in a corner or the centre, or
// tiled. This is the arithmetic alone (no GDI), so it is checked natively.
// Picture size caps live here too: no picture may exhaust memory.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lumeko {

// Pictures larger than this on a side, or whose decoded 24-bit pixels would
// exceed kMaxPictureBytes, are refused; so is a prepared bitmap that large.
constexpr int kMaxPictureSide = 16384;
constexpr std::uint64_t kMaxPictureBytes = 256ull * 1024 * 1024;

// Bytes of one 24-bit row padded to 4 bytes, as GDI lays out DIB rows.
constexpr std::size_t DibStride24(int width) {
  return (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
}

// True when a picture of these dimensions may be decoded.
bool PictureSizeAllowed(long long width, long long height);

struct TBkGndRect {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
  friend bool operator==(const TBkGndRect&, const TBkGndRect&) = default;
};

constexpr int kBkGndModeTile = 8;

// The prepared bitmap's rectangle in the frame for drawing mode 0..8 (other
// values are drawn as mode 0). Mode 8 covers the frame; tiles start at
// multiples of the picture size.
TBkGndRect PlaceBackground(int mode, int frameW, int frameH, int pictureW, int pictureH);

// Tints 24-bit pixels toward colour (0x00BBGGRR): per channel
// (colour × alpha + (255 − alpha) × old) shr 8. rows × stride bytes, B G R order.
void BlendToColor(std::uint8_t* pixels, int width, int height, std::size_t stride,
                  std::uint32_t color, int alpha);

}  // namespace lumeko
