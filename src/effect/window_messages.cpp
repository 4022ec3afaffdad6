// Mouse messages of the player's window in windowed mode.
//
// Ctrl + left button shows the loaded lyrics file's path in a small hint
// window while the button is held; the right button opens the colour-scheme
// menu when schemes are stored. Everything else, and the right button
// without schemes, is left to the player (S_FALSE), so its own menu shows.
// The hint's window class is registered while a hint is shown and
// unregistered with it, so no class outlives the module.
#include <algorithm>

#include "effect/viz_lumeko.h"
#include "platform/wide.h"

namespace lumeko {

namespace {

constexpr wchar_t kHintClass[] = L"LumekoHintWindow";
constexpr int kHintMaxWidth = 600;
constexpr int kHintMargin = 3;
// A path is one long word: broken like an edit control breaks it, never
// drawn wider than the hint.
constexpr UINT kHintFormat = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL;

HFONT HintFont() { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

void PaintHint(HWND wnd) {
  const int len = ::GetWindowTextLengthW(wnd);
  std::wstring text(static_cast<size_t>(len) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(wnd, text.data(), len + 1)));
  PaintDC dc(wnd);
  if (!dc) return;
  RECT r;
  ::GetClientRect(wnd, &r);
  ::FillRect(dc.get(), &r, ::GetSysColorBrush(COLOR_INFOBK));
  const SelectGuard font(dc.get(), HintFont());  // back out of the DC before EndPaint
  ::SetBkMode(dc.get(), TRANSPARENT);
  ::SetTextColor(dc.get(), ::GetSysColor(COLOR_INFOTEXT));
  ::InflateRect(&r, -kHintMargin, -kHintMargin);
  ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r, kHintFormat);
}

LRESULT CALLBACK HintProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return WindowCall(0, [&]() -> LRESULT {
    if (msg == WM_PAINT) {
      PaintHint(wnd);
      return 0;
    }
    if (msg == WM_NCHITTEST) return HTTRANSPARENT;
    return ::DefWindowProcW(wnd, msg, wParam, lParam);
  });
}

}  // namespace

void TVizLumeko::HideHint() noexcept {
  if (!HintWindow) return;
  HintWindow.reset();
  ::UnregisterClassW(kHintClass, ModuleHandle());
}

void TVizLumeko::ShowHint(LPARAM lParam) {
  POINT pt{static_cast<LONG>(LOWORD(lParam)), static_cast<LONG>(HIWORD(lParam))};
  ::ClientToScreen(Window, &pt);
  HintWindow.reset();

  WNDCLASSEXW wc{sizeof wc};
  wc.style = CS_SAVEBITS;
  wc.lpfnWndProc = HintProc;
  wc.hInstance = ModuleHandle();
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kHintClass;
  ::RegisterClassExW(&wc);  // fails harmlessly when a hint of ours already has it

  const std::wstring text = ToWide(Lyrics->FileName());
  // Size for the text, wrapped at the maximum width.
  RECT r{0, 0, kHintMaxWidth, 0};
  {
    WindowDC dc(Window);
    SelectGuard font(dc.get(), HintFont());
    ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r, kHintFormat | DT_CALCRECT);
  }
  const int w = std::min<int>(r.right - r.left, kHintMaxWidth) + 2 * kHintMargin + 2;
  const int h = r.bottom - r.top + 2 * kHintMargin + 2;
  HintWindow.reset(::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kHintClass, text.c_str(),
                                     WS_POPUP | WS_BORDER, pt.x, pt.y, w, h, Window, nullptr, ModuleHandle(),
                                     nullptr));
  if (HintWindow) ::ShowWindow(HintWindow.get(), SW_SHOWNOACTIVATE);
}

STDMETHODIMP TVizLumeko::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) noexcept {
  return ComCall(IID_IWMPEffects2, E_FAIL, [&]() -> HRESULT {
    switch (msg) {
      case WM_LBUTTONDOWN:
        if (Window && !Lyrics->FileName().empty() && (wParam & MK_CONTROL)) ShowHint(lParam);
        if (result) *result = 0;
        return S_OK;
      case WM_LBUTTONUP:
        HideHint();
        if (result) *result = 0;
        return S_OK;
      case WM_RBUTTONUP:
        // Without stored schemes the player keeps the click for its own menu.
        if (!ShowSchemeMenu(lParam)) return S_FALSE;
        if (result) *result = 0;
        return S_OK;
      default:
        return S_FALSE;
    }
  });
}

}  // namespace lumeko
