// Drawing the shown part of a picture (see picture_scale.h).
#include "render/picture_scale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lumeko {
namespace {

// Weights of one frame pixel sum to 1 << bits. Across, a pixel's three
// channels are summed at once in fields of one 64-bit word, each field
// holding up to 255 << kAcrossBits; down, rows average in 16-bit lanes
// (255 × 256 + 128 fits).
constexpr int kAcrossBits = 12;
constexpr int kField = 21;
constexpr std::uint64_t kFieldMask = (1u << kField) - 1;
constexpr int kDownBits = 8;

// For each frame pixel along one side: the decoded pixels under it and their
// share of its area. Every pixel has Most weights (the widest pixel's count,
// zeros padding the others), so the inner loops run a fixed count.
struct TTaps {
  int Most = 0;
  std::vector<int> First;  // decoded pixel of the first weight, relative to the decoded part
  std::vector<std::uint32_t> Weights;
};

// Frame pixels count along a side starting at placed pixel start; the picture
// side at 1/denom is spread over placedSide pixels; the decoded part holds
// decoded pixels [partPos, partPos + partLen).
bool MakeTaps(long long start, int count, int side, int denom, int placedSide, int partPos, int partLen, int bits,
              TTaps& taps) {
  const double perPixel = static_cast<double>(side) / (static_cast<double>(denom) * placedSide);
  const int last = ScaledSide(side, denom);
  auto span = [&](int i, double& a, double& b, int& j0, int& j1) {
    a = static_cast<double>(start + i) * perPixel;
    b = static_cast<double>(start + i + 1) * perPixel;
    j0 = std::max(0, static_cast<int>(std::floor(a)));
    j1 = std::max(j0 + 1, std::min(last, static_cast<int>(std::ceil(b))));
  };
  taps.Most = 1;
  for (int i = 0; i < count; ++i) {
    double a, b;
    int j0, j1;
    span(i, a, b, j0, j1);
    if (j0 < partPos || j1 > partPos + partLen) return false;
    taps.Most = std::max(taps.Most, j1 - j0);
  }
  taps.First.assign(count, 0);
  taps.Weights.assign(static_cast<std::size_t>(count) * taps.Most, 0);
  for (int i = 0; i < count; ++i) {
    double a, b;
    int j0, j1;
    span(i, a, b, j0, j1);
    // Padding goes on the side that stays inside the decoded part.
    const int first = std::min(j0 - partPos, partLen - taps.Most);
    taps.First[i] = first;
    std::uint32_t* w = &taps.Weights[static_cast<std::size_t>(i) * taps.Most] + (j0 - partPos - first);
    // Each share is the step of the rounded running total, so the shares sum
    // to exactly one and a flat area keeps its colour.
    std::uint32_t before = 0;
    for (int j = j0; j < j1; ++j) {
      const double upTo = j + 1 < j1 ? (std::min(b, j + 1.0) - a) / (b - a) : 1.0;
      const auto total = static_cast<std::uint32_t>(std::llround(std::clamp(upTo, 0.0, 1.0) * (1 << bits)));
      w[j - j0] = total - std::min(total, before);
      before = std::max(total, before);
    }
  }
  return true;
}

// One decoded row averaged across into frame columns of B G R 0, tinted.
// packed holds the row's pixels as words of three fields.
template <int kMost>
void AverageAcross(const std::uint8_t* src, int width, const TTaps& taps, int most, const TBkGndTint& tint,
                   std::uint64_t* packed, std::uint8_t* dst) {
  for (int j = 0; j < width; ++j, src += 3)
    packed[j] = src[0] | static_cast<std::uint64_t>(src[1]) << kField | static_cast<std::uint64_t>(src[2]) << (2 * kField);
  const int n = kMost ? kMost : most;
  const std::uint32_t* w = taps.Weights.data();
  constexpr std::uint64_t kHalf = 1u << (kAcrossBits - 1);
  constexpr std::uint64_t kHalves = kHalf | kHalf << kField | kHalf << (2 * kField);
  for (std::size_t i = 0, count = taps.First.size(); i < count; ++i, w += n, dst += 4) {
    const std::uint64_t* p = packed + taps.First[i];
    std::uint64_t sum = kHalves;
    for (int t = 0; t < n; ++t) sum += w[t] * p[t];
    dst[0] = tint.Channel[0][(sum & kFieldMask) >> kAcrossBits];
    dst[1] = tint.Channel[1][((sum >> kField) & kFieldMask) >> kAcrossBits];
    dst[2] = tint.Channel[2][(sum >> (2 * kField)) >> kAcrossBits];
    dst[3] = 0;
  }
}

// Frame row = rows averaged down, byte by byte.
void AverageDown(const std::uint8_t* const* rows, const std::uint32_t* w, int n, std::size_t bytes,
                 std::uint16_t* sums, std::uint8_t* dst) {
  constexpr std::uint16_t kHalf = 1u << (kDownBits - 1);
  if (n == 1) {
    std::copy_n(rows[0], bytes, dst);
    return;
  }
  const auto w0 = static_cast<std::uint16_t>(w[0]), w1 = static_cast<std::uint16_t>(w[1]);
  const std::uint8_t *r0 = rows[0], *r1 = rows[1];
  if (n == 2) {
    for (std::size_t v = 0; v < bytes; ++v)
      dst[v] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(kHalf + w0 * r0[v] + w1 * r1[v]) >> kDownBits);
    return;
  }
  for (std::size_t v = 0; v < bytes; ++v) sums[v] = static_cast<std::uint16_t>(kHalf + w0 * r0[v] + w1 * r1[v]);
  for (int t = 2; t < n; ++t) {
    const auto wt = static_cast<std::uint16_t>(w[t]);
    const std::uint8_t* rt = rows[t];
    for (std::size_t v = 0; v < bytes; ++v) sums[v] = static_cast<std::uint16_t>(sums[v] + wt * rt[v]);
  }
  for (std::size_t v = 0; v < bytes; ++v) dst[v] = static_cast<std::uint8_t>(sums[v] >> kDownBits);
}

