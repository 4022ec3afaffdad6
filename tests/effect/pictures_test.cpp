// Background pictures through the real DLL, read back from frame pixels: the
// setting, a song's own pictures at their times and after seeking, the song's
// folder, templates, the random pick and names CP932 cannot spell.
#include <gtest/gtest.h>

#include <set>

#include "platform/wide.h"
#include "player_host.h"
#include "settings/registry_ex.h"
#include "settings/registry_fixture.h"
#include "settings/setup_info.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace {

constexpr int kW = 32, kH = 18;
constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kNone = 0;

// A 24-bit BMP of the frame's size in one colour (0x00RRGGBB).
std::string SolidBmp(std::uint32_t rgb) {
  std::string d(54 + kW * 3 * kH, '\0');  // rows need no padding at this width
  const auto put = [&](size_t at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) d[at + i] = static_cast<char>(v >> (8 * i));
  };
  put(0, 'B' | 'M' << 8, 2), put(2, static_cast<std::uint32_t>(d.size()), 4), put(10, 54, 4), put(14, 40, 4);
  put(18, kW, 4), put(22, kH, 4), put(26, 1, 2), put(28, 24, 2);
  for (size_t at = 54; at < d.size(); at += 3) put(at, rgb, 3);
  return d;
}

class Pictures : public test::RegistryTest {
 protected:
  void SetUp() override {
    test::RegistryTest::SetUp();
    ASSERT_TRUE(reg_.OpenKey(kSettingsKey, true));
    reg_.WriteInteger("BkGndImageBlend", 0);  // exact colours: untinted, at its own size, over black
    reg_.WriteInteger("BkGndImageDrawMode", 4);
    reg_.WriteString("BkGndImageFolder", dir_.path());
  }
  std::string Picture(const std::string& name, std::uint32_t rgb) {
    EXPECT_TRUE(test::WriteFile(dir_ / name, SolidBmp(rgb)));
    return dir_ / name;
  }
  // A new song: its lyrics are looked for beside dir_\<name>.mp3.
  void Play(const std::string& name, const std::wstring& title = L"title") {
    if (!host_.Effect()) {
      ASSERT_EQ(host_.Load(host::PlayerHost::DefaultEffectPath()), S_OK);
    }
    ASSERT_EQ(host_.NotifyNewMedia(ToWide(dir_ / (name + ".mp3")), title), S_OK);
  }
  std::uint32_t At(long long ms, LONG state = play_state) {
    return host_.RenderFrame(kW, kH, state, ms * 10000).Pixel(kW / 2, kH / 2);
  }

  TRegistryEx reg_{HKEY_CURRENT_USER};
  test::ScratchDir dir_{"pictures"};
  host::PlayerHost host_;
};

TEST_F(Pictures, TheSettingAndTheSongsTagsShowTheirPicturesAtTheirTimes) {
  reg_.WriteString("BkGndImageFilename", Picture("setting.bmp", kWhite));
  Picture("red.bmp", kRed), Picture("green.bmp", kGreen), Picture("blue.bmp", kBlue);
  ASSERT_TRUE(test::WriteFile(dir_ / "timed.kra", "@BGFILE=red\r\n@BGFILEEX<00:02:00>=green.bmp\r\n"
                                                  "@BGFILEEX<00:04:00>=*lue.*\r\n"));
  ASSERT_TRUE(test::MakeDir(dir_ / "own"));
  ASSERT_TRUE(test::WriteFile(dir_ / "own\\red.bmp", SolidBmp(kGreen)));
  ASSERT_TRUE(test::WriteFile(dir_ / "own.kra", "@BGFOLDER=" + dir_ / "own" + "\r\n@BGFILE=red\r\n"));
  Play("no lyrics");
  EXPECT_EQ(At(0), kWhite);
  EXPECT_EQ(At(5000), kWhite);

  Play("timed");
  EXPECT_EQ(At(0), kRed);
  EXPECT_EQ(At(1990), kRed);
  EXPECT_EQ(At(2000), kGreen);
  EXPECT_EQ(At(4500), kBlue);
  EXPECT_EQ(At(4400, pause_state), kBlue);  // a pause and its resumption keep the queue
  EXPECT_EQ(At(4500), kBlue);
  // Back: the queue is refilled after that frame, and the next one shows the
  // picture of the new position; forward past a change takes the latest.
  At(1000);
  EXPECT_EQ(At(1040), kRed);
  EXPECT_EQ(At(4100), kBlue);
  EXPECT_EQ(At(0, stop_state), kBlue);
  EXPECT_EQ(At(2500), kGreen);  // the stop refilled the queue

  Play("own");  // the song's folder for this song alone
  EXPECT_EQ(At(0), kGreen);
  Play("timed");
  EXPECT_EQ(At(0), kRed);
}

TEST_F(Pictures, TemplatesTakeTheTitleTheLyricsNameAndTheTags) {
  Picture("Song_lyr_Art_Ttl_Alb_%.bmp", kBlue);
  reg_.WriteString("BkGndImageFilename", "x.png;%title%_%LYRICS%_%@airtist%_%@TITLE%_%@ALBUM%_%%");
  ASSERT_TRUE(test::WriteFile(dir_ / "lyr.kra", "@AIRTIST=Art\r\n@TITLE=Ttl\r\n@ALBUM=Alb\r\n"));
  Play("lyr", L"Song");
  EXPECT_EQ(At(0), kBlue);
  Play("no lyrics", L"Song");  // the same title without the song's name and tags
  EXPECT_EQ(At(0), kNone);
}

TEST_F(Pictures, ARandomPickStaysAmongTheMatchingPictures) {
  Picture("pick1.bmp", kRed), Picture("pick2.bmp", kGreen), Picture("pick3.jpeg", kBlue);
  Picture("pick4.gif", kWhite), Picture("pack.bmp", kWhite);
  ::SetFileAttributesW(ToWide(Picture("pick5.bmp", kWhite)).c_str(), FILE_ATTRIBUTE_HIDDEN);
  reg_.WriteString("BkGndImageFilename", "PICK*");
  std::set<std::uint32_t> seen;
  for (int i = 0; i < 16; ++i) {
    Play("song" + std::to_string(i));  // each new song picks again
    seen.insert(At(0));
  }
  EXPECT_TRUE(seen.size() >= 2 && !seen.count(kWhite) && !seen.count(kNone)) << seen.size();
}

TEST_F(Pictures, FoldersAndNamesOutsideTheCodePageAreFound) {
  const std::wstring folder = ToWide(dir_.path()) + L"\\caf\u00E9";  // é, ā: no CP932 spelling
  ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
  for (const wchar_t* name : {L"\\\u00E9t\u00E9.bmp", L"\\\u0101.bmp"})
    ASSERT_TRUE(::CopyFileW(ToWide(Picture("green.bmp", kGreen)).c_str(), (folder + name).c_str(), FALSE));
  ASSERT_EQ(::RegSetValueExW(reg_.CurrentKey(), L"BkGndImageFolder", 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(folder.c_str()), (folder.size() + 1) * 2),
            ERROR_SUCCESS);
  reg_.WriteString("BkGndImageFilename", "%TITLE%");
  Play("a", L"\u00E9t\u00E9");
  EXPECT_EQ(At(0), kGreen);
  Play("b", L"\u0101");
  EXPECT_EQ(At(0), kGreen);
  Play("c", L"green");  // only in the setting's folder, not the test's
  EXPECT_EQ(At(0), kNone);
}

}  // namespace
}  // namespace lumeko
