// The 92-byte colour scheme record, against bytes laid out by hand at the
// record's offsets.
#include <gtest/gtest.h>

#include <memory>

#include "settings/color_scheme.h"

namespace lumeko {
namespace {

std::vector<std::uint8_t> Record(const std::string& name, std::uint8_t style, std::uint8_t effect, std::uint8_t min) {
  std::vector<std::uint8_t> r(92, 0);
  r[0] = static_cast<std::uint8_t>(name.size());
  for (size_t i = 0; i < name.size() && i < 64; ++i) r[1 + i] = static_cast<std::uint8_t>(name[i]);
  r[65] = style, r[66] = effect, r[67] = min;
  for (int c = 0; c < 6; ++c) {  // colour c is 0x00A0c0(c+1), the last a system colour's high byte
    const std::uint32_t v = 0x00A00000u | (0x10u * c) << 8 | (c + 1) | (c == 5 ? 0x80000000u : 0);
    for (int b = 0; b < 4; ++b) r[68 + 4 * c + b] = static_cast<std::uint8_t>(v >> (8 * b));
  }
  return r;
}

TEST(ColorScheme, ReadsAndWritesTheRecordAsLaidOut) {
  const std::string name = "\x82\x6C\x82\x72 \x96\xBE\x92\xA9";  // ＭＳ 明朝
  const std::vector<std::uint8_t> bytes = Record(name, fs_Bold | fs_StrikeOut, 3, 12);
  const std::optional<TColorScheme> s = DecodeColorScheme(bytes);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Font, (TSetupInfo_Font{name, fs_Bold | fs_StrikeOut, 3, 12}));
  EXPECT_EQ(s->Color.ActiveColor, 0x00A00001u);
  EXPECT_EQ(s->Color.StillNotActiveColor, 0x00A01002u);
  EXPECT_EQ(s->Color.InactiveColor, 0x00A02003u);
  EXPECT_EQ(s->Color.ActiveEffectColor, 0x00A03004u);
  EXPECT_EQ(s->Color.ActiveBkGndColor, 0x00A04005u);
  EXPECT_EQ(s->Color.BackgroundColor, 0x80A05006u);
  const auto again = EncodeColorScheme(*s);
  EXPECT_TRUE(std::equal(again.begin(), again.end(), bytes.begin(), bytes.end()));

  // A name of exactly 64 bytes is read whole; a longer one is cut before the
  // character that would not fit.
  const std::string full(64, 'F');
  EXPECT_EQ(DecodeColorScheme(Record(full, 0, 0, 6))->Font.FontName, full);
  TColorScheme longer = *s;
  longer.Font.FontName = std::string(63, 'x') + "\x96\xBE";
  EXPECT_EQ(EncodeColorScheme(longer)[0], 63);
  EXPECT_EQ(DecodeColorScheme(EncodeColorScheme(longer))->Font.FontName, std::string(63, 'x'));
}

TEST(ColorScheme, TakesNothingButARecordAndFixesItsValuesAsALoadWould) {
  const std::vector<std::uint8_t> good = Record("Arial", 0, 0, 6);
  for (size_t size : {0u, 1u, 91u, 93u, 200u}) {
    // Exactly as long as the value: reading past it shows under the sanitizers.
    std::unique_ptr<std::uint8_t[]> value(new std::uint8_t[size]);
    for (size_t i = 0; i < size; ++i) value[i] = i < good.size() ? good[i] : 0;
    EXPECT_FALSE(DecodeColorScheme(std::span<const std::uint8_t>(value.get(), size))) << size;
  }
  std::vector<std::uint8_t> bad = good;
  bad[0] = 65;
  EXPECT_FALSE(DecodeColorScheme(bad));

  const std::optional<TColorScheme> fixed = DecodeColorScheme(Record("", 0xFF, 9, 2));
  ASSERT_TRUE(fixed);
  EXPECT_EQ(fixed->Font, (TSetupInfo_Font{"Default", 0, 0, 6}));
}

}  // namespace
}  // namespace lumeko
