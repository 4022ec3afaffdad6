// The colour popup's window, input and hints (see color_popup.h); painting
// is in color_popup_paint.cpp.
#include "ui/color_popup.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/wide.h"
#include "ui/color_cells.h"

namespace lumeko {
namespace {

constexpr wchar_t kClassName[] = L"LumekoColorPopup";
constexpr UINT_PTR kHintTimer = 1;
constexpr UINT kCombHintMs = 5000;

// The font the items are measured and drawn with: the default GUI font,
// asked for Japanese glyphs.
TFontChoice PopupFont() { return FontChoiceOf(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), kClBtnText); }

SIZE Measure(HDC dc, const std::wstring& text) {
  RECT r{0, 0, 0, 0};
  if (text.empty()) return {0, 0};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  return {r.right - r.left, r.bottom - r.top};
}

// The key that, with Alt, stands for the caption's '&' letter; 0 when none.
UINT AcceleratorKey(const std::wstring& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != L'&') continue;
    if (text[i + 1] == L'&') {
      ++i;
      continue;
    }
    const SHORT scan = ::VkKeyScanW(text[i + 1]);
    return scan == -1 ? 0 : LOBYTE(scan);
  }
  return 0;
}

}  // namespace

TColorPopup::TColorPopup(HWND owner, TColorPopupHost& host) : TWindowControl(owner), host_(host) {
  SetFont(PopupFont());
  // Off screen and hidden until it is opened.
  CreateOwn(kClassName, CS_SAVEBITS, WS_POPUP | WS_CLIPSIBLINGS, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
            RECT{-32000, -32000, -31990, -31990}, L"");
  hint_ = std::make_unique<THintTool>(Handle());
}

TColorPopup::~TColorPopup() {
  hint_.reset();
}

void TColorPopup::Open(const RECT& anchor, const TColorPopupOptions& options, std::uint32_t selection) {
  if (!Handle()) return;
  options_ = options;
  options_.Spacing = std::clamp(options_.Spacing, 0, kMaxPopupSpacing);
  defaultText_ = ToWide(options_.DefaultText);
  customText_ = ToWide(options_.CustomText);
  anchor_ = anchor;
  selection_ = NormalizeColor(selection);
  selected_ = FindColorItem(selection_, options_.ShowSystemColors);
  hover_ = kNoItem;
  chosenZone_ = TPopupZone::None;
  chosenCell_ = -1;
  draggingIntensity_ = pressedInComb_ = false;
  Relayout();
  Place();
  open_ = true;
  ::SetCapture(Handle());
  Invalidate();
}

void TColorPopup::Close() {
  if (!open_) return;
  open_ = false;
  closing_ = true;
  if (::GetCapture() == Handle()) ::ReleaseCapture();
  closing_ = false;
  ::KillTimer(Handle(), kHintTimer);
  if (hint_) hint_->Untrack();
  hintText_.clear();
  ::ShowWindow(Handle(), SW_HIDE);
  hover_ = kNoItem;
  draggingIntensity_ = pressedInComb_ = false;
}

void TColorPopup::SetSelection(std::uint32_t color) {
  selection_ = NormalizeColor(color);
  const int item = FindColorItem(selection_, options_.ShowSystemColors);
  if (item == selected_) return;
  const bool combs = layout_.Combs;
  selected_ = item;
  Relayout();
  if (open_ && combs != layout_.Combs) Place();
  Invalidate();
}

void TColorPopup::Relayout() {
  TPopupLayoutInput in;
  in.Edge = ::GetSystemMetrics(SM_CXEDGE);
  in.Spacing = options_.Spacing;
  in.HasDefault = !defaultText_.empty();
  in.HasCustom = !customText_.empty();
  in.SystemColors = options_.ShowSystemColors;
  in.Combs = selected_ == kCustomItem;
  if (WindowDC dc{Handle()}) {
    SelectGuard font(dc.get(), FontHandle());
    in.DefaultText = Measure(dc.get(), defaultText_);
    in.CustomText = Measure(dc.get(), customText_);
  }
  layout_ = LayoutPopup(in);
}

