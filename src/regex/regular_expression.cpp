// Compilation (parser, NFA, DFA) and the cache rules of assignment.
#include "regex/regular_expression.h"

#include "regex/re_nfa.h"
#include "regex/re_parser.h"

namespace lumeko {

TRegularExpression::TRegularExpression() {
  Cache_.push_back({std::string(), nullptr});
  CurrentIndex_ = 0;
  Compile(std::string());
}

void TRegularExpression::Compile(const std::string& pattern) {
  try {
    TREParser parser(pattern);
    parser.Run();
    TRE_NFA nfa(parser, LineHeadCode(), LineTailCode());
    LineHeadCode_ = nfa.LineHeadCode;
    LineTailCode_ = nfa.LineTailCode;
    nfa.GenerateStateList();
    auto dfa = std::make_unique<TRE_DFA>(nfa);
    dfa->Build();
    Cache_[CurrentIndex_].Automaton = std::move(dfa);
    ++CompileCount_;
  } catch (...) {
    if (CurrentIndex_ != 0) Cache_.erase(Cache_.begin() + CurrentIndex_);
    CurrentIndex_ = 0;
    throw;
  }
}

void TRegularExpression::SetRegExp(std::string_view value) {
  try {
    PreProcessor_.SetPattern(value);
    std::string p = PreProcessor_.Run();
    size_t found = Cache_.size();
    for (size_t i = 0; i < Cache_.size(); ++i) {
      if (Cache_[i].Pattern == p) {
        found = i;
        break;
      }
    }
    if (found < Cache_.size()) {
      CurrentIndex_ = found;
    } else {
      if (Cache_.size() >= kCacheCapacity) Cache_.pop_back();
      Cache_.insert(Cache_.begin() + 1, Entry{std::move(p), nullptr});
      CurrentIndex_ = 1;
      Compile(Cache_[1].Pattern);
    }
    RegExp_.assign(value);
  } catch (...) {
    CurrentIndex_ = 0;
    RegExp_.clear();
    throw;
  }
}

}  // namespace lumeko
