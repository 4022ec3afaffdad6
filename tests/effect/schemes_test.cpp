// Colour schemes through the real DLL: chosen from the right button's menu in
// a real window (driven by keys inside the menu's own loop), drawn at random
// for every song and settings load, never written back, and values that are
// no scheme record leaving everything as it was.
#include <gtest/gtest.h>

#include <set>

#include "platform/wide.h"
#include "player_host.h"
#include "settings/registry_ex.h"
#include "settings/registry_fixture.h"
#include "settings/scheme_store.h"
#include "settings/settings_store.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace {

using host::PlayerHost;

constexpr int kW = 16, kH = 8;

TColorScheme Scheme(std::uint32_t background, std::uint8_t minSize) {
  TColorScheme s{{"Default", 0, 0, minSize}, {}};
  s.Color.BackgroundColor = background;
  return s;
}

// What the menu showed, read from inside its loop.
struct TMenuSeen {
  int Items = 0;
  std::wstring Title, First, Second;
  bool Separator = false;
};
TMenuSeen menuSeen;
std::vector<WPARAM> menuKeys;  // pressed once the menu shows

std::wstring ItemText(HMENU menu, int pos) {
  wchar_t text[128] = L"";
  ::GetMenuStringW(menu, pos, text, 128, MF_BYPOSITION);
  return text;
}

void CALLBACK DriveMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND popup = ::FindWindowW(L"#32768", nullptr);
  if (!popup || !::IsWindowVisible(popup)) return;
  ::KillTimer(nullptr, timer);
  const HMENU menu = reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0));
  menuSeen.Items = ::GetMenuItemCount(menu);
  menuSeen.Title = ItemText(menu, 0);
  menuSeen.Separator = (::GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR) != 0;
  menuSeen.First = ItemText(menu, 2);
  menuSeen.Second = ItemText(menu, 3);
  for (WPARAM key : menuKeys) ::PostMessageW(popup, WM_KEYDOWN, key, 0);
}

class Schemes : public test::RegistryTest {
 protected:
  void SetUp() override {
    test::RegistryTest::SetUp();
    ASSERT_TRUE(reg_.OpenKey(kSettingsKey, true));
    reg_.WriteInteger("BackgroundColor", 0xFFFFFF);
  }
  void Load() { ASSERT_EQ(host_.Load(PlayerHost::DefaultEffectPath()), S_OK); }
  void Play(int song) { ASSERT_EQ(host_.NotifyNewMedia(ToWide(dir_ / (std::to_string(song) + ".mp3")), L"t"), S_OK); }
  std::uint32_t Background() { return host_.RenderFrame(kW, kH, play_state, 0).Pixel(kW / 2, kH / 2); }
  // A right click in the effect's window; keys then choose in its menu.
  HRESULT RightClick(std::vector<WPARAM> keys) {
    menuKeys = std::move(keys);
    menuSeen = {};
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, DriveMenu);
    LRESULT result = -1;
    const HRESULT hr = host_.Effect()->OnWindowMessage(WM_RBUTTONUP, 0, MAKELPARAM(10, 10), &result);
    ::KillTimer(nullptr, timer);
    if (hr == S_OK) {
      EXPECT_EQ(result, 0);
    }
    return hr;
  }

  TRegistryEx reg_{HKEY_CURRENT_USER};
  test::ScratchDir dir_{"schemes"};
  PlayerHost host_;
};

