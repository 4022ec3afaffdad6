// A background picture as loaded: 24-bit pixels, whatever the file was.
//
// BMP files are read by GDI, JPEG files by libjpeg-turbo; both end as top-down
// B G R rows padded to 4 bytes, ready for GDI's DIB calls. The file type is
// told by its first bytes, not its name. A picture over the size caps of
// background_layout.h, or a damaged one, gives no picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lumeko {

struct TBkGndPicture {
  int Width = 0;
  int Height = 0;
  std::size_t Stride = 0;             // bytes per row
  std::vector<std::uint8_t> Pixels;   // Height × Stride, top row first

  bool Empty() const { return Width <= 0 || Height <= 0 || Pixels.empty(); }
};

// Reads a BMP or JPEG file (CP932 path). False, with picture emptied, when the
// file is missing, of another type, damaged or too large.
bool LoadPictureFile(const std::string& cp932Path, TBkGndPicture& picture);

// The same for JPEG data already in memory.
bool DecodeJpegPicture(const std::uint8_t* data, std::size_t size, TBkGndPicture& picture);

}  // namespace lumeko
