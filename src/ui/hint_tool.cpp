// Tooltip-backed hints (see hint_tool.h).
#include "ui/hint_tool.h"

#include <commctrl.h>

#include "ui/ui_module.h"

namespace lumeko {
namespace {

// The size every comctl32 version accepts, with or without a v6 manifest.
TOOLINFOW MakeToolInfo(HWND owner, UINT flags, UINT_PTR id, wchar_t* text) {
  TOOLINFOW ti{};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.uFlags = flags;
  ti.hwnd = owner;
  ti.uId = id;
  ti.lpszText = text;
  return ti;
}

constexpr UINT_PTR kTrackId = 1;
constexpr int kMaxTipWidth = 480;

}  // namespace

bool THintTool::Ensure() {
  if (tip_) return true;
  EnsureCommonControls();
  tip_.reset(::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr, UiModule(), nullptr));
  if (!tip_) return false;
  ::SendMessageW(tip_.get(), TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
  ::SendMessageW(tip_.get(), TTM_SETDELAYTIME, TTDT_INITIAL, kHintPauseMs);
  ::SendMessageW(tip_.get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, kHintHidePauseMs);
  return true;
}

void THintTool::SetText(HWND tool, const std::wstring& text) {
  if (!tool) return;
  if (text.empty()) {
    if (!tip_) return;
    TOOLINFOW ti = MakeToolInfo(owner_, TTF_IDISHWND, reinterpret_cast<UINT_PTR>(tool), nullptr);
    ::SendMessageW(tip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    return;
  }
  if (!Ensure()) return;
  std::wstring copy = text;  // the tooltip copies the text
  TOOLINFOW ti = MakeToolInfo(owner_, TTF_IDISHWND | TTF_SUBCLASS, reinterpret_cast<UINT_PTR>(tool), copy.data());
  TOOLINFOW probe = ti;
  if (::SendMessageW(tip_.get(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&probe)))
    ::SendMessageW(tip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  else
    ::SendMessageW(tip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void THintTool::Track(const std::wstring& text, POINT screen) {
  if (!Ensure()) return;
  std::wstring copy = text;
  TOOLINFOW ti = MakeToolInfo(owner_, TTF_TRACK | TTF_ABSOLUTE, kTrackId, copy.data());
  if (!trackAdded_) {
    trackAdded_ = ::SendMessageW(tip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
    if (!trackAdded_) return;
  } else {
    ::SendMessageW(tip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  }
  ::SendMessageW(tip_.get(), TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x, screen.y));
  if (!tracking_) ::SendMessageW(tip_.get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
  tracking_ = true;
}

void THintTool::Untrack() {
  if (!tip_ || !tracking_) return;
  TOOLINFOW ti = MakeToolInfo(owner_, TTF_TRACK | TTF_ABSOLUTE, kTrackId, nullptr);
  ::SendMessageW(tip_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
  tracking_ = false;
}

}  // namespace lumeko
