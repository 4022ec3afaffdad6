// The text operations of the similar and fuzzy name comparisons.
//
// All of them run on one owned pattern engine object with the fuzzy character
// dictionary on, so width, case and kana variants of a character compare
// alike. Names and titles become patterns here; one that is no valid pattern
// is contained: Contains answers false, it never throws for a bad pattern.
// The current pattern is assigned again only when it changes, since each
// assignment rewrites the pattern through the dictionary.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace lumeko {

class TAWKStr;

class TNameComparer {
 public:
  TNameComparer();
  ~TNameComparer();
  TNameComparer(const TNameComparer&) = delete;
  TNameComparer& operator=(const TNameComparer&) = delete;

  // At the start of each search: the dictionary switched on.
  void Begin();

  std::string Strip(std::string s);      // separators removed
  std::string Unbracket(std::string s);  // a leading bracketed part removed
  std::string Wildcard(std::string s);   // each separator becomes '*'
  std::string AnyText(std::string s);    // each separator becomes ".*"
  // The same over many names with one assignment of the pattern.
  void StripAll(std::vector<std::string>& names);
  void UnbracketAll(std::vector<std::string>& names);

  // Pattern p matches somewhere in s. False when p is no valid pattern.
  bool Contains(const std::string& p, const std::string& s);

 private:
  bool Use(const std::string& pattern);
  std::unique_ptr<TAWKStr> AWKStr;
  std::string Current;
  bool CurrentValid = false;
  std::string Rejected;  // the last pattern the engine refused
  bool HasRejected = false;
};

}  // namespace lumeko
