// The extended check box (see check_box_ex.h).
#include "ui/check_box_ex.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/wide.h"

namespace lumeko {

TCheckBoxEx::TCheckBoxEx(HWND parent, int left, int top, int width, int height, const std::string& caption)
    : TWindowControl(parent) {
  const RECT bounds{ClampCoordinate(left), ClampCoordinate(top), ClampCoordinate(left) + ClampExtent(width),
                    ClampCoordinate(top) + ClampExtent(height)};
  CreateStandard(WC_BUTTONW, WindowStyle(), 0, bounds, ToWide(caption), true);
}

DWORD TCheckBoxEx::WindowStyle() const {
  return WS_CHILD | WS_VISIBLE | WS_TABSTOP | (allowGrayed_ ? BS_AUTO3STATE : BS_AUTOCHECKBOX) |
         (style_ == cbsPushLike ? BS_PUSHLIKE : 0);
}

std::string TCheckBoxEx::Caption() const {
  if (!Handle()) return {};
  const int length = ::GetWindowTextLengthW(Handle());
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(Handle(), text.data(), length + 1)));
  return FromWide(text);
}

void TCheckBoxEx::SetCaption(const std::string& cp932) {
  if (Handle()) ::SetWindowTextW(Handle(), ToWide(cp932).c_str());
}

TCheckBoxState TCheckBoxEx::State() const {
  if (!Handle()) return cbUnchecked;
  switch (::SendMessageW(Handle(), BM_GETCHECK, 0, 0)) {
    case BST_CHECKED:
      return cbChecked;
    case BST_INDETERMINATE:
      return cbGrayed;
    default:
      return cbUnchecked;
  }
}

void TCheckBoxEx::SetState(TCheckBoxState state) {
  state = std::clamp(state, cbUnchecked, cbGrayed);
  if (state == cbGrayed && !allowGrayed_) state = cbUnchecked;
  if (!Handle() || state == State()) return;
  const WPARAM check = state == cbChecked ? BST_CHECKED : (state == cbGrayed ? BST_INDETERMINATE : BST_UNCHECKED);
  ::SendMessageW(Handle(), BM_SETCHECK, check, 0);
  if (OnClick) Raise([&] { OnClick(*this); });
}

void TCheckBoxEx::SetAllowGrayed(bool allow) {
  if (allow == allowGrayed_) return;
  allowGrayed_ = allow;
  if (!allow && State() == cbGrayed) SetState(cbUnchecked);
  if (Handle()) ::SendMessageW(Handle(), BM_SETSTYLE, WindowStyle() & 0xFFFF, TRUE);
}

void TCheckBoxEx::SetStyle(TCheckBoxStyle style) {
  style = std::clamp(style, cbsNormal, cbsPushLike);
  if (style == style_ || !Handle()) return;
  const TCheckBoxState state = State();
  style_ = style;
  RecreateStandard(WindowStyle(), 0);
  const WPARAM check = state == cbChecked ? BST_CHECKED : (state == cbGrayed ? BST_INDETERMINATE : BST_UNCHECKED);
  ::SendMessageW(Handle(), BM_SETCHECK, check, 0);  // the same state: no click
}

bool TCheckBoxEx::Reflected(UINT msg, WPARAM wp, LPARAM, LRESULT&) {
  if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED && OnClick) Raise([&] { OnClick(*this); });
  return false;
}

}  // namespace lumeko