TEST_F(Schemes, TheMenuAppliesTheChosenSchemeInMemoryOnly) {
  Load();
  ASSERT_NE(host_.OpenWindow(64, 48), nullptr);
  ASSERT_EQ(host_.AttachWindow(), S_OK);
  Play(1);
  EXPECT_EQ(Background(), 0xFFFFFFu);
  EXPECT_EQ(RightClick({}), S_FALSE);  // no schemes: the player's own menu
  EXPECT_EQ(menuSeen.Items, 0);

  ASSERT_TRUE(WriteColorScheme("\x90\x5B\x82\xA2\x90\xC2", Scheme(0xFF0000, 7)));  // 深い青
  ASSERT_TRUE(WriteColorScheme("R&B", Scheme(0x0000FF, 8)));
  const std::vector<std::string> names = ReadSchemeNames();
  ASSERT_EQ(names.size(), 2u);
  const std::uint32_t second = names[1] == "R&B" ? 0xFF0000 : 0x0000FF;  // as pixels

  EXPECT_EQ(RightClick({VK_ESCAPE}), S_OK);
  EXPECT_EQ(menuSeen.Items, 4);
  EXPECT_EQ(menuSeen.Title, L"- \u914D\u8272\u306E\u9078\u629E -");
  EXPECT_TRUE(menuSeen.Separator);
  const std::wstring shown[] = {L"\u6DF1\u3044\u9752", L"R&&B"};  // a '&' is shown, not underlined
  EXPECT_EQ(menuSeen.First, shown[names[0] == "R&B"]);
  EXPECT_EQ(Background(), 0xFFFFFFu);

  // Down to the title, past the separator to the first scheme, to the second.
  EXPECT_EQ(RightClick({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}), S_OK);
  EXPECT_EQ(Background(), second);
  EXPECT_EQ(RightClick({VK_DOWN, VK_RETURN}), S_OK);  // the title does nothing
  EXPECT_EQ(Background(), second);
  EXPECT_EQ(reg_.ReadInteger("BackgroundColor"), 0xFFFFFF);  // never stored

  // The next settings load brings the stored colours back.
  ASSERT_TRUE(SignalPropertyChange());
  EXPECT_EQ(Background(), 0xFFFFFFu);
}

TEST_F(Schemes, OneIsDrawnForEverySongAndEverySettingsLoad) {
  ASSERT_TRUE(WriteColorScheme("red", Scheme(0x0000FF, 6)));
  ASSERT_TRUE(WriteColorScheme("green", Scheme(0x00FF00, 6)));
  reg_.WriteBool("UseRandomColorScheme", true);
  Load();
  std::set<std::uint32_t> seen;
  for (int song = 0; song < 16; ++song) {
    Play(song);
    const std::uint32_t p = Background();
    EXPECT_TRUE(p == 0xFF0000 || p == 0x00FF00) << std::hex << p;
    seen.insert(p);
    if (song % 4 == 3) {
      ASSERT_TRUE(SignalPropertyChange());
      const std::uint32_t q = Background();
      EXPECT_TRUE(q == 0xFF0000 || q == 0x00FF00) << std::hex << q;
      seen.insert(q);
    }
  }
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_EQ(reg_.ReadInteger("BackgroundColor"), 0xFFFFFF);
}

TEST_F(Schemes, ValuesThatAreNoSchemeRecordChangeNothing) {
  TRegistry schemes(HKEY_CURRENT_USER);
  ASSERT_TRUE(schemes.OpenKey(kSchemesKey, true));
  const auto record = EncodeColorScheme(Scheme(0x0000FF, 9));
  schemes.WriteBinaryData("short", record.data(), record.size() - 1);
  std::vector<std::uint8_t> longer(record.begin(), record.end());
  longer.push_back(0);
  schemes.WriteBinaryData("long", longer.data(), longer.size());
  schemes.WriteString("text", "not a scheme");
  reg_.WriteBool("UseRandomColorScheme", true);
  Load();
  ASSERT_NE(host_.OpenWindow(64, 48), nullptr);
  ASSERT_EQ(host_.AttachWindow(), S_OK);
  for (int song = 0; song < 6; ++song) {
    Play(song);
    EXPECT_EQ(Background(), 0xFFFFFFu);
  }
  EXPECT_EQ(RightClick({VK_DOWN, VK_DOWN, VK_RETURN}), S_OK);
  EXPECT_EQ(menuSeen.Items, 5);
  Play(99);
  EXPECT_EQ(Background(), 0xFFFFFFu);
}

}  // namespace
}  // namespace lumeko
