// Folder, name and extension of CP932 paths, whose '\' may be a trail byte.
#include "platform/path_parts.h"

#include <gtest/gtest.h>

namespace lumeko {
namespace {

TEST(PathParts, SplitOnlyAtRealSeparators) {
  const std::string omote = "\x95\x5C";                 // 表 ends in the byte of '\'
  const std::string path = "C:\\\x8B\xC8\\" + omote + ".mp3";  // C:\曲\表.mp3
  EXPECT_EQ(FileNameOf(path), omote + ".mp3");
  EXPECT_EQ(BaseNameOf(path), omote);
  EXPECT_EQ(ExtensionOf(path), ".mp3");
  EXPECT_EQ(FolderOf(path), "C:\\\x8B\xC8\\");
  EXPECT_EQ(WithExtension(path, ".@tag"), "C:\\\x8B\xC8\\" + omote + ".@tag");

  // A dot in a folder is no extension; a name without one gets it appended.
  EXPECT_EQ(ExtensionOf("C:\\a.b\\song"), "");
  EXPECT_EQ(WithExtension("C:\\a.b\\song", ".kra"), "C:\\a.b\\song.kra");
  EXPECT_EQ(BaseNameOf("D:song.lrc"), "song");
  // A web address keeps its slashes in the name: it names no local file.
  EXPECT_EQ(FileNameOf("http://example.org/a/Track01.mp3"), "//example.org/a/Track01.mp3");
  EXPECT_EQ(FileNameOf(""), "");
  EXPECT_EQ(FolderOf("name.txt"), "");
}

}  // namespace
}  // namespace lumeko
