// The explanation of a search: one tree for each rule that can pick a winner,
// with the folders, ways and candidates recorded in the order they were met.
#include <gtest/gtest.h>

#include <tuple>

#include "search/search_explanation.h"
#include "search/search_fixture.h"

namespace lumeko {
namespace {

using test::SearchTree;

// Runs the lookup with and without the record: the record must not change
// the answer, and its winner must be the answer.
TSearchExplanation Explain(const TLyricsSearchOptions& o, const std::string& title, const std::string& media) {
  const TLyricsSearchResult plain = FindLyricsFor(o, title, media, test::TestFolders());
  TSearchExplanation e;
  EXPECT_EQ(FindLyricsFor(o, title, media, test::TestFolders(), &e).File, plain.File);
  EXPECT_EQ(std::tie(e.Winner, e.MatchKind, e.Score), std::tie(plain.File, plain.MatchKind, plain.BestScore));
  return e;
}

// "way folder" of every try of a search, in order.
std::vector<std::string> Tries(const TExplainedSearch& s) {
  std::vector<std::string> out;
  for (const TExplainedTry& t : s.Tries) out.push_back(std::string(SearchWayName(t.Way)) + " " + t.Folder);
  return out;
}

const TExplainedCandidate* CandidateOf(const TSearchExplanation& e, const std::string& file) {
  for (const TExplainedSearch& s : e.Searches)
    for (const TExplainedTry& t : s.Tries)
      for (const TExplainedCandidate& c : t.Candidates)
        if (c.File == file) return &c;
  return nullptr;
}

TEST(SearchExplanation, ExactNamesBesideTheMediaAndInLyricsFolders) {
  SearchTree t;
  const std::string beside = t.Add("M\\Song.LRC");
  t.Add("L\\Song.KRA");
  TSearchExplanation e = Explain({.LyricsPath = t.Folder("L")}, "Title", t.Folder("M\\Song.wma"));
  EXPECT_EQ(e.Winner, beside);
  EXPECT_EQ(e.Rule, TWinningRule::ExactBesideMedia);
  ASSERT_EQ(e.Searches.size(), 1u);  // the title search never ran
  // .KRA was looked for first and is missing.
  EXPECT_EQ(CandidateOf(e, t.Folder("M\\Song.KRA"))->Outcome, TCandidateOutcome::Missing);

  // Not beside it: every folder is tried exactly, whole tree before the next.
  SearchTree l;
  l.Add("M\\other.LRC");
  l.Add("A\\x.LRC");
  const std::string deep = l.Add("B\\sub\\Song.TXT");
  const std::string list = l.Folder("A") + ";" + l.Folder("B");
  e = Explain({.LyricsPath = list}, "", l.Folder("M\\Song.wma"));
  EXPECT_EQ(e.Winner, deep);
  EXPECT_EQ(e.Rule, TWinningRule::ExactInLyricsFolder);
  const std::vector<std::string> tries = {"exact " + l.Folder("M\\"), "exact " + l.Folder("A\\"),
                                          "exact " + l.Folder("B\\"), "exact " + l.Folder("B\\sub\\")};
  EXPECT_EQ(Tries(e.Searches.at(0)), tries);
  EXPECT_EQ(e.Searches[0].Tries[3].Root, 2u);
}

TEST(SearchExplanation, TitleSearchFollowsAFileNameSearchThatFoundNothing) {
  SearchTree t;
  const std::string byTitle = t.Add("L\\sub\\Hello.KRA");
  TSearchExplanation e =
      Explain({.LyricsPath = t.Folder("L"), .SimilarSearch = false}, "Hello", t.Folder("M\\track01.wma"));
  EXPECT_EQ(e.Winner, byTitle);
  EXPECT_EQ(e.Rule, TWinningRule::ExactTitle);
  ASSERT_EQ(e.Searches.size(), 2u);
  EXPECT_EQ(e.Searches[0].Name, "track01");
  EXPECT_EQ(e.Searches[1].By, TSearchBy::Title);
}

TEST(SearchExplanation, SimilarNamesShowEveryScoreAgainstTheThreshold) {
  SearchTree t;
  const std::string best = t.Add("L\\Hello World!.KRA");        // 93
  const std::string lower = t.Add("L\\Hello World (x).LRC");    // 78
  const std::string longer = t.Add("L\\Hello World - Extended Mix.TXT");  // 50
  const std::string unrelated = t.Add("L\\Goodbye.LRC");
  TSearchExplanation e = Explain({.LyricsPath = t.Folder("L")}, "Hello World", "");
  EXPECT_EQ(e.Winner, best);
  EXPECT_EQ(e.Rule, TWinningRule::SimilarBestScore);
  EXPECT_EQ(e.Threshold, 70);
  EXPECT_EQ(e.Searches.at(0).SimilarMask, "*Hello*World*");
  const TExplainedCandidate* c = CandidateOf(e, lower);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(std::make_tuple(c->Score, c->Kind, c->Outcome), std::make_tuple(78, 2, TCandidateOutcome::NotAboveBest));
  ASSERT_NE(c = CandidateOf(e, longer), nullptr);
  EXPECT_EQ(std::make_pair(c->Score, c->Outcome), std::make_pair(50, TCandidateOutcome::BelowThreshold));
  // Not listed by the words of the title, so never seen.
  EXPECT_EQ(CandidateOf(e, unrelated), nullptr);

  // A later file scoring the same loses to the first met (extension order).
  const std::string tie = t.Add("L\\Hello World#.LRC");  // 93
  e = Explain({.LyricsPath = t.Folder("L")}, "Hello World", "");
  EXPECT_EQ(e.Winner, best);
  EXPECT_EQ(e.Rule, TWinningRule::SimilarFirstOfEqualScores);
  ASSERT_NE(c = CandidateOf(e, tie), nullptr);
  EXPECT_EQ(c->Outcome, TCandidateOutcome::NotAboveBest);
  // A better one met later displaces the one taken first.
  const std::string full = t.Add("L\\Hello-World.TXT");  // 100
  e = Explain({.LyricsPath = t.Folder("L")}, "Hello World", "");
  EXPECT_EQ(std::make_pair(e.Winner, e.Rule), std::make_pair(full, TWinningRule::SimilarBestScore));
  EXPECT_EQ(CandidateOf(e, best)->Outcome, TCandidateOutcome::Bettered);
}

TEST(SearchExplanation, FuzzyTakesTheFirstThatPassesAndStops) {
  SearchTree t;
  const std::string none = t.Add("L\\zz.KRA");
  const std::string first = t.Add("L\\Hello-World (live).LRC");  // contains, 10 of 14: 71
  const std::string later = t.Add("L\\Hello_World.TXT");          // same stripped, never reached
  TSearchExplanation e =
      Explain({.LyricsPath = t.Folder("L"), .SimilarSearch = false, .FuzzySearch = true}, "Hello World", "");
  EXPECT_EQ(e.Winner, first);
  EXPECT_EQ(e.Rule, TWinningRule::FuzzyFirstAccepted);
  EXPECT_EQ(e.MatchKind, lmk_Contains);
  EXPECT_EQ(e.Score, 71);
  const TExplainedCandidate* c = CandidateOf(e, none);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(std::make_pair(c->Score, c->Outcome), std::make_pair(-1, TCandidateOutcome::NoMatch));
  EXPECT_EQ(CandidateOf(e, later), nullptr);

  // Stricter: the same candidate meets the test but its score is refused,
  // and the later file wins on its stripped name.
  e = Explain({.LyricsPath = t.Folder("L"), .SimilarStrength = 20, .SimilarSearch = false, .FuzzySearch = true},
              "Hello World", "");
  EXPECT_EQ(e.Winner, later);
  EXPECT_EQ(e.MatchKind, lmk_Stripped);
  ASSERT_NE(c = CandidateOf(e, first), nullptr);
  EXPECT_EQ(std::make_pair(c->Kind, c->Outcome), std::make_pair(3, TCandidateOutcome::BelowThreshold));
}

TEST(SearchExplanation, NothingFoundStillListsWhatWasTried) {
  SearchTree t;
  t.Add("L\\Hello World - Extended Mix.KRA");  // 50, under 70
  TSearchExplanation e = Explain({.LyricsPath = t.Folder("L") + ";" + t.Folder("Missing")}, "Hello World", "");
  EXPECT_EQ(e.Winner, "");
  EXPECT_EQ(e.Rule, TWinningRule::Nothing);
  EXPECT_FALSE(e.StoppedByError);
  const std::vector<std::string> tries = {"exact " + t.Folder("L\\"), "similar " + t.Folder("L\\"),
                                          "exact " + t.Folder("Missing\\"), "similar " + t.Folder("Missing\\")};
  EXPECT_EQ(Tries(e.Searches.at(0)), tries);
  EXPECT_EQ(e.Searches[0].Tries[1].Candidates.at(0).Outcome, TCandidateOutcome::BelowThreshold);

  // A title that is no valid pattern is refused as a comparison, not a crash.
  e = Explain({.LyricsPath = t.Folder("L"), .FuzzySearch = true}, "Hello World*|(", "");
  EXPECT_EQ(e.Winner, "");
}

}  // namespace
}  // namespace lumeko
