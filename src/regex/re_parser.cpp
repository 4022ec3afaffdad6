// Grammar of patterns. Each Parse* function starts at its first token and
// leaves the scanner on the token after what it parsed.
#include "regex/re_parser.h"

#include <algorithm>

#include "regex/re_error.h"

namespace lumeko {

void TREParser::Run() {
  Tree.Clear();
  Depth_ = 0;
  try {
    Next();
    TREParseNode* root = ParseExpression();
    if (Scanner.Token() != tkEnd) RaiseRegExpError(remsg::kExtraText, Scanner.Position());
    Tree.Root = root;
    Tree.SplitLeaves();
  } catch (...) {
    Tree.Clear();
    throw;
  }
}

TREParseNode* TREParser::ParseExpression() {
  TREParseNode* node = ParseTerm();
  while (Scanner.Token() == tkUnion) {
    Next();
    node = Tree.MakeInternal(opUnion, node, ParseTerm());
  }
  return node;
}

namespace {
bool EndsTerm(TRETokenKind k) { return k == tkUnion || k == tkRPar || k == tkEnd; }
}  // namespace

TREParseNode* TREParser::ParseTerm() {
  if (EndsTerm(Scanner.Token())) return Tree.MakeInternal(opEmpty, nullptr);
  TREParseNode* node = ParseFactor();
  while (!EndsTerm(Scanner.Token())) node = Tree.MakeInternal(opConcat, node, ParseFactor());
  return node;
}

TREParseNode* TREParser::ParseFactor() {
  TREParseNode* p = ParsePrimary();
  switch (Scanner.Token()) {
    case tkStar:
      Next();
      return Tree.MakeInternal(opClosure, p);
    case tkPlus:
      Next();
      // The same operand node sits under both sides.
      return Tree.MakeInternal(opConcat, p, Tree.MakeInternal(opClosure, p));
    case tkQMark:
      Next();
      return Tree.MakeInternal(opUnion, p, Tree.MakeInternal(opEmpty, nullptr));
    default:
      return p;
  }
}

TREParseNode* TREParser::ParsePrimary() {
  TREParseNode* node = nullptr;
  switch (Scanner.Token()) {
    case tkChar:
      node = Tree.MakeLeaf(Scanner.TokenChar(), Scanner.TokenChar());
      break;
    case tkLPar: {
      if (++Depth_ > kMaxGroupDepth) RaiseRegExpError(remsg::kNestingTooDeep, Scanner.Position());
      Next();
      node = ParseExpression();
      if (Scanner.Token() != tkRPar) RaiseRegExpError(remsg::kNeedRPar, Scanner.Position());
      --Depth_;
      break;
    }
    case tkLBra:
      node = ParseClass();
      if (Scanner.Token() != tkRBra) RaiseRegExpError(remsg::kNeedRBracket, Scanner.Position());
      break;
    case tkLBraNeg:
      node = ParseNegatedClass();
      if (Scanner.Token() != tkRBra) RaiseRegExpError(remsg::kNeedRBracket, Scanner.Position());
      break;
    case tkDot:
      node = Tree.MakeAnyCharNode();
      break;
    case tkLHead:
      node = Tree.MakeAnchor(opLHead, Scanner.TokenChar());
      break;
    case tkLTail:
      node = Tree.MakeAnchor(opLTail, Scanner.TokenChar());
      break;
    default:
      RaiseRegExpError(remsg::kNeedOperand, Scanner.Position());
  }
  Next();
  return node;
}

std::vector<std::pair<uint16_t, uint16_t>> TREParser::ReadClassMembers() {
  std::vector<std::pair<uint16_t, uint16_t>> members;
  Next();
  if (Scanner.Token() == tkRBra) RaiseRegExpError(remsg::kBadClass, Scanner.Position());
  while (Scanner.Token() != tkRBra) {
    // In class mode the scanner gives only members, "]" or an error.
    if (Scanner.Token() != tkChar && Scanner.Token() != tkCharRange)
      RaiseRegExpError(remsg::kNeedRBracket, Scanner.Position());
    members.emplace_back(Scanner.TokenChar(), Scanner.TokenUpper());
    Next();
  }
  return members;
}

TREParseNode* TREParser::ParseClass() {
  TREParseNode* node = nullptr;
  for (const auto& [lo, hi] : ReadClassMembers()) {
    TREParseNode* leaf = Tree.MakeLeaf(lo, hi);
    node = node ? Tree.MakeInternal(opUnion, node, leaf) : leaf;
  }
  return node;
}

// What "." accepts minus every member. A class that names every such
// character leaves nothing; we make it a part that never matches, so "[^...]"
// can never widen into the empty string or anything else.
TREParseNode* TREParser::ParseNegatedClass() {
  auto members = ReadClassMembers();
  std::sort(members.begin(), members.end());
  std::vector<std::pair<uint32_t, uint32_t>> pieces;
  const std::pair<uint32_t, uint32_t> any[] = {{1, 9}, {11, 12}, {14, kMaxCharCode}};
  for (auto [lo, hi] : any) {
    uint32_t from = lo;
    for (const auto& [mlo, mhi] : members) {
      if (mhi < from) continue;
      if (mlo > hi) break;
      if (mlo > from) pieces.emplace_back(from, std::min<uint32_t>(mlo - 1, hi));
      from = std::max<uint32_t>(from, uint32_t(mhi) + 1);
      if (from > hi) break;
    }
    if (from <= hi) pieces.emplace_back(from, hi);
  }
  if (pieces.empty()) return Tree.MakeInternal(opNothing, nullptr);
  TREParseNode* node = nullptr;
  for (const auto& [lo, hi] : pieces) {
    TREParseNode* leaf = Tree.MakeLeaf(uint16_t(lo), uint16_t(hi));
    node = node ? Tree.MakeInternal(opUnion, node, leaf) : leaf;
  }
  return node;
}

}  // namespace lumeko
