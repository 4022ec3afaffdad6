// A background picture: the file as read, and the part of it decoded.
//
// A file is read once and its headers checked; its bytes are kept, because
// how much of the picture is decoded, and how finely, depends on the frame:
// a frame that needs more than the part decoded so far decodes again from
// those bytes, never from the file (which may have changed or gone since).
// BMPs are decoded by our own bounded code, JPEGs by libjpeg-turbo, both to
// top-down B G R rows padded to 4 bytes. The file type is told by its first
// bytes, not its name. Memory caps: background_layout.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "render/background_layout.h"

namespace lumeko {

enum class TPictureFormat { None, Bmp, Jpeg };

struct TBkGndPicture {
  std::string Data;  // the file's bytes
  TPictureFormat Format = TPictureFormat::None;
  int Width = 0;  // the picture's own size, as placement uses it
  int Height = 0;
  TPictureDecode Decoded;            // what Pixels hold
  std::size_t Stride = 0;            // bytes per row of Pixels
  std::vector<std::uint8_t> Pixels;  // Decoded.Window.h rows, top row first

  bool Empty() const { return Width <= 0 || Height <= 0 || Data.empty(); }
};

// Reads a BMP or JPEG file (CP932 path) and checks its headers; nothing is
// decoded yet. False, with picture emptied, when the file is missing, of
// another type, inconsistent or over the size caps.
bool LoadPictureFile(const std::string& cp932Path, TBkGndPicture& picture);

// The same for a file's bytes already in memory.
bool OpenPicture(std::string data, TBkGndPicture& picture);

// Makes Pixels hold at least the part need names, decoding again only when
// the part held does not cover it. False when the data turns out damaged;
// picture keeps its file then, but no pixels.
bool DecodePicture(TBkGndPicture& picture, const TPictureDecode& need);

}  // namespace lumeko
