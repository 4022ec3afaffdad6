// The header of a top-down, uncompressed DIB: what every frame, prepared
// background and decoded picture here is laid out as. Top-down rows keep
// row 0 at the lowest address, as the pixel loops expect.
#pragma once

#include <windows.h>

namespace lumeko {

inline BITMAPINFO TopDownDibInfo(int width, int height, WORD bitsPerPixel) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = bitsPerPixel;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

}  // namespace lumeko
