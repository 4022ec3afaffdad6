// Reading and decoding background pictures (see picture.h).
#include "render/picture.h"

#include <optional>
#include <utility>

#include "platform/file_io.h"
#include "render/bmp_decode.h"
#include "render/jpeg_decode.h"

namespace lumeko {

bool OpenPicture(std::string data, TBkGndPicture& picture) {
  picture = TBkGndPicture();
  if (data.size() < 4) return false;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
  TBkGndPicture p;
  if (std::optional<TBmpLayout> bmp = ParseBmp(bytes, data.size())) {
    p.Format = TPictureFormat::Bmp;
    p.Width = bmp->Width;
    p.Height = bmp->Height;
  } else if (bytes[0] == 0xFF && bytes[1] == 0xD8) {
    if (!LumekoJpegSize(bytes, data.size(), &p.Width, &p.Height) || !PictureSizeAllowed(p.Width, p.Height))
      return false;
    p.Format = TPictureFormat::Jpeg;
  } else {
    return false;
  }
  p.Data = std::move(data);
  picture = std::move(p);
  return true;
}

bool LoadPictureFile(const std::string& cp932Path, TBkGndPicture& picture) {
  picture = TBkGndPicture();
  std::optional<std::string> data = ReadWholeFile(cp932Path, kMaxPictureFileBytes);
  return data && OpenPicture(std::move(*data), picture);
}

bool DecodePicture(TBkGndPicture& picture, const TPictureDecode& need) {
  if (picture.Empty() || !need) return false;
  if (DecodeCovers(picture.Decoded, need, picture.Width, picture.Height)) return true;
  // The old part goes first: never two decoded pictures at once.
  picture.Decoded = TPictureDecode();
  picture.Pixels = std::vector<std::uint8_t>();
  const TBkGndRect& part = need.Window;
  const std::size_t stride = DibStride24(part.w);
  std::vector<std::uint8_t> pixels(stride * static_cast<std::size_t>(part.h));
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(picture.Data.data());
  if (picture.Format == TPictureFormat::Bmp) {
    std::optional<TBmpLayout> bmp = ParseBmp(bytes, picture.Data.size());
    if (!bmp) return false;
    DecodeBmp(*bmp, bytes, picture.Data.size(), need, pixels.data(), stride);
  } else if (!LumekoDecodeJpeg(bytes, picture.Data.size(), need.Denom, part.x, part.y, part.w, part.h,
                               pixels.data(), stride, kMaxJpegWorkBytes)) {
    return false;
  }
  picture.Decoded = need;
  picture.Stride = stride;
  picture.Pixels = std::move(pixels);
  return true;
}

}  // namespace lumeko
