// The window-owning base of the controls (see window_control.h).
#include "ui/window_control.h"

#include <commctrl.h>

#include <system_error>

#include "platform/wide.h"
#include "ui/ui_module.h"

namespace lumeko {
namespace {

constexpr UINT_PTR kSubclassId = 0x4C4D4B;  // one subclass of ours per standard control
constexpr int kSelfSlot = 0;               // window extra bytes of our classes

[[noreturn]] void ThrowLastError(const char* what) {
  throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(), what);
}

}  // namespace

TWindowControl::TWindowControl(HWND parent) : parent_(parent) {
  if (parent) {
    if (HFONT pf = reinterpret_cast<HFONT>(::SendMessageW(parent, WM_GETFONT, 0, 0))) font_ = FontChoiceOf(pf, font_.Color);
  }
  hfont_ = CreateUiFont(font_);
}

TWindowControl::~TWindowControl() {
  life_.reset();
  Detach();
  hintTool_.reset();
  wnd_.reset();
}

void TWindowControl::CreateOwn(const wchar_t* className, UINT classStyle, DWORD style, DWORD exStyle,
                               const RECT& bounds, const std::wstring& text) {
  RegisterUiClass(className, OwnProc, classStyle);
  standard_ = false;
  reflect_ = false;
  const HWND wnd = ::CreateWindowExW(exStyle, className, text.c_str(), style, bounds.left, bounds.top,
                                     bounds.right - bounds.left, bounds.bottom - bounds.top, parent_, nullptr,
                                     UiModule(), this);
  if (!wnd) ThrowLastError("CreateWindowEx");
  AfterCreate(bounds);
}

void TWindowControl::CreateStandard(const wchar_t* className, DWORD style, DWORD exStyle, const RECT& bounds,
                                    const std::wstring& text, bool reflect) {
  EnsureCommonControls();
  standard_ = true;
  reflect_ = reflect;
  UniqueHWND wnd(::CreateWindowExW(exStyle, className, text.c_str(), style, bounds.left, bounds.top,
                                   bounds.right - bounds.left, bounds.bottom - bounds.top, parent_, nullptr,
                                   UiModule(), nullptr));
  if (!wnd) ThrowLastError("CreateWindowEx");
  if (!::SetWindowSubclass(wnd.get(), StandardProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    ThrowLastError("SetWindowSubclass");
  wnd_ = std::move(wnd);
  AfterCreate(bounds);
}

void TWindowControl::AfterCreate(const RECT&) {
  if (reflect_ && parent_)
    ::SetWindowSubclass(parent_, ParentProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
  ApplyFont();
  ApplyHint();
}

void TWindowControl::RecreateStandard(DWORD style, DWORD exStyle) {
  const HWND old = Handle();
  if (!old) return;
  wchar_t cls[64] = {};
  ::GetClassNameW(old, cls, 64);
  const int length = ::GetWindowTextLengthW(old);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(old, text.data(), length + 1)));
  const RECT bounds = Bounds();
  const HWND previous = ::GetWindow(old, GW_HWNDPREV);
  const bool hadFocus = Focused();
  const DWORD kept = static_cast<DWORD>(::GetWindowLongW(old, GWL_STYLE)) & (WS_VISIBLE | WS_DISABLED);
  style = (style & ~static_cast<DWORD>(WS_VISIBLE | WS_DISABLED)) | kept;
  Detach();
  wnd_.reset();
  CreateStandard(cls, style, exStyle, bounds, text, reflect_);
  ::SetWindowPos(Handle(), previous ? previous : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (hadFocus) ::SetFocus(Handle());
}

void TWindowControl::Detach() noexcept {
  const HWND wnd = wnd_.get();
  if (!wnd) return;
  if (reflect_ && parent_) ::RemoveWindowSubclass(parent_, ParentProc, reinterpret_cast<UINT_PTR>(this));
  if (standard_)
    ::RemoveWindowSubclass(wnd, StandardProc, kSubclassId);
  else
    ::SetWindowLongPtrW(wnd, kSelfSlot, 0);
  // The tooltip watches the window: it goes first.
  hintTool_.reset();
}

LRESULT TWindowControl::Dispatch(UINT msg, WPARAM wp, LPARAM lp) noexcept {
  try {
    return WindowProc(msg, wp, lp);
  } catch (...) {
    const HWND wnd = Handle();
    return standard_ ? ::DefSubclassProc(wnd, msg, wp, lp) : ::DefWindowProcW(wnd, msg, wp, lp);
  }
}

LRESULT CALLBACK TWindowControl::OwnProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TWindowControl*>(::GetWindowLongPtrW(wnd, kSelfSlot));
  if (!self && msg == WM_NCCREATE) {
    self = static_cast<TWindowControl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    if (self) {
      ::SetWindowLongPtrW(wnd, kSelfSlot, reinterpret_cast<LONG_PTR>(self));
      self->wnd_.release();
      self->wnd_.reset(wnd);
    }
  }
  if (!self) return ::DefWindowProcW(wnd, msg, wp, lp);
  const LRESULT result = self->Dispatch(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(wnd, kSelfSlot, 0);
    self->hintTool_.reset();
    self->wnd_.release();  // already gone
    self->WindowGone();
  }
  return result;
}

LRESULT CALLBACK TWindowControl::StandardProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<TWindowControl*>(data);
  if (msg != WM_NCDESTROY) return self->Dispatch(msg, wp, lp);
  ::RemoveWindowSubclass(wnd, StandardProc, kSubclassId);
  if (self->reflect_ && self->parent_)
    ::RemoveWindowSubclass(self->parent_, ParentProc, reinterpret_cast<UINT_PTR>(self));
  self->hintTool_.reset();
  self->wnd_.release();  // going now
  self->WindowGone();
  return ::DefSubclassProc(wnd, msg, wp, lp);
}

