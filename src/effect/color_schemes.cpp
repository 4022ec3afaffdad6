// Colour schemes applied by the effect: drawn at random when the settings or
// a song's lyrics load, or chosen from the right button's menu in the
// player's windowed mode.
//
// A scheme changes the font and colours in memory only, never the Settings
// key: it lasts until the settings next load. The menu is read from the
// registry each time it opens, so it always lists what the page stored.
#include <random>

#include "effect/viz_lumeko.h"
#include "platform/wide.h"
#include "settings/scheme_store.h"

namespace lumeko {

namespace {

// Menu item identifiers: the schemes from kFirstSchemeItem on, by their
// position in the registry's list; the title item has one of its own.
constexpr UINT kTitleItem = 1;
constexpr UINT kFirstSchemeItem = 0x100;

constexpr wchar_t kMenuTitle[] = L"- \u914D\u8272\u306E\u9078\u629E -";  // - 配色の選択 -

// A name is shown as written: a '&' is no accelerator mark.
std::wstring MenuCaption(const std::string& cp932) {
  std::wstring out;
  for (const wchar_t c : ToWide(cp932)) {
    out += c;
    if (c == L'&') out += L'&';
  }
  return out;
}

}  // namespace

void TVizLumeko::ApplyColorScheme(int index) {
  const std::vector<std::string> names = ReadSchemeNames();
  if (names.empty()) return;
  if (index < 0) index = std::uniform_int_distribution<int>(0, static_cast<int>(names.size()) - 1)(Random);
  if (static_cast<size_t>(index) >= names.size()) return;
  const std::optional<TColorScheme> scheme = ReadColorScheme(names[index]);
  if (!scheme) return;  // not a scheme record: the settings stay as they are
  if (!(scheme->Font == Setup.Font)) {
    Setup.Font = scheme->Font;
    Changes |= cf_Font;  // the next frame lays the lyrics out again
  }
  Setup.Color = scheme->Color;
}

bool TVizLumeko::ShowSchemeMenu(LPARAM lParam) {
  const std::vector<std::string> names = ReadSchemeNames();
  if (names.empty() || !Window) return false;
  POINT pt{static_cast<LONG>(LOWORD(lParam)), static_cast<LONG>(HIWORD(lParam))};
  ::ClientToScreen(Window, &pt);

  // Held here while it shows: should the player destroy the window from
  // inside the menu's loop, the menu outlives that and goes with this call.
  UniqueHMENU menu = std::move(SchemeMenu);
  if (!menu) menu.reset(::CreatePopupMenu());
  if (!menu) return false;
  while (::GetMenuItemCount(menu.get()) > 0) ::DeleteMenu(menu.get(), 0, MF_BYPOSITION);
  for (size_t i = 0; i < names.size(); ++i)
    ::AppendMenuW(menu.get(), MF_STRING, kFirstSchemeItem + i, MenuCaption(names[i]).c_str());
  ::InsertMenuW(menu.get(), 0, MF_BYPOSITION | MF_STRING, kTitleItem, kMenuTitle);
  ::InsertMenuW(menu.get(), 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);

  // Modal until the user chooses or dismisses; the answer is the item chosen.
  const UINT item = static_cast<UINT>(::TrackPopupMenuEx(
      menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERPOSANIMATION, pt.x, pt.y,
      Window, nullptr));
  if (Window) SchemeMenu = std::move(menu);  // kept for the next click
  SchemeMenuClick(item >= kFirstSchemeItem ? static_cast<int>(item - kFirstSchemeItem) : -1);
  return true;
}

// The title and the separator carry -1: choosing them does nothing.
void TVizLumeko::SchemeMenuClick(int tag) {
  if (tag < 0) return;
  ApplyColorScheme(tag);
  SetCanvasFont();
}

}  // namespace lumeko
