// TAWKStr: the pattern engine as the rest of the system uses it, with the
// AWK functions match, sub and gsub over CP932 text.
//
// It holds one current expression; assigning RegExp rewrites it with the
// fuzzy (and synonym) dictionaries when switched on, compiles or reuses it,
// and picks the anchored matcher only when the expression has "^" or "$"
// anchors. Positions given out are 1-based byte positions, lengths in bytes;
// a match never splits a two-byte character. Bad patterns and replacement
// texts raise ERegExpParser; a failed Sub or GSub leaves its subject as it was.
#pragma once

#include <string>
#include <string_view>

#include "regex/match_core.h"
#include "regex/re_error.h"
#include "regex/re_preprocessor.h"

namespace lumeko {

class TAWKStr : public TMatchCORE {
 public:
  // Empty expression, mcls_CRLF, the default fuzzy dictionary in the fuzzy
  // list, both switches off.
  TAWKStr();

  void SetRegExp(std::string_view value) override;

  bool UseFuzzyCharDic() const { return PreProcessor().UseFuzzyCharDic; }
  bool UseSynonymDic() const { return PreProcessor().UseSynonymDic; }
  // Each stores the switch and assigns the current RegExp again, so the
  // expression in use follows the new setting at once.
  void SetUseFuzzyCharDic(bool on);
  void SetUseSynonymDic(bool on);

  // The dictionary lists, so callers can add their own (referred to, not
  // owned: a dictionary must outlive this object). Assign RegExp again for
  // a change to take effect.
  TREDictionaryList& FuzzyCharDics() { return PreProcessor().FuzzyCharDics(); }
  TREDictionaryList& SynonymDics() { return PreProcessor().SynonymDics(); }

  // Whether the anchored matcher is in use.
  bool UsesAnchoredMatcher() const { return Matcher_ == &TMatchCORE::MatchAnchored; }

  // The first match: start (1-based) and length, and start as the result;
  // 0, 0 and 0 without one.
  int Match(std::string_view subject, int& start, int& length) const;
  // Replaces the first match by the expanded replacement; 1, or 0 (and the
  // subject untouched) without a match.
  int Sub(std::string_view replacement, std::string& subject) const;
  // Replaces every match from left to right; the number of replacements.
  int GSub(std::string_view replacement, std::string& subject) const;

  // The replacement for a matched text: "&" is the match, "\&" a literal
  // "&", and escapes such as \n or \x41 give their characters.
  static std::string ExpandReplacement(std::string_view replacement, std::string_view matched);

 private:
  using Matcher = bool (TMatchCORE::*)(std::string_view, size_t&, size_t&) const;

  bool Find(std::string_view subject, size_t& start, size_t& end) const {
    return (this->*Matcher_)(subject, start, end);
  }

  Matcher Matcher_ = &TMatchCORE::MatchPlain;
};

}  // namespace lumeko
