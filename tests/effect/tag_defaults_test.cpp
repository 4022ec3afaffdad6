// The tag-defaults file: upper-cased, sorted, one line a name.
#include "effect/tag_defaults.h"

#include <gtest/gtest.h>

#include "test_support/scratch.h"

namespace lumeko {
namespace {

TEST(TagDefaults, FileBesideTheModuleIsNamedAfterIt) {
  EXPECT_EQ(TagFilePathFor("C:\\Program Files\\Lumeko\\VizLumeko.dll"), "C:\\Program Files\\Lumeko\\VizLumeko.@tag");
  EXPECT_EQ(TagFilePathFor("C:\\a.b\\module"), "C:\\a.b\\module.@tag");  // a dot in a folder is no extension
  // 表 ends in the byte of '\'; the name part is found all the same.
  EXPECT_EQ(TagFilePathFor("D:\\\x95\x5C.dir\\\x95\x5C.dll"), "D:\\\x95\x5C.dir\\\x95\x5C.@tag");
}

TEST(TagDefaults, LinesAreUpperCasedSortedAndTheFirstOfEachNameKept) {
  test::ScratchDir dir("tags");
  const std::string path = dir / "VizLumeko.@tag";
  EXPECT_FALSE(ReadTagDefaults(path).has_value());

  // Full-width ａ is raised to Ａ; the second byte of ソ (0x5C) is left alone.
  test::WriteFile(path, "@offset=200\r\n@BGFILE=x.jpg\r\n\r\n@OFFSET=100\n@title=\x83\x5C\x82\x81\r\n@BGFOLDER\n");
  auto tags = ReadTagDefaults(path);
  ASSERT_TRUE(tags.has_value());
  EXPECT_EQ(*tags, (std::vector<std::string>{"@BGFILE=X.JPG", "@BGFOLDER", "@OFFSET=100",
                                             "@TITLE=\x83\x5C\x82\x60"}));
  EXPECT_EQ(TagEntryName("@OFFSET=100"), "@OFFSET");
  EXPECT_EQ(TagEntryName("@BGFOLDER"), "@BGFOLDER");

  // As the effect object holds them: a tag list, the valueless line left out.
  auto list = LoadTagDefaults(dir / "VizLumeko.dll");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->Count(), 3);
  EXPECT_EQ(list->Values("@OFFSET"), "100");
  EXPECT_EQ(list->Values("@BGFILE"), "X.JPG");
  EXPECT_FALSE(list->Has("@BGFOLDER"));
  EXPECT_EQ(LoadTagDefaults(dir / "Other.dll"), nullptr);

  test::WriteFile(path, "");
  ASSERT_TRUE(ReadTagDefaults(path).has_value());
  EXPECT_TRUE(ReadTagDefaults(path)->empty());
}

}  // namespace
}  // namespace lumeko
