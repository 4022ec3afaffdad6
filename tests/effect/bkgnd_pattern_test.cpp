// Background pattern lists resolved over an in-memory disk: templates,
// extensions, the folder for relative names, wildcards and the random pick.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "effect/bkgnd_pattern.h"

namespace lumeko {
namespace {

char16_t Up(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

// '*' and '?' over names compared without regard to ASCII case.
bool Matches(std::u16string_view mask, std::u16string_view name) {
  if (mask.empty()) return name.empty();
  if (mask[0] == u'*') return Matches(mask.substr(1), name) || (!name.empty() && Matches(mask, name.substr(1)));
  return !name.empty() && (mask[0] == u'?' || Up(mask[0]) == Up(name[0])) && Matches(mask.substr(1), name.substr(1));
}

class TMemoryPictures final : public TPictureFolders {
 public:
  std::map<std::u16string, std::vector<std::u16string>> Files;  // folder in upper case → names
  std::vector<std::u16string> FindFiles(const std::u16string& folder, const std::u16string& mask) override {
    std::vector<std::u16string> out;
    for (const std::u16string& n : Files[Upper(folder)])
      if (Matches(mask, n)) out.push_back(n);
    return out;
  }
  bool FolderExists(const std::u16string& folder) override { return Files.count(Upper(folder)) > 0; }
  std::u16string CurrentDirectory() override { return u"D:\\Work"; }
  static std::u16string Upper(std::u16string s) {
    for (char16_t& c : s) c = Up(c);
    return s;
  }
};

TEST(BkGndTemplates, ReplacesEveryTemplateAndKeepsTheValuesCase) {
  const TBkGndTemplates v{u"Song 100%", u"yoake", u"Artist", u"Title", u"Album"};
  EXPECT_EQ(ExpandBkGndTemplates(u"bg\\%title%-%Lyrics%_%@AIRTIST%_%@title%_%@album%_%%_50%.jpg", v),
            u"BG\\Song 100%-yoake_Artist_Title_Album_%_50.JPG");
  EXPECT_EQ(ExpandBkGndTemplates(u"%%TITLE%%", v), u"%TITLE%");
  EXPECT_EQ(ExpandBkGndTemplates(u"%NOPE%x%", v), u"NOPEX");
  // A value is never read again as a template; TITLE goes first, so its
  // closing sign is taken before LYRICS can use it.
  EXPECT_EQ(ExpandBkGndTemplates(u"%TITLE%", {u"%LYRICS%", u"x"}), u"%LYRICS%");
  EXPECT_EQ(ExpandBkGndTemplates(u"%LYRICS%TITLE%", {u"t", u"l"}), u"LYRICSt");
}

TEST(BkGndPattern, FindsPicturesByTemplateExtensionFolderAndWildcard) {
  TMemoryPictures disk;
  disk.Files[u"C:\\BG\\"] = {u"SONG.BMP", u"song.jpg", u"Song.jpeg", u"SONG.PNG", u"a.gif", u"50.jpg",
                             u"Mr. Blue.bmp", u"caf\u00E9.jpg"};
  disk.Files[u"C:\\BG\\SUB\\"] = {u"x.bmp"};
  disk.Files[u"E:\\PICS\\"] = {u"e.jpg"};
  disk.Files[u"D:\\"] = {};
  disk.Files[u"D:\\WORK\\"] = {u"here.jpg"};
  std::vector<size_t> counts;
  const auto resolve = [&](std::u16string_view list, std::u16string title = u"", std::u16string folder = u"C:\\BG",
                           size_t pick = 0) {
    return ResolveBkGndPattern(folder, list, {title}, disk, [&](size_t n) { return counts.push_back(n), pick; });
  };
  // No extension: any picture of that name, one at random; the PNG never counts.
  std::set<std::u16string> picked;
  for (size_t i = 0; i < 3; ++i) picked.insert(resolve(u"%TITLE%", u"Song", u"C:\\BG", i));
  EXPECT_EQ(picked, (std::set<std::u16string>{u"C:\\BG\\SONG.BMP", u"C:\\BG\\song.jpg", u"C:\\BG\\Song.jpeg"}));
  EXPECT_EQ(counts, (std::vector<size_t>{3, 3, 3}));

  EXPECT_EQ(resolve(u"%TITLE%.PNG", u"Song"), u"");
  EXPECT_EQ(resolve(u"*.GIF;*.JPEG"), u"C:\\BG\\Song.jpeg");  // the first names no picture type
  EXPECT_EQ(resolve(u"50%.jpg"), u"C:\\BG\\50.jpg");
  EXPECT_EQ(resolve(u";;sub\\*;"), u"C:\\BG\\SUB\\x.bmp");
  EXPECT_EQ(resolve(u"E:\\Pics\\*.jpg"), u"E:\\PICS\\e.jpg");  // absolute: the folder plays no part
  EXPECT_EQ(resolve(u"%TITLE%", u"caf\u00E9"), u"C:\\BG\\caf\u00E9.jpg");
  // A dot inside an inserted value is no extension of the pattern.
  EXPECT_EQ(resolve(u"%TITLE%", u"Mr. Blue"), u"C:\\BG\\Mr. Blue.bmp");
  EXPECT_EQ(resolve(u"%TITLE%.jpg", u"Mr. Blue"), u"");
  // Without the folder: the current directory; an empty folder is its drive's root.
  EXPECT_EQ(resolve(u"here", u"", u"C:\\Missing"), u"D:\\Work\\here.jpg");
  EXPECT_EQ(resolve(u"Work\\here", u"", u""), u"D:\\WORK\\here.jpg");
  EXPECT_EQ(counts.size(), 3u);  // a single match is no pick
}

}  // namespace
}  // namespace lumeko
