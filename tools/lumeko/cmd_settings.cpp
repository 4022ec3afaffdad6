// lumeko settings: shows every setting as the effect reads it now and the
// stored colour schemes, and sets one value the way the property page would
// (with its registry type, then the property-change event, so running
// effects reload); --dialog opens the property page itself.
//
// Names are the registry's value names; values are on the registry's scale
// (SimilarStrength as stored, BkGndImageBlendAlpha after the Version rule).
#include <vector>

#include "command.h"
#include "json.h"
#include "platform/cp932.h"
#include "setting_assignment.h"
#include "settings_dialog.h"
#include "settings/scheme_store.h"
#include "settings/settings_store.h"

namespace lumeko::tool {
namespace {

void WriteValue(JsonWriter& j, const TSettingDef& def, const TSettingValue& v) {
  switch (def.Kind) {
    case TSettingKind::sk_String: j.String(Cp932ToUtf8(v.Text)); break;
    case TSettingKind::sk_Bool: j.Bool(v.Int != 0); break;
    case TSettingKind::sk_Integer:
    case TSettingKind::sk_Color:
    case TSettingKind::sk_Byte: j.Int(v.Int); break;
  }
}

// The stored colour schemes in the registry's order, each with the settings
// it carries; a value that is no scheme record shows its name alone.
void WriteSchemes(JsonWriter& j) {
  j.BeginArray();
  for (const std::string& name : ReadSchemeNames()) {
    j.BeginObject().Field("Name", Cp932ToUtf8(name));
    if (const std::optional<TColorScheme> scheme = ReadColorScheme(name)) {
      TSetupInfo setup = DefaultSetupInfo();
      setup.Font = scheme->Font;
      setup.Color = scheme->Color;
      for (const char* setting : kSchemeSettings) {
        const TSettingDef& def = *FindSetting(setting);
        j.Key(def.Name);
        WriteValue(j, def, def.Get(setup));
      }
    } else {
      j.Field("Readable", false);
    }
    j.EndObject();
  }
  j.EndArray();
}

// Every setting as the effect reads it, the page's own values as the page
// reads them, and the stored colour schemes.
void WriteSettings(JsonWriter& j) {
  TSetupInfo setup = DefaultSetupInfo();
  LoadSettings(setup);
  LoadPileSettings(setup);
  TRegistryEx reg(HKEY_CURRENT_USER);
  reg.OpenKey(kSettingsKey, true);
  const std::int32_t version = reg.ReadIntegerDef("Version", 0);
  j.BeginObject();
  for (const TSettingDef& def : SettingTable()) {
    j.Key(def.Name);
    WriteValue(j, def, def.Get ? def.Get(setup) : ReadSettingValue(reg, def, version));
  }
  j.Key("Schemes");
  WriteSchemes(j);
  j.EndObject();
}

int Run(const Args& args) {
  const ParsedArgs p = ParseArgs(args, {"--dialog"}, {"--set", "--screenshot", "--close-after"});
  if (!p.positional.empty()) throw UsageError{"unexpected argument: " + p.positional[0]};
  if (p.Has("--dialog")) {
    if (p.Has("--set")) throw UsageError{"--dialog takes no --set"};
    return RunSettingsDialog(p);
  }
  if (p.Has("--screenshot") || p.Has("--close-after")) throw UsageError{"--screenshot and --close-after go with --dialog"};
  JsonWriter j;
  const std::vector<std::string> sets = p.GetAll("--set");
  if (sets.empty()) {
    WriteSettings(j);
  } else {
    // Every assignment is checked before any is stored, so a typo stores nothing.
    const std::vector<TSettingAssignment> parsed = ParseSettingAssignments(sets);
    TRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.OpenKey(kSettingsKey, true)) throw std::runtime_error("cannot open the settings key");
    j.BeginObject().Key("set").BeginObject();
    for (const TSettingAssignment& a : parsed) {
      StoreSettingAssignment(reg, a);
      j.Key(a.Def->Name);
      WriteValue(j, *a.Def, a.Value);
    }
    j.EndObject();
    j.Field("signalled", SignalPropertyChange());
    j.EndObject();
  }
  Print(j.str() + "\n");
  return 0;
}

RegisterCommand reg("settings",
                    "settings [--set Name=Value]... | --dialog [--screenshot DIR] [--close-after MS]  show the "
                    "effect's settings and colour schemes, store values, or open the property page",
                    Run);

}  // namespace
}  // namespace lumeko::tool
