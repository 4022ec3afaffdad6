// Button picture and caption placement (see button_glyph.h).
#include "ui/button_glyph.h"

#include <algorithm>

#include "platform/dib_info.h"
#include "ui/ui_paint.h"

namespace lumeko {

TGlyphPlacement PlaceGlyphAndCaption(const RECT& area, SIZE glyph, SIZE caption, TButtonLayout layout, int margin,
                                     int spacing) {
  const int w = area.right - area.left, h = area.bottom - area.top;
  const bool across = layout == blGlyphLeft || layout == blGlyphRight;
  if (glyph.cx == 0 || caption.cx == 0) spacing = 0;
  const int room = across ? w : h;
  const int g = across ? glyph.cx : glyph.cy, c = across ? caption.cx : caption.cy;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (room - g - c) / 3;
      spacing = margin;
    } else {
      margin = (room - g - spacing - c + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (room - (margin + g) - c) / 2;
  }
  int gx = (w - glyph.cx + 1) / 2, gy = (h - glyph.cy + 1) / 2;
  int cx = (w - caption.cx + 1) / 2, cy = (h - caption.cy + 1) / 2;
  switch (layout) {
    case blGlyphLeft:
      gx = margin;
      cx = gx + glyph.cx + spacing;
      break;
    case blGlyphRight:
      gx = w - margin - glyph.cx;
      cx = gx - spacing - caption.cx;
      break;
    case blGlyphTop:
      gy = margin;
      cy = gy + glyph.cy + spacing;
      break;
    case blGlyphBottom:
      gy = h - margin - glyph.cy;
      cy = gy - spacing - caption.cy;
      break;
  }
  TGlyphPlacement p;
  p.Glyph = {area.left + gx, area.top + gy, area.left + gx + glyph.cx, area.top + gy + glyph.cy};
  p.Caption = {area.left + cx, area.top + cy, area.left + cx + caption.cx, area.top + cy + caption.cy};
  return p;
}

bool TButtonGlyph::Set(HBITMAP strip) {
  bitmap_.reset();
  width_ = height_ = 0;
  if (!strip) return true;
  BITMAP info{};
  if (!::GetObjectW(strip, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight == 0) return false;
  const int w = std::min<int>(info.bmWidth, kMaxGlyphStrip), h = std::min<int>(std::abs(info.bmHeight), kMaxGlyphStrip);
  UniqueHDC src(::CreateCompatibleDC(nullptr)), dst(::CreateCompatibleDC(nullptr));
  BITMAPINFO bi = TopDownDibInfo(w, h, 32);
  void* bits = nullptr;
  UniqueHBITMAP copy(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!src || !dst || !copy) return false;
  {
    SelectGuard a(src.get(), strip), b(dst.get(), copy.get());
    if (!::BitBlt(dst.get(), 0, 0, w, h, src.get(), 0, 0, SRCCOPY)) return false;
    transparent_ = ::GetPixel(dst.get(), 0, h - 1);
  }
  bitmap_ = std::move(copy);
  width_ = w;
  height_ = h;
  return true;
}

void TButtonGlyph::SetCount(int count) { count_ = std::clamp(count, 1, 4); }

SIZE TButtonGlyph::ImageSize() const noexcept {
  if (!bitmap_) return {0, 0};
  return {std::max(1, width_ / count_), height_};
}

void TButtonGlyph::Draw(HDC dc, POINT at, TButtonState state) const {
  if (!bitmap_) return;
  const SIZE size = ImageSize();
  int index = static_cast<int>(state);
  if (index >= count_) index = state == bsExclusive && count_ > 2 ? bsDown : (state == bsDisabled ? -1 : 0);
  UniqueHDC mem(::CreateCompatibleDC(dc));
  if (!mem) return;
  SelectGuard image(mem.get(), bitmap_.get());
  if (index >= 0) {
    ::GdiTransparentBlt(dc, at.x, at.y, size.cx, size.cy, mem.get(), index * size.cx, 0, size.cx, size.cy, transparent_);
    return;
  }
  // No disabled image: the up image's shape, embossed in highlight and shadow.
  UniqueHDC maskDc(::CreateCompatibleDC(dc));
  UniqueHBITMAP mask(::CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
  if (!maskDc || !mask) return;
  SelectGuard maskSel(maskDc.get(), mask.get());
  ::SetBkColor(mem.get(), transparent_);
  ::BitBlt(maskDc.get(), 0, 0, size.cx, size.cy, mem.get(), 0, 0, SRCCOPY);  // transparent → 1
  SavedDCState saved(dc);
  ::SetTextColor(dc, RGB(0, 0, 0));
  ::SetBkColor(dc, RGB(255, 255, 255));
  ::SelectObject(dc, ::GetStockObject(DC_BRUSH));
  constexpr DWORD kPatternWhereSourceIsBlack = 0x00B8074A;  // ((D ^ P) & S) ^ P
  ::SetDCBrushColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
  ::BitBlt(dc, at.x + 1, at.y + 1, size.cx, size.cy, maskDc.get(), 0, 0, kPatternWhereSourceIsBlack);
  ::SetDCBrushColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
  ::BitBlt(dc, at.x, at.y, size.cx, size.cy, maskDc.get(), 0, 0, kPatternWhereSourceIsBlack);
}

}  // namespace lumeko
