// Background picture loading, preparation and painting (see background.h).
#include "render/background.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "platform/file_io.h"
#include "platform/dib_info.h"
#include "render/canvas.h"

namespace lumeko {

void FreeBackground(TBackground& bg) {
  bg.BkGndPicture.reset();
  bg.BkGndBitmap.Reset();
  bg.BkGndFile.clear();
  bg.BkGndRect = TBkGndRect();
}

bool LoadBackground(TBackground& bg, const std::string& cp932Name, const TBkGndOptions& options) {
  try {
    if (cp932Name.empty() || (options.Flags & bf_BkGndDrawForbid) || !FileExists(cp932Name)) {
      FreeBackground(bg);
      return true;
    }
    if (cp932Name == bg.BkGndFile && bg.BkGndPrepared.Mode == static_cast<std::uint8_t>(options.DrawMode) &&
        bg.BkGndPrepared.Flags == options.Flags && bg.BkGndPrepared.Alpha == options.BlendAlpha)
      return false;
    auto picture = std::make_unique<TBkGndPicture>();
    if (!LoadPictureFile(cp932Name, *picture)) {
      FreeBackground(bg);
      return true;
    }
    bg.BkGndPicture = std::move(picture);
    bg.BkGndBitmap.Reset();  // made for the previous picture
    bg.BkGndFile = cp932Name;
  } catch (...) {
    FreeBackground(bg);
  }
  return true;
}

void PrepareBackground(TBackground& bg, std::uint32_t color, const TBkGndOptions& options,
                       int frameWidth, int frameHeight) {
  if (!bg.HasPicture()) {
    FreeBackground(bg);
    return;
  }
  // A frame without area has nothing to show the picture in; keep the picture
  // for the next size.
  if (frameWidth <= 0 || frameHeight <= 0) {
    bg.BkGndBitmap.Reset();
    bg.BkGndRect = TBkGndRect();
    return;
  }
  try {
    const TBkGndPicture& pic = *bg.BkGndPicture;
    std::vector<std::uint8_t> temp(pic.Pixels);
    const std::uint32_t rgb = ColorToRgb(color);
    if (options.Flags & bf_BkGndImageBlend) BlendToColor(temp.data(), pic.Width, pic.Height, pic.Stride, rgb, options.BlendAlpha);
    const int mode = options.DrawMode >= 0 && options.DrawMode <= kBkGndModeTile ? options.DrawMode : 0;
    const TBkGndRect r = PlaceBackground(mode, frameWidth, frameHeight, pic.Width, pic.Height);
    TMemoryBitmap& out = bg.BkGndBitmap;
    if (r.w <= 0 || r.h <= 0 || static_cast<std::uint64_t>(r.w) * 4 * static_cast<std::uint64_t>(r.h) > kMaxPictureBytes ||
        !out.CreateDib32(r.w, r.h))
      throw std::bad_alloc();
    const size_t outStride = static_cast<size_t>(r.w) * 4;
    // Rows of 24-bit picture pixels into the 32-bit prepared bitmap.
    auto copyRow = [&](int srcY, int dstX, int dstY, int count) {
      const std::uint8_t* src = temp.data() + static_cast<size_t>(srcY) * pic.Stride;
      std::uint8_t* dst = reinterpret_cast<std::uint8_t*>(out.Bits()) + static_cast<size_t>(dstY) * outStride + static_cast<size_t>(dstX) * 4;
      for (int i = 0; i < count; ++i, src += 3, dst += 4) {
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
        dst[3] = 0;
      }
    };
    if (mode == kBkGndModeTile) {
      for (int ty = 0; ty < r.h; ty += pic.Height) {
        for (int tx = 0; tx < r.w; tx += pic.Width) {
          const int cw = std::min(pic.Width, r.w - tx);
          const int ch = std::min(pic.Height, r.h - ty);
          for (int y = 0; y < ch; ++y) copyRow(y, tx, ty + y, cw);
        }
      }
    } else if (r.w == pic.Width && r.h == pic.Height) {
      for (int y = 0; y < r.h; ++y) copyRow(y, 0, y, r.w);
    } else {
      const BITMAPINFO bi = TopDownDibInfo(pic.Width, pic.Height, 24);
      ::SetStretchBltMode(out.DC(), HALFTONE);
      ::SetBrushOrgEx(out.DC(), 0, 0, nullptr);
      if (::StretchDIBits(out.DC(), 0, 0, r.w, r.h, 0, 0, pic.Width, pic.Height, temp.data(), &bi,
                          DIB_RGB_COLORS, SRCCOPY) == 0)
        throw std::bad_alloc();
      ::GdiFlush();
    }
    bg.BkGndRect = r;
    bg.BkGndPrepared = {color, options.BlendAlpha, options.Flags, static_cast<std::uint8_t>(options.DrawMode)};
  } catch (...) {
    FreeBackground(bg);
  }
}

void PaintBackground(TBackground& bg, TCanvas& canvas, int frameWidth, int frameHeight,
                     std::uint32_t color, const TBkGndOptions& options, bool pileDrawn) {
  if (pileDrawn) return;
  if (bg.HasPicture() && (color != bg.BkGndPrepared.Color || !bg.BkGndBitmap))
    PrepareBackground(bg, color, options, frameWidth, frameHeight);
  const TBkGndRect& r = bg.BkGndRect;
  const bool covers = bg.BkGndBitmap && r.x <= 0 && r.y <= 0 && r.x + r.w >= frameWidth && r.y + r.h >= frameHeight;
  // A picture that covers the frame hides the fill: skip it.
  if (!covers) canvas.FillSolid({0, 0, frameWidth, frameHeight}, color);
  if (!bg.BkGndBitmap) return;
  ::BitBlt(canvas.Handle(), r.x, r.y, r.w, r.h, bg.BkGndBitmap.DC(), 0, 0, SRCCOPY);
}

}  // namespace lumeko
