// Background pictures through the real DLL, read back from frame pixels:
// the picture setting, a song's own picture tags at their times and after
// seeking, the song's folder over the setting's, templates, the random pick
// and names that code page 932 cannot spell.
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

using host::PlayerHost;

constexpr int kW = 32, kH = 18;
constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;
constexpr std::uint32_t kNone = 0x000000;  // BackgroundColor: no picture

// A 24-bit BMP of the frame's size in one colour (0x00RRGGBB).
std::string SolidBmp(std::uint32_t rgb) {
  const int row = (kW * 3 + 3) & ~3;
  std::string d(54 + row * kH, '\0');
  auto put = [&](size_t at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) d[at + i] = static_cast<char>(v >> (8 * i));
  };
  d[0] = 'B', d[1] = 'M';
  put(2, static_cast<std::uint32_t>(d.size()), 4), put(10, 54, 4), put(14, 40, 4), put(18, kW, 4), put(22, kH, 4);
  put(26, 1, 2), put(28, 24, 2);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) put(54 + y * row + x * 3, rgb, 3);  // B, G, R
  return d;
}

class Pictures : public test::RegistryTest {
 protected:
  void SetUp() override {
    test::RegistryTest::SetUp();
    // Exact colours: no tint, the picture at its own size over black.
    Set("BackgroundColor", 0);
    Set("BkGndImageBlend", 0);
    Set("BkGndImageDrawMode", 4);
  }
  void Set(const char* name, std::int32_t v) { Reg().WriteInteger(name, v); }
  void Set(const char* name, const std::string& v) { Reg().WriteString(name, v); }
  // A string setting in UTF-16, for text CP932 cannot spell.
  void SetWide(const char* name, const std::wstring& v) {
    ASSERT_EQ(::RegSetValueExW(Reg().CurrentKey(), ToWide(name).c_str(), 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(v.c_str()), static_cast<DWORD>((v.size() + 1) * 2)),
              ERROR_SUCCESS);
  }
  TRegistryEx& Reg() {
    if (!reg_.CurrentKey()) {
      EXPECT_TRUE(reg_.OpenKey(kSettingsKey, true));
    }
    return reg_;
  }
  std::string Picture(const std::string& name, std::uint32_t rgb, const std::string& folder = "") {
    const std::string path = (folder.empty() ? dir_.path() : folder) + "\\" + name;
    EXPECT_TRUE(test::WriteFile(path, SolidBmp(rgb)));
    return path;
  }
  void Load() { ASSERT_EQ(host_.Load(PlayerHost::DefaultEffectPath()), S_OK); }
  // A new song: lyrics are looked for beside dir_\<name>.mp3.
  void Play(const std::string& name, const std::wstring& title = L"title") {
    ASSERT_EQ(host_.NotifyNewMedia(ToWide(dir_ / (name + ".mp3")), title), S_OK);
  }
  std::uint32_t At(long long ms) {
    const host::Frame f = host_.RenderFrame(kW, kH, play_state, ms * 10000);
    EXPECT_EQ(f.Result, S_OK);
    return f.Result == S_OK ? f.Pixel(kW / 2, kH / 2) : 0xDEAD;
  }

  TRegistryEx reg_{HKEY_CURRENT_USER};
  test::ScratchDir dir_{"pictures"};
  PlayerHost host_;
};

TEST_F(Pictures, TheSettingAndTheSongsTagsShowTheirPicturesAtTheirTimes) {
  Set("BkGndImageFilename", Picture("setting.bmp", kWhite));
  Set("BkGndImageFolder", dir_.path());
  Picture("red.bmp", kRed), Picture("green.bmp", kGreen), Picture("blue.bmp", kBlue);
  ASSERT_TRUE(test::WriteFile(dir_ / "timed.kra",
                              "@BGFILE=red\r\n@BGFILEEX<00:02:00>=green.bmp\r\n@BGFILEEX<00:04:00>=*lue.*\r\n"));
  Load();
  Play("no lyrics");
  EXPECT_EQ(At(0), kWhite);
  EXPECT_EQ(At(5000), kWhite);

  Play("timed");
  EXPECT_EQ(At(0), kRed);
  EXPECT_EQ(At(1990), kRed);
  EXPECT_EQ(At(2000), kGreen);
  EXPECT_EQ(At(4500), kBlue);
  // Back: the queue is refilled after that frame, and the next one shows the
  // picture of the new position; forward past a change takes the latest.
  At(1000);
  EXPECT_EQ(At(1040), kRed);
  EXPECT_EQ(At(4100), kBlue);
  At(0);
  EXPECT_EQ(host_.RenderFrame(kW, kH, stop_state, 0).Pixel(kW / 2, kH / 2), kRed);
  EXPECT_EQ(At(2500), kGreen);
}

