// The preprocessor's rewrites: what is expanded, what is copied byte for
// byte, the order of the synonym and fuzzy passes, and the errors that pass
// out of it. Texts are written in UTF-8 here and handed over as CP932.
#include "regex/re_preprocessor.h"

#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "regex/re_error.h"
#include "regex_test_util.h"

namespace lumeko {
namespace {

using testing_regex::J;

class PreProcessorTest : public ::testing::Test {
 protected:
  PreProcessorTest() {
    pp.FuzzyCharDics().push_back(&DefaultFuzzyCharDic());
    pp.UseFuzzyCharDic = true;
  }
  std::string Run(std::string_view pattern) {
    pp.SetPattern(pattern);
    return pp.Run();
  }
  TREPreProcessor pp;
};

TEST_F(PreProcessorTest, ExpandsEachLiteralIntoItsWholeGroup) {
  EXPECT_EQ(Run(J(u8"ア")), J(u8"(あ|ア|ｱ|ぁ|ァ|ｧ)"));
  EXPECT_EQ(Run("a+"), J(u8"(Ａ|ａ|A|a)+"));
  EXPECT_EQ(Run(J(u8"かき")), J(u8"(か|カ|ｶ)(き|キ|ｷ)"));
  // Members that are operators come out escaped; an escaped pattern
  // character meets the member it stands for.
  EXPECT_EQ(Run(J(u8" |_|-|!|\\+|\\$|\\.|,|・")),
            J(u8"(　| )|(_|＿)|(-|ー|－|～|ｰ)|(!|！)|(\\+|＋)|(\\$|＄)|(｡|\\.|。|．)|(,|､|、|，)|(･|・)"));
  EXPECT_EQ(Run("\\x41"), J(u8"(Ａ|ａ|A|a)"));
  EXPECT_EQ(Run(J(u8"￥")), J(u8"(\\\\|￥)"));
}

TEST_F(PreProcessorTest, FirstGroupAndMultiCharacterMembersDecide) {
  EXPECT_EQ(Run(J(u8"か゛")), J(u8"(が|ガ|ｶﾞ|か゛|カ゛)"));   // two characters, one unit
  EXPECT_EQ(Run(J(u8"ｶﾞ")), J(u8"(が|ガ|ｶﾞ|か゛|カ゛)"));
  EXPECT_EQ(Run(J(u8"ー")), J(u8"(ー|～|ｰ)"));                // not the group with "-"
  EXPECT_EQ(Run("-"), J(u8"(-|ー|－|～|ｰ)"));
  // う comes before the group that holds うぁ, so the pair is two units.
  EXPECT_EQ(Run(J(u8"うぁ")), J(u8"(う|ウ|ｳ|ぅ|ゥ|ｩ)(あ|ア|ｱ|ぁ|ァ|ｧ)"));
  // A multi-character member is only found inside one run of characters.
  EXPECT_EQ(Run(J(u8"か*゛")), J(u8"(か|カ|ｶ)*(ﾞ|゛)"));
  // The character before "*", "+" or "?" is that operator's whole operand:
  // no longer member may take it in, or the operator would repeat the pair.
  EXPECT_EQ(Run(J(u8"か゛*")), J(u8"(か|カ|ｶ)(ﾞ|゛)*"));
  EXPECT_EQ(Run(J(u8"ｶﾞ?x")), J(u8"(か|カ|ｶ)(ﾞ|゛)?(Ｘ|ｘ|X|x)"));
  EXPECT_EQ(Run(J(u8"か゛か゛+")), J(u8"(が|ガ|ｶﾞ|か゛|カ゛)(か|カ|ｶ)(ﾞ|゛)+"));
}

TEST_F(PreProcessorTest, ClassesOperatorsAndUnknownCharactersAreCopied) {
  EXPECT_EQ(Run(J(u8"[ア]")), J(u8"[ア]"));
  EXPECT_EQ(Run("[-]"), "[-]");
  EXPECT_EQ(Run(J(u8"[ぁ-ん]ア")), J(u8"[ぁ-ん](あ|ア|ｱ|ぁ|ァ|ｧ)"));  // after "]" expansion resumes
  EXPECT_EQ(Run(J(u8"漢(|)*.$")), J(u8"漢(|)*.$"));
  // Escapes that are not expanded keep their spelling.
  EXPECT_EQ(Run("\\n\\t\\x8ABF"), "\\n\\t\\x8ABF");
  EXPECT_EQ(Run("\\101"), J(u8"(Ａ|ａ|A|a)"));
}

TEST_F(PreProcessorTest, NegatedClassesGainTheOneCharacterMembersOfEachGroup) {
  // Plain members, never an alternation: its "(", "|" and ")" would be shut
  // out too. Members of two characters cannot stand in a class.
  EXPECT_EQ(Run(J(u8"[^ア]")), J(u8"[^あアｱぁァｧ]"));
  EXPECT_EQ(Run(J(u8"^（[^（]*）")), J(u8"^(\\(|（)[^(（]*(\\)|）)"));
  EXPECT_EQ(Run("[^a-]"), J(u8"[^ＡａAa\\-ー－～ｰ]"));
  EXPECT_EQ(Run(J(u8"[^\\]か゛x-z]")), J(u8"[^\\]］〕かカｶﾞ゛x-z]"));
}

TEST_F(PreProcessorTest, TokenSpansCoverThePatternExactly) {
  const std::string pattern = J(u8"^a\\x41[^\\]b-d]ア|(x?)*\\(漢$");
  Run(pattern);
  std::string joined;
  size_t expected = 1;
  for (const auto& t : pp.Tokens()) {
    EXPECT_EQ(t.start, expected);
    joined += pattern.substr(t.start - 1, t.end - t.start);
    expected = t.end;
  }
  EXPECT_EQ(joined, pattern);
  EXPECT_EQ(pp.Tokens().back().kind, tkEnd);
  EXPECT_EQ(pp.Tokens().back().start, pp.Tokens().back().end);
}

TEST_F(PreProcessorTest, SwitchesOffLeaveThePatternAlone) {
  pp.UseFuzzyCharDic = false;
  EXPECT_EQ(Run(J(u8"ア[abc")), J(u8"ア[abc"));  // not even read: the parser will judge it
  pp.UseSynonymDic = true;  // on, but the list is empty
  EXPECT_EQ(Run(J(u8"ア")), J(u8"ア"));
}

TEST_F(PreProcessorTest, ScannerErrorsPassOutWithTheirPosition) {
  const struct {
    std::string pattern;
    const char* message;
    uint16_t position;
  } cases[] = {
      {"ab[cd", remsg::kNeedRBracket, 6},
      {"a\\", remsg::kBackslashAtEnd, 3},
      {"\\xZ", remsg::kBadHex, 4},
      {"[z-a]", remsg::kBadRange, 5},
      {"ab\x82", remsg::kBadDoubleByte, 3},
  };
  for (const auto& c : cases) {
    try {
      Run(c.pattern);
      ADD_FAILURE() << c.pattern << " was accepted";
    } catch (const ERegExpParser& e) {
      EXPECT_STREQ(e.what(), c.message) << c.pattern;
      EXPECT_EQ(e.ErrorPos, c.position) << c.pattern;
    }
  }
  EXPECT_EQ(Run("b"), J(u8"(Ｂ|ｂ|B|b)"));  // and the next pattern is rewritten afresh
}

TEST_F(PreProcessorTest, SynonymsComeFirstAndTheirOutputIsFuzzed) {
  const TREDictionary synonyms({{J(u8"桜"), J(u8"さくら")}, {"AB", "X"}});
  const TREDictionary later({{J(u8"桜吹雪"), "never"}});
  pp.SynonymDics().push_back(&synonyms);
  pp.SynonymDics().push_back(&later);
  pp.UseSynonymDic = true;
  pp.UseFuzzyCharDic = false;
  EXPECT_EQ(Run(J(u8"桜吹雪")), J(u8"(桜|さくら)吹雪"));  // the first dictionary wins
  EXPECT_EQ(Run("ABC"), "(AB|X)C");
  pp.UseFuzzyCharDic = true;
  EXPECT_EQ(Run("AB"), J(u8"((Ａ|ａ|A|a)(Ｂ|ｂ|B|b)|(Ｘ|ｘ|X|x))"));
  EXPECT_EQ(Run(J(u8"桜")), J(u8"(桜|(さ|サ|ｻ)(く|ク|ｸ)(ら|ラ|ﾗ))"));
}

}  // namespace
}  // namespace lumeko
