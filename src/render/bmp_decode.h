// BMP files read from their own bytes: headers, masks, palette and pixels.
//
// Every header form in use (core, info, v2 to v5), 1, 4, 8, 16, 24 and 32
// bits, plain rows in either order, colour masks and both run-length codings.
// Everything is checked against the bytes actually read before a pixel is
// touched: a header, palette or row that does not fit gives no picture, and
// no read ever leaves the buffer. No Win32 here, so it is fuzzed natively.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "render/background_layout.h"

namespace lumeko {

struct TBmpLayout {
  int Width = 0;
  int Height = 0;
  bool TopDown = false;
  int Bits = 0;
  std::uint32_t Compression = 0;        // 0 plain, 1 RLE8, 2 RLE4, 3 or 6 masks
  std::array<std::uint32_t, 3> Masks{};  // red, green, blue, for 16 and 32 bits
  std::array<std::uint32_t, 256> Palette{};  // 0x00RRGGBB; entries past the file's are black
  std::size_t PixelOffset = 0;
  std::size_t PixelBytes = 0;           // rows, or runs up to the declared size
  std::size_t RowBytes = 0;             // plain rows, padded to 4 bytes
};

// The layout of a BMP file, or none when anything in it is inconsistent or
// its picture is over the size caps.
std::optional<TBmpLayout> ParseBmp(const std::uint8_t* data, std::size_t size);

// Decodes the part of the picture scaled down by part.Denom (each decoded
// pixel the average of a Denom × Denom block) that part.Window names, into
// out: Window.h rows of Window.w B G R pixels, stride apart. Pixels that
// runs skip show colour 0. data and size as given to ParseBmp.
void DecodeBmp(const TBmpLayout& layout, const std::uint8_t* data, std::size_t size, const TPictureDecode& part,
               std::uint8_t* out, std::size_t stride);

}  // namespace lumeko