LRESULT CALLBACK TWindowControl::ParentProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data) {
  auto* self = reinterpret_cast<TWindowControl*>(data);
  HWND from = nullptr;
  switch (msg) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      from = reinterpret_cast<HWND>(lp);
      break;
    case WM_NOTIFY:
      from = lp ? reinterpret_cast<NMHDR*>(lp)->hwndFrom : nullptr;
      break;
    case WM_DRAWITEM:
      from = lp ? reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem : nullptr;
      break;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(wnd, ParentProc, id);
      break;
    default:
      break;
  }
  const HWND own = self->Handle();
  if (from && own && (from == own || ::IsChild(own, from))) {
    LRESULT result = 0;
    bool handled = false;
    try {
      handled = self->Reflected(msg, wp, lp, result);
    } catch (...) {
      handled = false;
    }
    if (handled) return result;
  }
  return ::DefSubclassProc(wnd, msg, wp, lp);
}

LRESULT TWindowControl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

LRESULT TWindowControl::Default(UINT msg, WPARAM wp, LPARAM lp) {
  const HWND wnd = Handle();
  if (!wnd) return 0;
  return standard_ ? ::DefSubclassProc(wnd, msg, wp, lp) : ::DefWindowProcW(wnd, msg, wp, lp);
}

bool TWindowControl::Reflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

RECT TWindowControl::Bounds() const {
  RECT r{};
  const HWND wnd = Handle();
  if (!wnd) return r;
  ::GetWindowRect(wnd, &r);
  if (::GetWindowLongW(wnd, GWL_STYLE) & WS_CHILD) ::MapWindowPoints(HWND_DESKTOP, ::GetParent(wnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void TWindowControl::SetBounds(int left, int top, int width, int height) {
  if (!Handle()) return;
  ::SetWindowPos(Handle(), nullptr, ClampCoordinate(left), ClampCoordinate(top), ClampExtent(width), ClampExtent(height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

int TWindowControl::Width() const {
  const RECT r = Bounds();
  return r.right - r.left;
}

int TWindowControl::Height() const {
  const RECT r = Bounds();
  return r.bottom - r.top;
}

bool TWindowControl::Enabled() const { return Handle() && ::IsWindowEnabled(Handle()); }

void TWindowControl::SetEnabled(bool enabled) {
  if (Handle()) ::EnableWindow(Handle(), enabled ? TRUE : FALSE);
}

bool TWindowControl::Visible() const {
  return Handle() && (::GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void TWindowControl::SetVisible(bool visible) {
  if (Handle()) ::ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
}

bool TWindowControl::Focused() const {
  const HWND focus = ::GetFocus();
  return Handle() && focus && (focus == Handle() || ::IsChild(Handle(), focus));
}

void TWindowControl::SetFocus() {
  if (Handle()) ::SetFocus(Handle());
}

void TWindowControl::SetHint(const std::string& cp932) {
  if (cp932 == hint_) return;
  hint_ = cp932;
  ApplyHint();
}

void TWindowControl::SetShowHint(bool show) {
  if (show == showHint_) return;
  showHint_ = show;
  ApplyHint();
}

void TWindowControl::ApplyHint() {
  if (!Handle()) return;
  if (!showHint_ || hint_.empty()) {
    hintTool_.reset();
    return;
  }
  if (!hintTool_) hintTool_ = std::make_unique<THintTool>(Handle());
  const std::wstring text = ToWide(hint_);
  for (HWND w : HintWindows()) hintTool_->SetText(w, text);
}

void TWindowControl::SetFont(const TFontChoice& font) {
  parentFont_ = false;
  const TFontChoice choice = Sanitized(font);
  const bool sameFace = choice.Name == font_.Name && choice.Height == font_.Height && choice.Style == font_.Style;
  font_ = choice;
  if (!sameFace) {
    UniqueHFONT made = CreateUiFont(font_);
    if (!made) return;  // keep the font that works
    const HWND wnd = Handle();
    if (wnd && standard_) ::SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(made.get()), TRUE);
    hfont_ = std::move(made);  // the old one is out of the window now
  }
  FontChanged();
  Invalidate();
}

void TWindowControl::SetParentFont(bool follow) {
  if (!follow) {
    parentFont_ = false;
    return;
  }
  HFONT pf = parent_ ? reinterpret_cast<HFONT>(::SendMessageW(parent_, WM_GETFONT, 0, 0)) : nullptr;
  SetFont(FontChoiceOf(pf, font_.Color));
  parentFont_ = true;
}

void TWindowControl::ApplyFont() {
  const HWND wnd = Handle();
  if (!wnd) return;
  if (standard_) ::SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(hfont_.get()), FALSE);
  FontChanged();
}

void TWindowControl::Invalidate() const {
  if (Handle()) ::InvalidateRect(Handle(), nullptr, TRUE);
}

}  // namespace lumeko
