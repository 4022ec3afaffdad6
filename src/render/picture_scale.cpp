// Drawing the shown part of a picture (see picture_scale.h).
#include "render/picture_scale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lumeko {
namespace {

constexpr int kWeightBits = 16;  // weights of one frame pixel sum to 1 << kWeightBits

// For each frame pixel along one side: the decoded pixels under it and their
// share of its area.
struct TTaps {
  std::vector<int> First;  // decoded pixel, relative to the decoded part
  std::vector<int> Count;
  std::vector<std::size_t> Offset;  // into Weights
  std::vector<std::uint32_t> Weights;
  int MostTaps = 0;
};

// Frame pixels count along a side starting at placed pixel start; the picture
// side at 1/denom is spread over placedSide pixels; the decoded part holds
// decoded pixels [partPos, partPos + partLen).
bool MakeTaps(long long start, int count, int side, int denom, int placedSide, int partPos, int partLen, TTaps& taps) {
  const double perPixel = static_cast<double>(side) / (static_cast<double>(denom) * placedSide);
  const int last = ScaledSide(side, denom);
  taps.First.resize(count);
  taps.Count.resize(count);
  taps.Offset.resize(count);
  taps.Weights.clear();
  for (int i = 0; i < count; ++i) {
    const double a = static_cast<double>(start + i) * perPixel, b = static_cast<double>(start + i + 1) * perPixel;
    const int j0 = std::max(0, static_cast<int>(std::floor(a)));
    const int j1 = std::max(j0 + 1, std::min(last, static_cast<int>(std::ceil(b))));
    if (j0 < partPos || j1 > partPos + partLen) return false;
    taps.First[i] = j0 - partPos;
    taps.Count[i] = j1 - j0;
    taps.Offset[i] = taps.Weights.size();
    taps.MostTaps = std::max(taps.MostTaps, j1 - j0);
    // Each share is the step of the rounded running total, so the shares sum
    // to exactly one and a flat area keeps its colour.
    std::uint32_t before = 0;
    for (int j = j0; j < j1; ++j) {
      const double upTo = j + 1 < j1 ? (std::min(b, j + 1.0) - a) / (b - a) : 1.0;
      const auto total = static_cast<std::uint32_t>(std::llround(std::clamp(upTo, 0.0, 1.0) * (1 << kWeightBits)));
      taps.Weights.push_back(total - std::min(total, before));
      before = std::max(total, before);
    }
  }
  return true;
}

// Area averaging: each decoded row under the shown part is averaged across
// once into a ring of rows (8 fractional bits), and each frame row averages
// its rows of the ring.
bool Scale(const TPictureView& pic, const TBkGndRect& placed, const TBkGndRect& shown, std::uint8_t* out,
           std::size_t outStride) {
  const TBkGndRect& part = pic.Decoded.Window;
  TTaps across, down;
  if (!MakeTaps(shown.x - placed.x, shown.w, pic.PictureW, pic.Decoded.Denom, placed.w, part.x, part.w, across) ||
      !MakeTaps(shown.y - placed.y, shown.h, pic.PictureH, pic.Decoded.Denom, placed.h, part.y, part.h, down))
    return false;
  const std::size_t rowValues = static_cast<std::size_t>(shown.w) * 3;
  const int ringRows = down.MostTaps;
  std::vector<std::uint16_t> ring(rowValues * ringRows);
  std::vector<int> ringHolds(ringRows, -1);
  auto averagedRow = [&](int row) -> const std::uint16_t* {
    std::uint16_t* dst = ring.data() + static_cast<std::size_t>(row % ringRows) * rowValues;
    if (ringHolds[row % ringRows] == row) return dst;
    ringHolds[row % ringRows] = row;
    const std::uint8_t* src = pic.Pixels + static_cast<std::size_t>(row) * pic.Stride;
    for (int i = 0; i < shown.w; ++i, dst += 3) {
      const std::uint8_t* p = src + static_cast<std::size_t>(across.First[i]) * 3;
      const std::uint32_t* w = &across.Weights[across.Offset[i]];
      std::uint32_t b = 0, g = 0, r = 0;
      for (int t = 0; t < across.Count[i]; ++t, p += 3) {
        b += w[t] * p[0];
        g += w[t] * p[1];
        r += w[t] * p[2];
      }
      dst[0] = static_cast<std::uint16_t>((b + 128) >> 8);
      dst[1] = static_cast<std::uint16_t>((g + 128) >> 8);
      dst[2] = static_cast<std::uint16_t>((r + 128) >> 8);
    }
    return ring.data() + static_cast<std::size_t>(row % ringRows) * rowValues;
  };
  std::vector<const std::uint16_t*> rows(ringRows);
  constexpr std::uint32_t kHalf = 1u << (kWeightBits + 8 - 1);
  for (int y = 0; y < shown.h; ++y) {
    const int n = down.Count[y];
    const std::uint32_t* w = &down.Weights[down.Offset[y]];
    for (int t = 0; t < n; ++t) rows[t] = averagedRow(down.First[y] + t);
    std::uint8_t* dst = out + static_cast<std::size_t>(y) * outStride;
    for (std::size_t v = 0, o = 0; v < rowValues; v += 3, o += 4) {
      std::uint32_t b = kHalf, g = kHalf, r = kHalf;
      for (int t = 0; t < n; ++t) {
        b += w[t] * rows[t][v];
        g += w[t] * rows[t][v + 1];
        r += w[t] * rows[t][v + 2];
      }
      dst[o] = static_cast<std::uint8_t>(b >> (kWeightBits + 8));
      dst[o + 1] = static_cast<std::uint8_t>(g >> (kWeightBits + 8));
      dst[o + 2] = static_cast<std::uint8_t>(r >> (kWeightBits + 8));
      dst[o + 3] = 0;
    }
  }
  return true;
}

// Pixel for pixel: frame (x, y) shows decoded pixel (x − dx, y − dy), modulo
// the picture's size when tiling.
bool Copy(const TPictureView& pic, const TBkGndRect& shown, int dx, int dy, bool tile, std::uint8_t* out,
          std::size_t outStride) {
  const TBkGndRect& part = pic.Decoded.Window;
  const int sideW = ScaledSide(pic.PictureW, pic.Decoded.Denom), sideH = ScaledSide(pic.PictureH, pic.Decoded.Denom);
  // The decoded pixels the shown part needs, as a rectangle.
  const long long needX = tile ? 0 : static_cast<long long>(shown.x) - dx;
  const long long needY = tile ? 0 : static_cast<long long>(shown.y) - dy;
  const long long needW = tile ? std::min(sideW, shown.x + shown.w) : shown.w;
  const long long needH = tile ? std::min(sideH, shown.y + shown.h) : shown.h;
  if (needX < part.x || needY < part.y || needX + needW > part.x + part.w || needY + needH > part.y + part.h)
    return false;
  for (int y = 0; y < shown.h; ++y) {
    const long long py = tile ? (shown.y + y) % sideH : needY + y;
    const std::uint8_t* src = pic.Pixels + static_cast<std::size_t>(py - part.y) * pic.Stride;
    std::uint8_t* dst = out + static_cast<std::size_t>(y) * outStride;
    for (int x = 0; x < shown.w;) {
      const long long px = tile ? (shown.x + x) % sideW : needX + x;
      const int run = static_cast<int>(std::min<long long>(shown.w - x, tile ? sideW - px : shown.w - x));
      const std::uint8_t* s = src + static_cast<std::size_t>(px - part.x) * 3;
      std::uint8_t* d = dst + static_cast<std::size_t>(x) * 4;
      for (int i = 0; i < run; ++i, s += 3, d += 4) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
        d[3] = 0;
      }
      x += run;
    }
  }
  return true;
}

}  // namespace

bool DrawPicturePart(const TPictureView& picture, int mode, const TBkGndRect& placed, const TBkGndRect& shown,
                     std::uint8_t* out, std::size_t outStride) {
  if (!picture.Decoded || !picture.Pixels || shown.w <= 0 || shown.h <= 0 || placed.w <= 0 || placed.h <= 0)
    return false;
  const int d = picture.Decoded.Denom;
  if (mode == kBkGndModeTile) return d == 1 && Copy(picture, shown, 0, 0, true, out, outStride);
  // A placed picture exactly the decoded size is a copy, whatever the mode.
  if (static_cast<long long>(placed.w) * d == picture.PictureW && static_cast<long long>(placed.h) * d == picture.PictureH)
    return Copy(picture, shown, placed.x, placed.y, false, out, outStride);
  if (!BkGndModeScales(mode)) return false;
  return Scale(picture, placed, shown, out, outStride);
}

}  // namespace lumeko
