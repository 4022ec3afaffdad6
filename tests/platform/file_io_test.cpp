#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "platform/cp932.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace {

TEST(FileIo, ReadsWholeFilesByJapaneseName) {
  test::ScratchDir dir("fileio");
  const std::string name = dir / "\x89\xCC\x8E\x8C.txt";  // 歌詞.txt
  std::string content("a\0b\r\n\x82\xA0", 7);
  ASSERT_TRUE(test::WriteFile(name, content));
  EXPECT_TRUE(FileExists(name));
  EXPECT_FALSE(FolderExists(name));
  EXPECT_TRUE(FolderExists(dir.path()));
  auto read = ReadWholeFile(name);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(*read, content);
  EXPECT_FALSE(ReadWholeFile(name, 3).has_value());  // over the cap
  EXPECT_FALSE(ReadWholeFile(dir / "missing.txt").has_value());
  EXPECT_FALSE(ReadWholeFile("").has_value());
  EXPECT_FALSE(FileExists(dir / "missing.txt"));
}

}  // namespace
}  // namespace lumeko
