// Filling in the explanation of a search, and naming its rules.
//
// The rule is read back from what was recorded, never from the search's own
// state: the winner is the last candidate accepted in the last search, and
// the way, folder and rivals around it say which rule chose it.
#include "search/search_explanation.h"

#include "search/lyrics_search.h"

namespace lumeko {

void TSearchExplanation::BeginSearch(TSearchBy by, const std::string& name, const std::vector<std::string>& folders,
                                     bool mediaFolderFirst) {
  TExplainedSearch s;
  s.By = by;
  s.Name = name;
  s.Folders = folders;
  s.MediaFolderFirst = mediaFolderFirst;
  Searches.push_back(std::move(s));
  currentRoot_ = 0;
}

void TSearchExplanation::BeginTry(TSearchWay way, const std::string& folder, int depth) {
  if (Searches.empty()) return;
  TExplainedTry t;
  t.Way = way;
  t.Folder = folder;
  t.Root = currentRoot_;
  t.Depth = depth;
  Searches.back().Tries.push_back(std::move(t));
}

void TSearchExplanation::Add(TExplainedCandidate candidate) {
  if (Searches.empty() || Searches.back().Tries.empty()) return;
  TExplainedTry& t = Searches.back().Tries.back();
  // The similar way keeps the best so far: a new one displaces the last.
  if (candidate.Outcome == TCandidateOutcome::Accepted)
    for (TExplainedCandidate& c : t.Candidates)
      if (c.Outcome == TCandidateOutcome::Accepted) c.Outcome = TCandidateOutcome::Bettered;
  t.Candidates.push_back(std::move(candidate));
}

namespace {

TWinningRule RuleOf(const TExplainedSearch& search, const TExplainedTry& t, size_t winner) {
  switch (t.Way) {
    case TSearchWay::Exact:
      if (search.By == TSearchBy::Title) return TWinningRule::ExactTitle;
      return search.MediaFolderFirst && t.Root == 0 ? TWinningRule::ExactBesideMedia
                                                    : TWinningRule::ExactInLyricsFolder;
    case TSearchWay::Similar:
      // A later candidate of the same score was refused only for coming later.
      for (size_t i = winner + 1; i < t.Candidates.size(); ++i) {
        const TExplainedCandidate& c = t.Candidates[i];
        if (c.Outcome == TCandidateOutcome::NotAboveBest && c.Score == t.Candidates[winner].Score)
          return TWinningRule::SimilarFirstOfEqualScores;
      }
      return TWinningRule::SimilarBestScore;
    case TSearchWay::Fuzzy:
      return TWinningRule::FuzzyFirstAccepted;
  }
  return TWinningRule::Nothing;
}

}  // namespace

void TSearchExplanation::Decide(const TLyricsSearchResult& result, bool stoppedByError) {
  Winner = result.File;
  MatchKind = result.MatchKind;
  Score = result.BestScore;
  StoppedByError = stoppedByError;
  Rule = TWinningRule::Nothing;
  if (Winner.empty() || Searches.empty()) return;
  const TExplainedSearch& search = Searches.back();
  for (auto t = search.Tries.rbegin(); t != search.Tries.rend(); ++t) {
    for (size_t i = t->Candidates.size(); i-- > 0;) {
      const TExplainedCandidate& c = t->Candidates[i];
      if (c.Outcome == TCandidateOutcome::Accepted && c.File == Winner) {
        Rule = RuleOf(search, *t, i);
        return;
      }
    }
  }
}

const char* SearchByName(TSearchBy by) { return by == TSearchBy::Title ? "title" : "file_name"; }

const char* SearchWayName(TSearchWay way) {
  switch (way) {
    case TSearchWay::Exact: return "exact";
    case TSearchWay::Similar: return "similar";
    case TSearchWay::Fuzzy: return "fuzzy";
  }
  return "";
}

const char* OutcomeName(TCandidateOutcome outcome) {
  switch (outcome) {
    case TCandidateOutcome::Accepted: return "accepted";
    case TCandidateOutcome::Bettered: return "bettered";
    case TCandidateOutcome::Missing: return "missing";
    case TCandidateOutcome::NoMatch: return "no_match";
    case TCandidateOutcome::BelowThreshold: return "below_threshold";
    case TCandidateOutcome::NotAboveBest: return "not_above_best";
  }
  return "";
}

const char* RuleName(TWinningRule rule) {
  switch (rule) {
    case TWinningRule::Nothing: return "none";
    case TWinningRule::ExactBesideMedia: return "exact_beside_media";
    case TWinningRule::ExactInLyricsFolder: return "exact_in_lyrics_folder";
    case TWinningRule::ExactTitle: return "exact_title";
    case TWinningRule::SimilarBestScore: return "similar_best_score";
    case TWinningRule::SimilarFirstOfEqualScores: return "similar_first_of_equal_scores";
    case TWinningRule::FuzzyFirstAccepted: return "fuzzy_first_accepted";
  }
  return "";
}

const char* RuleDescription(TWinningRule rule) {
  switch (rule) {
    case TWinningRule::Nothing: return "no file was found";
    case TWinningRule::ExactBesideMedia: return "the media file's own name, beside the media file";
    case TWinningRule::ExactInLyricsFolder: return "the media file's own name, in a lyrics folder";
    case TWinningRule::ExactTitle: return "the title as the file name, in a lyrics folder";
    case TWinningRule::SimilarBestScore: return "a similar name, the best score in its folder";
    case TWinningRule::SimilarFirstOfEqualScores:
      return "a similar name, the first met of equal best scores (extension order, then listing order)";
    case TWinningRule::FuzzyFirstAccepted: return "a fuzzy name, the first in listing order that passed";
  }
  return "";
}

}  // namespace lumeko
