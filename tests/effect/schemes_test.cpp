// Colour schemes through the real DLL: chosen from the right button's menu in
// a real window (keys pressed inside the menu's own loop), drawn at random for
// every song and settings load, never stored; values that are no scheme
// record change nothing.
#include <gtest/gtest.h>

#include <set>

#include "effect/host_fixture.h"
#include "settings/scheme_store.h"
#include "settings/settings_store.h"

namespace lumeko {
namespace {

TColorScheme Scheme(std::uint32_t background, std::uint8_t minSize) {
  TColorScheme s{{"Default", 0, 0, minSize}, {}};
  s.Color.BackgroundColor = background;
  return s;
}

// The menu's items as it showed them, and the keys then pressed in it.
std::vector<std::wstring> menuSeen;
std::vector<WPARAM> menuKeys;

void CALLBACK DriveMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND popup = ::FindWindowW(L"#32768", nullptr);
  if (!popup || !::IsWindowVisible(popup)) return;
  ::KillTimer(nullptr, timer);
  const HMENU menu = reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0));
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    wchar_t text[64] = L"";
    ::GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
    menuSeen.push_back((::GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR) ? L"<separator>" : text);
  }
  for (WPARAM key : menuKeys) ::PostMessageW(popup, WM_KEYDOWN, key, 0);
}

class Schemes : public test::HostTest {
 protected:
  void SetUp() override {
    test::HostTest::SetUp();
    Settings.WriteInteger("BackgroundColor", 0xFFFFFF);
  }
  std::uint32_t Play(int song) {  // the background of a new song's first frame
    Song(std::to_string(song));
    return Centre(16, 8);
  }
  HRESULT RightClick(std::vector<WPARAM> keys) {
    menuKeys = std::move(keys);
    menuSeen.clear();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, DriveMenu);
    LRESULT result = -1;
    const HRESULT hr = Host.Effect()->OnWindowMessage(WM_RBUTTONUP, 0, MAKELPARAM(10, 10), &result);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(result, hr == S_OK ? 0 : -1);
    return hr;
  }
};

TEST_F(Schemes, TheMenuAppliesTheChosenSchemeInMemoryOnly) {
  EXPECT_EQ(Play(1), 0xFFFFFFu);
  ASSERT_NE(Host.OpenWindow(64, 48), nullptr);
  ASSERT_EQ(Host.AttachWindow(), S_OK);
  EXPECT_EQ(RightClick({}), S_FALSE);  // no schemes: the click is the player's
  EXPECT_TRUE(menuSeen.empty());

  ASSERT_TRUE(WriteColorScheme("\x90\x5B\x82\xA2\x90\xC2", Scheme(0xFF0000, 7)));  // 深い青, blue
  ASSERT_TRUE(WriteColorScheme("R&B", Scheme(0x0000FF, 8)));                      // red
  const bool redSecond = ReadSchemeNames().at(1) == "R&B";
  const std::wstring deep = L"\u6DF1\u3044\u9752", rnb = L"R&&B";  // a '&' is shown, not underlined
  EXPECT_EQ(RightClick({VK_ESCAPE}), S_OK);
  EXPECT_EQ(menuSeen, (std::vector<std::wstring>{L"- \u914D\u8272\u306E\u9078\u629E -", L"<separator>",
                                                 redSecond ? deep : rnb, redSecond ? rnb : deep}));
  EXPECT_EQ(Centre(16, 8), 0xFFFFFFu);

  // Down to the title, past the separator to the first scheme, to the second.
  EXPECT_EQ(RightClick({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}), S_OK);
  EXPECT_EQ(Centre(16, 8), redSecond ? 0xFF0000u : 0x0000FFu);
  EXPECT_EQ(RightClick({VK_DOWN, VK_RETURN}), S_OK);  // the title does nothing
  EXPECT_EQ(Play(2), redSecond ? 0xFF0000u : 0x0000FFu);
  EXPECT_EQ(Settings.ReadInteger("BackgroundColor"), 0xFFFFFF);  // never stored
  ASSERT_TRUE(SignalPropertyChange());
  EXPECT_EQ(Centre(16, 8), 0xFFFFFFu);  // the next settings load brings the stored colours back
}

TEST_F(Schemes, OneIsDrawnForEverySongAndEverySettingsLoadAndOthersAreNone) {
  ASSERT_TRUE(WriteColorScheme("red", Scheme(0x0000FF, 6)));
  ASSERT_TRUE(WriteColorScheme("green", Scheme(0x00FF00, 6)));
  // Values that are no scheme record (one a blue record a byte short) leave
  // the colours as they were when drawn.
  TRegistry schemes(HKEY_CURRENT_USER);
  ASSERT_TRUE(schemes.OpenKey(kSchemesKey, true));
  const auto blue = EncodeColorScheme(Scheme(0xFF0000, 6));
  schemes.WriteBinaryData("short", blue.data(), blue.size() - 1);
  schemes.WriteString("text", "not a scheme");
  Settings.WriteBool("UseRandomColorScheme", true);
  std::set<std::uint32_t> seen;
  for (int song = 0; song < 24; ++song) {
    seen.insert(Play(song));
    if (song % 4 == 3 && SignalPropertyChange()) seen.insert(Centre(16, 8));
  }
  seen.erase(0xFFFFFF);  // the stored colours, until a scheme is first drawn
  EXPECT_EQ(seen, (std::set<std::uint32_t>{0xFF0000, 0x00FF00}));
}

}  // namespace
}  // namespace lumeko
