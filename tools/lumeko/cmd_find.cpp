// lumeko find: which lyrics file the effect would load for a media item.
//
// Runs the same lookup as a media change in the player, with the settings of
// the registry. --set Name=Value overrides a setting for this search alone:
// the values go into a scratch copy of the settings that is deleted
// afterwards, so the user's settings are never written, and they are read
// back through the same code as the effect reads them.
#include <cstdint>
#include <optional>

#include "command.h"
#include "effect/search_options.h"
#include "json.h"
#include "platform/cp932.h"
#include "platform/folder_source.h"
#include "search/lyrics_search.h"
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

int RunFind(const Args& args) {
  const ParsedArgs p = ParseArgs(args, {}, {"--media", "--title", "--set"});
  if (!p.positional.empty()) throw UsageError{"find takes no positional arguments: " + p.positional.front()};
  const std::string media = p.Get("--media") ? PathArg(*p.Get("--media")) : std::string();
  const std::string title = p.Get("--title") ? Utf8ToCp932(*p.Get("--title")) : std::string();
  if (media.empty() && title.empty()) throw UsageError{"find wants --media PATH or --title TITLE"};

  const TSetupInfo setup = ReadSettings(p.GetAll("--set"));
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

const RegisterCommand kFind("find", "find [--media PATH] [--title TITLE] [--set Name=Value ...]", RunFind);

}  // namespace
}  // namespace lumeko::tool
