// The pattern parser: tokens from TREScanner into a TREParseTree.
//
// Recursive descent with the current token as look-ahead: expression (|),
// term (concatenation), factor (one postfix * + ?), primary. Only "(" nests,
// and nesting is bounded (kMaxGroupDepth) so a hostile pattern raises a
// syntax error instead of exhausting the stack. A failed parse leaves no tree.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "regex/re_parse_tree.h"
#include "regex/re_scanner.h"

namespace lumeko {

class TREParser {
 public:
  // Deeper nesting of "(" than this is refused with its own message; no
  // name or title comes near it.
  static constexpr int kMaxGroupDepth = 256;

  explicit TREParser(std::string_view pattern) : Scanner(pattern) {}

  // Parses the whole pattern; afterwards Tree.Root is the root and the
  // leaves are cut apart.
  void Run();

  TREScanner Scanner;
  TREParseTree Tree;

 private:
  TREParseNode* ParseExpression();
  TREParseNode* ParseTerm();
  TREParseNode* ParseFactor();
  TREParseNode* ParsePrimary();
  TREParseNode* ParseClass();
  TREParseNode* ParseNegatedClass();
  // Reads the members up to "]"; each member's range, in the order written.
  std::vector<std::pair<uint16_t, uint16_t>> ReadClassMembers();
  void Next() { Scanner.GetToken(); }

  int Depth_ = 0;
};

}  // namespace lumeko
