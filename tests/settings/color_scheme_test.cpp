// The 92-byte colour scheme record, against bytes laid out by hand at the
// record's offsets.
#include <gtest/gtest.h>

#include <memory>

#include "settings/color_scheme.h"

namespace lumeko {
namespace {

// Colour c of the record is 0x00A0c0(c+1); the last carries a system colour's high byte.
std::vector<std::uint8_t> Record(const std::string& name, std::uint8_t style, std::uint8_t effect, std::uint8_t min) {
  std::vector<std::uint8_t> r(92, 0);
  r[0] = static_cast<std::uint8_t>(name.size());
  std::copy(name.begin(), name.begin() + std::min<size_t>(name.size(), 64), r.begin() + 1);
  r[65] = style, r[66] = effect, r[67] = min;
  for (int c = 0; c < 6; ++c) {
    const std::uint32_t v = 0x00A00000u | (0x10u * c) << 8 | (c + 1) | (c == 5 ? 0x80000000u : 0u);
    for (int b = 0; b < 4; ++b) r[68 + 4 * c + b] = static_cast<std::uint8_t>(v >> 8 * b);
  }
  return r;
}

TEST(ColorScheme, ReadsAndWritesTheRecordAsLaidOut) {
  const std::string name = "\x82\x6C\x82\x72 \x96\xBE\x92\xA9";  // ＭＳ 明朝
  const std::vector<std::uint8_t> bytes = Record(name, fs_Bold | fs_StrikeOut, 3, 12);
  const std::optional<TColorScheme> s = DecodeColorScheme(bytes);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Font, (TSetupInfo_Font{name, fs_Bold | fs_StrikeOut, 3, 12}));
  EXPECT_EQ(s->Color, (TSetupInfo_Color{0x00A00001, 0x00A01002, 0x00A02003, 0x00A03004, 0x00A04005, 0x80A05006}));
  const auto again = EncodeColorScheme(*s);
  EXPECT_TRUE(std::equal(again.begin(), again.end(), bytes.begin(), bytes.end()));

  // 64 bytes of name are read whole; a longer name is cut before the
  // character that would not fit.
  EXPECT_EQ(DecodeColorScheme(Record(std::string(64, 'F'), 0, 0, 6))->Font.FontName, std::string(64, 'F'));
  TColorScheme longer = *s;
  longer.Font.FontName = std::string(63, 'x') + "\x96\xBE";
  EXPECT_EQ(DecodeColorScheme(EncodeColorScheme(longer))->Font.FontName, std::string(63, 'x'));
}

TEST(ColorScheme, TakesNothingButARecordAndFixesItsValuesAsALoadWould) {
  const std::vector<std::uint8_t> good = Record("Arial", 0, 0, 6);
  for (size_t size : {0u, 1u, 91u, 93u}) {
    // Exactly as long as the value: reading past it shows under the sanitizers.
    std::unique_ptr<std::uint8_t[]> value(new std::uint8_t[size]());
    std::copy(good.begin(), good.begin() + std::min(size, good.size()), value.get());
    EXPECT_FALSE(DecodeColorScheme(std::span<const std::uint8_t>(value.get(), size))) << size;
  }
  std::vector<std::uint8_t> bad = good;
  bad[0] = 65;
  EXPECT_FALSE(DecodeColorScheme(bad));
  EXPECT_EQ(DecodeColorScheme(Record("", 0xFF, 9, 2))->Font, (TSetupInfo_Font{"Default", 0, 0, 6}));
}

}  // namespace
}  // namespace lumeko
