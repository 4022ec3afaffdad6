// The tag-defaults file: upper-cased, sorted, one line a name.
#include "effect/tag_defaults.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/unique_handle.h"
#include "platform/wide.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace {

TEST(TagDefaults, FileBesideTheModuleIsNamedAfterIt) {
  EXPECT_EQ(TagFilePathFor(L"C:\\Program Files\\Lumeko\\VizLumeko.dll"), L"C:\\Program Files\\Lumeko\\VizLumeko.@tag");
  EXPECT_EQ(TagFilePathFor(L"C:\\a.b\\module"), L"C:\\a.b\\module.@tag");  // a dot in a folder is no extension
  // A folder that CP932 cannot spell (Hangul) keeps its name.
  EXPECT_EQ(TagFilePathFor(L"D:\\\uBC24.dir\\\u8868.dll"), L"D:\\\uBC24.dir\\\u8868.@tag");
}

TEST(TagDefaults, LinesAreUpperCasedSortedAndTheFirstOfEachNameKept) {
  test::ScratchDir dir("tags");
  // In a folder named outside CP932, found through its UTF-16 path.
  const std::wstring folder = ToWide(dir.path()) + L"\\\uBC24\uD3B8\uC9C0";
  ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring path = folder + L"\\VizLumeko.@tag";
  const auto write = [&](const std::string& text) {
    UniqueFileHandle f(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD n = 0;
    ASSERT_TRUE(f && ::WriteFile(f.get(), text.data(), static_cast<DWORD>(text.size()), &n, nullptr));
  };
  EXPECT_FALSE(ReadTagDefaults(path).has_value());

  // Full-width ａ is raised to Ａ; the second byte of ソ (0x5C) is left alone.
  write("@offset=200\r\n@BGFILE=x.jpg\r\n\r\n@OFFSET=100\n@title=\x83\x5C\x82\x81\r\n@BGFOLDER\n");
  auto tags = ReadTagDefaults(path);
  ASSERT_TRUE(tags.has_value());
  EXPECT_EQ(*tags, (std::vector<std::string>{"@BGFILE=X.JPG", "@BGFOLDER", "@OFFSET=100",
                                             "@TITLE=\x83\x5C\x82\x60"}));
  EXPECT_EQ(TagEntryName("@OFFSET=100"), "@OFFSET");
  EXPECT_EQ(TagEntryName("@BGFOLDER"), "@BGFOLDER");

  // As the effect object holds them: a tag list, the valueless line left out.
  auto list = LoadTagDefaults(folder + L"\\VizLumeko.dll");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->Count(), 3);
  EXPECT_EQ(list->Values("@OFFSET"), "100");
  EXPECT_EQ(list->Values("@BGFILE"), "X.JPG");
  EXPECT_FALSE(list->Has("@BGFOLDER"));
  EXPECT_EQ(LoadTagDefaults(folder + L"\\Other.dll"), nullptr);

  write("");
  ASSERT_TRUE(ReadTagDefaults(path).has_value());
  EXPECT_TRUE(ReadTagDefaults(path)->empty());
  ::DeleteFileW(path.c_str());
  ::RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace lumeko
