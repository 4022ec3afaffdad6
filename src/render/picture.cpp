// Loading background pictures (see picture.h).
#include "render/picture.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/file_io.h"
#include "platform/dib_info.h"
#include "platform/unique_handle.h"
#include "platform/wide.h"
#include "render/background_layout.h"
#include "render/jpeg_decode.h"

namespace lumeko {
namespace {

std::uint32_t ReadLe32(const std::string& s, size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 3])) << 24;
}

std::uint16_t ReadLe16(const std::string& s, size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(s[at]) |
                                    static_cast<unsigned char>(s[at + 1]) << 8);
}

// The dimensions a BMP header declares, checked before GDI allocates for them.
bool BmpHeaderAllowed(const std::string& data) {
  if (data.size() < 26) return false;
  const std::uint32_t headerSize = ReadLe32(data, 14);
  long long w, h;
  if (headerSize == 12) {
    w = ReadLe16(data, 18);
    h = ReadLe16(data, 20);
  } else {
    w = static_cast<std::int32_t>(ReadLe32(data, 18));
    h = static_cast<std::int32_t>(ReadLe32(data, 22));
    if (h < 0) h = -h;
  }
  if (!PictureSizeAllowed(w, h) || data.size() < 14 + static_cast<size_t>(headerSize)) return false;
  if (headerSize != 12 && data.size() < 34) return false;
  // The pixel data must all be in the file: GDI reads it from the mapped file
  // as the header describes it, past the end of a file cut short.
  const std::uint32_t compression = headerSize >= 40 ? ReadLe32(data, 30) : 0;
  const unsigned bits = headerSize == 12 ? ReadLe16(data, 24) : ReadLe16(data, 28);
  const std::uint64_t offBits = ReadLe32(data, 10);
  switch (compression) {
    case 0:    // BI_RGB
    case 3:    // BI_BITFIELDS
    case 6: {  // BI_ALPHABITFIELDS: uncompressed rows with colour masks
      const std::uint64_t stride = (static_cast<std::uint64_t>(w) * bits + 31) / 32 * 4;
      return offBits + stride * static_cast<std::uint64_t>(h) <= data.size();
    }
    case 1:    // BI_RLE8
    case 2: {  // BI_RLE4: only the declared size tells where the runs end
      const std::uint64_t sizeImage = ReadLe32(data, 34);
      return sizeImage > 0 && offBits + sizeImage <= data.size();
    }
    default:
      break;
  }
  return true;
}

bool LoadBmp(const std::string& path, TBkGndPicture& picture) {
  UniqueHBITMAP bmp(static_cast<HBITMAP>(::LoadImageW(nullptr, ToWide(path).c_str(), IMAGE_BITMAP, 0, 0,
                                                     LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  if (!bmp) return false;
  BITMAP info{};
  if (!::GetObjectW(bmp.get(), sizeof(info), &info)) return false;
  const int w = info.bmWidth, h = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  if (!PictureSizeAllowed(w, h)) return false;
  TBkGndPicture p;
  p.Width = w;
  p.Height = h;
  p.Stride = DibStride24(w);
  p.Pixels.resize(p.Stride * h);
  BITMAPINFO bi = TopDownDibInfo(w, h, 24);
  UniqueHDC dc(::CreateCompatibleDC(nullptr));
  if (!dc) return false;
  // The device handle goes with bmp; only the pixel data stays.
  if (::GetDIBits(dc.get(), bmp.get(), 0, h, p.Pixels.data(), &bi, DIB_RGB_COLORS) != h) return false;
  picture = std::move(p);
  return true;
}

}  // namespace

bool DecodeJpegPicture(const std::uint8_t* data, std::size_t size, TBkGndPicture& picture) {
  int w = 0, h = 0;
  size_t stride = 0;
  std::unique_ptr<unsigned char, decltype(&std::free)> pixels(
      LumekoDecodeJpeg(data, size, kMaxPictureSide, kMaxPictureBytes, &w, &h, &stride), &std::free);
  if (!pixels) return false;
  TBkGndPicture p;
  p.Width = w;
  p.Height = h;
  p.Stride = stride;
  p.Pixels.assign(pixels.get(), pixels.get() + stride * h);
  picture = std::move(p);
  return true;
}

bool LoadPictureFile(const std::string& cp932Path, TBkGndPicture& picture) {
  picture = TBkGndPicture();
  std::optional<std::string> data = ReadWholeFile(cp932Path, kMaxPictureBytes);
  if (!data || data->size() < 4) return false;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(data->data());
  if (bytes[0] == 'B' && bytes[1] == 'M') {
    if (!BmpHeaderAllowed(*data)) return false;
    data.reset();
    return LoadBmp(cp932Path, picture);
  }
  if (bytes[0] == 0xFF && bytes[1] == 0xD8) return DecodeJpegPicture(bytes, data->size(), picture);
  return false;
}

}  // namespace lumeko
