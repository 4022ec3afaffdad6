// The pattern preprocessor: rewrites literal characters that belong to a
// dictionary group into an alternation of the whole group, so that one
// pattern matches every width, case and kana form of a name.
//
// It reads the pattern with its own scanner, so escapes, classes and
// operators are understood exactly as the parser will understand them; any
// part it does not expand is copied byte for byte. Dictionaries are referred
// to, never owned: the default one is shared by the whole process.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "regex/fuzzy_dictionary.h"
#include "regex/re_scanner.h"

namespace lumeko {

using TREDictionaryList = std::vector<const TREDictionary*>;

class TREPreProcessor {
 public:
  // One token as read, with the span of its text in the pattern (1-based,
  // end exclusive; empty for the closing tkEnd).
  struct TokenRecord {
    TRETokenKind kind;
    uint16_t ch;
    size_t start;
    size_t end;
  };

  TREPreProcessor() = default;
  TREPreProcessor(const TREPreProcessor&) = delete;
  TREPreProcessor& operator=(const TREPreProcessor&) = delete;

  // Gives the scanner the next pattern to rewrite.
  void SetPattern(std::string_view pattern) { scanner_.SetPattern(pattern); }
  // The text to compile: the pattern, rewritten with the synonym list first
  // and then the fuzzy list, each when its switch is on. Scanner errors pass
  // out as ERegExpParser.
  const std::string& Run();

  bool UseFuzzyCharDic = false;
  bool UseSynonymDic = false;
  TREDictionaryList& FuzzyCharDics() { return fuzzyCharDics_; }
  TREDictionaryList& SynonymDics() { return synonymDics_; }

  // What the last run left behind: its tokens and its last expansion.
  const std::vector<TokenRecord>& Tokens() const { return tokens_; }
  const std::string& LastExpansion() const { return expansion_; }

 private:
  void Rewrite(const TREDictionaryList& dics);
  void Tokenize();
  // Looks for a member at token i of a run of characters ending before j;
  // on success leaves its group's expansion (or its class members) in
  // expansion_ and gives the member's length in characters.
  size_t LookUp(const TREDictionaryList& dics, size_t i, size_t j, bool asClassMembers);

  TREScanner scanner_;
  std::string output_;
  TREDictionaryList synonymDics_;
  TREDictionaryList fuzzyCharDics_;
  std::vector<TokenRecord> tokens_;
  std::vector<uint16_t> codes_;  // the characters of tokens_, for lookups
  std::string expansion_;
};

}  // namespace lumeko
