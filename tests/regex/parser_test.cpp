// Parse trees and syntax errors: what the automaton builder is handed.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "regex/re_error.h"
#include "regex/re_parser.h"
#include "regex_test_util.h"

namespace lumeko {
namespace {

using testing_regex::Catch;
using Range = std::pair<uint16_t, uint16_t>;

std::vector<Range> LeafRanges(const TREParseTree& t) {
  std::vector<Range> out;
  for (const TREParseNode* l : t.Leaves()) out.emplace_back(l->Lo, l->Hi);
  std::sort(out.begin(), out.end());
  return out;
}

// Every code that the subtree can consume as one character (unions and
// leaves only), for checking classes.
void Collect(const TREParseNode* n, std::vector<Range>& out) {
  if (n->Op == opCharRange) {
    out.emplace_back(n->Lo, n->Hi);
  } else if (n->Op == opUnion) {
    Collect(n->Left, out);
    Collect(n->Right, out);
  } else {
    ADD_FAILURE() << "unexpected node kind " << int(n->Op);
  }
}

std::vector<Range> ClassRanges(std::string_view pattern) {
  TREParser p(pattern);
  p.Run();
  std::vector<Range> out;
  Collect(p.Tree.Root, out);
  std::sort(out.begin(), out.end());
  // Merge adjacent pieces so the answer does not depend on the cutting.
  std::vector<Range> merged;
  for (auto r : out) {
    if (!merged.empty() && uint32_t(merged.back().second) + 1 >= r.first)
      merged.back().second = std::max(merged.back().second, r.second);
    else
      merged.push_back(r);
  }
  return merged;
}

TEST(Parser, EmptyAlternativesAndGroupsAreEmptyNodes) {
  for (const char* pat : {"", "()", "(())"}) {
    TREParser p(pat);
    p.Run();
    ASSERT_NE(p.Tree.Root, nullptr);
    EXPECT_EQ(p.Tree.Root->Op, opEmpty) << pat;
  }
  TREParser p("a|");
  p.Run();
  ASSERT_EQ(p.Tree.Root->Op, opUnion);
  EXPECT_EQ(p.Tree.Root->Left->Op, opCharRange);
  EXPECT_EQ(p.Tree.Root->Right->Op, opEmpty);
  TREParser q("|a");
  q.Run();
  EXPECT_EQ(q.Tree.Root->Left->Op, opEmpty);
}

TEST(Parser, PostfixOperatorsBuildTheirShapes) {
  TREParser plus("a+");
  plus.Run();
  const TREParseNode* r = plus.Tree.Root;
  ASSERT_EQ(r->Op, opConcat);
  ASSERT_EQ(r->Right->Op, opClosure);
  EXPECT_EQ(r->Left, r->Right->Left);  // one operand under both sides
  TREParser q("ab?");
  q.Run();
  ASSERT_EQ(q.Tree.Root->Op, opConcat);
  EXPECT_EQ(q.Tree.Root->Right->Op, opUnion);
  EXPECT_EQ(q.Tree.Root->Right->Right->Op, opEmpty);
  // Leaves are shared by range: "aa" has one leaf.
  TREParser aa("aa|a");
  aa.Run();
  EXPECT_EQ(aa.Tree.Leaves().size(), 1u);
  // "^" and "$" parse the same everywhere; only the NFA decides.
  TREParser anchors("a^b$");
  anchors.Run();
  EXPECT_EQ(anchors.Tree.Root->Right->Op, opLTail);
  EXPECT_EQ(anchors.Tree.Root->Right->Lo, '$');
  // "{2}" is literal text.
  TREParser braces("a{2}");
  braces.Run();
  EXPECT_EQ(LeafRanges(braces.Tree), (std::vector<Range>{{'2', '2'}, {'a', 'a'}, {'{', '{'}, {'}', '}'}}));
}

TEST(Parser, SyntaxErrorsByRow) {
  struct Case {
    const char* Pattern;
    const char* Message;
  } cases[] = {
      {"a**", remsg::kNeedOperand}, {"a+?", remsg::kNeedOperand}, {"*a", remsg::kNeedOperand},
      {"a|*", remsg::kNeedOperand}, {"a]", remsg::kNeedOperand},  {"a)", remsg::kExtraText},
      {"(a", remsg::kNeedRPar},     {"((a)", remsg::kNeedRPar},   {"a\\", remsg::kBackslashAtEnd},
      {"[]a]", remsg::kBadClass},   {"[^]", remsg::kBadClass},    {"[z-a]", remsg::kBadRange},
      {"[abc", remsg::kNeedRBracket}, {"\x83", remsg::kBadDoubleByte},
  };
  for (const auto& c : cases) {
    const auto e = Catch([&] {
      TREParser p(c.Pattern);
      p.Run();
    });
    EXPECT_TRUE(e.Raised) << c.Pattern;
    EXPECT_EQ(e.Message, c.Message) << c.Pattern;
  }
  // Positions: the next unread byte when the error is found.
  EXPECT_EQ(Catch([] { TREParser("a)").Run(); }).Pos, 3u);
  EXPECT_EQ(Catch([] { TREParser("ab\x82").Run(); }).Pos, 3u);
  EXPECT_EQ(Catch([] { TREParser("(a").Run(); }).Pos, 3u);
}

TEST(Parser, ClassesListTheirMembers) {
  EXPECT_EQ(ClassRanges("[\\]a]"), (std::vector<Range>{{']', ']'}, {'a', 'a'}}));
  EXPECT_EQ(ClassRanges("[a-]"), (std::vector<Range>{{'-', '-'}, {'a', 'a'}}));
  EXPECT_EQ(ClassRanges("[-a]"), (std::vector<Range>{{'-', '-'}, {'a', 'a'}}));
  EXPECT_EQ(ClassRanges("[\x82\x9F-\x82\xF1]"), (std::vector<Range>{{0x829F, 0x82F1}}));
  EXPECT_EQ(ClassRanges("."), (std::vector<Range>{{1, 9}, {11, 12}, {14, 0xFCFC}}));
  // A negated class is what "." accepts minus the members.
  EXPECT_EQ(ClassRanges("[^\\n]"), ClassRanges("."));
  EXPECT_EQ(ClassRanges("[^a]"), (std::vector<Range>{{1, 9}, {11, 12}, {14, 'a' - 1}, {'a' + 1, 0xFCFC}}));
  EXPECT_EQ(ClassRanges("[^b-y\\x1-\\x9]"),
            (std::vector<Range>{{11, 12}, {14, 'a'}, {'z', 0xFCFC}}));
}

TEST(Parser, NegatedClassNamingEverythingMatchesNothing) {
  TREParser p("[^\\x1-\\xFCFC]");
  p.Run();
  EXPECT_EQ(p.Tree.Root->Op, opNothing);
  EXPECT_TRUE(p.Tree.Leaves().empty());
}

TEST(Parser, LeavesAreCutUntilEqualOrDisjoint) {
  TREParser p("[a-m][h-z]");
  p.Run();
  EXPECT_EQ(LeafRanges(p.Tree), (std::vector<Range>{{'a', 'g'}, {'h', 'm'}, {'n', 'z'}}));
  // The class nodes still cover what they covered.
  std::vector<Range> left, right;
  Collect(p.Tree.Root->Left, left);
  Collect(p.Tree.Root->Right, right);
  std::sort(left.begin(), left.end());
  std::sort(right.begin(), right.end());
  EXPECT_EQ(left, (std::vector<Range>{{'a', 'g'}, {'h', 'm'}}));
  EXPECT_EQ(right, (std::vector<Range>{{'h', 'm'}, {'n', 'z'}}));

  TREParser q(".|[a-z]|b|\x82\xA0");
  q.Run();
  const auto leaves = LeafRanges(q.Tree);
  for (size_t i = 0; i + 1 < leaves.size(); ++i)
    EXPECT_LT(leaves[i].second, leaves[i + 1].first) << "leaves overlap at " << i;
}

TEST(Parser, DeepNestingIsRefusedNotOverflowed) {
  const std::string deep(10000, '(');
  EXPECT_EQ(Catch([&] { TREParser(deep).Run(); }).Message, remsg::kNestingTooDeep);
  const std::string closed = std::string(10000, '(') + "a" + std::string(10000, ')');
  EXPECT_EQ(Catch([&] { TREParser(closed).Run(); }).Message, remsg::kNestingTooDeep);
  std::string fine = std::string(TREParser::kMaxGroupDepth, '(') + "a" +
                     std::string(TREParser::kMaxGroupDepth, ')');
  EXPECT_FALSE(Catch([&] { TREParser(fine).Run(); }).Raised);
}

}  // namespace
}  // namespace lumeko
