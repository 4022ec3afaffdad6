// TAWKStr: positions and counts of match, sub and gsub, the replacement
// rules, the choice of matcher by anchors, the switches, and what a failure
// leaves behind. Texts are written in UTF-8 here and handed over as CP932.
#include "regex/awk_str.h"

#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "regex/re_error.h"
#include "regex_test_util.h"

namespace lumeko {
namespace {

using testing_regex::Catch;
using testing_regex::J;

struct Replaced {
  int result;
  std::string subject;
  bool operator==(const Replaced&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Replaced& r) {
  return os << r.result << " [" << Cp932ToUtf8(r.subject) << "]";
}

class AWKStrTest : public ::testing::Test {
 protected:
  Replaced GSub(std::string_view pattern, std::string_view replacement, std::string subject) {
    awk.SetRegExp(pattern);
    const int r = awk.GSub(replacement, subject);
    return {r, subject};
  }
  Replaced Sub(std::string_view pattern, std::string_view replacement, std::string subject) {
    awk.SetRegExp(pattern);
    const int r = awk.Sub(replacement, subject);
    return {r, subject};
  }
  TAWKStr awk;
};

// The expression object makes its preprocessor and keeps it for life, so
// nothing can replace it under the switches that TAWKStr sets on it.
template <class T>
concept PreProcessorReplaceable = requires(T& t) { t.SetPreProcessor(nullptr); };
static_assert(!PreProcessorReplaceable<TAWKStr> && !PreProcessorReplaceable<TMatchCORE>);

TEST_F(AWKStrTest, MatchGivesOneBasedByteStartAndLength) {
  int start = -1, length = -1;
  awk.SetRegExp("ab");
  EXPECT_EQ(awk.Match("xabc", start, length), 2);
  EXPECT_EQ(start, 2);
  EXPECT_EQ(length, 2);
  EXPECT_EQ(awk.Match("xyz", start, length), 0);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(length, 0);
  // Two-byte characters count two and are never split.
  awk.SetRegExp(J(u8"イ."));
  EXPECT_EQ(awk.Match(J(u8"アイウ"), start, length), 3);
  EXPECT_EQ(length, 4);
  awk.SetRegExp("ab|abcd");
  EXPECT_EQ(awk.Match("xabcde", start, length), 2);
  EXPECT_EQ(length, 4);  // the longest at the leftmost place
}

TEST_F(AWKStrTest, SubReplacesTheFirstMatchOnly) {
  EXPECT_EQ(Sub("b", "[&]", "abcb"), (Replaced{1, "a[b]cb"}));
  EXPECT_EQ(Sub("b", "\\&", "abc"), (Replaced{1, "a&c"}));
  EXPECT_EQ(Sub("q", "Z", "abc"), (Replaced{0, "abc"}));
  EXPECT_EQ(Sub("x*", "-", "abc"), (Replaced{1, "-abc"}));
  EXPECT_EQ(Sub(J(u8"イ"), J(u8"「&」"), J(u8"アイウ")), (Replaced{1, J(u8"ア「イ」ウ")}));
}

TEST_F(AWKStrTest, ReplacementRulesForAmpersandBackslashAndEscapes) {
  const struct {
    const char* replacement;
    const char* expected;
  } cases[] = {
      {"<&&>", "<bb>"},
      {"\\&", "&"},
      {"\\\\&", "&"},      // \\ protects nothing: the & still comes out literal
      {"\\n\\t", "\n\t"},
      {"\\x41\\102", "AB"},
      {"\\x26", "b"},      // a decoded "&" is the match
      {"\\q\\\\", "q\\"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(TAWKStr::ExpandReplacement(c.replacement, "b"), c.expected) << c.replacement;
  // A trail byte 0x5C is part of its character, not an escape.
  EXPECT_EQ(TAWKStr::ExpandReplacement(J(u8"ソ&"), "b"), J(u8"ソb"));
}

TEST_F(AWKStrTest, GSubCountsAndSkipsPastEmptyMatches) {
  EXPECT_EQ(GSub("x*", "-", "abc"), (Replaced{3, "-a-b-c"}));
  EXPECT_EQ(GSub("x*", "Y", ""), (Replaced{1, "Y"}));
  EXPECT_EQ(GSub("x", "Y", ""), (Replaced{0, ""}));
  // The search resumes right behind a non-empty match, where an empty one
  // may stand again; the end of the subject is not tried once it is reached.
  EXPECT_EQ(GSub("x*", "-", "axxb"), (Replaced{3, "-a--b"}));
  EXPECT_EQ(GSub("x*", "-", "abxx"), (Replaced{3, "-a-b-"}));
  EXPECT_EQ(GSub("a", "", "banana"), (Replaced{3, "bnn"}));
  EXPECT_EQ(GSub("x*", "-", J(u8"アイ")), (Replaced{2, J(u8"-ア-イ")}));  // characters stay whole
  EXPECT_EQ(GSub("q", "-", "abc"), (Replaced{0, "abc"}));
}

TEST_F(AWKStrTest, GSubWithAnchorsFollowsLines) {
  EXPECT_EQ(GSub("$", "!", "a\r\nb"), (Replaced{2, "a!\r\nb!"}));  // CR LF moves as one unit
  awk.LineSeparator = mcls_LF;
  EXPECT_EQ(GSub("$", "!", "a\nb"), (Replaced{2, "a!\nb!"}));
  awk.LineSeparator = mcls_CRLF;
  EXPECT_EQ(GSub("^", "> ", "a\nb\nc"), (Replaced{3, "> a\n> b\n> c"}));
  // A line head holds after a line feed, not after an earlier match.
  EXPECT_EQ(GSub("^a", "X", "aaa\naa"), (Replaced{2, "Xaa\nXa"}));
  EXPECT_EQ(GSub("a$", "X", "aa\r\naa"), (Replaced{2, "aX\r\naX"}));
}

TEST_F(AWKStrTest, GSubCarriesALoneCrWithTheWholeCharacterAfterIt) {
  // A CR that is not followed by LF still travels with what follows it, but
  // a two-byte character there goes along whole: nothing may land between
  // its two bytes.
  EXPECT_EQ(GSub("x*", "-", "a\rb"), (Replaced{2, "-a-\rb"}));
  EXPECT_EQ(GSub("x*", "-", J(u8"a\rアイ")), (Replaced{3, J(u8"-a-\rア-イ")}));
  EXPECT_EQ(GSub("$|A", "x", J(u8"a\rアb")), (Replaced{2, J(u8"ax\rアbx")}));
  EXPECT_EQ(GSub("x*", "-", "a\r\x83"), (Replaced{2, "-a-\r\x83"}));  // a lone lead byte at the end
}

TEST_F(AWKStrTest, MatcherFollowsTheAnchorsOfTheCurrentExpression) {
  awk.SetRegExp("^a");
  EXPECT_TRUE(awk.UsesAnchoredMatcher());
  awk.SetRegExp("a");
  EXPECT_FALSE(awk.UsesAnchoredMatcher());
  awk.SetRegExp("a$|b");
  EXPECT_TRUE(awk.UsesAnchoredMatcher());
  awk.SetRegExp("x^y");  // a "^" in the middle is a character
  EXPECT_FALSE(awk.UsesAnchoredMatcher());
  int start = 0, length = 0;
  EXPECT_EQ(awk.Match("ax^yb", start, length), 2);
  EXPECT_EQ(length, 3);
}

TEST_F(AWKStrTest, SwitchingFuzzyRecompilesTheSameExpression) {
  awk.SetRegExp(J(u8"カ"));
  int start = 0, length = 0;
  EXPECT_EQ(awk.Match(J(u8"ｶ"), start, length), 0);
  awk.SetUseFuzzyCharDic(true);
  EXPECT_TRUE(awk.UseFuzzyCharDic());
  EXPECT_EQ(awk.RegExp(), J(u8"カ"));  // the text as given, not the rewrite
  EXPECT_EQ(awk.Match(J(u8"xｶ"), start, length), 2);
  const size_t compiled = awk.CompileCount();
  awk.SetUseFuzzyCharDic(false);  // back to a cached automaton
  EXPECT_EQ(awk.CompileCount(), compiled);
  EXPECT_EQ(awk.Match(J(u8"ｶ"), start, length), 0);
}

TEST_F(AWKStrTest, FuzzyGSubDeletesOrReplacesSeparators) {
  awk.SetUseFuzzyCharDic(true);
  EXPECT_EQ(GSub(J(u8"・"), "", J(u8"ア・イ･ウ")), (Replaced{2, J(u8"アイウ")}));
  EXPECT_EQ(GSub(" ", "*", J(u8"a b　c")), (Replaced{2, "a*b*c"}));
  EXPECT_EQ(GSub("^\\(.*\\)", "", J(u8"（ライブ）星空")), (Replaced{1, J(u8"星空")}));
  // Folding only ever widens what a pattern matches.
  int start = 0, length = 0;
  awk.SetRegExp(J(u8"か゛*"));
  EXPECT_EQ(awk.Match(J(u8"カ"), start, length), 1);
  EXPECT_EQ(length, 2);
  // A dash in a negated class shuts out the dash forms and nothing else.
  EXPECT_EQ(GSub("[^-]+", "", J(u8"ab-ー1－c")), (Replaced{3, J(u8"-ー－")}));
}

TEST_F(AWKStrTest, FuzzyNegatedClassesShutOutOnlyTheFormsOfTheirMembers) {
  const std::string pattern = J(u8"^（[^（]*）");
  const std::string subject = J(u8"（Live|Acoustic）曲");
  EXPECT_EQ(Sub(pattern, "", subject), (Replaced{1, J(u8"曲")}));
  awk.SetUseFuzzyCharDic(true);
  EXPECT_EQ(Sub(pattern, "", subject), (Replaced{1, J(u8"曲")}));
  EXPECT_EQ(Sub(pattern, "", J(u8"(a(b)c")), (Replaced{0, J(u8"(a(b)c")}));
  EXPECT_EQ(Sub(J(u8"[^ア]+"), "-", J(u8"ｱ(|)ｧア")), (Replaced{1, J(u8"ｱ-ｧア")}));
}

TEST_F(AWKStrTest, SynonymsApplyBeforeFuzzyFolding) {
  const TREDictionary synonyms({{J(u8"桜"), J(u8"さくら")}});
  awk.SynonymDics().push_back(&synonyms);
  awk.SetRegExp(J(u8"桜色"));
  int start = 0, length = 0;
  EXPECT_EQ(awk.Match(J(u8"さくら色"), start, length), 0);
  awk.SetUseSynonymDic(true);
  EXPECT_EQ(awk.Match(J(u8"さくら色"), start, length), 1);
  EXPECT_EQ(awk.Match(J(u8"ｻｸﾗ色"), start, length), 0);
  awk.SetUseFuzzyCharDic(true);
  EXPECT_EQ(awk.Match(J(u8"ｻｸﾗ色"), start, length), 1);
  EXPECT_EQ(length, 5);
}

TEST_F(AWKStrTest, ABadPatternLeavesTheEmptyExpression) {
  awk.SetRegExp("^a");
  const auto e = Catch([&] { awk.SetRegExp("(a"); });
  EXPECT_TRUE(e.Raised);
  EXPECT_EQ(e.Message, remsg::kNeedRPar);
  EXPECT_EQ(awk.RegExp(), "");
  int start = 0, length = 0;
  EXPECT_EQ(awk.Match("xyz", start, length), 1);  // the empty match at the start
  EXPECT_EQ(length, 0);
  // A scanner error from the fuzzy rewrite behaves the same.
  awk.SetUseFuzzyCharDic(true);
  const auto f = Catch([&] { awk.SetRegExp("[abc"); });
  EXPECT_EQ(f.Message, remsg::kNeedRBracket);
  EXPECT_EQ(f.Pos, 5u);
  EXPECT_EQ(awk.RegExp(), "");
}

TEST_F(AWKStrTest, ABadReplacementRaisesAndLeavesTheSubjectWhole) {
  const struct {
    const char* replacement;
    const char* message;
  } cases[] = {
      {"x\\", remsg::kBackslashAtEnd},
      {"\\xG", remsg::kBadHex},
      {"\\777777", remsg::kBadOctal},
  };
  for (const auto& c : cases) {
    std::string subject = "abcb";
    awk.SetRegExp("b");
    EXPECT_EQ(Catch([&] { awk.GSub(c.replacement, subject); }).Message, c.message);
    EXPECT_EQ(subject, "abcb");
    EXPECT_EQ(Catch([&] { awk.Sub(c.replacement, subject); }).Message, c.message);
    EXPECT_EQ(subject, "abcb");
  }
  // Without a match the replacement is never read.
  EXPECT_EQ(GSub("q", "x\\", "abc"), (Replaced{0, "abc"}));
}

TEST_F(AWKStrTest, SubjectsEndAtTheirFirstNul) {
  const std::string subject("ab\0ab", 5);
  EXPECT_EQ(GSub("b", "X", subject), (Replaced{1, std::string("aX\0ab", 5)}));
}

}  // namespace
}  // namespace lumeko
