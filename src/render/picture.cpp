// Reading and decoding background pictures (see picture.h).
#include "render/picture.h"

#include <optional>
#include <utility>

#include "platform/file_io.h"
#include "render/bmp_decode.h"
#include "render/jpeg_decode.h"

namespace lumeko {

namespace {

// Empties a picture but keeps the memory of its bytes and pixels for the next
// file: on some machines fresh pages cost more than decoding into used ones.
void Clear(TBkGndPicture& picture) {
  picture.Data.clear();
  picture.Format = TPictureFormat::None;
  picture.Width = picture.Height = 0;
  picture.Decoded = TPictureDecode();
  picture.Stride = 0;
  picture.Pixels.clear();
}

// Tells the type of the bytes in Data and checks their headers.
bool Identify(TBkGndPicture& p) {
  if (p.Data.size() < 4) return false;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(p.Data.data());
  if (std::optional<TBmpLayout> bmp = ParseBmp(bytes, p.Data.size())) {
    p.Format = TPictureFormat::Bmp;
    p.Width = bmp->Width;
    p.Height = bmp->Height;
    return true;
  }
  if (bytes[0] != 0xFF || bytes[1] != 0xD8) return false;
  if (!LumekoJpegSize(bytes, p.Data.size(), &p.Width, &p.Height) || !PictureSizeAllowed(p.Width, p.Height))
    return false;
  p.Format = TPictureFormat::Jpeg;
  return true;
}

}  // namespace

bool OpenPicture(std::string data, TBkGndPicture& picture) {
  Clear(picture);
  picture.Data = std::move(data);
  if (Identify(picture)) return true;
  Clear(picture);
  return false;
}

bool LoadPictureFile(const std::string& cp932Path, TBkGndPicture& picture) {
  Clear(picture);
  if (ReadWholeFile(cp932Path, picture.Data, kMaxPictureFileBytes) && Identify(picture)) return true;
  Clear(picture);
  return false;
}

bool DecodePicture(TBkGndPicture& picture, const TPictureDecode& need) {
  if (picture.Empty() || !need) return false;
  if (DecodeCovers(picture.Decoded, need, picture.Width, picture.Height)) return true;
  // The old part makes room first: never two decoded pictures at once.
  picture.Decoded = TPictureDecode();
  const TBkGndRect& part = need.Window;
  const std::size_t stride = DibStride24(part.w), size = stride * static_cast<std::size_t>(part.h);
  if (picture.Pixels.capacity() < size) picture.Pixels = std::vector<std::uint8_t>();
  picture.Pixels.assign(size, 0);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(picture.Data.data());
  bool decoded = false;
  if (picture.Format == TPictureFormat::Bmp) {
    if (std::optional<TBmpLayout> bmp = ParseBmp(bytes, picture.Data.size())) {
      DecodeBmp(*bmp, bytes, picture.Data.size(), need, picture.Pixels.data(), stride);
      decoded = true;
    }
  } else {
    decoded = LumekoDecodeJpeg(bytes, picture.Data.size(), need.Denom, part.x, part.y, part.w, part.h,
                               picture.Pixels.data(), stride, kMaxJpegWorkBytes);
  }
  if (!decoded) {
    picture.Pixels.clear();
    return false;
  }
  picture.Decoded = need;
  picture.Stride = stride;
  return true;
}

}  // namespace lumeko
