// The nondeterministic automaton built from a parse tree, and the state sets
// the deterministic construction works with.
//
// States are numbered in order of creation; 0 is the entry, 1 the exit. Each
// state has a list of transitions labelled with a character range, the
// empty label, or one of the two line marks. "^" becomes a line-head mark
// only on a path straight out of the entry state, "$" a line-tail mark only
// into the exit state; anywhere else they are plain characters. The tree is
// walked with an explicit stack: a long pattern must not exhaust the stack.
// The operand of "+" is built twice, so nesting doubles the automaton: its
// size is bounded while it is built, never checked only afterwards.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "regex/re_parser.h"

namespace lumeko {

struct TRE_NFATransition {
  uint16_t Lo;
  uint16_t Hi;
  uint32_t Target;
  int32_t Next;  // next transition of the same state, -1 at the end
  bool IsEmpty() const { return Lo == kEmptyLabel; }
};

class TRE_NFA {
 public:
  // Bounds on the automaton while it is built: a pattern that needs more is
  // refused as too complex. A fuzzy-rewritten title of a few hundred
  // characters needs a few thousand of each.
  static constexpr uint32_t kMaxStates = uint32_t(1) << 16;
  static constexpr uint32_t kMaxTransitions = uint32_t(1) << 18;

  TRE_NFA(const TREParser& parser, uint16_t lineHeadCode, uint16_t lineTailCode)
      : Parser_(parser), LineHeadCode(lineHeadCode), LineTailCode(lineTailCode) {}

  // Builds the states from the parser's tree; raises the too-complex error
  // as soon as a bound is passed.
  void GenerateStateList();

  uint32_t StateCount() const { return uint32_t(Heads_.size()); }
  // Index of the first transition of a state (-1 when it has none); the
  // list is newest first.
  int32_t FirstTransition(uint32_t state) const { return Heads_[state]; }
  const TRE_NFATransition& Transition(int32_t index) const { return Transitions_[index]; }
  const std::vector<TRE_NFATransition>& AllTransitions() const { return Transitions_; }

  static constexpr uint32_t EntryState = 0;
  static constexpr uint32_t ExitState = 1;
  bool HasLineHead = false;
  bool HasLineTail = false;

 private:
  uint32_t NewState();
  void AddTransition(uint32_t from, uint32_t to, uint16_t lo, uint16_t hi);

  const TREParser& Parser_;
  std::vector<int32_t> Heads_;
  std::vector<TRE_NFATransition> Transitions_;

 public:
  const uint16_t LineHeadCode;
  const uint16_t LineTailCode;
};

// A set of NFA states as a bit set; two sets are equal when all bits are.
class TRE_NFAStateSet {
 public:
  explicit TRE_NFAStateSet(uint32_t stateCount) : Words_(stateCount / 64 + 1, 0) {}
  void Include(uint32_t s) { Words_[s >> 6] |= uint64_t(1) << (s & 63); }
  bool Has(uint32_t s) const { return (Words_[s >> 6] >> (s & 63)) & 1; }
  void Clear() { std::fill(Words_.begin(), Words_.end(), 0); }
  bool operator==(const TRE_NFAStateSet& o) const { return Words_ == o.Words_; }
  const std::vector<uint64_t>& Words() const { return Words_; }
  std::vector<uint64_t>& Words() { return Words_; }

 private:
  std::vector<uint64_t> Words_;
};

}  // namespace lumeko
