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

void Snapshot(HWND wnd, TDibFrame& frame) {
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
constexpr wchar_t kTestWindowClass[] = L"LumekoUiTestWindow";
}  // namespace

void UiTest::SetUp() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kTestWindowClass;
    return ::RegisterClassExW(&wc) != 0;
  }();
  ASSERT_TRUE(registered);
  window_.reset(::CreateWindowExW(0, kTestWindowClass, L"ui test", WS_POPUP, 100, 100, 480, 360, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr));
  ASSERT_TRUE(window_);
  // Shown without activation: under Wine without a window manager, a window
  // activated as it is shown takes two seconds to destroy. It becomes
  // active as soon as a control takes the focus.
  ::SetWindowPos(window_.get(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Pump();
}

void UiTest::TearDown() {
  window_.reset();
  Pump();
}

}  // namespace lumeko::test
