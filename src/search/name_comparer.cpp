// Strip, unbracket, wildcard, any-text and contains on the pattern engine.
#include "search/name_comparer.h"

#include "regex/awk_str.h"
#include "regex/re_error.h"

namespace lumeko {
namespace {

// One separator: space _ - ! + $ . ( ) [ ] , and the middle dot (with the
// dictionary also their full-width forms, the long-vowel mark and the wave).
constexpr char kSeparatorsPattern[] = " |_|-|!|\\+|\\$|\\.|\\(|\\)|\\[|\\]|,|\x81\x45";
// A full-width bracketed part at the start of a name: （...）.
constexpr char kLeadingBracketPattern[] = "^\x81\x69[^\x81\x69]*\x81\x6A";

}  // namespace

TNameComparer::TNameComparer() : AWKStr(std::make_unique<TAWKStr>()) {}
TNameComparer::~TNameComparer() = default;

void TNameComparer::Begin() {
  CurrentValid = false;
  HasRejected = false;
  AWKStr->SetUseFuzzyCharDic(true);
}

bool TNameComparer::Use(const std::string& pattern) {
  if (CurrentValid && Current == pattern) return true;
  if (HasRejected && Rejected == pattern) return false;
  CurrentValid = false;
  try {
    AWKStr->SetRegExp(pattern);
  } catch (const ERegExpParser&) {
    // Remembered, so a listing compared against one bad title raises once.
    Rejected = pattern;
    HasRejected = true;
    return false;
  }
  Current = pattern;
  CurrentValid = true;
  return true;
}

std::string TNameComparer::Strip(std::string s) {
  if (Use(kSeparatorsPattern)) AWKStr->GSub("", s);
  return s;
}

std::string TNameComparer::Unbracket(std::string s) {
  if (Use(kLeadingBracketPattern)) AWKStr->Sub("", s);
  return s;
}

std::string TNameComparer::Wildcard(std::string s) {
  if (Use(kSeparatorsPattern)) AWKStr->GSub("*", s);
  return s;
}

std::string TNameComparer::AnyText(std::string s) {
  if (Use(kSeparatorsPattern)) AWKStr->GSub(".*", s);
  return s;
}

void TNameComparer::StripAll(std::vector<std::string>& names) {
  if (!Use(kSeparatorsPattern)) return;
  for (std::string& n : names) AWKStr->GSub("", n);
}

void TNameComparer::UnbracketAll(std::vector<std::string>& names) {
  if (!Use(kLeadingBracketPattern)) return;
  for (std::string& n : names) AWKStr->Sub("", n);
}

bool TNameComparer::Contains(const std::string& p, const std::string& s) {
  if (!Use(p)) return false;
  int start = 0, length = 0;
  return AWKStr->Match(s, start, length) > 0;
}

}  // namespace lumeko
