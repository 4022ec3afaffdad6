#include "platform/cp932.h"

#include <gtest/gtest.h>

namespace lumeko {
namespace {

TEST(Cp932, LeadBytesAreFixedToCodePage932) {
  EXPECT_FALSE(IsLeadByte(static_cast<unsigned char>(0x80)));
  EXPECT_TRUE(IsLeadByte(static_cast<unsigned char>(0x81)));
  EXPECT_TRUE(IsLeadByte(static_cast<unsigned char>(0x9F)));
  EXPECT_FALSE(IsLeadByte(static_cast<unsigned char>(0xA0)));  // half-width kana
  EXPECT_FALSE(IsLeadByte(static_cast<unsigned char>(0xDF)));
  EXPECT_TRUE(IsLeadByte(static_cast<unsigned char>(0xE0)));
  EXPECT_TRUE(IsLeadByte(static_cast<unsigned char>(0xFC)));
  EXPECT_FALSE(IsLeadByte(static_cast<unsigned char>(0xFD)));
  EXPECT_EQ(CharLength("\x82", 0), 1u);  // a lone lead byte at the end
  EXPECT_EQ(CharLength("\x82\xA0", 0), 2u);
}

TEST(Cp932, RoundTripsJapaneseThroughUtf16AndUtf8) {
  const std::string sjis = "\x82\xA0\x83\x41\xB1 ABC \x8A\xBF\x8E\x9A\x81\x5F";  // あア ｱ ABC 漢字 ＼
  const std::string utf8 = "\xE3\x81\x82\xE3\x82\xA2\xEF\xBD\xB1 ABC \xE6\xBC\xA2\xE5\xAD\x97\xEF\xBC\xBC";
  EXPECT_EQ(Cp932ToUtf8(sjis), utf8);
  EXPECT_EQ(Utf8ToCp932(utf8), sjis);
  EXPECT_EQ(Utf16ToCp932(Cp932ToUtf16(sjis)), sjis);
  EXPECT_EQ(Cp932ToUtf16("\x82\xA0"), std::u16string(u"\u3042"));
  // 0x5C stays a backslash in code page 932 (paths depend on it).
  EXPECT_EQ(Cp932ToUtf16("C:\\x"), std::u16string(u"C:\\x"));
}

TEST(Cp932, BadBytesAreReplacedNotFatal) {
  EXPECT_FALSE(Cp932ToUtf16("a\x82").empty());
  EXPECT_EQ(Cp932ToUtf16("a\x82")[0], u'a');
  EXPECT_EQ(Utf16ToCp932(u"a\u00E9b").front(), 'a');
  EXPECT_EQ(Utf16ToCp932(u"a\u00E9b").back(), 'b');
  EXPECT_EQ(Cp932ToUtf8(""), "");
}

}  // namespace
}  // namespace lumeko
