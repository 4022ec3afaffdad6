// Rewriting a pattern with dictionary lists. The one idea: work on the
// scanner's tokens, not on bytes, and copy each token's own text when it is
// not expanded, so a rewrite can only ever replace literal characters.
// It must never change an operator, a class range or an escape it does not
// expand.
#include "regex/re_preprocessor.h"

namespace lumeko {

const std::string& TREPreProcessor::Run() {
  output_ = scanner_.Pattern();
  if (UseSynonymDic) {
    Rewrite(synonymDics_);
    scanner_.SetPattern(output_);
  }
  if (UseFuzzyCharDic) Rewrite(fuzzyCharDics_);
  return output_;
}

void TREPreProcessor::Tokenize() {
  tokens_.clear();
  codes_.clear();
  for (;;) {
    const size_t start = scanner_.Position();
    const TRETokenKind kind = scanner_.GetToken();
    if (kind == tkEnd) break;
    tokens_.push_back({kind, scanner_.TokenChar(), start, scanner_.Position()});
    codes_.push_back(scanner_.TokenChar());
  }
  const size_t end = scanner_.Position();
  tokens_.push_back({tkEnd, 0, end, end});
  codes_.push_back(0);
}

void TREPreProcessor::Rewrite(const TREDictionaryList& dics) {
  Tokenize();
  const std::string& pattern = scanner_.Pattern();
  std::string out;
  out.reserve(pattern.size() * 4);
  auto copyToken = [&](size_t k) {
    const TokenRecord& t = tokens_[k];
    out.append(pattern, t.start - 1, t.end - t.start);
  };
  bool inClass = false;
  bool inNegatedClass = false;
  size_t i = 0;
  while (i < tokens_.size()) {
    const TRETokenKind kind = tokens_[i].kind;
    // Inside "[" nothing is rewritten. Inside "[^...]" each character is
    // widened to the one-character members of its group, written as members
    // of that class: an alternation there would shut out "(", "|" and ")".
    if (kind == tkLBra) inClass = true;
    if (kind == tkLBraNeg) inNegatedClass = true;
    if (kind == tkRBra) inClass = inNegatedClass = false;
    if (kind != tkChar || inClass) {
      copyToken(i);
      ++i;
      continue;
    }
    size_t j = i;
    while (j < tokens_.size() && tokens_[j].kind == tkChar) ++j;
    // The character before "*", "+" or "?" is that operator's whole operand:
    // a longer member must not take it in, or the operator would repeat more.
    const TRETokenKind after = j < tokens_.size() ? tokens_[j].kind : tkEnd;
    const bool operand = after == tkStar || after == tkPlus || after == tkQMark;
    while (i < j) {
      // A class member is one character: no member of several may span two.
      const size_t limit = inNegatedClass ? i + 1 : (operand && i + 1 < j) ? j - 1 : j;
      const size_t length = LookUp(dics, i, limit, inNegatedClass);
      if (length > 0) {
        out += expansion_;
        i += length;
      } else {
        copyToken(i);
        ++i;
      }
    }
  }
  output_ = std::move(out);
}

size_t TREPreProcessor::LookUp(const TREDictionaryList& dics, size_t i, size_t j, bool asClassMembers) {
  for (const TREDictionary* d : dics) {
    if (d == nullptr) continue;
    TREDictionary::Found found;
    if (d->Find(codes_.data() + i, j - i, found)) {
      expansion_ = asClassMembers ? d->ClassMembers(found.group) : d->Expansion(found.group);
      return found.length;
    }
  }
  return 0;
}

}  // namespace lumeko
