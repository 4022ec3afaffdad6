// Tests through the real DLL in the stand-in player: a redirected registry
// with the Settings key open, a scratch folder for songs and pictures, and
// the DLL loaded on first use, so settings written before then are read by
// the effect's construction.
#pragma once

#include "platform/wide.h"
#include "player_host.h"
#include "settings/registry_ex.h"
#include "settings/registry_fixture.h"
#include "settings/setup_info.h"
#include "test_support/scratch.h"

namespace lumeko::test {

class HostTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    ASSERT_TRUE(Settings.OpenKey(kSettingsKey, true));
  }
  // A new song: its lyrics are looked for beside Dir\<name>.mp3.
  void Song(const std::string& name, const std::wstring& title = L"t") {
    if (!Host.Effect()) {
      ASSERT_EQ(Host.Load(host::PlayerHost::DefaultEffectPath()), S_OK);
    }
    ASSERT_EQ(Host.NotifyNewMedia(ToWide(Dir / (name + ".mp3")), title), S_OK);
  }
  // The centre pixel of a frame of w × h at ms.
  std::uint32_t Centre(int w, int h, long long ms = 0, LONG state = play_state) {
    return Host.RenderFrame(w, h, state, ms * 10000).Pixel(w / 2, h / 2);
  }

  TRegistryEx Settings{HKEY_CURRENT_USER};
  ScratchDir Dir{"host"};
  host::PlayerHost Host;
};

}  // namespace lumeko::test
