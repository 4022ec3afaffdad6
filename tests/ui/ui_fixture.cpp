// Test window, pump and snapshots (see ui_fixture.h).
#include "ui/ui_fixture.h"

namespace lumeko::test {

void Pump(int ms) {
  const DWORD until = ::GetTickCount() + static_cast<DWORD>(ms);
  MSG msg;
  for (;;) {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (static_cast<int>(until - ::GetTickCount()) <= 0) break;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

bool PumpUntil(int ms, const std::function<bool()>& done) {
  const DWORD until = ::GetTickCount() + static_cast<DWORD>(ms);
  while (!done() && static_cast<int>(until - ::GetTickCount()) > 0) Pump(5);
  return done();
}

void Snapshot(HWND wnd, test::TestFrame& frame) {
  RECT r{};
  ::GetClientRect(wnd, &r);
  frame.SetSize(r.right, r.bottom);
  ::SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(frame.Handle()), PRF_CLIENT | PRF_ERASEBKGND);
}

void Type(HWND wnd, const std::wstring& text) {
  for (wchar_t c : text) {
    ::PostMessageW(wnd, WM_CHAR, c, 1);
    Pump();
  }
}

void PostKey(HWND wnd, UINT vk, bool alt) {
  const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN, up = alt ? WM_SYSKEYUP : WM_KEYUP;
  const LPARAM context = alt ? (1 << 29) : 0;
  ::PostMessageW(wnd, down, vk, 1 | context);
  ::PostMessageW(wnd, up, vk, static_cast<LPARAM>(0xC0000001u) | context);
  Pump();
}

void Click(HWND wnd, POINT p) {
  ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  ::SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

namespace {

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

void UiTest::SetUp() {
  // A dialog, so that the dialog manager's keys (Tab, Alt+letters) work as
  // on the property page; made from an empty template in memory.
  struct {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
  } tpl{};
  tpl.dialog.style = WS_POPUP;
  tpl.dialog.cx = 320;
  tpl.dialog.cy = 240;
  window_.reset(::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), &tpl.dialog, nullptr, PlainDialog, 0));
  ASSERT_TRUE(window_);
  // Shown without activation: under Wine without a window manager, a window
  // activated as it is shown takes two seconds to destroy. It becomes
  // active as soon as a control takes the focus.
  ::SetWindowPos(window_.get(), nullptr, 100, 100, 480, 360, SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Pump();
}

void UiTest::TearDown() {
  window_.reset();
  Pump();
}

}  // namespace lumeko::test
