// The comma-list reader and dictionary lookup: order decides which group a
// character lands in, multi-character members are found as units only where
// no earlier group claims their first part, and the default dictionary is
// built once and shared.
#include "regex/fuzzy_dictionary.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>
#include <vector>

namespace lumeko {
namespace {

using Items = std::vector<std::string>;

TEST(CommaText, ReadsQuotedUnquotedAndBlankItems) {
  EXPECT_EQ(ReadCommaText("a,b,c"), (Items{"a", "b", "c"}));
  EXPECT_EQ(ReadCommaText("a, b,  c"), (Items{"a", "b", "c"}));  // blanks after a comma
  EXPECT_EQ(ReadCommaText("\",\",\" \",\"\"\"\""), (Items{",", " ", "\""}));
  EXPECT_EQ(ReadCommaText("\"a b, c\"\"d\""), (Items{"a b, c\"d"}));
  EXPECT_EQ(ReadCommaText("a,,b"), (Items{"a", "", "b"}));
  EXPECT_EQ(ReadCommaText("a,"), (Items{"a"}));  // a comma at the very end adds nothing
  EXPECT_EQ(ReadCommaText("a b"), (Items{"a", "b"}));  // an unquoted item ends at a blank
  EXPECT_EQ(ReadCommaText(""), Items{});
  EXPECT_EQ(ReadCommaText("  "), Items{});
  EXPECT_EQ(ReadCommaText("\"open"), (Items{"open"}));  // an unclosed quote runs to the end
}

TEST(CommaText, KeepsDoubleByteCharactersWhole) {
  // ソ and 表 end in 0x5C; ＠ is 0x81 0x97; the full-width space is 0x81 0x40.
  EXPECT_EQ(ReadCommaText("\x83\x5C,\x95\x5C\x81\x97"), (Items{"\x83\x5C", "\x95\x5C\x81\x97"}));
  EXPECT_EQ(ReadCommaText("\x81\x40,\" \""), (Items{"\x81\x40", " "}));
  // A lone lead byte before a closing quote must not swallow the quote's
  // neighbour or read past the end.
  EXPECT_EQ(ReadCommaText("\"\x82"), (Items{"\x82"}));
  EXPECT_EQ(ReadCommaText("\x82"), (Items{"\x82"}));
}

TEST(CommaText, StopsAtAnEmbeddedNul) {
  EXPECT_EQ(ReadCommaText(std::string_view("a,b\0c,d", 7)), (Items{"a", "b"}));
}

// Looks text up in d and gives the group and the member length in characters,
// or (-1, 0).
std::pair<int, size_t> Lookup(const TREDictionary& d, std::string_view text) {
  const std::vector<std::uint16_t> codes = CharCodes(text);
  TREDictionary::Found f{};
  if (!d.Find(codes.data(), codes.size(), f)) return {-1, 0};
  return {static_cast<int>(f.group), f.length};
}

TEST(DictionaryLookup, FirstGroupAndLongestPrefixRulesFollowOrder) {
  const TREDictionary d({{"ab", "x"}, {"a", "abc"}, {"", "q"}, {"abc"}});
  EXPECT_EQ(Lookup(d, "abc"), std::make_pair(0, size_t{2}));  // group 0 comes first
  EXPECT_EQ(Lookup(d, "a"), std::make_pair(1, size_t{1}));    // "ab" does not fit in one
  EXPECT_EQ(Lookup(d, "ac"), std::make_pair(1, size_t{1}));
  EXPECT_EQ(Lookup(d, "q"), std::make_pair(2, size_t{1}));    // the empty member is skipped
  EXPECT_EQ(Lookup(d, "z"), std::make_pair(-1, size_t{0}));
  EXPECT_EQ(Lookup(d, ""), std::make_pair(-1, size_t{0}));
  // The member order inside a group does not matter for the lookup's answer
  // as long as one fits; an earlier group with a shorter member does.
  const TREDictionary longFirst({{"a"}, {"ab"}});
  EXPECT_EQ(Lookup(longFirst, "ab"), std::make_pair(0, size_t{1}));
}

TEST(DictionaryLookup, DoubleByteMembersCompareByCharacterNotByte) {
  // ア is 0x83 0x41: its trail byte is "A" but the character is not.
  const TREDictionary d({{"A"}, {"\x83\x41"}});
  EXPECT_EQ(Lookup(d, "\x83\x41"), std::make_pair(1, size_t{1}));
  EXPECT_EQ(Lookup(d, "A"), std::make_pair(0, size_t{1}));
}

TEST(DefaultDictionary, HasTheGroupsInTheirOrderAndIsBuiltOnce) {
  const TREDictionary& d = DefaultFuzzyCharDic();
  ASSERT_EQ(d.Groups().size(), 145u);
  EXPECT_EQ(&d, &DefaultFuzzyCharDic());
  // Every member is found, and where it is found is a group that really holds
  // a member of that spelling (or a prefix of it, for the multi-character ones).
  for (size_t g = 0; g < d.Groups().size(); ++g)
    for (const std::string& m : d.Groups()[g]) {
      const auto [found, length] = Lookup(d, m);
      ASSERT_GE(found, 0) << "group " << g;
      ASSERT_LE(found, static_cast<int>(g));
      const std::vector<std::uint16_t> codes = CharCodes(m);
      bool holds = false;
      for (const std::string& other : d.Groups()[found])
        holds |= CharCodes(other) == std::vector<std::uint16_t>(codes.begin(), codes.begin() + length);
      EXPECT_TRUE(holds) << "group " << g;
    }
}

TEST(DefaultDictionary, ResolvesSharedAndMultiCharacterMembersByOrder) {
  const TREDictionary& d = DefaultFuzzyCharDic();
  EXPECT_EQ(Lookup(d, "\x81\x5B").first, 48);            // ー: the long-vowel group before the dash one
  EXPECT_EQ(Lookup(d, "-").first, 49);
  EXPECT_EQ(Lookup(d, "\x82\xA9\x81\x4A"), std::make_pair(73, size_t{2}));  // か゛ as one unit
  EXPECT_EQ(Lookup(d, "\x82\xA9"), std::make_pair(101, size_t{1}));          // か alone
  EXPECT_EQ(Lookup(d, "\x82\xA4\x82\x9F"), std::make_pair(98, size_t{1}));   // うぁ: う wins
  EXPECT_EQ(Lookup(d, "\x83\x94\x83\x40"), std::make_pair(86, size_t{2}));   // ヴァ
  EXPECT_EQ(Lookup(d, "\xB6\xDE"), std::make_pair(73, size_t{2}));           // ｶﾞ
  EXPECT_EQ(Lookup(d, "\xDE"), std::make_pair(143, size_t{1}));              // ﾞ alone
  EXPECT_EQ(Lookup(d, "\x8A\xBF").first, -1);                                // 漢
}

TEST(DefaultDictionary, StartsOnceUnderConcurrentFirstUse) {
  std::vector<std::future<const TREDictionary*>> askers;
  for (int i = 0; i < 8; ++i)
    askers.push_back(std::async(std::launch::async, [] { return &DefaultFuzzyCharDic(); }));
  const TREDictionary* first = askers[0].get();
  for (size_t i = 1; i < askers.size(); ++i) EXPECT_EQ(askers[i].get(), first);
  EXPECT_EQ(first->Groups().size(), 145u);
}

}  // namespace
}  // namespace lumeko