TEST_F(Pictures, TheSongsFolderReplacesTheSettingsForThatSongAlone) {
  const std::string other = dir_ / "other";
  ASSERT_TRUE(test::MakeDir(other));
  Picture("pic.bmp", kRed);
  Picture("pic.bmp", kGreen, other);
  Set("BkGndImageFolder", dir_.path());
  ASSERT_TRUE(test::WriteFile(dir_ / "own.kra", "@BGFOLDER=" + other + "\r\n@BGFILE=pic\r\n"));
  ASSERT_TRUE(test::WriteFile(dir_ / "plain.kra", "@BGFILE=pic\r\n"));
  Load();
  Play("own");
  EXPECT_EQ(At(0), kGreen);
  Play("plain");
  EXPECT_EQ(At(0), kRed);
}

TEST_F(Pictures, TemplatesTakeTheTitleTheLyricsNameAndTheTags) {
  Picture("Song_lyr_Art_Ttl_Alb_%.bmp", kBlue);
  Set("BkGndImageFolder", dir_.path());
  Set("BkGndImageFilename", "x.png;%title%_%LYRICS%_%@airtist%_%@TITLE%_%@ALBUM%_%%");
  ASSERT_TRUE(test::WriteFile(dir_ / "lyr.kra", "@AIRTIST=Art\r\n@TITLE=Ttl\r\n@ALBUM=Alb\r\n"));
  Load();
  Play("lyr", L"Song");
  EXPECT_EQ(At(0), kBlue);
  Play("no lyrics", L"Song");  // the same title without the song's name and tags
  EXPECT_EQ(At(0), kNone);
}

TEST_F(Pictures, ARandomPickStaysAmongTheMatchingPictures) {
  Picture("pick1.bmp", kRed), Picture("pick2.bmp", kGreen), Picture("pick3.jpeg", kBlue);
  Picture("pick4.gif", kWhite), Picture("pack.bmp", kWhite);
  ::SetFileAttributesW(ToWide(Picture("pick5.bmp", kWhite)).c_str(), FILE_ATTRIBUTE_HIDDEN);
  Set("BkGndImageFolder", dir_.path());
  Set("BkGndImageFilename", "PICK*");
  Load();
  std::set<std::uint32_t> seen;
  for (int i = 0; i < 16; ++i) {
    Play("song" + std::to_string(i));  // each new song picks again
    const std::uint32_t p = At(0);
    EXPECT_TRUE(p == kRed || p == kGreen || p == kBlue) << std::hex << p;
    seen.insert(p);
  }
  EXPECT_GE(seen.size(), 2u);
}

TEST_F(Pictures, FoldersAndNamesOutsideTheCodePageAreFound) {
  const std::wstring folder = ToWide(dir_.path()) + L"\\caf\u00E9";  // é: no CP932 spelling
  ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
  const std::string bmp = SolidBmp(kGreen);
  for (const wchar_t* name : {L"\\\u00E9t\u00E9.bmp", L"\\\u0101.bmp"}) {
    const HANDLE h = ::CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(h, bmp.data(), static_cast<DWORD>(bmp.size()), &written, nullptr);
    ::CloseHandle(h);
  }
  SetWide("BkGndImageFolder", folder);
  Set("BkGndImageFilename", "%TITLE%");
  Load();
  Play("a", L"\u00E9t\u00E9");
  EXPECT_EQ(At(0), kGreen);
  Play("b", L"\u0101");
  EXPECT_EQ(At(0), kGreen);
  Play("c", L"none");
  EXPECT_EQ(At(0), kNone);
}

}  // namespace
}  // namespace lumeko
