// Dialog forms shown modally (see modal_form.h).
#include "ui/modal_form.h"

#include <commctrl.h>

#include <system_error>

#include "platform/wide.h"
#include "ui/ui_font.h"
#include "ui/ui_module.h"

namespace lumeko {

TModalForm::TModalForm(HWND owner, const std::string& caption, const std::string& face, int fontHeight)
    : owner_(owner && ::IsWindow(owner) ? owner : nullptr) {
  EnsureCommonControls();
  TFontChoice choice;
  choice.Name = face;
  choice.Height = fontHeight;
  font_ = CreateUiFont(choice);
  // An empty template: the controls are made in code.
  struct {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
  } tpl{};
  tpl.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
  tpl.dialog.dwExtendedStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME;
  const HWND wnd = ::CreateDialogIndirectParamW(UiModule(), &tpl.dialog, owner_, DialogProc,
                                                reinterpret_cast<LPARAM>(this));
  if (!wnd) throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(), "CreateDialogIndirectParam");
  if (wnd_.get() != wnd) wnd_.reset(wnd);
  ::SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  ::SetWindowTextW(wnd, ToWide(caption).c_str());
}

TModalForm::~TModalForm() {
  if (const HWND wnd = wnd_.get()) ::SetWindowLongPtrW(wnd, DWLP_USER, 0);
  wnd_.reset();
}

void TModalForm::SizeAndCentre(int clientWidth, int clientHeight) {
  const HWND wnd = Handle();
  if (!wnd) return;
  RECT frame{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongW(wnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongW(wnd, GWL_EXSTYLE)));
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  RECT around{};
  if (!owner_ || !::GetWindowRect(owner_, &around)) ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
  // Centred on the owner's rectangle, as the page has always been placed.
  const int left = around.left + ((around.right - around.left) - w) / 2;
  const int top = around.top + ((around.bottom - around.top) - h) / 2;
  ::SetWindowPos(wnd, nullptr, left, top, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TModalForm::ShowModal() {
  const HWND wnd = Handle();
  if (!wnd) return IDCANCEL;
  closed_ = false;
  modal_ = true;
  result_ = 0;
  const bool disabled = owner_ && ::IsWindowEnabled(owner_);
  if (disabled) ::EnableWindow(owner_, FALSE);
  ::ShowWindow(wnd, SW_SHOW);
  const HWND first = initialFocus_ && ::IsChild(wnd, initialFocus_) ? initialFocus_ : ::GetNextDlgTabItem(wnd, nullptr, FALSE);
  if (first) ::SendMessageW(wnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
  bool quit = false;
  WPARAM quitCode = 0;
  MSG msg;
  while (!closed_ && Handle()) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      quit = got == 0;
      quitCode = msg.wParam;
      break;
    }
    if (Handle() && ::IsDialogMessageW(Handle(), &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  modal_ = false;
  // The owner comes back before this window hides, so it takes the activation.
  if (disabled && ::IsWindow(owner_)) ::EnableWindow(owner_, TRUE);
  if (Handle()) ::ShowWindow(Handle(), SW_HIDE);
  if (quit) ::PostQuitMessage(static_cast<int>(quitCode));
  if (!closed_) result_ = IDCANCEL;
  return result_;
}

void TModalForm::Close(int result) {
  result_ = result;
  closed_ = true;
  if (!modal_ && Handle()) ::ShowWindow(Handle(), SW_HIDE);
}

bool TModalForm::Message(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

INT_PTR CALLBACK TModalForm::DialogProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TModalForm*>(::GetWindowLongPtrW(wnd, DWLP_USER));
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<TModalForm*>(lp);
    ::SetWindowLongPtrW(wnd, DWLP_USER, lp);
    self->wnd_.release();
    self->wnd_.reset(wnd);
    return FALSE;  // the focus is placed when the form is shown
  }
  if (!self) return FALSE;
  if (msg == WM_NCDESTROY) {
    // Gone with its owner: the object lives on without a window.
    ::SetWindowLongPtrW(wnd, DWLP_USER, 0);
    self->wnd_.release();
    self->closed_ = true;
    return FALSE;
  }
  if (msg == WM_GETFONT) {
    // The form keeps its font itself: not every dialog manager stores one
    // given to a dialog made without a font in its template.
    ::SetWindowLongPtrW(wnd, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(self->font_.get()));
    return TRUE;
  }
  try {
    LRESULT result = 0;
    if (self->Message(msg, wp, lp, result)) {
      ::SetWindowLongPtrW(wnd, DWLP_MSGRESULT, result);
      return TRUE;
    }
    if (msg == WM_CLOSE) {
      msg = WM_COMMAND;
      wp = MAKEWPARAM(IDCANCEL, BN_CLICKED);
    }
    if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) && HIWORD(wp) == BN_CLICKED) {
      if (self->CanClose(LOWORD(wp))) self->Close(LOWORD(wp));
      return TRUE;
    }
  } catch (...) {
    // A window procedure is a C boundary: the message counts as handled.
    return TRUE;
  }
  return FALSE;
}

HWND CreateChild(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style, int id, int x, int y,
                 int width, int height, DWORD exStyle) {
  const HWND wnd = ::CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width,
                                     height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), UiModule(),
                                     nullptr);
  if (!wnd) throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(), "CreateWindowEx");
  ::SendMessageW(wnd, WM_SETFONT, ::SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
  return wnd;
}

}  // namespace lumeko