void TColorPopup::Place() {
  const int w = layout_.Size.cx, h = layout_.Size.cy;
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  if (::GetMonitorInfoW(::MonitorFromRect(&anchor_, MONITOR_DEFAULTTONEAREST), &mi)) screen = mi.rcWork;
  int x = anchor_.left - 1, y = anchor_.bottom;
  if (y + h > screen.bottom) {
    y = screen.bottom - h;
    if (y < anchor_.top) y = anchor_.top - h;
  }
  if (y < screen.top) y = screen.top;
  if (x + w > screen.right) x = screen.right - w;
  if (x < screen.left) x = screen.left;
  ::SetWindowPos(Handle(), HWND_TOPMOST, x, y, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TColorPopup::SetHover(int item) {
  if (item == hover_) return;
  hover_ = item;
  Invalidate();
}

void TColorPopup::SelectCustom() {
  if (customText_.empty()) return;
  SetHover(kCustomItem);
  if (selected_ == kCustomItem) return;
  selected_ = kCustomItem;
  Relayout();
  Place();
  Invalidate();
}

bool TColorPopup::ChooseCombCell(POINT p) {
  int cell = -1;
  TPopupZone zone = TPopupZone::None;
  if (layout_.Combs && ::PtInRect(&layout_.Comb, p)) {
    cell = comb_.CombCellAt(p.x - layout_.Comb.left, p.y - layout_.Comb.top);
    zone = TPopupZone::Comb;
  } else if (layout_.Combs && ::PtInRect(&layout_.Grey, p)) {
    cell = comb_.GreyCellAt(p.x - layout_.Grey.left, p.y - layout_.Grey.top);
    zone = TPopupZone::Grey;
  }
  if (cell < 0) return false;
  chosenZone_ = zone;
  chosenCell_ = cell;
  chosenColor_ = (zone == TPopupZone::Comb ? comb_.Cells() : comb_.Greys())[cell].Color;
  Invalidate();
  return true;
}

void TColorPopup::SetIntensityAt(int y) {
  const RECT& bar = layout_.Intensity;
  const int span = bar.bottom - 1 - bar.top;
  comb_.SetIntensity(span > 0 ? 1.0 - static_cast<double>(y - bar.top) / span : 1.0);
  if (chosenZone_ == TPopupZone::Comb) chosenColor_ = comb_.Cells()[chosenCell_].Color;
  Invalidate();
}

void TColorPopup::MouseMove(POINT p, WPARAM keys) {
  if (draggingIntensity_) {
    SetIntensityAt(p.y);
    ShowHintAt(p);
    return;
  }
  if (pressedInComb_ && (keys & MK_LBUTTON)) ChooseCombCell(p);
  const TPopupHit hit = HitTestPopup(layout_, p);
  SetHover(hit.Zone == TPopupZone::Item ? hit.Item : kNoItem);
  ShowHintAt(p);
}

void TColorPopup::ButtonDown(POINT p) {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  if (!::PtInRect(&client, p)) {
    Cancel(false);
    return;
  }
  const TPopupHit hit = HitTestPopup(layout_, p);
  if (hit.Zone == TPopupZone::Intensity) {
    draggingIntensity_ = true;
    SetIntensityAt(p.y);
    ShowHintAt(p);
  } else if (hit.Zone == TPopupZone::Comb || hit.Zone == TPopupZone::Grey) {
    pressedInComb_ = ChooseCombCell(p);
  }
}

void TColorPopup::ButtonUp(POINT p) {
  if (draggingIntensity_) {
    draggingIntensity_ = false;
    return;
  }
  if (pressedInComb_) {
    pressedInComb_ = false;
    if (ChooseCombCell(p)) Accept(kCustomItem);
    return;
  }
  const TPopupHit hit = HitTestPopup(layout_, p);
  if (hit.Zone != TPopupZone::Item) return;  // e.g. the release of the press that opened us
  if (hit.Item == kCustomItem)
    SelectCustom();
  else
    Accept(hit.Item);
}

void TColorPopup::Key(UINT vk) {
  if (!open_) return;
  const bool hasDefault = !defaultText_.empty(), hasCustom = !customText_.empty();
  const int from = hover_ != kNoItem ? hover_ : selected_;
  switch (vk) {
    case VK_LEFT:
      SetHover(NextPopupItem(from, TNavKey::Left, hasDefault, hasCustom, options_.ShowSystemColors));
      break;
    case VK_RIGHT:
      SetHover(NextPopupItem(from, TNavKey::Right, hasDefault, hasCustom, options_.ShowSystemColors));
      break;
    case VK_UP:
      SetHover(NextPopupItem(from, TNavKey::Up, hasDefault, hasCustom, options_.ShowSystemColors));
      break;
    case VK_DOWN:
      SetHover(NextPopupItem(from, TNavKey::Down, hasDefault, hasCustom, options_.ShowSystemColors));
      break;
    case VK_RETURN:
    case VK_SPACE:
      if (hover_ != kNoItem)
        Accept(hover_);
      else if (hasDefault)
        Accept(kDefaultItem);
      else
        Cancel(false);
      break;
    case VK_ESCAPE:
      Cancel(false);
      break;
    default:
      break;
  }
}

bool TColorPopup::AltKey(UINT vk) {
  if (!open_ || vk == 0) return false;
  if (!defaultText_.empty() && AcceleratorKey(defaultText_) == vk) {
    Accept(kDefaultItem);
    return true;
  }
  if (!customText_.empty() && AcceleratorKey(customText_) == vk) {
    SelectCustom();
    return true;
  }
  return false;
}

void TColorPopup::Accept(int item) {
  if (!open_) return;
  bool hasColor = false;
  std::uint32_t color = 0;
  if (item >= 0) {
    hasColor = true;
    color = ItemColor(item);
  } else if (item == kCustomItem && chosenZone_ != TPopupZone::None) {
    hasColor = true;
    color = chosenColor_;
  }
  host_.PopupAccepted(item, hasColor, color);
}

void TColorPopup::Cancel(bool forced) {
  if (open_) host_.PopupCancelled(forced);
}

void TColorPopup::ShowHintAt(POINT p) {
  if (!hint_ || !options_.ShowHints) return;
  std::wstring text;
  POINT at = p;
  UINT hideAfter = kHintHidePauseMs;
  const TPopupHit hit = HitTestPopup(layout_, p);
  char buf[64];
  switch (hit.Zone) {
    case TPopupZone::Item:
      text = hit.Item >= 0 ? Utf8ToWide(ItemName(hit.Item)) : ToWide(host_.PopupHint(hit.Item));
      at.y += 20;
      break;
    case TPopupZone::Intensity:
      std::snprintf(buf, sizeof buf, "Intensity: %d%%", static_cast<int>(std::lround(comb_.Intensity() * 100)));
      text = Utf8ToWide(buf);
      at.x = layout_.Intensity.right + 4;
      hideAfter = kCombHintMs;
      break;
    case TPopupZone::Comb:
    case TPopupZone::Grey: {
      const int cell = hit.Zone == TPopupZone::Comb ? comb_.CombCellAt(p.x - layout_.Comb.left, p.y - layout_.Comb.top)
                                                    : comb_.GreyCellAt(p.x - layout_.Grey.left, p.y - layout_.Grey.top);
      if (cell >= 0) {
        const std::uint32_t c = (hit.Zone == TPopupZone::Comb ? comb_.Cells() : comb_.Greys())[cell].Color;
        std::snprintf(buf, sizeof buf, "red: %d, green: %d, blue: %d", static_cast<int>(c & 0xFF),
                      static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
        text = Utf8ToWide(buf);
      } else {
        text = ToWide(host_.PopupHint(kNoItem));
      }
      at.y += 20;
      hideAfter = kCombHintMs;
      break;
    }
    case TPopupZone::CombArea:
      text = ToWide(host_.PopupHint(kNoItem));
      at.y += 20;
      hideAfter = kCombHintMs;
      break;
    case TPopupZone::None:
      break;
  }
  if (text.empty()) {
    hint_->Untrack();
    hintText_.clear();
    ::KillTimer(Handle(), kHintTimer);
    return;
  }
  ::ClientToScreen(Handle(), &at);
  // A new text restarts the hide pause; the same text only follows the point.
  if (text != hintText_ || !hint_->Tracking()) ::SetTimer(Handle(), kHintTimer, hideAfter, nullptr);
  hintText_ = text;
  hint_->Track(text, at);
}

LRESULT TColorPopup::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(Handle(), &ps);
      if (dc) Paint(dc);
      ::EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
      MouseMove({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, wp);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      ButtonDown({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      RECT client{};
      ::GetClientRect(Handle(), &client);
      if (!::PtInRect(&client, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)})) Cancel(false);
      return 0;
    }
    case WM_LBUTTONUP:
      ButtonUp({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
    case WM_KEYDOWN:
      Key(static_cast<UINT>(wp));
      return 0;
    case WM_CAPTURECHANGED:
      if (open_ && !closing_ && reinterpret_cast<HWND>(lp) != Handle()) Cancel(true);
      return 0;
    case WM_CANCELMODE:
      Cancel(true);
      return 0;
    case WM_TIMER:
      if (wp == kHintTimer) {
        ::KillTimer(Handle(), kHintTimer);
        if (hint_) hint_->Untrack();
        hintText_.clear();
        return 0;
      }
      break;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace lumeko
