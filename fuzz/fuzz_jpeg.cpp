// libFuzzer target over the JPEG decoder the background pictures go through,
// with the caps the effect uses. libjpeg's errors and warnings must come back
// as "no picture" through the decoder's longjmp, never as a crash, an exit or
// a read outside the input; a picture that decodes has every row readable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "render/background_layout.h"
#include "render/jpeg_decode.h"

namespace {
volatile std::uint32_t g_sink;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  int width = 0, height = 0;
  std::size_t stride = 0;
  unsigned char* pixels =
      LumekoDecodeJpeg(data, size, lumeko::kMaxPictureSide, lumeko::kMaxPictureBytes, &width, &height, &stride);
  if (!pixels) return 0;
  if (width <= 0 || height <= 0 || width > lumeko::kMaxPictureSide || height > lumeko::kMaxPictureSide ||
      stride != lumeko::DibStride24(width))
    std::abort();
  std::uint32_t h = 0;
  for (int y = 0; y < height; ++y) h += pixels[y * stride] + pixels[y * stride + width * 3 - 1];
  g_sink = h;
  std::free(pixels);
  return 0;
}
