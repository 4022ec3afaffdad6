// A media change in the effect object finds and loads its lyrics.
#include <gtest/gtest.h>

#include "effect/registry_fixture.h"
#include "effect/settings.h"
#include "effect/viz_lumeko.h"
#include "platform/unique_handle.h"
#include "platform/wide.h"
#include "search/search_fixture.h"

namespace lumeko {
namespace {

void WriteSetting(const char* name, const std::string& text, std::int32_t number, bool isText) {
  TRegistryEx reg(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKey(kSettingsKey, true));
  if (isText) reg.WriteString(name, text);
  else reg.WriteInteger(name, number);
}

class MediaChange : public test::RegistryTest {
 protected:
  void TearDown() override {
    if (obj_) obj_->Release();
    test::RegistryTest::TearDown();
  }
  // Announces a title the way the plain host does and draws one frame.
  void Announce(const std::wstring& title) {
    if (!obj_) obj_ = TVizLumeko::CreateInstance();
    BSTR t = ::SysAllocString(title.c_str());
    ASSERT_EQ(obj_->MediaInfo(2, 44100, t), S_OK);
    ::SysFreeString(t);
    UniqueHDC dc(::CreateCompatibleDC(nullptr));
    UniqueHBITMAP bmp(::CreateCompatibleBitmap(dc.get(), 16, 16));
    SelectGuard keep(dc.get(), bmp.get());
    TimedLevel levels{};
    levels.state = play_state;
    RECT r{0, 0, 16, 16};
    ASSERT_EQ(obj_->Render(&levels, dc.get(), &r), S_OK);
    EXPECT_FALSE(obj_->MediaPending);
  }
  TVizLumeko* obj_ = nullptr;
};

TEST_F(MediaChange, TitleFindsTheLyricsAndNamesTheirBase) {
  test::SearchTree t;
  // 表の歌: the first character ends in the byte of '\'.
  const std::string file = t.Add("Lyrics\\sub\\\x95\x5C\x82\xCC\x89\xCC.LRC");
  WriteSetting("LyricsPath", t.Folder("Lyrics"), 0, true);
  Announce(L"\u8868\u306E\u6B4C");
  EXPECT_EQ(obj_->Lyrics->FileName(), file);
  EXPECT_EQ(obj_->LyricsBaseName, "\x95\x5C\x82\xCC\x89\xCC");
  EXPECT_GT(obj_->Lyrics->LineCount(), 0);

  // A title that is no pattern reaches no one: nothing is found, the frame
  // succeeds and the next title loads as usual.
  WriteSetting("FuzzySearch", "", 1, false);
  ASSERT_TRUE(SignalPropertyChange());
  Announce(L"*\u8868\u306E\u6B4C");
  EXPECT_EQ(obj_->LyricsBaseName, "");
  Announce(L"\u8868\u306E\u6B4C");
  EXPECT_EQ(obj_->Lyrics->FileName(), file);
}

TEST_F(MediaChange, TitleSearchCanBeSwitchedOff) {
  test::SearchTree t;
  t.Add("Lyrics\\Blue Moon.LRC");
  WriteSetting("LyricsPath", t.Folder("Lyrics"), 0, true);
  WriteSetting("NotPerformTitleSearch", "", 1, false);
  Announce(L"Blue Moon");
  EXPECT_EQ(obj_->Lyrics->FileName(), "");
  EXPECT_EQ(obj_->Lyrics->LineCount(), 0);
}

}  // namespace
}  // namespace lumeko
