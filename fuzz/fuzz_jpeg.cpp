// libFuzzer target over the JPEG decoder the background pictures go through:
// its headers, then a part of the picture at a DCT scale, both chosen by the
// input's last bytes. libjpeg's errors and warnings must come back as "no
// picture" through the decoder's longjmp, never as a crash, an exit or a read
// outside the input; a part that decodes has every byte written.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "render/background_layout.h"
#include "render/jpeg_decode.h"

namespace {
volatile std::uint32_t g_sink;
constexpr int kMaxPartSide = 512;  // keeps huge declared pictures cheap to fuzz
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4 || size > (1u << 20)) return 0;
  int width = 0, height = 0;
  if (!LumekoJpegSize(data, size, &width, &height)) return 0;
  if (width <= 0 || height <= 0) std::abort();
  if (!lumeko::PictureSizeAllowed(width, height)) return 0;
  const int denom = 1 << (data[size - 1] % 4);
  const int sw = lumeko::ScaledSide(width, denom), sh = lumeko::ScaledSide(height, denom);
  const int w = std::min(sw, kMaxPartSide), h = std::min(sh, kMaxPartSide);
  const int x = data[size - 2] * (sw - w) / 255, y = data[size - 3] * (sh - h) / 255;
  const std::size_t stride = lumeko::DibStride24(w);
  std::unique_ptr<std::uint8_t[]> out(new std::uint8_t[stride * h]);
  if (!LumekoDecodeJpeg(data, size, denom, x, y, w, h, out.get(), stride, lumeko::kMaxJpegWorkBytes)) return 0;
  std::uint32_t sum = 0;
  for (int r = 0; r < h; ++r)
    for (int i = 0; i < w * 3; ++i) sum += out[r * stride + i];
  g_sink = sum;
  return 0;
}
