// Thompson-style construction over the parse tree, one node at a time from
// an explicit work list. Children are generated in the order a recursive
// walk would, so state numbers do not depend on the stack.
#include "regex/re_nfa.h"

#include <algorithm>
#include <stdexcept>

#include "regex/re_error.h"

namespace lumeko {

uint32_t TRE_NFA::NewState() {
  if (Heads_.size() >= kMaxStates) RaiseRegExpError(remsg::kTooComplex, 0);
  Heads_.push_back(-1);
  return uint32_t(Heads_.size() - 1);
}

void TRE_NFA::AddTransition(uint32_t from, uint32_t to, uint16_t lo, uint16_t hi) {
  if (Transitions_.size() >= kMaxTransitions) RaiseRegExpError(remsg::kTooComplex, 0);
  Transitions_.push_back({lo, hi, to, Heads_[from]});
  Heads_[from] = int32_t(Transitions_.size() - 1);
}

void TRE_NFA::GenerateStateList() {
  Heads_.clear();
  Transitions_.clear();
  HasLineHead = HasLineTail = false;
  NewState();  // entry
  NewState();  // exit
  struct Work {
    const TREParseNode* Node;
    uint32_t From, To;
  };
  std::vector<Work> work;
  if (Parser_.Tree.Root) work.push_back({Parser_.Tree.Root, EntryState, ExitState});
  while (!work.empty()) {
    const Work w = work.back();
    work.pop_back();
    const TREParseNode* n = w.Node;
    switch (n->Op) {
      case opCharRange:
        AddTransition(w.From, w.To, n->Lo, n->Hi);
        break;
      case opLHead:
        if (w.From == EntryState) {
          HasLineHead = true;
          AddTransition(w.From, w.To, LineHeadCode, LineHeadCode);
        } else {
          AddTransition(w.From, w.To, n->Lo, n->Hi);
        }
        break;
      case opLTail:
        if (w.To == ExitState) {
          HasLineTail = true;
          AddTransition(w.From, w.To, LineTailCode, LineTailCode);
        } else {
          AddTransition(w.From, w.To, n->Lo, n->Hi);
        }
        break;
      case opConcat: {
        const uint32_t mid = NewState();
        work.push_back({n->Right, mid, w.To});
        work.push_back({n->Left, w.From, mid});
        break;
      }
      case opUnion:
        work.push_back({n->Right, w.From, w.To});
        work.push_back({n->Left, w.From, w.To});
        break;
      case opClosure: {
        const uint32_t c = NewState();
        const uint32_t d = NewState();
        AddTransition(w.From, c, kEmptyLabel, kEmptyLabel);
        AddTransition(d, c, kEmptyLabel, kEmptyLabel);
        AddTransition(c, w.To, kEmptyLabel, kEmptyLabel);
        work.push_back({n->Left, c, d});
        break;
      }
      case opEmpty:
        AddTransition(w.From, w.To, kEmptyLabel, kEmptyLabel);
        break;
      case opNothing:
        break;  // no way through
      default:
        throw std::runtime_error(remsg::kNfaFatal);
    }
  }
}

}  // namespace lumeko
