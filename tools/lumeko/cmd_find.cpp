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
#include "effect/media_change.h"
#include "effect/registry_ex.h"
#include "effect/registry_override.h"
#include "effect/settings.h"
#include "effect/setup_info.h"
#include "json.h"
#include "platform/cp932.h"
#include "search/lyrics_search.h"

namespace lumeko::tool {
namespace {

void WriteOverride(TRegistry& reg, const std::string& assignment) {
  const size_t eq = assignment.find('=');
  if (eq == std::string::npos) throw UsageError{"--set wants Name=Value: " + assignment};
  const std::string name = assignment.substr(0, eq);
  const std::string value = assignment.substr(eq + 1);
  const TSettingValue* setting = FindSettingValue(name);
  if (!setting) throw UsageError{"no such setting: " + name};
  switch (setting->Kind) {
    case TSettingKind::sk_String:
      reg.WriteString(name, Utf8ToCp932(value));
      break;
    case TSettingKind::sk_Bool:
      if (value == "1" || value == "true" || value == "on") reg.WriteBool(name, true);
      else if (value == "0" || value == "false" || value == "off") reg.WriteBool(name, false);
      else throw UsageError{"bad value for " + name + " (1 or 0): " + value};
      break;
    case TSettingKind::sk_Integer: {
      const long long v = ParseInteger(value, name.c_str());
      if (v < INT32_MIN || v > INT32_MAX) throw UsageError{"value out of range for " + name + ": " + value};
      reg.WriteInteger(name, static_cast<std::int32_t>(v));
      break;
    }
    case TSettingKind::sk_Byte: {
      const long long v = ParseInteger(value, name.c_str());
      if (v < 0 || v > 255) throw UsageError{"value out of range for " + name + ": " + value};
      const std::uint8_t b = static_cast<std::uint8_t>(v);
      reg.WriteBinaryData(name, &b, 1);
      break;
    }
  }
}

// The settings as the effect would read them, with the overrides applied.
TSetupInfo ReadSettings(const std::vector<std::string>& overrides) {
  TSetupInfo setup = DefaultSetupInfo();
  std::uint8_t changes = 0;
  if (overrides.empty()) {
    LoadSettings(setup, changes);
    return setup;
  }
  TRegistryOverride scratch(true);
  if (!scratch.Active()) throw UsageError{"cannot make a scratch copy of the settings for --set"};
  TRegistry reg(HKEY_CURRENT_USER);
  if (!reg.OpenKey(kSettingsKey, true)) throw UsageError{"cannot open the scratch settings for --set"};
  for (const std::string& o : overrides) WriteOverride(reg, o);
  reg.CloseKey();
  LoadSettings(setup, changes);
  return setup;
}

int RunFind(const Args& args) {
  const ParsedArgs p = ParseArgs(args, {}, {"--media", "--title", "--set"});
  if (!p.positional.empty()) throw UsageError{"find takes no positional arguments: " + p.positional.front()};
  const std::string media = p.Get("--media") ? PathArg(*p.Get("--media")) : std::string();
  const std::string title = p.Get("--title") ? Utf8ToCp932(*p.Get("--title")) : std::string();
  if (media.empty() && title.empty()) throw UsageError{"find wants --media PATH or --title TITLE"};

  const TSetupInfo setup = ReadSettings(p.GetAll("--set"));
  const TLyricsSearchResult r = FindLyricsFor(SearchOptionsFrom(setup.File), title, media);

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
