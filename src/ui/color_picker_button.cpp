// The colour picker button's state and input (see color_picker_button.h);
// painting is in color_picker_paint.cpp.
#include "ui/color_picker_button.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/wide.h"
#include "ui/color_cells.h"

namespace lumeko {
namespace {

constexpr wchar_t kClassName[] = L"LumekoColorPickerButton";
// Sent to the other buttons of a group when one goes down.
constexpr UINT kGroupDown = WM_USER + 1;
constexpr int kMaxDropDownWidth = 1024;

}  // namespace

TColorPickerButton::TColorPickerButton(HWND parent, int left, int top, int width, int height)
    : TWindowControl(parent), color_(kClBtnFace) {
  const RECT bounds{ClampCoordinate(left), ClampCoordinate(top), ClampCoordinate(left) + ClampExtent(width),
                    ClampCoordinate(top) + ClampExtent(height)};
  CreateOwn(kClassName, CS_DBLCLKS, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, bounds, L"");
}

TColorPickerButton::~TColorPickerButton() { popup_.reset(); }

void TColorPickerButton::WindowGone() { popup_.reset(); }

void TColorPickerButton::SetSelectionColor(std::uint32_t color) {
  color = NormalizeColor(color);
  if (color == selection_) return;
  selection_ = color;
  if (popup_ && dropped_) popup_->SetSelection(color);
  Invalidate();
  if (OnChanged) Raise([&] { OnChanged(*this); });
}

void TColorPickerButton::SetCaption(const std::string& cp932) {
  caption_ = cp932;
  if (Handle()) ::SetWindowTextW(Handle(), ToWide(cp932).c_str());
  Invalidate();
}

void TColorPickerButton::SetPopupSpacing(int spacing) { popupSpacing_ = std::clamp(spacing, 0, kMaxPopupSpacing); }

void TColorPickerButton::SetDown(bool down) {
  if (groupIndex_ == 0) down = false;
  if (down == down_) return;
  if (down_ && !allowAllUp_) return;  // a group keeps one button down
  down_ = down;
  Invalidate();
  if (!down || !Handle()) return;
  for (HWND sibling = ::GetWindow(Handle(), GW_HWNDFIRST); sibling; sibling = ::GetWindow(sibling, GW_HWNDNEXT))
    if (sibling != Handle()) ::SendMessageW(sibling, kGroupDown, static_cast<WPARAM>(groupIndex_), reinterpret_cast<LPARAM>(Handle()));
}

void TColorPickerButton::SetGroupIndex(int index) {
  groupIndex_ = index;
  if (index == 0 && down_) {
    down_ = false;
    Invalidate();
  }
}

void TColorPickerButton::SetDropDownArrowColor(std::uint32_t color) {
  arrowColor_ = NormalizeColor(color);
  Invalidate();
}

void TColorPickerButton::SetDropDownWidth(int width) {
  dropDownWidth_ = std::clamp(width, 0, kMaxDropDownWidth);
  Invalidate();
}

void TColorPickerButton::SetFlat(bool flat) {
  flat_ = flat;
  Invalidate();
}

void TColorPickerButton::SetGlyph(HBITMAP strip) {
  glyph_.Set(strip);
  Invalidate();
}

void TColorPickerButton::SetNumGlyphs(int count) {
  glyph_.SetCount(count);
  Invalidate();
}

void TColorPickerButton::SetIndicatorBorder(TIndicatorBorder border) {
  indicatorBorder_ = std::clamp(border, ibNone, ibRaised);
  Invalidate();
}

void TColorPickerButton::SetLayout(TButtonLayout layout) {
  layout_ = std::clamp(layout, blGlyphLeft, blGlyphBottom);
  Invalidate();
}

void TColorPickerButton::SetMargin(int margin) {
  margin_ = std::clamp(margin, -1, kMaxExtent);
  Invalidate();
}

void TColorPickerButton::SetSpacing(int spacing) {
  spacing_ = std::clamp(spacing, -1, kMaxExtent);
  Invalidate();
}

void TColorPickerButton::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

void TColorPickerButton::SetColor(std::uint32_t color) {
  color_ = NormalizeColor(color);
  Invalidate();
}

bool TColorPickerButton::TabStop() const { return Handle() && (::GetWindowLongW(Handle(), GWL_STYLE) & WS_TABSTOP); }

void TColorPickerButton::SetTabStop(bool stop) {
  if (!Handle()) return;
  const LONG style = ::GetWindowLongW(Handle(), GWL_STYLE);
  ::SetWindowLongW(Handle(), GWL_STYLE, stop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
}

RECT TColorPickerButton::DropPart() const {
  RECT client{};
  if (Handle()) ::GetClientRect(Handle(), &client);
  client.left = std::max(client.left, client.right - dropDownWidth_);
  return client;
}

void TColorPickerButton::ChangeDrop(bool dropped, bool forced) {
  if (dropped == dropped_) return;
  if (dropped && (!Handle() || !::IsWindowEnabled(Handle()) || !::IsWindowVisible(Handle()))) return;
  std::weak_ptr<char> life = Life();
  if (!forced && OnDropChanging) {
    bool allowed = true;
    Raise([&] { OnDropChanging(*this, allowed); });
    if (!Alive(life) || !allowed || dropped == dropped_) return;
  }
  if (dropped) {
    if (::GetFocus() != Handle()) ::SetFocus(Handle());
    if (!Alive(life)) return;
    const HWND owner = ::GetAncestor(Handle(), GA_ROOT);
    if (!popup_ || !popup_->Handle() || ::GetWindow(popup_->Handle(), GW_OWNER) != owner)
      popup_ = std::make_unique<TColorPopup>(owner, static_cast<TColorPopupHost&>(*this));
    RECT anchor{};
    ::GetWindowRect(Handle(), &anchor);
    TColorPopupOptions options;
    options.DefaultText = defaultText_;
    options.CustomText = customText_;
    options.ShowSystemColors = showSystemColors_;
    options.Spacing = popupSpacing_;
    options.ShowHints = ShowHint();
    dropped_ = true;  // before opening: taking the capture may already report back
    popup_->Open(anchor, options, selection_);
    if (!popup_->IsOpen()) dropped_ = false;
  } else {
    dropped_ = false;
    if (popup_) popup_->Close();
  }
  Invalidate();
  if (OnDropChanged) Raise([&] { OnDropChanged(*this); });
}

void TColorPickerButton::PopupAccepted(int item, bool hasColor, std::uint32_t color) {
  std::weak_ptr<char> life = Life();
  if (item == kDefaultItem) {
    if (OnDefaultSelect) Raise([&] { OnDefaultSelect(*this); });
  } else if (hasColor) {
    SetSelectionColor(color);
  }
  if (Alive(life)) ChangeDrop(false, false);
}

void TColorPickerButton::PopupCancelled(bool forced) { ChangeDrop(false, forced); }

std::string TColorPickerButton::PopupHint(int cell) {
  std::string hint;
  if (OnHint) Raise([&] { OnHint(*this, cell, hint); });
  if (hint.empty() && cell != kNoItem) hint = Hint();
  return hint;
}

void TColorPickerButton::Click() {
  std::weak_ptr<char> life = Life();
  if (groupIndex_ != 0) SetDown(!down_);
  if (Alive(life) && OnClick) Raise([&] { OnClick(*this); });
}

void TColorPickerButton::MouseDown(TMouseButton button, WPARAM keys, POINT p, bool doubleClick) {
  std::weak_ptr<char> life = Life();
  if (button == mbLeft) {
    if (::GetFocus() != Handle()) ::SetFocus(Handle());
    if (!Alive(life)) return;
    const RECT drop = DropPart();
    if (::PtInRect(&drop, p) && drop.right > drop.left) {
      if (!dropped_) ChangeDrop(true, false);
    } else if (doubleClick) {
      if (OnDblClick) Raise([&] { OnDblClick(*this); });
    } else {
      pressed_ = pressedInside_ = true;
      ::SetCapture(Handle());
      Invalidate();
    }
  }
  if (Alive(life) && OnMouseDown) Raise([&] { OnMouseDown(*this, button, static_cast<UINT>(keys), p.x, p.y); });
}

void TColorPickerButton::MouseUp(TMouseButton button, WPARAM keys, POINT p) {
  std::weak_ptr<char> life = Life();
  if (button == mbLeft && pressed_) {
    const bool inside = pressedInside_;
    pressed_ = pressedInside_ = false;
    if (::GetCapture() == Handle()) ::ReleaseCapture();
    Invalidate();
    if (inside) Click();
  }
  if (Alive(life) && OnMouseUp) Raise([&] { OnMouseUp(*this, button, static_cast<UINT>(keys), p.x, p.y); });
}

LRESULT TColorPickerButton::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = ::BeginPaint(Handle(), &ps)) Paint(dc);
      ::EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MouseDown(mbLeft, wp, p, msg == WM_LBUTTONDBLCLK);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      MouseDown(msg == WM_RBUTTONDOWN ? mbRight : mbMiddle, wp, p, false);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      MouseUp(msg == WM_LBUTTONUP ? mbLeft : (msg == WM_RBUTTONUP ? mbRight : mbMiddle), wp, p);
      return 0;
    case WM_MOUSEMOVE: {
      if (!hot_) {
        hot_ = true;
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Handle(), 0};
        ::TrackMouseEvent(&tme);
        Invalidate();
      }
      if (pressed_) {
        RECT client{};
        ::GetClientRect(Handle(), &client);
        const bool inside = ::PtInRect(&client, p) != FALSE;
        if (inside != pressedInside_) {
          pressedInside_ = inside;
          Invalidate();
        }
      }
      if (OnMouseMove) Raise([&] { OnMouseMove(*this, static_cast<UINT>(wp), p.x, p.y); });
      return 0;
    }
    case WM_MOUSELEAVE:
      hot_ = false;
      Invalidate();
      return 0;
    case WM_CAPTURECHANGED:
      if (pressed_ && reinterpret_cast<HWND>(lp) != Handle()) {
        pressed_ = pressedInside_ = false;
        Invalidate();
      }
      return 0;
    case WM_KEYDOWN:
      if (dropped_ && popup_) {
        popup_->Key(static_cast<UINT>(wp));
        return 0;
      }
      if (wp == VK_RETURN) {
        ChangeDrop(true, false);
        return 0;
      }
      if (wp == VK_SPACE && !(lp & (1 << 30))) {
        spacePressed_ = true;
        Invalidate();
        return 0;
      }
      break;
    case WM_KEYUP:
      if (wp == VK_SPACE && spacePressed_) {
        spacePressed_ = false;
        Invalidate();
        Click();
        return 0;
      }
      break;
    case WM_SYSKEYDOWN:
      if (dropped_ && popup_ && popup_->AltKey(static_cast<UINT>(wp))) {
        swallowSysChar_ = true;
        return 0;
      }
      break;
    case WM_SYSCHAR:
      if (swallowSysChar_) {
        swallowSysChar_ = false;
        return 0;
      }
      break;
    case WM_CHAR:
      return 0;  // keys act on WM_KEYDOWN; no beep for Enter or Space
    case WM_GETDLGCODE: {
      if (dropped_) return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_BUTTON;
      const MSG* m = reinterpret_cast<const MSG*>(lp);
      if (m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN) return DLGC_WANTMESSAGE | DLGC_BUTTON;
      return DLGC_BUTTON;
    }
    case BM_CLICK:
      Click();
      return 0;
    case WM_SETFOCUS:
      Invalidate();
      break;
    case WM_KILLFOCUS:
      spacePressed_ = false;
      Invalidate();
      if (dropped_ && reinterpret_cast<HWND>(wp) != (popup_ ? popup_->Handle() : nullptr)) ChangeDrop(false, true);
      break;
    case WM_ENABLE:
      if (!wp) {
        pressed_ = spacePressed_ = false;
        ChangeDrop(false, true);
      }
      Invalidate();
      break;
    case WM_SHOWWINDOW:
      if (!wp) ChangeDrop(false, true);
      break;
    case WM_CANCELMODE:
      ChangeDrop(false, true);
      break;
    case WM_DESTROY:
      ChangeDrop(false, true);
      popup_.reset();
      break;
    case WM_SETTEXT:
      Invalidate();
      break;
    case WM_SIZE:
      Invalidate();
      break;
    case kGroupDown:
      if (groupIndex_ != 0 && static_cast<int>(wp) == groupIndex_ && down_ && reinterpret_cast<HWND>(lp) != Handle()) {
        down_ = false;
        Invalidate();
      }
      return 0;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace lumeko
