// Drawing helpers (see ui_paint.h).
#include "ui/ui_paint.h"

namespace lumeko {

namespace {
// COLOR_SCROLLBAR (0) to COLOR_MENUBAR (30).
constexpr std::uint32_t kLastSysColor = 30;
}  // namespace

std::uint32_t NormalizeColor(std::uint32_t color) noexcept {
  if ((color & 0xFF000000u) == kSysColorFlag && (color & 0x00FFFFFFu) <= kLastSysColor) return color;
  return color & 0x00FFFFFFu;
}

COLORREF ToRgb(std::uint32_t color) noexcept {
  color = NormalizeColor(color);
  if (color & kSysColorFlag) return ::GetSysColor(static_cast<int>(color & 0xFF));
  return color;
}

void FillSolidRect(HDC dc, const RECT& rect, COLORREF color) noexcept {
  // An opaque empty text fills without making a brush.
  const COLORREF old = ::SetBkColor(dc, color);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(dc, old);
}

TBufferedDC::TBufferedDC(HDC target, const RECT& area) noexcept : target_(target), area_(area) {
  const int w = area.right - area.left, h = area.bottom - area.top;
  if (w <= 0 || h <= 0) return;
  UniqueHDC memory(::CreateCompatibleDC(target));
  UniqueHBITMAP bitmap(::CreateCompatibleBitmap(target, w, h));
  if (!memory || !bitmap) return;
  oldBitmap_ = ::SelectObject(memory.get(), bitmap.get());
  ::SetWindowOrgEx(memory.get(), area.left, area.top, nullptr);
  memory_ = std::move(memory);
  bitmap_ = std::move(bitmap);
}

TBufferedDC::~TBufferedDC() {
  if (!memory_) return;
  ::SetWindowOrgEx(memory_.get(), 0, 0, nullptr);
  ::BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, memory_.get(), 0, 0,
           SRCCOPY);
  // The bitmap leaves the DC before either is deleted.
  ::SelectObject(memory_.get(), oldBitmap_);
}

void PaintParentBackground(HWND child, HDC dc) noexcept {
  HWND parent = ::GetParent(child);
  RECT client{};
  ::GetClientRect(child, &client);
  if (!parent) {
    FillSolidRect(dc, client, ::GetSysColor(COLOR_BTNFACE));
    return;
  }
  POINT origin{0, 0};
  ::MapWindowPoints(child, parent, &origin, 1);
  SavedDCState saved(dc);
  ::IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  ::OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
  if (!::SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0)) {
    RECT area{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    FillSolidRect(dc, area, ::GetSysColor(COLOR_BTNFACE));
  }
  ::SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

}  // namespace lumeko
