// A compiled expression with a cache of recent patterns.
//
// Every assigned pattern first passes the object's own preprocessor (the
// fuzzy rewrite), which it holds by value so nothing can swap it out; the
// rewritten text is the cache key. The cache holds up to 30 compiled
// automata: entry 0 is always the empty pattern, a new pattern goes in at
// index 1 and the oldest falls off the end. The object always has a current
// automaton: after any failure it is the empty pattern's, and RegExp() is
// empty. It never rewrites or compiles the same text twice in a row.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "regex/re_dfa.h"
#include "regex/re_preprocessor.h"

namespace lumeko {

class TRegularExpression {
 public:
  static constexpr size_t kCacheCapacity = 30;

  TRegularExpression();
  TRegularExpression(const TRegularExpression&) = delete;
  TRegularExpression& operator=(const TRegularExpression&) = delete;
  virtual ~TRegularExpression() = default;

  // Preprocesses, finds or compiles, and makes the pattern current. On
  // failure the empty pattern becomes current, RegExp() is empty, and the
  // exception (ERegExpParser for a bad pattern) passes on.
  virtual void SetRegExp(std::string_view value);
  const std::string& RegExp() const { return RegExp_; }

  virtual uint16_t LineHeadCode() const { return kLineHeadCode; }
  virtual uint16_t LineTailCode() const { return kLineTailCode; }

  bool HasLineHead() const { return Current().HasLineHead; }
  bool HasLineTail() const { return Current().HasLineTail; }
  const TRE_DFA& Current() const { return *Cache_[CurrentIndex_].Automaton; }

  // The cache as it stands, for inspection.
  size_t CacheSize() const { return Cache_.size(); }
  const std::string& CachePattern(size_t i) const { return Cache_[i].Pattern; }
  size_t CurrentIndex() const { return CurrentIndex_; }
  // How many patterns have been compiled over the object's life.
  size_t CompileCount() const { return CompileCount_; }

 protected:
  // Builds the automaton of the current cache entry from pattern. On
  // failure the entry is dropped (entry 0 never is) and entry 0 is current.
  virtual void Compile(const std::string& pattern);

  // The preprocessor every assigned pattern passes (both switches off: the
  // pattern as written). It is part of this object for its whole life.
  TREPreProcessor& PreProcessor() { return PreProcessor_; }
  const TREPreProcessor& PreProcessor() const { return PreProcessor_; }

  uint16_t LineHeadCode_ = kLineHeadCode;
  uint16_t LineTailCode_ = kLineTailCode;

 private:
  struct Entry {
    std::string Pattern;
    std::unique_ptr<TRE_DFA> Automaton;
  };
  std::vector<Entry> Cache_;
  size_t CurrentIndex_ = 0;
  std::string RegExp_;
  TREPreProcessor PreProcessor_;
  size_t CompileCount_ = 0;
};

}  // namespace lumeko
