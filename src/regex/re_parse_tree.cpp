// Leaf bookkeeping and the cutting of overlapping ranges. The cut uses every
// leaf's ends as boundaries at once: the pieces are the same as cutting pair
// by pair, without rescanning the list after each cut.
#include "regex/re_parse_tree.h"

#include <algorithm>
#include <stdexcept>

#include "regex/re_error.h"
#include "regex/re_scanner.h"

namespace lumeko {

namespace {
uint32_t RangeKey(uint16_t lo, uint16_t hi) { return uint32_t(lo) << 16 | hi; }
}  // namespace

TREParseNode* TREParseTree::NewNode() {
  if (Storage_.size() >= kMaxNodes) RaiseRegExpError(remsg::kTooComplex, 0);
  Storage_.push_back(std::make_unique<TREParseNode>());
  return Storage_.back().get();
}

TREParseNode* TREParseTree::MakeInternal(TREOperation op, TREParseNode* left, TREParseNode* right) {
  TREParseNode* n = NewNode();
  n->Op = op;
  n->Left = left;
  n->Right = right;
  Nodes_.push_back(n);
  return n;
}

TREParseNode* TREParseTree::MakeLeaf(uint16_t lo, uint16_t hi) {
  auto [it, inserted] = LeafByRange_.try_emplace(RangeKey(lo, hi), nullptr);
  if (!inserted) return it->second;
  TREParseNode* n = NewNode();
  n->Op = opCharRange;
  n->Lo = lo;
  n->Hi = hi;
  Leaves_.push_back(n);
  it->second = n;
  return n;
}

TREParseNode* TREParseTree::MakeAnchor(TREOperation op, uint16_t ch) {
  TREParseNode* n = MakeInternal(op, nullptr, nullptr);
  n->Lo = n->Hi = ch;
  return n;
}

TREParseNode* TREParseTree::MakeAnyCharNode() {
  return MakeInternal(opUnion, MakeInternal(opUnion, MakeLeaf(1, 9), MakeLeaf(11, 12)),
                      MakeLeaf(14, kMaxCharCode));
}

void TREParseTree::SplitLeaves() {
  std::vector<uint32_t> bounds;
  bounds.reserve(Leaves_.size() * 2);
  for (const TREParseNode* l : Leaves_) {
    bounds.push_back(l->Lo);
    bounds.push_back(uint32_t(l->Hi) + 1);
  }
  std::sort(bounds.begin(), bounds.end());
  bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());

  const std::vector<TREParseNode*> original = Leaves_;
  std::vector<TREParseNode*> cut;
  for (TREParseNode* leaf : original) {
    auto first = std::upper_bound(bounds.begin(), bounds.end(), uint32_t(leaf->Lo));
    if (first == bounds.end() || *first > leaf->Hi) continue;  // no boundary inside
    LeafByRange_.erase(RangeKey(leaf->Lo, leaf->Hi));
    std::vector<TREParseNode*> pieces;
    uint32_t lo = leaf->Lo;
    for (auto b = first; b != bounds.end() && *b <= leaf->Hi; ++b) {
      pieces.push_back(MakeLeaf(uint16_t(lo), uint16_t(*b - 1)));
      lo = *b;
    }
    pieces.push_back(MakeLeaf(uint16_t(lo), leaf->Hi));
    for (TREParseNode* p : pieces)
      if (p == nullptr || p == leaf) throw std::runtime_error(remsg::kTreeFatal);
    TREParseNode* left = pieces[0];
    for (size_t i = 1; i + 1 < pieces.size(); ++i) left = MakeInternal(opUnion, left, pieces[i]);
    leaf->Op = opUnion;
    leaf->Left = left;
    leaf->Right = pieces.back();
    cut.push_back(leaf);
  }
  if (cut.empty()) return;
  std::sort(cut.begin(), cut.end());
  std::erase_if(Leaves_, [&](TREParseNode* n) { return std::binary_search(cut.begin(), cut.end(), n); });
  Nodes_.insert(Nodes_.end(), cut.begin(), cut.end());
}

void TREParseTree::Clear() {
  Root = nullptr;
  Leaves_.clear();
  Nodes_.clear();
  LeafByRange_.clear();
  Storage_.clear();
}

}  // namespace lumeko
