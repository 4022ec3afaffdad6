// The deterministic automaton: subset construction over a TRE_NFA.
//
// The character codes are first cut into classes at every label boundary,
// so the transitions leaving one state are disjoint even where a literal
// "^" or "$" overlaps another range; each state then has one table row,
// indexed by class. Codes map to classes through a byte table and, for
// two-byte characters, a 256-entry table per lead byte. Construction stops
// with a syntax error past its bounds instead of exhausting memory.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/cp932.h"
#include "regex/re_nfa.h"

namespace lumeko {

class TRE_DFA {
 public:
  // Bounds on the automaton: a pattern that needs more is refused.
  static constexpr uint32_t kMaxStates = 20000;
  static constexpr size_t kMaxTableCells = size_t(1) << 22;
  // The NFA state sets kept while building, in 64-bit words (32 MB).
  static constexpr size_t kMaxSetWords = size_t(1) << 22;

  struct Transition {
    uint16_t Lo, Hi;
    int32_t Target;
  };

  explicit TRE_DFA(const TRE_NFA& nfa)
      : HasLineHead(nfa.HasLineHead), HasLineTail(nfa.HasLineTail), Nfa_(&nfa) {}

  // Subset construction; afterwards the NFA is no longer needed.
  void Build();

  uint32_t StateCount() const { return uint32_t(Accepting_.size()); }
  static constexpr int32_t InitialState = 0;
  bool IsAccepting(int32_t s) const { return Accepting_[s] != 0; }
  bool HasLineTailTransition(int32_t s) const { return TailMark_[s] != 0; }
  // Target of the line-head mark, or -1.
  int32_t LineHeadTarget(int32_t s) const { return HeadTarget_[s]; }
  // The state reached from s on code, or -1; code 0 never leads anywhere.
  int32_t NextState(int32_t s, uint16_t code) const;
  // The transitions leaving s, sorted by lower end (merged where adjacent
  // ranges lead to the same state).
  std::vector<Transition> Transitions(int32_t s) const;

  // The state reached from s on the character at subject[i] (n bytes in all,
  // i < n); len becomes its byte length. A lead byte that is the last byte
  // of the subject counts as a one-byte character, so nothing past n is read.
  int32_t Step(int32_t s, const unsigned char* subject, size_t i, size_t n, size_t& len) const {
    const unsigned b = subject[i];
    uint32_t cls;
    if (LeadSub_[b] >= 0 && i + 1 < n) {
      cls = Sub_[size_t(LeadSub_[b]) + subject[i + 1]];
      len = 2;
    } else {
      cls = ByteClass_[b];
      len = 1;
    }
    return Table_[size_t(s) * Width_ + cls];
  }
  // Whether some character starting with byte b leaves the initial state.
  bool CanStartWith(unsigned char b) const { return StartBytes_[b] != 0; }

  bool HasLineHead;
  bool HasLineTail;

 private:
  uint32_t ClassOf(uint16_t code) const;
  void BuildClasses();
  void BuildCodeTables();

  const TRE_NFA* Nfa_;
  // Class c (1-based) covers Classes_[c-1]; class 0 is every code no label names.
  std::vector<std::pair<uint16_t, uint16_t>> Classes_;
  // Per NFA transition: first and last class of its label (0,0 for marks and
  // empty labels).
  std::vector<std::pair<uint32_t, uint32_t>> Span_;
  uint32_t Width_ = 1;  // classes + 1
  std::vector<int32_t> Table_;
  std::vector<uint8_t> Accepting_;
  std::vector<uint8_t> TailMark_;
  std::vector<int32_t> HeadTarget_;
  std::array<uint16_t, 256> ByteClass_{};
  std::array<int32_t, 256> LeadSub_{};
  std::vector<uint16_t> Sub_;
  std::array<uint8_t, 256> StartBytes_{};
};

}  // namespace lumeko
