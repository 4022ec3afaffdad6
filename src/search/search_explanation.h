// Why a lyrics search chose what it chose: a record the search fills in.
//
// Every folder tried, in order, with each way (exact, similar, fuzzy) and the
// candidates that way looked at: their kind, their score against the
// threshold and what became of them; then the winner and the rule that
// picked it. The search only appends to this record when it is given one, so
// the player's path (no record) pays nothing, and the record never changes
// which file is chosen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumeko {

struct TLyricsSearchResult;

enum class TSearchBy { FileName, Title };
enum class TSearchWay { Exact, Similar, Fuzzy };

// What became of one candidate.
enum class TCandidateOutcome {
  Accepted,       // taken
  Bettered,       // similar way: taken, then a later candidate scored more
  Missing,        // exact way: no file of that name
  NoMatch,        // no comparison of the way held for it
  BelowThreshold, // its score is under the threshold
  NotAboveBest,   // similar way: an earlier candidate scored as much or more
};

// The rule that decided the winner.
enum class TWinningRule {
  Nothing,                  // no file was found
  ExactBesideMedia,         // the media file's name, in its own folder (or below)
  ExactInLyricsFolder,      // the media file's name, in a lyrics folder (or below)
  ExactTitle,               // the title as the name, in a lyrics folder (or below)
  SimilarBestScore,         // similar name with the best score in its folder
  SimilarFirstOfEqualScores,// similar name, first met of equally scored ones
  FuzzyFirstAccepted,       // fuzzy name, the first in listing order that passed
};

struct TExplainedCandidate {
  std::string File;       // full path
  int ExtIndex = 0;       // into kLyricsExtensions
  std::int32_t Kind = 9;  // the comparison it met (TLyricsMatchKind), 9 none
  int Score = -1;         // -1: the way computed none
  TCandidateOutcome Outcome = TCandidateOutcome::NoMatch;
};

// One way in one folder.
struct TExplainedTry {
  TSearchWay Way = TSearchWay::Exact;
  std::string Folder;
  size_t Root = 0;  // index into the search's Folders of the folder it lies under
  int Depth = 0;    // 0 the folder itself, 1 a subfolder of it, ...
  std::vector<TExplainedCandidate> Candidates;
};

struct TExplainedSearch {
  TSearchBy By = TSearchBy::FileName;
  std::string Name;                  // the wanted name, as given
  std::vector<std::string> Folders;  // the folders of the search, in order
  bool MediaFolderFirst = false;     // Folders[0] is the media file's folder
  // What the comparisons make of the name (empty when they did not run).
  std::string SimilarMask;  // files listed by the similar way: mask + extension
  std::string Stripped;     // separators removed
  std::string Core;         // and a leading bracketed part
  std::vector<TExplainedTry> Tries;
};

struct TSearchExplanation {
  int Threshold = 0;
  // The switches the lookup ran with.
  bool Similar = false, Fuzzy = false, SubFolders = false, TitleSearch = false, SameFolderSearch = false;
  std::vector<TExplainedSearch> Searches;
  // The answer, as the lookup gives it.
  std::string Winner;  // empty: none
  std::int32_t MatchKind = 9;
  std::int32_t Score = 0;
  TWinningRule Rule = TWinningRule::Nothing;
  bool StoppedByError = false;  // a fault ended the lookup, which found nothing

  // Filled in by the search as it goes.
  void BeginSearch(TSearchBy by, const std::string& name, const std::vector<std::string>& folders,
                   bool mediaFolderFirst);
  void AtRoot(size_t root) { currentRoot_ = root; }
  void BeginTry(TSearchWay way, const std::string& folder, int depth);
  void Add(TExplainedCandidate candidate);
  // Records the lookup's answer and works out which rule gave it.
  void Decide(const TLyricsSearchResult& result, bool stoppedByError);

 private:
  size_t currentRoot_ = 0;
};

// Stable identifiers for the tool's output, and a sentence for people.
const char* SearchByName(TSearchBy by);
const char* SearchWayName(TSearchWay way);
const char* OutcomeName(TCandidateOutcome outcome);
const char* RuleName(TWinningRule rule);
const char* RuleDescription(TWinningRule rule);

}  // namespace lumeko
