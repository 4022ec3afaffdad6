// Tokens, escapes and literal escaping: the pieces the preprocessor and the
// replacement texts reuse, checked on their own.
#include <gtest/gtest.h>

#include <vector>

#include "regex/re_error.h"
#include "regex/re_scanner.h"
#include "regex_test_util.h"

namespace lumeko {
namespace {

using testing_regex::Catch;

struct Tok {
  TRETokenKind Kind;
  uint16_t Lo, Hi;
  bool operator==(const Tok&) const = default;
};

std::vector<Tok> Tokens(std::string_view pattern) {
  TREScanner s(pattern);
  std::vector<Tok> out;
  for (;;) {
    const TRETokenKind k = s.GetToken();
    out.push_back({k, s.TokenChar(), s.TokenUpper()});
    if (k == tkEnd) return out;
  }
}

TEST(Scanner, NormalModeOperatorsAndLiterals) {
  EXPECT_EQ(Tokens("a|(b)*+?.^${-}"),
            (std::vector<Tok>{{tkChar, 'a', 'a'}, {tkUnion, '|', '|'}, {tkLPar, '(', '('},
                              {tkChar, 'b', 'b'}, {tkRPar, ')', ')'}, {tkStar, '*', '*'},
                              {tkPlus, '+', '+'}, {tkQMark, '?', '?'}, {tkDot, '.', '.'},
                              {tkLHead, '^', '^'}, {tkLTail, '$', '$'}, {tkChar, '{', '{'},
                              {tkChar, '-', '-'}, {tkChar, '}', '}'}, {tkEnd, 0, 0}}));
  // A two-byte character is one token, even when its trail byte is "|" or "\".
  EXPECT_EQ(Tokens("\x83\x7C\x83\x5C"),
            (std::vector<Tok>{{tkChar, 0x837C, 0x837C}, {tkChar, 0x835C, 0x835C}, {tkEnd, 0, 0}}));
}

TEST(Scanner, ClassModeMembersRangesAndLiteralDash) {
  EXPECT_EQ(Tokens("[a-z\\]-]"),
            (std::vector<Tok>{{tkLBra, '[', '['}, {tkCharRange, 'a', 'z'}, {tkChar, ']', ']'},
                              {tkChar, '-', '-'}, {tkRBra, ']', ']'}, {tkEnd, 0, 0}}));
  // Inside a class "(", "|", "." and "*" are members; "^" after "[" negates.
  EXPECT_EQ(Tokens("[^(|.*]x"),
            (std::vector<Tok>{{tkLBraNeg, '[', '['}, {tkChar, '(', '('}, {tkChar, '|', '|'},
                              {tkChar, '.', '.'}, {tkChar, '*', '*'}, {tkRBra, ']', ']'},
                              {tkChar, 'x', 'x'}, {tkEnd, 0, 0}}));
  // "[ぁ-ん]" is one range of two-byte codes.
  EXPECT_EQ(Tokens("[\x82\x9F-\x82\xF1]")[1], (Tok{tkCharRange, 0x829F, 0x82F1}));
}

TEST(Scanner, EscapesDecodeToOrdinaryCharacters) {
  auto one = [](std::string_view p) {
    const auto t = Tokens(p);
    EXPECT_EQ(t[0].Kind, tkChar) << p;
    return t[0].Lo;
  };
  EXPECT_EQ(one("\\x41"), 'A');
  EXPECT_EQ(one("\\101"), 'A');
  EXPECT_EQ(one("\\q"), 'q');
  EXPECT_EQ(one("\\*"), '*');
  EXPECT_EQ(one("\\n"), 10);
  EXPECT_EQ(one("\\t"), 9);
  EXPECT_EQ(one("\\b"), 8);
  EXPECT_EQ(one("\\r"), 13);
  EXPECT_EQ(one("\\x8341"), 0x8341);
  EXPECT_EQ(one("\\177774"), 0xFFFC);
  // Digits stop after four hex digits and at the first non-digit.
  EXPECT_EQ(Tokens("\\x0041B"),
            (std::vector<Tok>{{tkChar, 'A', 'A'}, {tkChar, 'B', 'B'}, {tkEnd, 0, 0}}));
  EXPECT_EQ(Tokens("\\x4g"), (std::vector<Tok>{{tkChar, 4, 4}, {tkChar, 'g', 'g'}, {tkEnd, 0, 0}}));
  // An escaped two-byte character is that character.
  EXPECT_EQ(one("\\\x83\x41"), 0x8341);
}

TEST(Scanner, SyntaxErrorsCarryMessageAndPosition) {
  auto err = [](std::string_view p) {
    return Catch([&] { Tokens(p); });
  };
  auto e = err("ab\x83");
  EXPECT_EQ(e.Message, remsg::kBadDoubleByte);
  EXPECT_EQ(e.Pos, 3u);  // the lone lead byte itself
  e = err("a\\");
  EXPECT_EQ(e.Message, remsg::kBackslashAtEnd);
  EXPECT_EQ(err("\\xg").Message, remsg::kBadHex);
  EXPECT_EQ(err("\\x").Message, remsg::kBadHex);
  EXPECT_EQ(err("\\200000").Message, remsg::kBadOctal);
  EXPECT_EQ(err("[").Message, remsg::kNeedRBracket);
  EXPECT_EQ(err("[^").Message, remsg::kNeedRBracket);
  EXPECT_EQ(err("[abc").Message, remsg::kNeedRBracket);
  EXPECT_EQ(err("[a-").Message, remsg::kNeedRBracket);
  e = err("[z-a]");
  EXPECT_EQ(e.Message, remsg::kBadRange);
  EXPECT_EQ(e.Pos, 5u);
  // Codes that would collide with the end of text or the automaton's marks.
  for (const char* p : {"\\x0", "\\0", "\\xFFFD", "\\xfffe", "\\xFFFF", "\\177777", "[\\x0-a]"})
    EXPECT_EQ(err(p).Message, remsg::kReservedCode) << p;
  EXPECT_FALSE(err("\\xFFFC").Raised);
}

TEST(Scanner, ErrorPositionIsWhereReadingStopped) {
  auto pos = [](std::string_view p) { return Catch([&] { Tokens(p); }).Pos; };
  EXPECT_EQ(pos("a\\"), 3u);
  // A hexadecimal escape without digits is refused at the character that
  // ended it, before that character is given back.
  EXPECT_EQ(pos("\\x"), 3u);
  EXPECT_EQ(pos("\\xg"), 4u);
  EXPECT_EQ(pos("a\\x\x83\x41"), 6u);
  EXPECT_EQ(pos("[\\xg]"), 5u);
  EXPECT_EQ(pos("\\200000"), 8u);
  EXPECT_EQ(pos("["), 2u);
  EXPECT_EQ(pos("[^"), 3u);
  EXPECT_EQ(pos("[abc"), 5u);
  EXPECT_EQ(pos("[a-"), 4u);
}

TEST(Scanner, StepBackHonoursTrailBytesThatLookLikeLeadBytes) {
  // "メ" is 0x83 0x81: its trail byte is itself a lead-byte value.
  const std::string t = "a\x83\x81\x83\x81";
  size_t pos = 6;
  StepBackChar(t, pos);
  EXPECT_EQ(pos, 4u);
  StepBackChar(t, pos);
  EXPECT_EQ(pos, 2u);
  StepBackChar(t, pos);
  EXPECT_EQ(pos, 1u);
  StepBackChar(t, pos);
  EXPECT_EQ(pos, 1u);
  // A pattern that starts with a two-byte character steps back over it whole.
  const std::string u = "\x83\x41";
  pos = 3;
  StepBackChar(u, pos);
  EXPECT_EQ(pos, 1u);
}

TEST(Scanner, EscapeLiteralQuotesExactlyTheTwelveMetacharacters) {
  EXPECT_EQ(EscapeLiteral("^(|)+*?.[]$\\"), "\\^\\(\\|\\)\\+\\*\\?\\.\\[\\]\\$\\\\");
  EXPECT_EQ(EscapeLiteral("a-{}b"), "a-{}b");
  // "ソ" (0x83 0x5C) and "ポ" (0x83 0x7C): trail bytes stay untouched.
  EXPECT_EQ(EscapeLiteral("\x83\x5C\x83\x7C."), "\x83\x5C\x83\x7C\\.");
  // Escaped text scans back to the same characters.
  const std::string raw = "a.b*\x83\x5C(x)";
  std::string back;
  TREScanner s(EscapeLiteral(raw));
  while (s.GetToken() != tkEnd) {
    ASSERT_EQ(s.Token(), tkChar);
    AppendCharCode(back, s.TokenChar());
  }
  EXPECT_EQ(back, raw);
}

}  // namespace
}  // namespace lumeko
