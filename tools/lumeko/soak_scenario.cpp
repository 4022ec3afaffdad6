// The soak's songs, pictures and settings (see soak_scenario.h).
//
// Lyrics are made here rather than read from samples/, so the soak runs
// from an installed tool as well; pictures are encoded here for the same
// reason. Texts are CP932 bytes; "\x95\x5C" (表) has a backslash for its
// second byte, on purpose.
#include "soak_scenario.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "jpeg_writer.h"
#include "platform/unique_handle.h"
#include "platform/wide.h"
#include "settings/settings_store.h"

namespace lumeko::tool {

namespace {

// [mm:ss:cc], or <mm:ss:cc> for picture times.
std::string TimeTag(std::int32_t ms, char open = '[', char close = ']') {
  char t[16];
  std::snprintf(t, sizeof t, "%c%02d:%02d:%02d%c", open, ms / 60000, ms / 1000 % 60, ms / 10 % 100, close);
  return t;
}

const char* const kWords[] = {"\x92\xA9\x82\xCC", "\x8C\xF5", "Tick ", "tock, ", "\x89\xCC\x8E\x8C",
                              "\x82\xA0\x82\xA2\x82\xA4", "\x96\xBE\x93\xFA\x82\xD6", "walking ",
                              "\x96\xE9\x96\xBE\x82\xAF", "\xB6\xC0\xB6\xC5", "\x95\x5C\x8E\xA6"};
constexpr int kWordCount = sizeof kWords / sizeof kWords[0];

std::string Word(int i) { return kWords[i % kWordCount]; }

// Sixteen lines of four words, each word timed: a karaoke file, with a
// picture from the start and four changes.
std::string KaraokeLyrics(const std::string& folder) {
  std::string s = "@TITLE=\x96\xE9\x96\xBE\x82\xAF\r\n@BGFOLDER=" + folder + "\r\n@BGFILE=dawn.bmp\r\n";
  s += "@BGFILEEX" + TimeTag(6000, '<', '>') + "=dusk.jpg\r\n";
  s += "@BGFILEEX" + TimeTag(12000, '<', '>') + "=broken.jpg\r\n";
  s += "@BGFILEEX" + TimeTag(18000, '<', '>') + "=%LYRICS%\r\n";
  s += "@BGFILEEX" + TimeTag(24000, '<', '>') + "=tiny.bmp\r\n";
  for (int line = 0; line < 16; ++line) {
    const std::int32_t start = 1000 + line * 1800;
    for (int w = 0; w < 4; ++w) s += TimeTag(start + w * 350) + Word(line * 3 + w);
    s += TimeTag(start + 1500) + "\r\n";
    if (line % 5 == 4) s += "\r\n";
  }
  return s;
}

// Line tags only, a chorus written once with three times, a line without
// a tag and an empty one; no picture tags, so the setting's pictures show.
std::string LineLyrics() {
  std::string s = "@AIRTIST=\x89\xCC\x8E\x8C\r\n@OFFSET=-200\r\n";
  for (int line = 0; line < 12; ++line) {
    s += TimeTag(500 + line * 2000) + Word(line) + Word(line + 1) + Word(line + 2) + "\n";
    if (line == 5) s += TimeTag(30000) + TimeTag(34000) + TimeTag(38000) + "chorus " + Word(3) + "\n\n";
  }
  s += "no time here\n";
  return s;
}

// No tags at all, one line far wider than any area, and the default
// picture switched off.
std::string PlainLyrics() {
  std::string s = "@BGFILE=\r\n";
  for (int line = 0; line < 10; ++line) s += Word(line) + Word(line + 4) + "\r\n";
  for (int i = 0; i < 40; ++i) s += Word(i);
  return s + "\r\n";
}

// A bottom-up 24-bit BMP of a gradient.
std::string Bmp(int width, int height) {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(stride * height);
  ih.biSize = sizeof ih;
  ih.biWidth = width;
  ih.biHeight = height;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  std::string s(reinterpret_cast<const char*>(&fh), sizeof fh);
  s.append(reinterpret_cast<const char*>(&ih), sizeof ih);
  for (int y = 0; y < height; ++y) {
    std::string row(static_cast<size_t>(stride), '\0');
    for (int x = 0; x < width; ++x) {
      row[x * 3 + 0] = static_cast<char>(x * 255 / width);
      row[x * 3 + 1] = static_cast<char>(y * 255 / height);
      row[x * 3 + 2] = static_cast<char>(0x60);
    }
    s += row;
  }
  return s;
}

std::string Jpeg(int width, int height) {
  std::string rgb(static_cast<size_t>(width) * height * 3, '\0');
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      p[0] = static_cast<char>(200 - y * 2);
      p[1] = static_cast<char>(x * 4);
      p[2] = static_cast<char>(90);
    }
  size_t size = 0;
  unsigned char* out = LumekoEncodeJpeg(reinterpret_cast<const unsigned char*>(rgb.data()), width, height, 85, &size);
  if (!out) throw std::runtime_error("cannot encode the soak's JPEG picture");
  std::string s(reinterpret_cast<const char*>(out), size);
  std::free(out);
  return s;
}

std::wstring TempFolder() {
  wchar_t buf[MAX_PATH + 1];
  const DWORD n = ::GetTempPathW(MAX_PATH + 1, buf);
  if (n == 0 || n > MAX_PATH) throw std::runtime_error("no temporary folder");
  wchar_t name[64];
  std::swprintf(name, 64, L"LumekoSoak-%lu-%lu", ::GetCurrentProcessId(), ::GetTickCount());
  return std::wstring(buf, n) + name;
}

}  // namespace