// Area averaging: each decoded row under the shown part is averaged across
// (and tinted) once into a ring of rows, and each frame row averages its rows
// of the ring.
bool Scale(const TPictureView& pic, const TBkGndRect& placed, const TBkGndRect& shown, const TBkGndTint& tint,
           std::uint8_t* out, std::size_t outStride) {
  const TBkGndRect& part = pic.Decoded.Window;
  TTaps across, down;
  if (!MakeTaps(shown.x - placed.x, shown.w, pic.PictureW, pic.Decoded.Denom, placed.w, part.x, part.w, kAcrossBits,
                across) ||
      !MakeTaps(shown.y - placed.y, shown.h, pic.PictureH, pic.Decoded.Denom, placed.h, part.y, part.h, kDownBits, down))
    return false;
  const std::size_t rowBytes = static_cast<std::size_t>(shown.w) * 4;
  const int ringRows = down.Most;
  std::vector<std::uint8_t> ring(rowBytes * ringRows);
  std::vector<int> ringHolds(ringRows, -1);
  std::vector<std::uint64_t> packed(part.w);
  auto averagedRow = [&](int row) -> const std::uint8_t* {
    std::uint8_t* dst = ring.data() + static_cast<std::size_t>(row % ringRows) * rowBytes;
    if (ringHolds[row % ringRows] == row) return dst;
    ringHolds[row % ringRows] = row;
    const std::uint8_t* src = pic.Pixels + static_cast<std::size_t>(row) * pic.Stride;
    switch (across.Most) {
      case 1: AverageAcross<1>(src, part.w, across, 1, tint, packed.data(), dst); break;
      case 2: AverageAcross<2>(src, part.w, across, 2, tint, packed.data(), dst); break;
      case 3: AverageAcross<3>(src, part.w, across, 3, tint, packed.data(), dst); break;
      default: AverageAcross<0>(src, part.w, across, across.Most, tint, packed.data(), dst); break;
    }
    return dst;
  };
  std::vector<std::uint16_t> sums(rowBytes);
  std::vector<const std::uint8_t*> rows(down.Most);
  std::vector<std::uint32_t> weights(down.Most);
  for (int y = 0; y < shown.h; ++y) {
    const std::uint32_t* w = &down.Weights[static_cast<std::size_t>(y) * down.Most];
    int n = 0;
    for (int t = 0; t < down.Most; ++t) {
      if (w[t] == 0) continue;
      rows[n] = averagedRow(down.First[y] + t);
      weights[n++] = w[t];
    }
    AverageDown(rows.data(), weights.data(), n, rowBytes, sums.data(), out + static_cast<std::size_t>(y) * outStride);
  }
  return true;
}

// Pixel for pixel: frame (x, y) shows decoded pixel (x − dx, y − dy), modulo
// the picture's size when tiling.
bool Copy(const TPictureView& pic, const TBkGndRect& shown, int dx, int dy, bool tile, const TBkGndTint& tint,
          std::uint8_t* out, std::size_t outStride) {
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
        d[0] = tint.Channel[0][s[0]];
        d[1] = tint.Channel[1][s[1]];
        d[2] = tint.Channel[2][s[2]];
        d[3] = 0;
      }
      x += run;
    }
  }
  return true;
}

}  // namespace

bool DrawPicturePart(const TPictureView& picture, int mode, const TBkGndRect& placed, const TBkGndRect& shown,
                     std::uint8_t* out, std::size_t outStride, const TBkGndTint* tint) {
  if (!picture.Decoded || !picture.Pixels || shown.w <= 0 || shown.h <= 0 || placed.w <= 0 || placed.h <= 0)
    return false;
  static const TBkGndTint kNone = MakeBkGndTint(0, 0, false);
  const TBkGndTint& t = tint ? *tint : kNone;
  const int d = picture.Decoded.Denom;
  if (mode == kBkGndModeTile) return d == 1 && Copy(picture, shown, 0, 0, true, t, out, outStride);
  // A placed picture exactly the decoded size is a copy, whatever the mode.
  if (static_cast<long long>(placed.w) * d == picture.PictureW && static_cast<long long>(placed.h) * d == picture.PictureH)
    return Copy(picture, shown, placed.x, placed.y, false, t, out, outStride);
  if (!BkGndModeScales(mode)) return false;
  return Scale(picture, placed, shown, t, out, outStride);
}

}  // namespace lumeko
