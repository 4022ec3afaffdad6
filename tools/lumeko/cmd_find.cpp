// lumeko find: which lyrics file the effect would load for a media item.
//
// Runs the same lookup as a media change in the player, with the settings of
// the registry. --set Name=Value overrides a setting for this search alone:
// the values go into a scratch copy of the settings that is deleted
// afterwards, so the user's settings are never written, and they are read
// back through the same code as the effect reads them. --explain tells why:
// every folder and way tried, each candidate's kind and score against the
// threshold, and the rule that chose the winner; as JSON, or as lines for
// people with --text.
#include <cstdint>
#include <optional>
#include <string>

#include "command.h"
#include "effect/search_options.h"
#include "json.h"
#include "platform/cp932.h"
#include "platform/folder_source.h"
#include "search/lyrics_search.h"
#include "search/search_explanation.h"
#include "setting_assignment.h"
#include "settings/registry_override.h"
#include "settings/settings_store.h"

namespace lumeko::tool {
namespace {

// The settings as the effect would read them, with the overrides applied.
TSetupInfo ReadSettings(const std::vector<std::string>& overrides) {
  TSetupInfo setup = DefaultSetupInfo();
  if (overrides.empty()) {
    LoadSettings(setup);
    return setup;
  }
  const std::vector<TSettingAssignment> parsed = ParseSettingAssignments(overrides);
  TRegistryOverride scratch(true);
  if (!scratch.Active()) throw UsageError{"cannot make a scratch copy of the settings for --set"};
  TRegistry reg(HKEY_CURRENT_USER);
  if (!reg.OpenKey(kSettingsKey, true)) throw UsageError{"cannot open the scratch settings for --set"};
  for (const TSettingAssignment& a : parsed) StoreSettingAssignment(reg, a);
  reg.CloseKey();
  LoadSettings(setup);
  return setup;
}

std::string U(const std::string& cp932) { return Cp932ToUtf8(cp932); }

void WriteCandidate(JsonWriter& j, const TExplainedCandidate& c) {
  j.BeginObject()
      .Field("file", U(c.File))
      .Field("extension", kLyricsExtensions[c.ExtIndex])
      .Field("kind", c.Kind)
      .Key("score");
  if (c.Score < 0)
    j.Null();
  else
    j.Int(c.Score);
  j.Field("outcome", OutcomeName(c.Outcome)).EndObject();
}

void WriteSearch(JsonWriter& j, const TExplainedSearch& s) {
  j.BeginObject().Field("by", SearchByName(s.By)).Field("name", U(s.Name)).Key("folders").BeginArray();
  for (const std::string& f : s.Folders) j.String(U(f));
  j.EndArray()
      .Field("media_folder_first", s.MediaFolderFirst)
      .Field("similar_mask", U(s.SimilarMask))
      .Field("stripped", U(s.Stripped))
      .Field("unbracketed", U(s.Core))
      .Key("tries")
      .BeginArray();
  for (const TExplainedTry& t : s.Tries) {
    j.BeginObject()
        .Field("way", SearchWayName(t.Way))
        .Field("folder", U(t.Folder))
        .Field("root", t.Root)
        .Field("depth", t.Depth)
        .Key("candidates")
        .BeginArray();
    for (const TExplainedCandidate& c : t.Candidates) WriteCandidate(j, c);
    j.EndArray().EndObject();
  }
  j.EndArray().EndObject();
}

std::string ExplanationJson(const TSearchExplanation& e) {
  JsonWriter j;
  j.BeginObject()
      .Field("found", !e.Winner.empty())
      .Field("file", U(e.Winner))
      .Field("match_kind", e.MatchKind)
      .Field("score", e.Score)
      .Field("threshold", e.Threshold)
      .Field("similar", e.Similar)
      .Field("fuzzy", e.Fuzzy)
      .Field("subfolders", e.SubFolders)
      .Field("title_search", e.TitleSearch)
      .Field("same_folder_search", e.SameFolderSearch)
      .Field("rule", RuleName(e.Rule))
      .Field("rule_text", RuleDescription(e.Rule))
      .Field("stopped_by_error", e.StoppedByError)
      .Key("searches")
      .BeginArray();
  for (const TExplainedSearch& s : e.Searches) WriteSearch(j, s);
  j.EndArray().EndObject();
  return j.str() + "\n";
}

std::string ExplanationText(const TSearchExplanation& e) {
  auto onOff = [](bool on) { return on ? std::string(" on") : std::string(" off"); };
  std::string out = "threshold " + std::to_string(e.Threshold) + "; similar" + onOff(e.Similar) + ", fuzzy" +
                    onOff(e.Fuzzy) + ", subfolders" + onOff(e.SubFolders) + ", title search" +
                    onOff(e.TitleSearch) + ", media folder" + onOff(e.SameFolderSearch) + "\n";
  for (const TExplainedSearch& s : e.Searches) {
    out += std::string("search by ") + (s.By == TSearchBy::Title ? "title" : "file name") + " \"" + U(s.Name) +
           "\" in " + std::to_string(s.Folders.size()) + " folder(s)" +
           (s.MediaFolderFirst ? ", the media file's folder first" : "") + "\n";
    if (e.Similar && !s.SimilarMask.empty()) out += "  similar lists " + U(s.SimilarMask) + ".KRA/.LRC/.TXT\n";
    if (e.Fuzzy && !s.SimilarMask.empty())
      out += "  fuzzy compares \"" + U(s.Stripped) + "\", unbracketed \"" + U(s.Core) + "\"\n";
    if (s.Tries.empty()) out += "  nothing tried\n";
    for (const TExplainedTry& t : s.Tries) {
      out += std::string("  ") + SearchWayName(t.Way) + " in " + U(t.Folder) +
             (t.Candidates.empty() ? "  (no candidates)" : "") + "\n";
      for (const TExplainedCandidate& c : t.Candidates) {
        std::string line = std::string("    ") + OutcomeName(c.Outcome);
        if (c.Kind != lmk_Nothing) line += ", kind " + std::to_string(c.Kind);
        if (c.Score >= 0)
          line += ", score " + std::to_string(c.Score) + (c.Score >= e.Threshold ? " >= " : " < ") +
                  std::to_string(e.Threshold);
        out += line + ": " + U(c.File) + "\n";
      }
    }
  }
  if (e.StoppedByError) out += "the search stopped on an error\n";
  out += "winner: " + (e.Winner.empty() ? std::string("none") : U(e.Winner)) + "\n";
  out += std::string("rule: ") + RuleName(e.Rule) + " (" + RuleDescription(e.Rule) + ")";
  if (!e.Winner.empty())
    out += ", match kind " + std::to_string(e.MatchKind) + ", score " + std::to_string(e.Score);
  return out + "\n";
}

int RunFind(const Args& args) {
  const ParsedArgs p = ParseArgs(args, {"--explain", "--text"}, {"--media", "--title", "--set"});
  if (!p.positional.empty()) throw UsageError{"find takes no positional arguments: " + p.positional.front()};
  const std::string media = p.Get("--media") ? PathArg(*p.Get("--media")) : std::string();
  const std::string title = p.Get("--title") ? Utf8ToCp932(*p.Get("--title")) : std::string();
  if (media.empty() && title.empty()) throw UsageError{"find wants --media PATH or --title TITLE"};
  const bool explain = p.Has("--explain");
  if (p.Has("--text") && !explain) throw UsageError{"--text goes with --explain"};

  const TSetupInfo setup = ReadSettings(p.GetAll("--set"));
  if (explain) {
    TSearchExplanation e;
    FindLyricsFor(SearchOptionsFrom(setup.File), title, media, SystemFolders(), &e);
    Print(p.Has("--text") ? ExplanationText(e) : ExplanationJson(e));
    return 0;
  }
  const TLyricsSearchResult r = FindLyricsFor(SearchOptionsFrom(setup.File), title, media, SystemFolders());

  JsonWriter j;
  j.BeginObject()
      .Field("found", !r.File.empty())
      .Field("file", Cp932ToUtf8(r.File))
      .Field("match_kind", r.MatchKind)
      .Field("score", r.BestScore)
      .EndObject();
  Print(j.str() + "\n");
  return 0;
}

const RegisterCommand kFind("find",
                            "find [--media PATH] [--title TITLE] [--set Name=Value ...] [--explain [--text]]\n"
                            "      which lyrics file the effect would load, as JSON; --explain adds every folder and\n"
                            "      way tried, each candidate's kind, score and outcome against the threshold, and the\n"
                            "      rule that chose the winner; --text prints that as lines",
                            RunFind);

}  // namespace
}  // namespace lumeko::tool
