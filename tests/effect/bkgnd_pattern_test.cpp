// Background pattern lists resolved over an in-memory disk: templates,
// extensions, the folder for relative names, wildcards and the random pick.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "effect/bkgnd_pattern.h"

namespace lumeko {
namespace {

std::u16string Upper(std::u16string s) {
  for (char16_t& c : s)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return s;
}

// '*' and '?' over names compared without regard to ASCII case: the file
// system's rule for the masks used here.
bool Matches(std::u16string_view mask, std::u16string_view name) {
  if (mask.empty()) return name.empty();
  if (mask[0] == u'*') return Matches(mask.substr(1), name) || (!name.empty() && Matches(mask, name.substr(1)));
  if (name.empty()) return false;
  if (mask[0] != u'?' && Upper(std::u16string(1, mask[0])) != Upper(std::u16string(1, name[0]))) return false;
  return Matches(mask.substr(1), name.substr(1));
}

class TMemoryPictures final : public TPictureFolders {
 public:
  std::map<std::u16string, std::vector<std::u16string>> Files;  // upper-cased folder → names
  std::u16string Current = u"D:\\Work\\";
  std::vector<std::u16string> FindFiles(const std::u16string& folder, const std::u16string& mask) override {
    std::vector<std::u16string> out;
    auto it = Files.find(Upper(folder));
    if (it != Files.end())
      for (const std::u16string& n : it->second)
        if (Matches(mask, n)) out.push_back(n);
    return out;
  }
  bool FolderExists(const std::u16string& folder) override { return Files.count(Upper(folder)) > 0; }
  std::u16string CurrentDirectory() override { return Current; }
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

class BkGndPattern : public ::testing::Test {
 protected:
  void SetUp() override {
    disk_.Files[u"C:\\BG\\"] = {u"SONG.BMP", u"song.jpg", u"Song.jpeg", u"SONG.PNG", u"a.gif", u"b.JPG",
                                u"50.jpg", u"Mr. Blue.bmp", u"%TITLE%.bmp", u"caf\u00E9.jpg"};
    disk_.Files[u"C:\\BG\\SUB\\"] = {u"x.bmp"};
    disk_.Files[u"E:\\PICS\\"] = {u"e.jpg"};
    disk_.Files[u"D:\\"] = {};
    disk_.Files[u"D:\\WORK\\"] = {u"here.jpg"};
    disk_.Files[u"C:\\BILDER-\u00C9\\"] = {u"\u00E9t\u00E9.bmp"};
  }
  std::u16string Resolve(std::u16string_view list, const TBkGndTemplates& v = {}, std::u16string folder = u"C:\\BG",
                         size_t pickIndex = 0) {
    return ResolveBkGndPattern(folder, list, v, disk_, [&](size_t n) {
      counts_.push_back(n);
      return pickIndex;
    });
  }
  TMemoryPictures disk_;
  std::vector<size_t> counts_;
};

TEST_F(BkGndPattern, FindsPicturesByTemplateExtensionAndWildcard) {
  const TBkGndTemplates song{u"Song"};
  // No extension: any picture of that name; the PNG never counts.
  std::set<std::u16string> picked;
  for (size_t i = 0; i < 3; ++i) picked.insert(Resolve(u"%TITLE%", song, u"C:\\BG", i));
  EXPECT_EQ(picked, (std::set<std::u16string>{u"C:\\BG\\SONG.BMP", u"C:\\BG\\song.jpg", u"C:\\BG\\Song.jpeg"}));
  EXPECT_EQ(counts_, (std::vector<size_t>{3, 3, 3}));

  EXPECT_EQ(Resolve(u"%TITLE%.PNG", song), u"");
  EXPECT_EQ(Resolve(u"*.GIF;*.JPEG"), u"C:\\BG\\Song.jpeg");  // the first pattern names no picture type
  EXPECT_EQ(Resolve(u";;%TITLE%.bmp;"), u"");             // no title: ".bmp" alone matches nothing
  EXPECT_EQ(Resolve(u"50%.jpg"), u"C:\\BG\\50.jpg");
  EXPECT_EQ(Resolve(u"%%TITLE%%"), u"C:\\BG\\%TITLE%.bmp");
  EXPECT_EQ(Resolve(u"sub\\*"), u"C:\\BG\\SUB\\x.bmp");
  EXPECT_EQ(Resolve(u"..\\BG\\sub\\X.BMP"), u"C:\\BG\\SUB\\x.bmp");
  EXPECT_EQ(Resolve(u"E:\\Pics\\*.jpg"), u"E:\\PICS\\e.jpg");   // absolute: the folder plays no part
  EXPECT_EQ(Resolve(u"nothing;missing\\a.jpg"), u"");
  // A dot inside an inserted value is no extension of the pattern.
  EXPECT_EQ(Resolve(u"%TITLE%", {u"Mr. Blue"}), u"C:\\BG\\Mr. Blue.bmp");
  EXPECT_EQ(Resolve(u"%TITLE%.jpg", {u"Mr. Blue"}), u"");
}

TEST_F(BkGndPattern, TakesRelativeNamesFromTheCurrentDirectoryWithoutAFolder) {
  EXPECT_EQ(Resolve(u"here", {}, u"C:\\Missing"), u"D:\\Work\\here.jpg");
  EXPECT_EQ(Resolve(u"\\BG\\b", {}, u""), u"");  // D:\BG\: the current drive's root
  EXPECT_EQ(Resolve(u"Work\\here", {}, u""), u"D:\\WORK\\here.jpg");
  EXPECT_TRUE(counts_.empty());  // one match each: no pick
}

TEST_F(BkGndPattern, NamesOutsideTheCodePageResolveWhole) {
  EXPECT_EQ(Resolve(u"%TITLE%", {u"caf\u00E9"}), u"C:\\BG\\caf\u00E9.jpg");
  EXPECT_EQ(Resolve(u"*.bmp", {}, u"C:\\Bilder-\u00C9"), u"C:\\Bilder-\u00C9\\\u00E9t\u00E9.bmp");
}

}  // namespace
}  // namespace lumeko
