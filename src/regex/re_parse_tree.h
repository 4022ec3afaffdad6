// The parse tree of a pattern: internal nodes over character-range leaves.
//
// The tree owns every node it makes. Leaves are unique by range (asking for
// a range twice gives the same leaf, so a leaf may have several parents), and
// SplitLeaves cuts overlapping leaves into pieces so that any two leaves are
// either equal or disjoint; the automaton builder relies on that. Nodes are
// only ever freed with the whole tree, so no walk here recurses. Cutting can
// multiply the leaves of overlapping ranges, so the node count is bounded.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace lumeko {

enum TREOperation : uint8_t {
  opCharRange,  // leaf: one character in Lo..Hi
  opLHead,      // "^"; Lo..Hi hold the character "^" itself
  opLTail,      // "$"; Lo..Hi hold the character "$" itself
  opConcat,     // Left, then Right
  opUnion,      // Left or Right
  opClosure,    // Left zero or more times
  opEmpty,      // the empty string
  opNothing,    // matches nothing at all (a negated class that leaves no character)
};

struct TREParseNode {
  TREOperation Op = opEmpty;
  TREParseNode* Left = nullptr;
  TREParseNode* Right = nullptr;
  uint16_t Lo = 0;
  uint16_t Hi = 0;
};

class TREParseTree {
 public:
  // More nodes than this is refused as too complex (far beyond any name or
  // title, rewritten or not).
  static constexpr size_t kMaxNodes = size_t(1) << 19;

  TREParseTree() = default;
  TREParseTree(const TREParseTree&) = delete;
  TREParseTree& operator=(const TREParseTree&) = delete;
  virtual ~TREParseTree() = default;

  // "." : the ranges 1-9, 11-12 and 14-0xFCFC (no NUL, LF or CR).
  virtual TREParseNode* MakeAnyCharNode();

  TREParseNode* MakeInternal(TREOperation op, TREParseNode* left, TREParseNode* right = nullptr);
  // The leaf for lo..hi: the existing one when there is one.
  TREParseNode* MakeLeaf(uint16_t lo, uint16_t hi);
  // An anchor node ("^" or "$") that remembers its own character.
  TREParseNode* MakeAnchor(TREOperation op, uint16_t ch);

  // Cuts leaves apart until every pair is equal or disjoint. A leaf that is
  // cut turns in place into a left-nested union of its pieces, in ascending
  // order, so every parent reaches the pieces.
  void SplitLeaves();

  void Clear();

  TREParseNode* Root = nullptr;
  const std::vector<TREParseNode*>& Leaves() const { return Leaves_; }
  const std::vector<TREParseNode*>& Nodes() const { return Nodes_; }

 private:
  TREParseNode* NewNode();

  std::vector<std::unique_ptr<TREParseNode>> Storage_;
  std::vector<TREParseNode*> Nodes_;
  std::vector<TREParseNode*> Leaves_;
  std::unordered_map<uint32_t, TREParseNode*> LeafByRange_;
};

}  // namespace lumeko
