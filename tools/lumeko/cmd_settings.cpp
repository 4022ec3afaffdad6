// lumeko settings: shows every setting as the effect reads it now, and sets
// one value the way the property page would (with its registry type, then
// the property-change event, so running effects reload).
//
// Names are the registry's value names; values are on the registry's scale
// (SimilarStrength as stored, BkGndImageBlendAlpha after the Version rule).
#include <vector>

#include "command.h"
#include "effect/settings.h"
#include "effect/setup_info.h"
#include "json.h"
#include "platform/cp932.h"
#include "setting_assignment.h"

namespace lumeko::tool {
namespace {

void WriteSettings(JsonWriter& j) {
  TSetupInfo setup = DefaultSetupInfo();
  std::uint8_t changes = 0;
  LoadSettings(setup, changes);
  LoadPileSettings(setup.Pile);
  TRegistryEx reg(HKEY_CURRENT_USER);
  const bool open = reg.OpenKey(kSettingsKey, true);

  j.BeginObject();
  for (const TSettingValue& v : SettingValues()) {
    j.Key(v.Name);
    std::optional<TSettingReading> r = ReadSetting(setup, v.Name);
    if (!r) {
      // Values only the page reads: with their defaults, as it reads them.
      r = TSettingReading{v.Kind, v.DefaultInt, v.DefaultText};
      if (open) {
        if (v.Kind == TSettingKind::sk_String)
          r->Text = reg.ReadStringDef(v.Name, v.DefaultText);
        else if (v.Kind == TSettingKind::sk_Bool)
          r->Int = reg.ReadBoolDef(v.Name, v.DefaultInt != 0) ? 1 : 0;
        else
          r->Int = reg.ReadIntegerDef(v.Name, v.DefaultInt);
      }
    }
    switch (v.Kind) {
      case TSettingKind::sk_String: j.String(Cp932ToUtf8(r->Text)); break;
      case TSettingKind::sk_Bool: j.Bool(r->Int != 0); break;
      case TSettingKind::sk_Integer:
      case TSettingKind::sk_Byte: j.Int(r->Int); break;
    }
  }
  j.EndObject();
}

// Stores one value and answers it as stored.
void Store(TRegistry& reg, const TSettingAssignment& a, JsonWriter& j) {
  StoreSettingAssignment(reg, a);
  j.Key(a.Value->Name);
  switch (a.Value->Kind) {
    case TSettingKind::sk_String: j.String(Cp932ToUtf8(a.Text)); break;
    case TSettingKind::sk_Bool: j.Bool(a.Number != 0); break;
    case TSettingKind::sk_Integer:
    case TSettingKind::sk_Byte: j.Int(a.Number); break;
  }
}

int Run(const Args& args) {
  const ParsedArgs p = ParseArgs(args, {}, {"--set"});
  if (!p.positional.empty()) throw UsageError{"unexpected argument: " + p.positional[0]};
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
    for (const TSettingAssignment& a : parsed) Store(reg, a, j);
    j.EndObject();
    j.Field("signalled", SignalPropertyChange());
    j.EndObject();
  }
  Print(j.str() + "\n");
  return 0;
}

RegisterCommand reg("settings", "settings [--set Name=Value]...  show the effect's settings, or store values",
                    Run);

}  // namespace
}  // namespace lumeko::tool
