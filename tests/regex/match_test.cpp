// The matchers and the expression cache, on the behaviour a caller sees.
#include <gtest/gtest.h>

#include <string>

#include "platform/cp932.h"
#include "regex/awk_str.h"
#include "regex/match_core.h"
#include "regex/re_error.h"
#include "regex_test_util.h"

namespace lumeko {
namespace {

using testing_regex::Catch;
using testing_regex::J;

enum class How { Plain, Anchored, From };

// "start,end" of the match, or "none".
std::string Find(TMatchCORE& m, std::string_view pattern, std::string_view subject,
                 How how = How::Anchored) {
  m.SetRegExp(pattern);
  size_t s = 0, e = 0;
  bool ok = false;
  switch (how) {
    case How::Plain: ok = m.MatchPlain(subject, s, e); break;
    case How::Anchored: ok = m.MatchAnchored(subject, s, e); break;
    case How::From: ok = m.SearchFrom(subject, s, e); break;
  }
  return ok ? std::to_string(s) + "," + std::to_string(e) : "none";
}

TEST(Match, LeftmostThenLongest) {
  TMatchCORE m;
  EXPECT_EQ(Find(m, "ab|abcd", "xabcde", How::Plain), "1,5");
  EXPECT_EQ(Find(m, "a*", "bbb", How::Plain), "0,0");
  EXPECT_EQ(Find(m, "a+", "bba", How::Plain), "2,3");
  EXPECT_EQ(Find(m, "(a|ab)(c|bcd)", "abcd", How::Plain), "0,4");
  EXPECT_EQ(Find(m, "x", "", How::Plain), "none");
  EXPECT_EQ(Find(m, "x*", "", How::Plain), "0,0");
  EXPECT_EQ(Find(m, "", "abc", How::Plain), "0,0");
  // No case folding without the preprocessor.
  EXPECT_EQ(Find(m, "a", "A", How::Plain), "none");
  // The subject ends at its first NUL.
  EXPECT_EQ(Find(m, "b", std::string_view("a\0b", 3), How::Plain), "none");
}

TEST(Match, TwoByteCharactersAreNeverSplit) {
  TMatchCORE m;
  // "ア" is 0x83 0x41; its trail byte is "A".
  EXPECT_EQ(Find(m, "A", "\x83\x41", How::Plain), "none");
  EXPECT_EQ(Find(m, ".", "\x83\x41z", How::Plain), "0,2");
  EXPECT_EQ(Find(m, "..", "\x83\x41z", How::Plain), "0,3");
  EXPECT_EQ(Find(m, "[\x82\x9F-\x82\xF1]+", "x\x82\xA0\x82\xA2\x83\x41", How::Plain), "1,5");
  // "ソ" (0x83 0x5C): a trail byte equal to the backslash is no escape.
  EXPECT_EQ(Find(m, "\x83\x5C", "a\x83\x5C", How::Plain), "1,3");
  // A lead byte at the very end is one character and nothing past it is read.
  EXPECT_EQ(Find(m, "a.", std::string("a\x83"), How::Plain), "0,2");
  EXPECT_EQ(Find(m, "\\x83", std::string("a\x83"), How::Plain), "1,2");
  EXPECT_EQ(Find(m, "a.", std::string("a\x83\0", 3), How::Anchored), "0,2");
}

TEST(Match, LineHeadAnchor) {
  TMatchCORE m;
  EXPECT_EQ(Find(m, "^a", "ab"), "0,1");
  EXPECT_EQ(Find(m, "^a", "x\nab"), "2,3");
  EXPECT_EQ(Find(m, "^a", "xab"), "none");
  EXPECT_EQ(Find(m, "^a|b", "cb"), "1,2");
  EXPECT_EQ(Find(m, "^a|^b", "b"), "0,1");
  EXPECT_EQ(Find(m, "(^a)b", "ab"), "0,2");
  // Not a line head: the character itself.
  EXPECT_EQ(Find(m, "x^y", "ax^y"), "1,4");
  EXPECT_EQ(Find(m, "^*", "^^a", How::Plain), "0,2");
  EXPECT_EQ(Find(m, "x?^a", "^a", How::Plain), "0,2");
  // SearchFrom never takes the subject's start as a line head, but does
  // after an LF inside it.
  EXPECT_EQ(Find(m, "^a", "ab", How::From), "none");
  EXPECT_EQ(Find(m, "^a", "b\na", How::From), "2,3");
  // The head test uses LF whatever the separator.
  m.LineSeparator = mcls_CRLF;
  EXPECT_EQ(Find(m, "^a", "b\ra"), "none");
}

TEST(Match, LineTailAnchor) {
  TMatchCORE m;
  EXPECT_EQ(Find(m, "b$", "ab\r\n"), "1,2");
  EXPECT_EQ(Find(m, "b$", "ab"), "1,2");
  EXPECT_EQ(Find(m, "b$", "ab\n"), "none");
  m.LineSeparator = mcls_LF;
  EXPECT_EQ(Find(m, "b$", "ab\n"), "1,2");
  m.LineSeparator = mcls_CRLF;
  EXPECT_EQ(Find(m, "$", "abc"), "3,3");
  EXPECT_EQ(Find(m, "a$|b$", "xb"), "1,2");
  EXPECT_EQ(Find(m, "a(b$)", "ab"), "0,2");
  // Elsewhere "$" is the character.
  EXPECT_EQ(Find(m, "$a", "x$a"), "1,3");
  EXPECT_EQ(Find(m, "a$*", "a$$"), "0,3");
  // Anchors are plain characters to MatchPlain's caller only by position:
  // an anchored "^" never matches the character itself.
  EXPECT_EQ(Find(m, "^a", "^a", How::Plain), "none");
  EXPECT_TRUE(m.HasLineHead());
  EXPECT_FALSE(m.HasLineTail());
}

TEST(Match, AnAlternativeNeverTakesALineTailMatchAway) {
  TMatchCORE m;
  EXPECT_EQ(Find(m, "a$|a\rb", "a\rc"), "0,1");
  EXPECT_EQ(Find(m, "a$|a\r\nb", "a\r\nc"), "0,1");
  EXPECT_EQ(Find(m, "x*|^y", ""), "0,0");
}

TEST(Match, LiteralAnchorCharacterOverlappingARangeStaysDeterministic) {
  TMatchCORE m;
  // The literal "^" (0x5E) lies inside [A-z]; both paths must be followed.
  EXPECT_EQ(Find(m, "x^b|x[A-z]c", "x^c", How::Plain), "0,3");
  EXPECT_EQ(Find(m, "x^b|x[A-z]c", "x^b", How::Plain), "0,3");
  EXPECT_EQ(Find(m, "a$|a[#-&]b", "a$b", How::Plain), "0,3");
  EXPECT_EQ(Find(m, "a$|a[#-&]b", "a$", How::Plain), "none");
  EXPECT_EQ(Find(m, "a$|a[#-&]b", "a%b"), "0,3");
}

TEST(Match, NegatedClasses) {
  TMatchCORE m;
  EXPECT_EQ(Find(m, "[^a]", "\r\n\x01", How::Plain), "2,3");
  EXPECT_EQ(Find(m, "[^a]", "a\x83\x41", How::Plain), "1,3");
  // A class that excludes everything never matches, not even emptily.
  EXPECT_EQ(Find(m, "[^\\x1-\\xFCFC]", "abc", How::Plain), "none");
  EXPECT_EQ(Find(m, "x[^\\x1-\\xFCFC]?", "abx", How::Plain), "2,3");
}

TEST(Match, TheDeterministicAutomatonKeepsSortedDisjointTransitions) {
  TMatchCORE m;
  m.SetRegExp("[a-m]x|[h-z]y|.");
  const TRE_DFA& d = m.Current();
  for (uint32_t s = 0; s < d.StateCount(); ++s) {
    const auto t = d.Transitions(int32_t(s));
    for (size_t i = 1; i < t.size(); ++i) EXPECT_LT(t[i - 1].Hi, t[i].Lo);
  }
  EXPECT_EQ(d.NextState(TRE_DFA::InitialState, 0), -1);
  EXPECT_GE(d.NextState(TRE_DFA::InitialState, 0x8341), 0);
  EXPECT_EQ(d.NextState(TRE_DFA::InitialState, 10), -1);
}

TEST(Cache, AssignmentFindsCompilesAndEvicts) {
  TMatchCORE m;
  const size_t base = m.CompileCount();
  m.SetRegExp("abc");
  m.SetRegExp("abc");
  EXPECT_EQ(m.CompileCount(), base + 1);
  EXPECT_EQ(m.CachePattern(1), "abc");
  m.SetRegExp("");
  EXPECT_EQ(m.CurrentIndex(), 0u);
  EXPECT_EQ(m.CompileCount(), base + 1);

  for (int i = 0; i < 29; ++i) m.SetRegExp(std::string("p").append(std::to_string(i)));
  EXPECT_EQ(m.CacheSize(), TRegularExpression::kCacheCapacity);
  EXPECT_EQ(m.CachePattern(0), "");
  EXPECT_EQ(m.CachePattern(1), "p28");
  // "abc" was the oldest and has gone; p0 is now the last.
  EXPECT_EQ(m.CachePattern(29), "p0");
  const size_t before = m.CompileCount();
  m.SetRegExp("p0");  // found: no compile, order kept
  EXPECT_EQ(m.CompileCount(), before);
  EXPECT_EQ(m.CurrentIndex(), 29u);
  m.SetRegExp("abc");
  EXPECT_EQ(m.CompileCount(), before + 1);
  EXPECT_EQ(m.CachePattern(29), "p1");
}

TEST(Cache, AFaultyPatternLeavesTheEmptyExpression) {
  TMatchCORE m;
  m.SetRegExp("ok");
  const auto e = Catch([&] { m.SetRegExp("a(b"); });
  EXPECT_EQ(e.Message, remsg::kNeedRPar);
  EXPECT_EQ(m.RegExp(), "");
  EXPECT_EQ(m.CurrentIndex(), 0u);
  size_t s = 9, end = 9;
  EXPECT_TRUE(m.MatchAnchored("xyz", s, end));
  EXPECT_EQ(s, 0u);
  EXPECT_EQ(end, 0u);
  // The failed pattern is not cached; the good one still is.
  for (size_t i = 0; i < m.CacheSize(); ++i) EXPECT_NE(m.CachePattern(i), "a(b");
  EXPECT_EQ(m.CachePattern(1), "ok");
}

TEST(Cache, PreprocessedTextIsTheKey) {
  const TREDictionary synonyms({{std::string("ab"), "AB"}});
  TAWKStr m;
  m.SynonymDics().push_back(&synonyms);
  m.SetUseSynonymDic(true);
  m.SetRegExp("ab");
  EXPECT_EQ(m.RegExp(), "ab");
  EXPECT_EQ(m.CachePattern(1), "(ab|AB)");
  const size_t n = m.CompileCount();
  m.SetRegExp("AB");
  EXPECT_EQ(m.CompileCount(), n);
  size_t s, e;
  EXPECT_TRUE(m.MatchPlain("xAB", s, e));
}

TEST(Limits, HugeAutomataAreRefusedWithAnError) {
  // (a|b)*a(a|b){n} needs 2^n deterministic states.
  std::string p = "(a|b)*a";
  for (int i = 0; i < 16; ++i) p += "(a|b)";
  TMatchCORE m;
  const auto e = Catch([&] { m.SetRegExp(p); });
  EXPECT_EQ(e.Message, remsg::kTooComplex);
  EXPECT_EQ(m.RegExp(), "");
  // A long but simple pattern is fine, and its tree is walked without recursion.
  std::string longPattern;
  for (int i = 0; i < 15000; ++i) longPattern += char('a' + i % 3);
  m.SetRegExp(longPattern);
  size_t s, end;
  EXPECT_TRUE(m.MatchPlain("x" + longPattern, s, end));
  EXPECT_EQ(s, 1u);
  EXPECT_EQ(end, longPattern.size() + 1);
}

TEST(Limits, NestedRepetitionIsRefusedWhileItsAutomatonIsBuilt) {
  // Each "+" builds its operand twice: 25 levels would ask for some 200
  // million states before the deterministic stage is reached.
  std::string nested(25, '(');
  nested += "a+";
  for (int i = 0; i < 25; ++i) nested += ")+";
  TAWKStr awk;
  EXPECT_EQ(Catch([&] { awk.SetRegExp(nested); }).Message, remsg::kTooComplex);
  EXPECT_EQ(awk.RegExp(), "");
  // A long title rewritten with the fuzzy dictionary stays well inside.
  std::string title;
  while (title.size() < 500) title += J(u8"きみのこえ.*ヴァイオリン ");
  awk.SetUseFuzzyCharDic(true);
  awk.SetRegExp(title);
  int start = 0, length = 0;
  EXPECT_EQ(awk.Match("x" + J(u8"ｷﾐ") + title.substr(4), start, length), 2);
}

}  // namespace
}  // namespace lumeko
