// The property page run by the tool (see settings_dialog.h).
//
// The page shows the version of the effect DLL beside the tool (or the one
// the build made), which is the module whose settings it edits, and stores
// that version as the program that saved. COM is initialised for the
// listing of the player's installed effects, as the player's thread has it.
#include "settings_dialog.h"

#include <windows.h>
#include <objbase.h>

#include <string>

#include "json.h"
#include "platform/cp932.h"
#include "platform/wide.h"
#include "player_host.h"
#include "screen_capture.h"
#include "ui/color_scheme_form.h"
#include "ui/property_form.h"
#include "ui/property_texts.h"

namespace lumeko::tool {
namespace {

constexpr UINT_PTR kCloseTimer = 0x4C4B;
HWND closeTarget = nullptr;

void CALLBACK CloseNow(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  if (closeTarget) ::PostMessageW(closeTarget, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

struct TComScope {
  HRESULT Result = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ~TComScope() {
    if (SUCCEEDED(Result)) ::CoUninitialize();
  }
};

void Screenshots(TfrmProperty& form, const std::string& dir, JsonWriter& j) {
  ::ShowWindow(form.Handle(), SW_SHOW);
  ::SetForegroundWindow(form.Handle());
  // The mouse away from the page, so no hint covers it.
  ::SetCursorPos(0, 0);
  j.Key("screenshots").BeginArray();
  auto shoot = [&](HWND wnd, const std::string& name) {
    PumpMessages(300);
    const std::string file = dir + "\\" + name;
    if (CaptureWindow(wnd, file)) j.String(Cp932ToUtf8(file));
  };
  for (int tab = 0; tab < pt_Count; ++tab) {
    form.SelectTab(tab);
    shoot(form.Handle(), "tab" + std::to_string(tab) + ".png");
  }
  // The draw-mode list open, with its pictures.
  form.SelectTab(pt_BkGnd);
  const HWND modes = form.Control("cbBkImageDrawMode");
  ::SendMessageW(modes, CB_SHOWDROPDOWN, TRUE, 0);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (::GetComboBoxInfo(modes, &info) && info.hwndList) shoot(info.hwndList, "draw-modes.png");
  ::SendMessageW(modes, CB_SHOWDROPDOWN, FALSE, 0);
  {
    TfrmColorScheme scheme(form.Handle());
    scheme.SetSchemeName(Utf8ToCp932("夜明け"));
    ::ShowWindow(scheme.Handle(), SW_SHOW);
    shoot(scheme.Handle(), "scheme-dialog.png");
  }
  j.EndArray();
  form.Close(IDCANCEL);
}

}  // namespace

int RunSettingsDialog(const ParsedArgs& p) {
  const TShowOptions show = ParseShowOptions(p);
  const long long closeAfter = show.CloseAfter;
  const std::string& shots = show.Shots;
  TComScope com;
  TfrmProperty form(nullptr, host::PlayerHost::DefaultEffectPath());
  JsonWriter j;
  j.BeginObject();
  int result = IDCANCEL;
  if (!shots.empty()) {
    Screenshots(form, shots, j);
  } else {
    closeTarget = form.Handle();
    if (closeAfter > 0) ::SetTimer(nullptr, kCloseTimer, static_cast<UINT>(closeAfter), CloseNow);
    result = form.ShowModal();
    closeTarget = nullptr;
  }
  j.Field("saved", result == IDOK).EndObject();
  Print(j.str() + "\n");
  return 0;
}

}  // namespace lumeko::tool
