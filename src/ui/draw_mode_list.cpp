// The draw-mode diagrams and items (see draw_mode_list.h).
#include "ui/draw_mode_list.h"

#include <string>

#include "platform/dib_info.h"
#include "ui/ui_paint.h"

namespace lumeko {
namespace {

constexpr int kPhotoWidth = 20, kPhotoHeight = 15;  // the picture at its own size

// A landscape: sky, a sun and a hill, in any rectangle.
void DrawPhoto(HDC dc, const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  FillSolidRect(dc, r, RGB(120, 180, 235));
  const RECT ground{r.left, r.top + h * 2 / 3, r.right, r.bottom};
  FillSolidRect(dc, ground, RGB(70, 150, 60));
  UniqueHBRUSH sun(::CreateSolidBrush(RGB(250, 210, 40)));
  UniqueHPEN none(::CreatePen(PS_NULL, 0, 0));
  {
    SelectGuard b(dc, sun.get());
    SelectGuard p(dc, none.get());
    const int d = std::max(3, h / 3);
    ::Ellipse(dc, r.right - w / 4 - d / 2, r.top + h / 6, r.right - w / 4 + d / 2 + 1, r.top + h / 6 + d + 1);
  }
  UniqueHBRUSH frame(::CreateSolidBrush(RGB(60, 60, 60)));
  ::FrameRect(dc, &r, frame.get());
}

RECT Sized(int left, int top, int w, int h) { return {left, top, left + w, top + h}; }

void DrawDiagram(HDC dc, int mode, int x0) {
  const RECT outer{x0, 0, x0 + kDrawModePictureWidth, kDrawModePictureHeight};
  FillSolidRect(dc, outer, RGB(40, 40, 48));
  const RECT screen{x0 + 2, 2, x0 + kDrawModePictureWidth - 2, kDrawModePictureHeight - 2};
  FillSolidRect(dc, screen, RGB(16, 16, 24));
  const int sw = screen.right - screen.left, sh = screen.bottom - screen.top;
  SavedDCState state(dc);
  ::IntersectClipRect(dc, screen.left, screen.top, screen.right, screen.bottom);
  switch (mode) {
    case 0: {  // whole picture, proportions kept
      const int w = sh * 4 / 3;
      DrawPhoto(dc, Sized(screen.left + (sw - w) / 2, screen.top, w, sh));
      break;
    }
    case 1: DrawPhoto(dc, screen); break;  // stretched over everything
    case 2: {  // proportions kept, no margin: cut above and below
      const int h = sw * 3 / 4;
      DrawPhoto(dc, Sized(screen.left, screen.top + (sh - h) / 2, sw, h));
      break;
    }
    case 3: DrawPhoto(dc, Sized(screen.left + (sw - kPhotoWidth) / 2, screen.top + (sh - kPhotoHeight) / 2, kPhotoWidth, kPhotoHeight)); break;
    case 4: DrawPhoto(dc, Sized(screen.left, screen.top, kPhotoWidth, kPhotoHeight)); break;
    case 5: DrawPhoto(dc, Sized(screen.right - kPhotoWidth, screen.top, kPhotoWidth, kPhotoHeight)); break;
    case 6: DrawPhoto(dc, Sized(screen.left, screen.bottom - kPhotoHeight, kPhotoWidth, kPhotoHeight)); break;
    case 7: DrawPhoto(dc, Sized(screen.right - kPhotoWidth, screen.bottom - kPhotoHeight, kPhotoWidth, kPhotoHeight)); break;
    default:  // tiled from the top left
      for (int y = screen.top; y < screen.bottom; y += kPhotoHeight)
        for (int x = screen.left; x < screen.right; x += kPhotoWidth) DrawPhoto(dc, Sized(x, y, kPhotoWidth, kPhotoHeight));
      break;
  }
}

}  // namespace

UniqueHBITMAP MakeDrawModePictures() {
  const int width = kDrawModePictureWidth * kDrawModeCount;
  UniqueHDC dc(::CreateCompatibleDC(nullptr));
  const BITMAPINFO bi = TopDownDibInfo(width, kDrawModePictureHeight, 32);
  void* bits = nullptr;
  UniqueHBITMAP strip(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc || !strip) return {};
  {
    SelectGuard select(dc.get(), strip.get());
    for (int mode = 0; mode < kDrawModeCount; ++mode) DrawDiagram(dc.get(), mode, mode * kDrawModePictureWidth);
    ::GdiFlush();
  }
  return strip;
}

void DrawDrawModeItem(const DRAWITEMSTRUCT& item, HBITMAP pictures) noexcept {
  const HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillSolidRect(dc, item.rcItem, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID == static_cast<UINT>(-1)) return;
  const int length = static_cast<int>(::SendMessageW(item.hwndItem, CB_GETLBTEXTLEN, item.itemID, 0));
  std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
  if (length > 0) ::SendMessageW(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length > 0 ? length : 0));
  RECT textRect = item.rcItem;
  textRect.left += 4;
  // The closed list's field has no room for the picture.
  const bool field = (item.itemState & ODS_COMBOBOXEDIT) != 0;
  if (!field && pictures && item.itemID < static_cast<UINT>(kDrawModeCount)) {
    UniqueHDC source(::CreateCompatibleDC(dc));
    if (source) {
      SelectGuard select(source.get(), pictures);
      const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - kDrawModePictureHeight) / 2;
      ::BitBlt(dc, item.rcItem.left + 2, top, kDrawModePictureWidth, kDrawModePictureHeight, source.get(),
               static_cast<int>(item.itemID) * kDrawModePictureWidth, 0, SRCCOPY);
    }
    textRect.left = item.rcItem.left + kDrawModePictureWidth + 8;
  }
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &item.rcItem);
}

}  // namespace lumeko
