// The comma-list reader and dictionary lookup: order decides which group a
// character lands in, multi-character members are found as units only where
// no earlier group claims their first part, and the default dictionary is
// built once and shared. What the default dictionary makes equal is checked
// by matching, in both directions, one pair or more of each kind of group.
#include "regex/fuzzy_dictionary.h"

#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "regex/awk_str.h"

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


std::string J(std::u8string_view utf8) {
  return Utf8ToCp932(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

// Whether the fuzzy pattern for the literal text `pattern` matches all of
// `subject`.
bool FuzzyMatchesWhole(std::u8string_view pattern, std::u8string_view subject) {
  TAWKStr awk;
  awk.SetUseFuzzyCharDic(true);
  std::string anchored = "^";
  anchored.append(EscapeLiteral(J(pattern))).append("$");
  awk.SetRegExp(anchored);
  const std::string text = J(subject);
  int start = 0, length = 0;
  return awk.Match(text, start, length) == 1 && length == static_cast<int>(text.size());
}

struct Pair {
  const char8_t* a;
  const char8_t* b;
};

TEST(FuzzyMatching, EachKindOfGroupMatchesBothWays) {
  const Pair same[] = {
      {u8"A", u8"ａ"}, {u8"z", u8"Ｚ"}, {u8"Lumeko", u8"ＬＵＭＥＫＯ"},            // width and case
      {u8"1", u8"①"}, {u8"2", u8"弐"}, {u8"３", u8"Ⅲ"}, {u8"0", u8"零"},          // number forms
      {u8" ", u8"　"}, {u8"!", u8"！"}, {u8"\"", u8"”"}, {u8"'", u8"’"},        // spaces and symbols
      {u8"(", u8"（"}, {u8"[", u8"〔"}, {u8"\\", u8"￥"}, {u8"~", u8"￣"},
      {u8"@", u8"＠"}, {u8",", u8"、"}, {u8".", u8"。"}, {u8"「", u8"『"}, {u8"」", u8"｣"},
      {u8"・", u8"･"},
      {u8"あ", u8"ｧ"}, {u8"つ", u8"ッ"}, {u8"よ", u8"ｮ"}, {u8"ん", u8"ﾝ"},      // kana and small kana
      {u8"か", u8"ｶ"}, {u8"ほしぞら", u8"ﾎｼｿﾞﾗ"},
      {u8"が", u8"か゛"}, {u8"ガ", u8"ｶﾞ"}, {u8"じ", u8"ヂ"}, {u8"ず", u8"ツ゛"},  // voiced forms
      {u8"ぱ", u8"ﾊﾟ"}, {u8"ポ", u8"ほ゜"},                                      // half-voiced forms
      {u8"ば", u8"ヴァ"}, {u8"ぶ", u8"ｳﾞ"}, {u8"び", u8"ｳﾞｨ"},                // v sounds
      {u8"を", u8"ｦ"}, {u8"ゐ", u8"ヰ"}, {u8"ﾞ", u8"゛"}, {u8"ﾟ", u8"゜"},
  };
  for (const Pair& p : same) {
    const std::string a = Cp932ToUtf8(J(p.a)), b = Cp932ToUtf8(J(p.b));
    EXPECT_TRUE(FuzzyMatchesWhole(p.a, p.b)) << a << " should match " << b;
    EXPECT_TRUE(FuzzyMatchesWhole(p.b, p.a)) << b << " should match " << a;
  }
}

TEST(FuzzyMatching, KeepsDistinctCharactersApart) {
  const Pair different[] = {
      {u8"か", u8"が"}, {u8"は", u8"ぱ"}, {u8"ば", u8"ぱ"}, {u8"あ", u8"い"},
      {u8"a", u8"b"}, {u8"1", u8"7"}, {u8"漢", u8"字"}, {u8"(", u8")"},
  };
  for (const Pair& p : different) {
    EXPECT_FALSE(FuzzyMatchesWhole(p.a, p.b));
    EXPECT_FALSE(FuzzyMatchesWhole(p.b, p.a));
  }
}

TEST(FuzzyMatching, GroupOrderMakesSomeEquivalencesOneWay) {
  // The dash group holds the long-vowel mark, but the long-vowel group,
  // which comes first, does not hold the dash.
  EXPECT_TRUE(FuzzyMatchesWhole(u8"-", u8"ー"));
  EXPECT_FALSE(FuzzyMatchesWhole(u8"ー", u8"-"));
  EXPECT_TRUE(FuzzyMatchesWhole(u8"ー", u8"～"));
  // わ's group lists うぁ, but the pattern うぁ is read as う then ぁ.
  EXPECT_TRUE(FuzzyMatchesWhole(u8"わ", u8"うぁ"));
  EXPECT_FALSE(FuzzyMatchesWhole(u8"うぁ", u8"わ"));
  // ヴ's own group comes before those of ヴェ and ヴォ, so those two are read
  // as ヴ and a small vowel; ヴァ and ヴィ come first and stay whole.
  EXPECT_TRUE(FuzzyMatchesWhole(u8"ぼ", u8"ヴォ"));
  EXPECT_FALSE(FuzzyMatchesWhole(u8"ヴォ", u8"ぼ"));
  EXPECT_FALSE(FuzzyMatchesWhole(u8"ウ゛ェ", u8"べ"));
  EXPECT_TRUE(FuzzyMatchesWhole(u8"ヴァ", u8"ば"));
  // Without the switch nothing is folded.
  TAWKStr plain;
  plain.SetRegExp(J(u8"ア"));
  int start = 0, length = 0;
  EXPECT_EQ(plain.Match(J(u8"ｱ"), start, length), 0);
}

}  // namespace
}  // namespace lumeko
