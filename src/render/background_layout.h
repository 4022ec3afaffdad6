// Where a background picture goes in the frame, how much of it a frame
// needs decoded, and its tint.
//
// Nine drawing modes place a bw × bh picture in a W × H frame: scaled to fit
// or to cover, stretched, at its own size in a corner or the centre, or
// tiled. Only the part inside the frame is ever prepared, and only as much of
// the picture is decoded as that part needs. This is the arithmetic alone (no
// GDI), so it is checked natively. The memory caps live here too: no picture
// may exhaust memory, whatever its size.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lumeko {

// Pictures wider or taller than kMaxPictureSide (as wide as a BMP core header
// or a JPEG can say) or of more than kMaxPicturePixels (268 megapixels: the
// largest camera sensors and long panoramas) are refused. At 1/8 such a
// picture decodes to 12.6 MB, so the scaled modes can always show it.
constexpr int kMaxPictureSide = 65535;
constexpr std::uint64_t kMaxPicturePixels = 1ull << 28;

// Picture files larger than this are not read.
constexpr std::uint64_t kMaxPictureFileBytes = 256ull * 1024 * 1024;

// The decoded pixels kept for a picture never exceed this: twice the sides of
// a 4K frame in 24-bit pixels (99.5 MB). A frame needs at most twice its own
// sides decoded (one DCT scale step finer than its scale), so frames up to 4K
// always get what they need; larger ones get a coarser scale in the scaled
// modes, or only their visible part in the original-size modes (which fits
// up to an 8K frame).
constexpr std::uint64_t kMaxDecodedBytes = 2ull * 3840 * 2 * 2160 * 3;

// libjpeg's own working memory: a progressive picture keeps all its DCT
// coefficients (about 3 bytes a pixel), so progressive pictures past about 85
// megapixels are refused; baseline ones need little.
constexpr std::uint64_t kMaxJpegWorkBytes = 256ull * 1024 * 1024;

// Bytes of one 24-bit row padded to 4 bytes, as GDI lays out DIB rows.
constexpr std::size_t DibStride24(int width) {
  return (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
}

// A side of a picture decoded at 1/denom, rounded up as JPEG's DCT scaling
// rounds it.
constexpr int ScaledSide(int side, int denom) { return (side + denom - 1) / denom; }

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

// The whole picture's rectangle in the frame for drawing mode 0..8 (other
// values are drawn as mode 0). Mode 8 covers the frame; tiles start at
// multiples of the picture size.
TBkGndRect PlaceBackground(int mode, int frameW, int frameH, int pictureW, int pictureH);

// The part of the frame the placed picture shows in (its rectangle cut to the
// frame): the prepared bitmap's rectangle.
TBkGndRect VisibleBackground(const TBkGndRect& placed, int frameW, int frameH);

// The modes that scale the picture (fit, stretch, zoom); the others show it
// pixel for pixel.
constexpr bool BkGndModeScales(int mode) { return mode <= 2 || mode > kBkGndModeTile; }

// What part of a picture is decoded, at which scale.
struct TPictureDecode {
  int Denom = 0;       // 1, 2, 4 or 8 picture pixels per decoded pixel a side; 0: none
  TBkGndRect Window;   // the decoded part, in pixels of the picture at 1/Denom
  explicit operator bool() const { return Denom > 0; }
};

// What a frameW × frameH frame needs decoded of a pictureW × pictureH picture
// in mode: the scaled modes the coarsest of 1/1, 1/2, 1/4, 1/8 that is still
// as large as the placed picture, the others 1/1; the whole picture when it
// fits kMaxDecodedBytes, else the part the frame shows; a coarser scale where
// even that does not fit. None when nothing fits.
TPictureDecode PlanPictureDecode(int mode, int frameW, int frameH, int pictureW, int pictureH);

// True when the decoded part have serves for need: as fine and covering it.
bool DecodeCovers(const TPictureDecode& have, const TPictureDecode& need, int pictureW, int pictureH);

// The tint toward colour (0x00BBGGRR) as a table per channel (B, G, R):
// (colour × alpha + (255 − alpha) × old) shr 8; without blend, no change.
struct TBkGndTint {
  std::uint8_t Channel[3][256];
};
TBkGndTint MakeBkGndTint(std::uint32_t color, int alpha, bool blend = true);

// Tints pixels by that rule. Rows of width pixels of pixelBytes bytes (3:
// B G R; 4: B G R and a byte left alone), stride apart.
void BlendToColor(std::uint8_t* pixels, int width, int height, std::size_t stride,
                  std::uint32_t color, int alpha, int pixelBytes = 3);

}  // namespace lumeko
