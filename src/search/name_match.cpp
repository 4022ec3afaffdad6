// The similar and the fuzzy search in one folder (and, on request, below it).
//
// The similar search lists the files whose names hold the words of the
// wanted name and keeps the one whose length is nearest (best of all three
// extensions, first met on a tie). The fuzzy search compares names with
// their separators removed and takes the first candidate that passes. Each
// candidate's derived names are computed for a whole listing at once, so the
// engine switches patterns a few times a listing rather than a few times a
// file; the answers are the same as taking the candidates one by one.
#include "search/lyrics_search.h"

#include <algorithm>

#include "platform/path_parts.h"
#include "search/folder_listing.h"
#include "search/name_comparer.h"
#include "search/search_explanation.h"

namespace lumeko {
namespace {

// min(a, b) × 100 div max(a, b), in whole percent.
int Score(size_t a, size_t b) {
  const size_t hi = std::max(a, b);
  return hi == 0 ? 100 : static_cast<int>(std::min(a, b) * 100 / hi);
}

}  // namespace

TLyricsSearch::TWanted TLyricsSearch::Prepare(const std::string& name) {
  TWanted w;
  w.Name = name;
  w.Len0 = static_cast<int>(name.size()) + 4;  // room for a four-character extension
  w.Mask = Comparer->Wildcard(name);
  w.AnyText = Comparer->AnyText(name);
  w.Stripped = Comparer->Strip(name);
  w.Core = Comparer->Unbracket(w.Stripped);
  if (Explain && !Explain->Searches.empty()) {
    TExplainedSearch& s = Explain->Searches.back();
    s.SimilarMask = "*" + w.Mask + "*";
    s.Stripped = w.Stripped;
    s.Core = w.Core;
  }
  return w;
}

bool TLyricsSearch::SimilarInFolder(const std::string& folder, const TWanted& w, bool byTitle) {
  BestScore = 0;
  for (int ext = 0; ext < kLyricsExtensionCount; ++ext) {
    const std::vector<std::string> names = Listings->ListFiles(folder, "*" + w.Mask + "*" + kLyricsExtensions[ext]);
    if (names.empty()) continue;
    std::vector<std::string> compared = names;
    std::vector<bool> passed(names.size(), true);
    if (byTitle) {
      Comparer->UnbracketAll(compared);
      for (size_t i = 0; i < names.size(); ++i)
        passed[i] = Comparer->Contains(w.AnyText, BaseNameOf(compared[i]));
    }
    for (size_t i = 0; i < names.size(); ++i) {
      if (!passed[i]) {
        if (Explain) Explain->Add({folder + names[i], ext, lmk_Nothing, -1, TCandidateOutcome::NoMatch});
        continue;
      }
      const int score = Score(static_cast<size_t>(w.Len0), compared[i].size());
      if (Explain)
        Explain->Add({folder + names[i], ext, lmk_Similar, score,
                      Accepts(score)         ? TCandidateOutcome::Accepted
                      : score < Threshold    ? TCandidateOutcome::BelowThreshold
                                             : TCandidateOutcome::NotAboveBest});
      if (Accepts(score)) {
        Found(folder + names[i], ext, lmk_Similar);
        BestScore = score;
      }
    }
  }
  return !FoundFile.empty();
}

bool TLyricsSearch::FuzzyInFolder(const std::string& folder, const TWanted& w) {
  for (int ext = 0; ext < kLyricsExtensionCount; ++ext) {
    const std::vector<std::string> names = Listings->ListFiles(folder, std::string("*") + kLyricsExtensions[ext]);
    if (names.empty()) continue;
    std::vector<std::string> stripped(names.size());
    for (size_t i = 0; i < names.size(); ++i) stripped[i] = BaseNameOf(names[i]);
    Comparer->StripAll(stripped);
    std::vector<std::string> cores = stripped;
    Comparer->UnbracketAll(cores);

    // Steps that need no pattern first, then the wanted name as the pattern,
    // all in listing order: the first candidate accepted wins.
    for (size_t i = 0; i < names.size(); ++i) {
      const std::string& c = cores[i];
      int kind = lmk_Nothing;
      int met = lmk_Nothing, score = -1;  // for the explanation: the test it met, even when refused
      if (SameTextIgnoreCase(stripped[i], w.Stripped)) {
        kind = lmk_Stripped;
      } else if (SameTextIgnoreCase(c, w.Stripped) || SameTextIgnoreCase(c, w.Core)) {
        kind = lmk_Similar;
      } else {
        score = Score(w.Core.size(), c.size());
        if (Comparer->Contains(w.Core, c)) {
          met = lmk_Contains;
          if (Accepts(score)) kind = lmk_Contains;
        } else if (Threshold < 30 && Comparer->Contains(c, w.Core)) {
          met = lmk_ContainedIn;
          if (Accepts(score)) kind = lmk_ContainedIn;
        }
        if (kind != lmk_Nothing) BestScore = score;
      }
      if (Explain) {
        const TCandidateOutcome outcome = kind != lmk_Nothing  ? TCandidateOutcome::Accepted
                                          : met != lmk_Nothing ? TCandidateOutcome::BelowThreshold
                                                               : TCandidateOutcome::NoMatch;
        Explain->Add({folder + names[i], ext, kind != lmk_Nothing ? kind : met,
                      met != lmk_Nothing ? score : -1, outcome});
      }
      if (kind != lmk_Nothing) {
        Found(folder + names[i], ext, kind);
        return true;
      }
    }
  }
  return false;
}

bool TLyricsSearch::SimilarSearch(const std::string& folder, const TWanted& w, bool byTitle, bool recurse) {
  return SearchTree(TSearchWay::Similar, folder, recurse, 0,
                    [&](const std::string& f) { return SimilarInFolder(f, w, byTitle); });
}

bool TLyricsSearch::FuzzySearch(const std::string& folder, const TWanted& w, bool recurse) {
  return SearchTree(TSearchWay::Fuzzy, folder, recurse, 0, [&](const std::string& f) { return FuzzyInFolder(f, w); });
}

}  // namespace lumeko