TSoakFolder::TSoakFolder() {
  const std::wstring wide = TempFolder();
  if (!::CreateDirectoryW(wide.c_str(), nullptr)) throw std::runtime_error("cannot make the soak's folder");
  path_ = FromWide(wide);
  Write("karaoke.kra", KaraokeLyrics(path_));
  Write("lines.lrc", LineLyrics());
  Write("plain.txt", PlainLyrics());
  Write("dawn.bmp", Bmp(64, 40));
  Write("tiny.bmp", Bmp(1, 1));
  Write("dusk.jpg", Jpeg(48, 64));
  Write("broken.jpg", std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10) + std::string(200, '\x5C'));

  const std::wstring dir = wide + L"\\";
  songs_ = {
      {dir + L"karaoke.mp3", L"karaoke", 32000},
      {dir + L"lines.mp3", L"lines", 42000},
      {dir + L"plain.mp3", L"plain", 20000},
      {dir + L"silence.mp3", L"silence", 10000},
      {dir + L"((lines[.mp3", L"((lines[", 10000},             // no valid pattern
      {dir + L"\uB178\uB798.mp3", L"\uB178\uB798", 10000},     // not in code page 932
      {dir + L"karaoke.mp3", L"", 32000},                      // no title: found by the file name
  };
}

TSoakFolder::~TSoakFolder() {
  for (const std::string& f : files_) ::DeleteFileW(ToWide(path_ + "\\" + f).c_str());
  ::RemoveDirectoryW(ToWide(path_).c_str());
}

void TSoakFolder::Write(const std::string& name, const std::string& bytes) {
  files_.push_back(name);
  UniqueFileHandle f(::CreateFileW(ToWide(path_ + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (!f || !::WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size())
    throw std::runtime_error("cannot write the soak's " + name);
}

namespace {

TRegistryEx OpenSettings() {
  TRegistryEx reg(HKEY_CURRENT_USER);
  if (!reg.OpenKey(kSettingsKey, true)) throw std::runtime_error("cannot open the settings key");
  return reg;
}

// Texts worth trying for a string setting; a new one gets the generic list.
std::vector<std::string> TextsFor(const std::string& name, const std::string& folder) {
  if (name == "FontName") return {kDefaultFontName, "IPAGothic", "Tahoma", "No Such Face", "\x95\x5C\x8E\xA6"};
  if (name == "LyricsPath") return {folder, folder + ";C:\\nowhere", "", "C:\\nowhere;" + folder + "\\"};
  if (name == "BkGndImageFilename")
    return {"%LYRICS%;dawn", "*.jpg", "dusk.jpg", "", "%TITLE%.png;tiny.bmp", "broken.jpg", folder + "\\dawn.bmp"};
  if (name == "BkGndImageFolder") return {folder, "", "C:\\nowhere"};
  return {"", folder, "junk"};
}

}  // namespace

void StoreBaselineSettings(const TSoakFolder& folder) {
  TRegistry(HKEY_CURRENT_USER).DeleteKey(kSettingsKey);
  TRegistryEx reg = OpenSettings();
  reg.WriteInteger("Version", kSettingsVersion);
  reg.WriteString("LyricsPath", folder.Path());
  reg.WriteString("BkGndImageFilename", "%LYRICS%;dawn");
  reg.WriteString("BkGndImageFolder", folder.Path());
}

bool StoreRandomSettings(const TSoakFolder& folder, TSoakRandom& random) {
  std::vector<const TSettingDef*> rows;
  for (const TSettingDef& d : SettingTable())
    if (d.Reader == TSettingReader::sr_Load) rows.push_back(&d);
  TRegistryEx reg = OpenSettings();
  bool burden = false;
  for (int n = 1 + static_cast<int>(random.Below(3)); n > 0; --n) {
    const TSettingDef& d = *rows[random.Below(static_cast<std::uint32_t>(rows.size()))];
    TSettingValue v;
    const bool junk = random.OneIn(8);
    switch (d.Kind) {
      case TSettingKind::sk_String: {
        const std::vector<std::string> texts = TextsFor(d.Name, folder.Path());
        v.Text = texts[random.Below(static_cast<std::uint32_t>(texts.size()))];
        break;
      }
      case TSettingKind::sk_Bool: v.Int = static_cast<std::int32_t>(random.Below(2)); break;
      case TSettingKind::sk_Color:
        v.Int = static_cast<std::int32_t>(junk                ? random.Bits()
                                          : random.OneIn(4) ? 0x80000000u | random.Below(31)
                                                            : random.Bits() & 0xFFFFFFu);
        break;
      case TSettingKind::sk_Integer:
      case TSettingKind::sk_Byte: {
        // Near the default where the range is wide: the timings' range
        // reaches 2^31 milliseconds.
        const std::int64_t lo = std::max<std::int64_t>(d.Min, static_cast<std::int64_t>(d.DefaultInt) - 2500);
        const std::int64_t hi = std::min<std::int64_t>(d.Max, static_cast<std::int64_t>(d.DefaultInt) + 2500);
        v.Int = junk ? static_cast<std::int32_t>(random.Bits())
                     : random.Between(static_cast<std::int32_t>(lo), static_cast<std::int32_t>(hi));
        break;
      }
    }
    WriteSettingValue(reg, d, v);
    if (std::string_view(d.Name) == "BurdenReduction" && v.Int) burden = true;
  }
  return burden;
}

}  // namespace lumeko::tool
