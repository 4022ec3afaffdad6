// A media change in the effect object finds and loads its lyrics.
#include <gtest/gtest.h>

#include "effect/tag_defaults.h"
#include "effect/viz_lumeko_probe.h"
#include "settings/registry_fixture.h"
#include "settings/settings_store.h"
#include "platform/unique_handle.h"
#include "platform/wide.h"
#include "search/search_fixture.h"

namespace lumeko {
namespace {

using P = TVizLumekoProbe;

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
    Frame();
    EXPECT_FALSE(P::MediaPending(*obj_));
  }
  // One frame: pending lyrics are loaded, then saved settings reloaded.
  void Frame() {
    UniqueHDC dc(::CreateCompatibleDC(nullptr));
    UniqueHBITMAP bmp(::CreateCompatibleBitmap(dc.get(), 16, 16));
    SelectGuard keep(dc.get(), bmp.get());
    TimedLevel levels{};
    levels.state = play_state;
    RECT r{0, 0, 16, 16};
    ASSERT_EQ(obj_->Render(&levels, dc.get(), &r), S_OK);
  }
  TVizLumeko* obj_ = nullptr;
};

TEST_F(MediaChange, TitleFindsTheLyricsAndNamesTheirBase) {
  test::SearchTree t;
  // 表の歌: the first character ends in the byte of '\'.
  const std::string file = t.Add("Lyrics\\sub\\\x95\x5C\x82\xCC\x89\xCC.LRC");
  WriteSetting("LyricsPath", t.Folder("Lyrics"), 0, true);
  Announce(L"\u8868\u306E\u6B4C");
  EXPECT_EQ(P::Lyrics(*obj_).FileName(), file);
  EXPECT_EQ(P::LyricsBaseName(*obj_), "\x95\x5C\x82\xCC\x89\xCC");
  EXPECT_GT(P::Lyrics(*obj_).LineCount(), 0);

  // A title that is no pattern reaches no one: nothing is found, the frame
  // succeeds and the next title loads as usual.
  WriteSetting("FuzzySearch", "", 1, false);
  ASSERT_TRUE(SignalPropertyChange());
  Announce(L"*\u8868\u306E\u6B4C");
  EXPECT_EQ(P::LyricsBaseName(*obj_), "");
  Announce(L"\u8868\u306E\u6B4C");
  EXPECT_EQ(P::Lyrics(*obj_).FileName(), file);
}

TEST_F(MediaChange, TitleSearchCanBeSwitchedOff) {
  test::SearchTree t;
  t.Add("Lyrics\\Blue Moon.LRC");
  WriteSetting("LyricsPath", t.Folder("Lyrics"), 0, true);
  WriteSetting("NotPerformTitleSearch", "", 1, false);
  Announce(L"Blue Moon");
  EXPECT_EQ(P::Lyrics(*obj_).FileName(), "");
  EXPECT_EQ(P::Lyrics(*obj_).LineCount(), 0);
}

// The tag file beside this test program, present for the object's life.
class TagFileBesideModule {
 public:
  explicit TagFileBesideModule(const std::string& text) {
    wchar_t self[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    path_ = TagFilePathFor(std::wstring(self, n));
    EXPECT_TRUE(test::WriteFile(FromWide(path_), text));
  }
  ~TagFileBesideModule() { ::DeleteFileW(path_.c_str()); }

 private:
  std::wstring path_;
};

TEST_F(MediaChange, TagFileDefaultsTakeThePictureSettingOnlyWhereTheyNameNone) {
  WriteSetting("BkGndImageFilename", "a.jpg", 0, true);
  {
    // No picture line: the setting is appended as it stands, once for the
    // object's life.
    TagFileBesideModule tags("@offset=100\r\n");
    Announce(L"first");
    EXPECT_EQ(P::Lyrics(*obj_).DefaultTags().Values("@BGFILE"), "a.jpg");
    EXPECT_EQ(P::Lyrics(*obj_).DefaultTags().Values("@OFFSET"), "100");
    WriteSetting("BkGndImageFilename", "b.jpg", 0, true);
    ASSERT_TRUE(SignalPropertyChange());
    Frame();
    Announce(L"second");
    EXPECT_EQ(P::Setup(*obj_).BkGnd.BkGndImageFilename, "b.jpg");
    EXPECT_EQ(P::Lyrics(*obj_).DefaultTags().Values("@BGFILE"), "a.jpg");
    obj_->Release();
    obj_ = nullptr;
  }
  {
    // A bare picture line (the first in sorted order) asks for no default
    // picture: the setting does not fill it in.
    TagFileBesideModule tags("@BGFILE=x.jpg\r\n@BGFILE=\r\n");
    Announce(L"first");
    EXPECT_FALSE(P::Lyrics(*obj_).DefaultTags().Has("@BGFILE"));
    EXPECT_FALSE(P::Lyrics(*obj_).Tags().Has("@BGFILE"));
    obj_->Release();
    obj_ = nullptr;
  }
  // Without a tag file the setting is the default, and an empty one none.
  Announce(L"first");
  EXPECT_EQ(P::Lyrics(*obj_).DefaultTags().Values("@BGFILE"), "b.jpg");
  WriteSetting("BkGndImageFilename", "", 0, true);
  ASSERT_TRUE(SignalPropertyChange());
  Frame();
  Announce(L"second");
  EXPECT_FALSE(P::Lyrics(*obj_).DefaultTags().Has("@BGFILE"));
}

}  // namespace
}  // namespace lumeko
