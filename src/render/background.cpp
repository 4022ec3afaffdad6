// Background picture loading, preparation and painting (see background.h).
#include "render/background.h"

#include "platform/file_io.h"
#include "platform/dib_info.h"
#include "render/canvas.h"
#include "render/picture_scale.h"

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
    // The picture and the prepared bitmap keep their memory for the next
    // file; the prepared bitmap shows nothing until it is prepared again.
    if (!bg.BkGndPicture) bg.BkGndPicture = std::make_unique<TBkGndPicture>();
    if (!LoadPictureFile(cp932Name, *bg.BkGndPicture)) {
      FreeBackground(bg);
      return true;
    }
    bg.BkGndRect = TBkGndRect();
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
  // Only the frame part the picture shows in is prepared, from only as much
  // of the picture as that part needs; the tint goes on as the pixels are drawn.
  auto prepare = [&]() -> bool {
    TBkGndPicture& pic = *bg.BkGndPicture;
    const int mode = options.DrawMode >= 0 && options.DrawMode <= kBkGndModeTile ? options.DrawMode : 0;
    const TBkGndRect placed = PlaceBackground(mode, frameWidth, frameHeight, pic.Width, pic.Height);
    const TBkGndRect shown = VisibleBackground(placed, frameWidth, frameHeight);
    if (!DecodePicture(pic, PlanPictureDecode(mode, frameWidth, frameHeight, pic.Width, pic.Height))) return false;
    // The bitmap in hand serves when it holds the shown part and is no
    // larger than the frame; the part is drawn at its top left.
    TMemoryBitmap& out = bg.BkGndBitmap;
    const bool fits = out && out.Width() >= shown.w && out.Height() >= shown.h && out.Width() <= frameWidth &&
                      out.Height() <= frameHeight;
    if (!fits && !out.CreateDib32(shown.w, shown.h)) return false;
    ::GdiFlush();  // GDI is done with the bits before they are written
    const TPictureView view{pic.Pixels.data(), pic.Stride, pic.Width, pic.Height, pic.Decoded};
    const TBkGndTint tint = MakeBkGndTint(ColorToRgb(color), options.BlendAlpha, options.Flags & bf_BkGndImageBlend);
    auto* bits = reinterpret_cast<std::uint8_t*>(out.Bits());
    if (!DrawPicturePart(view, mode, placed, shown, bits, static_cast<std::size_t>(out.Width()) * 4, &tint)) return false;
    bg.BkGndRect = shown;
    bg.BkGndPrepared = {color, options.BlendAlpha, options.Flags, static_cast<std::uint8_t>(options.DrawMode)};
    return true;
  };
  try {
    if (!prepare()) FreeBackground(bg);
  } catch (...) {
    FreeBackground(bg);
  }
}

void PaintBackground(TBackground& bg, TCanvas& canvas, int frameWidth, int frameHeight,
                     std::uint32_t color, const TBkGndOptions& options, bool pileDrawn) {
  if (pileDrawn) return;
  // An empty rectangle: the picture is not prepared since it was loaded.
  auto prepared = [&] { return bg.BkGndBitmap && bg.BkGndRect.w > 0; };
  if (bg.HasPicture() && (color != bg.BkGndPrepared.Color || !prepared()))
    PrepareBackground(bg, color, options, frameWidth, frameHeight);
  const TBkGndRect& r = bg.BkGndRect;
  const bool covers = prepared() && r.x <= 0 && r.y <= 0 && r.x + r.w >= frameWidth && r.y + r.h >= frameHeight;
  // A picture that covers the frame hides the fill: skip it.
  if (!covers) canvas.FillSolid({0, 0, frameWidth, frameHeight}, color);
  if (!prepared()) return;
  ::BitBlt(canvas.Handle(), r.x, r.y, r.w, r.h, bg.BkGndBitmap.DC(), 0, 0, SRCCOPY);
}

}  // namespace lumeko
