// libFuzzer target over the BMP parser and decoder, and the drawing of what
// they decode into a small frame. Headers, palettes, masks, offsets and runs
// from the input must give "no picture" or a picture read wholly inside the
// input; a part chosen by the input's last bytes, at a scale they choose, and
// a frame in the drawing mode they choose have every byte written.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>

#include "render/background_layout.h"
#include "render/bmp_decode.h"
#include "render/picture_scale.h"

namespace {
volatile std::uint32_t g_sink;
constexpr int kMaxPartSide = 512;  // keeps huge declared pictures cheap to fuzz
constexpr int kFrameW = 64, kFrameH = 48;

std::uint32_t Sum(const std::uint8_t* p, int rows, int rowBytes, std::size_t stride) {
  std::uint32_t sum = 0;
  for (int r = 0; r < rows; ++r)
    for (int i = 0; i < rowBytes; ++i) sum += p[r * stride + i];
  return sum;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumeko;
  if (size < 4 || size > (1u << 20)) return 0;
  const std::optional<TBmpLayout> bmp = ParseBmp(data, size);
  if (!bmp) return 0;
  if (!PictureSizeAllowed(bmp->Width, bmp->Height) || bmp->PixelOffset + bmp->PixelBytes > size) std::abort();
  const int denom = 1 << (data[size - 1] % 4);
  const int sw = ScaledSide(bmp->Width, denom), sh = ScaledSide(bmp->Height, denom);
  const int w = std::min(sw, kMaxPartSide), h = std::min(sh, kMaxPartSide);
  const TPictureDecode part{denom, {data[size - 2] * (sw - w) / 255, data[size - 3] * (sh - h) / 255, w, h}};
  std::size_t stride = DibStride24(w);
  std::unique_ptr<std::uint8_t[]> out(new std::uint8_t[stride * h]);
  DecodeBmp(*bmp, data, size, part, out.get(), stride);
  std::uint32_t sum = Sum(out.get(), h, w * 3, stride);

  // The part a small frame needs in one of the modes, drawn into it.
  const int mode = data[size - 4] % 9;
  const TPictureDecode need = PlanPictureDecode(mode, kFrameW, kFrameH, bmp->Width, bmp->Height);
  if (need && static_cast<std::uint64_t>(need.Window.w) * need.Window.h <= 1u << 20) {
    stride = DibStride24(need.Window.w);
    out.reset(new std::uint8_t[stride * need.Window.h]);
    DecodeBmp(*bmp, data, size, need, out.get(), stride);
    const TBkGndRect placed = PlaceBackground(mode, kFrameW, kFrameH, bmp->Width, bmp->Height);
    const TBkGndRect shown = VisibleBackground(placed, kFrameW, kFrameH);
    std::unique_ptr<std::uint8_t[]> frame(new std::uint8_t[static_cast<std::size_t>(shown.w) * 4 * shown.h]);
    const TPictureView view{out.get(), stride, bmp->Width, bmp->Height, need};
    if (!DrawPicturePart(view, mode, placed, shown, frame.get(), static_cast<std::size_t>(shown.w) * 4)) std::abort();
    sum += Sum(frame.get(), shown.h, shown.w * 4, static_cast<std::size_t>(shown.w) * 4);
  }
  g_sink = sum;
  return 0;
}
