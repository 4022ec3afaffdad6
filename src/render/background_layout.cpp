// Background placement, decode planning and tint (see background_layout.h).
#include "render/background_layout.h"

#include <algorithm>
#include <cmath>

namespace lumeko {
namespace {

// Sides of a placed picture stay far inside 32 bits whatever the frame and
// the aspect ratio, so the centring and clipping arithmetic cannot overflow.
constexpr double kMaxPlacedSide = 1 << 30;

std::uint64_t DecodedBytes(const TBkGndRect& r) {
  return static_cast<std::uint64_t>(DibStride24(r.w)) * static_cast<std::uint64_t>(r.h);
}

// Decoded pixels [first, last) of a side that a run of placed pixels
// [from, to) draws from: the picture's side at 1/denom spread over placed.
void SourceSpan(long long from, long long to, int side, int denom, int placed, int& first, int& last) {
  const double perPixel = static_cast<double>(side) / (static_cast<double>(denom) * placed);
  first = static_cast<int>(std::max(0.0, std::floor(static_cast<double>(from) * perPixel)));
  last = static_cast<int>(std::min<double>(ScaledSide(side, denom), std::ceil(static_cast<double>(to) * perPixel)));
}

}  // namespace

bool PictureSizeAllowed(long long width, long long height) {
  if (width <= 0 || height <= 0) return false;
  if (width > kMaxPictureSide || height > kMaxPictureSide) return false;
  return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <= kMaxPicturePixels;
}

TBkGndRect PlaceBackground(int mode, int frameW, int frameH, int pictureW, int pictureH) {
  TBkGndRect r;
  const double W = frameW, H = frameH, bw = pictureW, bh = pictureH;
  auto centre = [&] {
    r.x = (frameW - r.w) / 2;
    r.y = (frameH - r.h) / 2;
  };
  auto scaled = [&](double c) {
    r.w = static_cast<std::int32_t>(std::min(kMaxPlacedSide, std::ceil(bw * c)));
    r.h = static_cast<std::int32_t>(std::min(kMaxPlacedSide, std::ceil(c * bh)));
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

TBkGndRect VisibleBackground(const TBkGndRect& placed, int frameW, int frameH) {
  const long long x0 = std::max<long long>(placed.x, 0), y0 = std::max<long long>(placed.y, 0);
  const long long x1 = std::min<long long>(static_cast<long long>(placed.x) + placed.w, frameW);
  const long long y1 = std::min<long long>(static_cast<long long>(placed.y) + placed.h, frameH);
  if (x1 <= x0 || y1 <= y0) return TBkGndRect();
  return {static_cast<std::int32_t>(x0), static_cast<std::int32_t>(y0), static_cast<std::int32_t>(x1 - x0),
          static_cast<std::int32_t>(y1 - y0)};
}

TPictureDecode PlanPictureDecode(int mode, int frameW, int frameH, int pictureW, int pictureH) {
  if (frameW <= 0 || frameH <= 0 || !PictureSizeAllowed(pictureW, pictureH)) return {};
  const TBkGndRect placed = PlaceBackground(mode, frameW, frameH, pictureW, pictureH);
  const TBkGndRect shown = VisibleBackground(placed, frameW, frameH);
  if (shown.w <= 0 || shown.h <= 0) return {};
  const bool scales = BkGndModeScales(mode);
  int denom = 1;
  if (scales) {
    // The coarsest DCT scale whose picture is still at least the placed size.
    denom = 8;
    while (denom > 1 && (static_cast<long long>(pictureW) < static_cast<long long>(placed.w) * denom ||
                         static_cast<long long>(pictureH) < static_cast<long long>(placed.h) * denom))
      denom /= 2;
  }
  for (;; denom *= 2) {
    const TBkGndRect whole{0, 0, ScaledSide(pictureW, denom), ScaledSide(pictureH, denom)};
    // The whole picture when it fits: a later resize then needs no decode.
    if (DecodedBytes(whole) <= kMaxDecodedBytes) return {denom, whole};
    TBkGndRect part;
    if (mode == kBkGndModeTile) {
      part = {0, 0, std::min(pictureW, frameW), std::min(pictureH, frameH)};
    } else if (!scales) {
      part = {shown.x - placed.x, shown.y - placed.y, shown.w, shown.h};
    } else {
      int x0, x1, y0, y1;
      SourceSpan(shown.x - placed.x, static_cast<long long>(shown.x) + shown.w - placed.x, pictureW, denom, placed.w,
                 x0, x1);
      SourceSpan(shown.y - placed.y, static_cast<long long>(shown.y) + shown.h - placed.y, pictureH, denom, placed.h,
                 y0, y1);
      part = {x0, y0, x1 - x0, y1 - y0};
    }
    if (part.w > 0 && part.h > 0 && DecodedBytes(part) <= kMaxDecodedBytes) return {denom, part};
    if (!scales || denom == 8) return {};
  }
}

bool DecodeCovers(const TPictureDecode& have, const TPictureDecode& need, int pictureW, int pictureH) {
  if (!have || !need || have.Denom > need.Denom) return false;
  // Both as picture pixels [first, last) a side.
  auto covers = [](int hPos, int hLen, int hDenom, int nPos, int nLen, int nDenom, int side) {
    const long long hFirst = static_cast<long long>(hPos) * hDenom;
    const long long hLast = std::min<long long>(static_cast<long long>(hPos + hLen) * hDenom, side);
    const long long nFirst = static_cast<long long>(nPos) * nDenom;
    const long long nLast = std::min<long long>(static_cast<long long>(nPos + nLen) * nDenom, side);
    return hFirst <= nFirst && hLast >= nLast;
  };
  return covers(have.Window.x, have.Window.w, have.Denom, need.Window.x, need.Window.w, need.Denom, pictureW) &&
         covers(have.Window.y, have.Window.h, have.Denom, need.Window.y, need.Window.h, need.Denom, pictureH);
}

TBkGndTint MakeBkGndTint(std::uint32_t color, int alpha, bool blend) {
  alpha = std::clamp(alpha, 0, 255);
  // B, G, R in memory; the colour value holds R in its low byte.
  const unsigned tint[3] = {(color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF};
  TBkGndTint t;
  for (int c = 0; c < 3; ++c)
    for (unsigned v = 0; v < 256; ++v)
      t.Channel[c][v] = static_cast<std::uint8_t>(blend ? (tint[c] * alpha + (255 - alpha) * v) >> 8 : v);
  return t;
}

void BlendToColor(std::uint8_t* pixels, int width, int height, std::size_t stride,
                  std::uint32_t color, int alpha, int pixelBytes) {
  const TBkGndTint t = MakeBkGndTint(color, alpha);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* p = pixels + y * stride;
    for (int x = 0; x < width; ++x, p += pixelBytes) {
      p[0] = t.Channel[0][p[0]];
      p[1] = t.Channel[1][p[1]];
      p[2] = t.Channel[2][p[2]];
    }
  }
}

}  // namespace lumeko
