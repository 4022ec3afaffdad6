// The property page's controls under load.
//
// (a) Completion with 100 000 items: time a keystroke takes, through the
//     rules alone and through the real combo box (the edit's WM_CHAR, the
//     completion, the new text), for the worst prefixes: one every item
//     shares (atMultiple walks them all), one near the end, one that
//     matches nothing. The target is under 10 ms a keystroke.
// (b) Each control created and destroyed 10 000 times (the popup opened
//     every time for a tenth of the colour pickers' rounds): GDI and USER
//     object counts before and after, and the time a round takes.
// Run on demand under Wine: scripts/wine-run build/mingw/bench/bench_controls_win.exe [rounds]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "ui/check_box_ex.h"
#include "ui/color_picker_button.h"
#include "ui/complement_combo_box.h"
#include "ui/effect_label.h"
#include "ui/gui_objects.h"

using namespace lumeko;

namespace {

double Now() {
  static LARGE_INTEGER f = [] { LARGE_INTEGER x; ::QueryPerformanceFrequency(&x); return x; }();
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

std::vector<std::string> Songs(int n) {
  std::vector<std::string> items;
  items.reserve(n);
  char name[32];
  for (int i = 0; i < n; ++i) {
    std::snprintf(name, sizeof name, "song %06d", i);
    items.push_back(name);
  }
  return items;
}

void BenchCompletion(HWND parent) {
  const std::vector<std::string> items = Songs(100000);
  TCompletionIndex index;
  double t = Now();
  index.Assign(items);
  std::printf("completion index of %zu items built in %.1f ms\n", items.size(), (Now() - t) * 1000);
  const struct {
    const wchar_t* typed;
    TAutoCompleteType rule;
    const char* what;
  } cases[] = {
      {L"s", atMultiple, "'s', every item a candidate, atMultiple"},
      {L"song 09999", atFirst, "'song 09999', match near the end, atFirst"},
      {L"song 0999", atSingle, "'song 0999', ten candidates, atSingle"},
      {L"x", atFirst, "'x', no match"},
      {L"song 09999", atNone, "'song 09999', atNone: the system's own share"},
  };
  for (const auto& c : cases) {
    const int n = 20;
    t = Now();
    for (int i = 0; i < n; ++i) (void)Complete(index, c.typed, c.rule);
    std::printf("  rules alone     %-45s %7.3f ms a keystroke\n", c.what, (Now() - t) * 1000 / n);
  }

  TComplementComboBox combo(parent, 10, 10, 200);
  t = Now();
  combo.SetItems(items);
  std::printf("combo box filled with %zu items in %.1f ms\n", items.size(), (Now() - t) * 1000);
  for (const auto& c : cases) {
    combo.SetAutoComplete(c.rule);
    const std::wstring typed = c.typed;
    const std::wstring head = typed.substr(0, typed.size() - 1);
    const int n = 20;
    double total = 0;
    for (int i = 0; i < n; ++i) {
      ::SetWindowTextW(combo.EditHandle(), head.c_str());
      ::SendMessageW(combo.EditHandle(), EM_SETSEL, head.size(), head.size());
      t = Now();
      ::SendMessageW(combo.EditHandle(), WM_CHAR, typed.back(), 1);
      total += Now() - t;
    }
    std::printf("  through the box %-45s %7.3f ms a keystroke (text now %ls)\n", c.what, total * 1000 / n,
                combo.TextW().c_str());
  }
}

void BenchRounds(const char* what, int rounds, const std::function<void(int)>& round) {
  round(0);
  Pump();
  const long gdi = test::GdiObjectCount(), user = test::UserObjectCount();
  const double t = Now();
  for (int i = 1; i <= rounds; ++i) {
    round(i);
    if (i % 100 == 0) Pump();
  }
  const double elapsed = Now() - t;
  Pump();
  const long gdiAfter = test::GdiObjectCount(), userAfter = test::UserObjectCount();
  std::printf("%-34s %6d rounds  %7.3f ms a round  GDI %ld -> %ld  USER %ld -> %ld%s\n", what, rounds,
              elapsed * 1000 / rounds, gdi, gdiAfter, user, userAfter,
              gdi == gdiAfter && user == userAfter ? "" : "  LEAK");
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 10000;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"LumekoBenchWindow";
  ::RegisterClassExW(&wc);
  const HWND w = ::CreateWindowExW(0, wc.lpszClassName, L"bench", WS_POPUP, 100, 100, 400, 300, nullptr, nullptr,
                                   wc.hInstance, nullptr);
  ::SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);

  BenchCompletion(w);

  BenchRounds("TColorPickerButton", rounds, [&](int i) {
    TColorPickerButton b(w, 10, 10);
    b.SetCaption("&Colour");
    b.SetSelectionColor(static_cast<std::uint32_t>(i) * 0x10101);
    b.SetHint("hint");
    ::UpdateWindow(b.Handle());
  });
  BenchRounds("TColorPickerButton, popup open", rounds / 10, [&](int i) {
    TColorPickerButton b(w, 10, 10);
    b.SetDefaultText("Default");
    b.SetCustomText("More");
    b.SetDroppedDown(true);
    const RECT custom = b.Popup()->Layout().CustomItem;
    ::SendMessageW(b.Popup()->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(custom.left + 2, custom.top + 2));
    ::SendMessageW(b.Popup()->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 40));
    ::UpdateWindow(b.Popup()->Handle());
    if (i % 2) b.SetDroppedDown(false);
  });
  BenchRounds("TComplementComboBox", rounds, [&](int i) {
    TComplementComboBox c(w, 10, 10, 120);
    c.SetItems({"apple", "apricot", "banana"});
    c.SetCompleteDelay(i % 2 ? 300 : 0);
    ::SendMessageW(c.EditHandle(), WM_CHAR, 'a', 1);
  });
  BenchRounds("TCheckBoxEx", rounds, [&](int i) {
    TCheckBoxEx b(w, 10, 10, 80, 24, "&Bold");
    TFontChoice f;
    f.Style = fs_Bold;
    b.SetFont(f);
    if (i % 2) b.SetStyle(cbsPushLike);
  });
  BenchRounds("TLabelEx", rounds, [&](int i) {
    TLabelEx l(w, 10, 10, 0, 0, "Label\twith tab");
    l.SetEllipsis(static_cast<TEllipsisText>(i % 3));
    ::UpdateWindow(l.Handle());
  });
  BenchRounds("TEffectLabel", rounds, [&](int i) {
    TEffectLabel l(w, 10, 10, 0, 0, "Label\twith tab");
    l.SetEffect(static_cast<TLabelEffect>(i % 6));
    ::UpdateWindow(l.Handle());
  });
  ::DestroyWindow(w);
  return 0;
}
