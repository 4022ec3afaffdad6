// Background pictures through the real DLL, read back from frame pixels: the
// setting, a song's own pictures at their times and after seeking, the song's
// folder, templates, the random pick and names CP932 cannot spell.
#include <gtest/gtest.h>

#include <set>

#include "effect/host_fixture.h"

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

class Pictures : public test::HostTest {
 protected:
  void SetUp() override {
    test::HostTest::SetUp();
    Settings.WriteInteger("BkGndImageBlend", 0);  // exact colours: untinted, at its own size, over black
    Settings.WriteInteger("BkGndImageDrawMode", 4);
    Settings.WriteString("BkGndImageFolder", Dir.path());
  }
  std::string Picture(const std::string& name, std::uint32_t rgb) {
    EXPECT_TRUE(test::WriteFile(Dir / name, SolidBmp(rgb)));
    return Dir / name;
  }
  std::uint32_t At(long long ms, LONG state = play_state) { return Centre(kW, kH, ms, state); }
};

TEST_F(Pictures, TheSettingTheSongsTagsAndTemplatesShowTheirPicturesAtTheirTimes) {
  Settings.WriteString("BkGndImageFilename", Picture("setting.bmp", kWhite));
  Picture("red.bmp", kRed), Picture("green.bmp", kGreen), Picture("blue.bmp", kBlue);
  ASSERT_TRUE(test::WriteFile(Dir / "timed.kra", "@BGFILE=red\r\n@BGFILEEX<00:02:00>=green.bmp\r\n"
                                                 "@BGFILEEX<00:04:00>=*lue.*\r\n"));
  // A song with a folder of its own, named by every template.
  ASSERT_TRUE(test::MakeDir(Dir / "own"));
  ASSERT_TRUE(test::WriteFile(Dir / "own\\Song_own_Art_Ttl_Alb_%.bmp", SolidBmp(kGreen)));
  ASSERT_TRUE(test::WriteFile(Dir / "own.kra", "@BGFOLDER=" + Dir / "own" + "\r\n@AIRTIST=Art\r\n@TITLE=Ttl\r\n"
                              "@ALBUM=Alb\r\n@BGFILE=x.png;%title%_%LYRICS%_%@airtist%_%@TITLE%_%@ALBUM%_%%\r\n"));
  Song("no lyrics");
  EXPECT_EQ(At(0), kWhite);
  EXPECT_EQ(At(5000), kWhite);

  Song("timed");
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

  Song("own", L"Song");
  EXPECT_EQ(At(0), kGreen);
  Song("timed");  // the setting's folder again
  EXPECT_EQ(At(0), kRed);
}

TEST_F(Pictures, ARandomPickStaysAmongTheMatchingPictures) {
  Picture("pick1.bmp", kRed), Picture("pick2.bmp", kGreen), Picture("pick3.jpeg", kBlue);
  Picture("pick4.gif", kWhite), Picture("pack.bmp", kWhite);
  ::SetFileAttributesW(ToWide(Picture("pick5.bmp", kWhite)).c_str(), FILE_ATTRIBUTE_HIDDEN);
  Settings.WriteString("BkGndImageFilename", "PICK*");
  std::set<std::uint32_t> seen;
  for (int i = 0; i < 16; ++i) {
    Song("song" + std::to_string(i));  // each new song picks again
    seen.insert(At(0));
  }
  EXPECT_TRUE(seen.size() >= 2 && !seen.count(kWhite) && !seen.count(kNone)) << seen.size();
}

TEST_F(Pictures, FoldersAndNamesOutsideTheCodePageAreFound) {
  const std::wstring folder = ToWide(Dir.path()) + L"\\caf\u00E9";  // é, ā: no CP932 spelling
  ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
  for (const wchar_t* name : {L"\\\u00E9t\u00E9.bmp", L"\\\u0101.bmp"})
    ASSERT_TRUE(::CopyFileW(ToWide(Picture("green.bmp", kGreen)).c_str(), (folder + name).c_str(), FALSE));
  ASSERT_EQ(::RegSetValueExW(Settings.CurrentKey(), L"BkGndImageFolder", 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(folder.c_str()), (folder.size() + 1) * 2),
            ERROR_SUCCESS);
  Settings.WriteString("BkGndImageFilename", "%TITLE%");
  Song("a", L"\u00E9t\u00E9");
  EXPECT_EQ(At(0), kGreen);
  Song("b", L"\u0101");
  EXPECT_EQ(At(0), kGreen);
  Song("c", L"green");  // only in the setting's folder, not the test's
  EXPECT_EQ(At(0), kNone);
}

}  // namespace
}  // namespace lumeko
