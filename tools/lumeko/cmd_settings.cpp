// lumeko settings: shows every setting as the effect reads it now, and sets
// one value the way the property page would (with its registry type, then
// the property-change event, so running effects reload).
//
// Names are the registry's value names; values are on the registry's scale
// (SimilarStrength as stored, BkGndImageBlendAlpha after the Version rule).
#include <cerrno>
#include <cstdlib>
#include <vector>

#include "command.h"
#include "effect/settings.h"
#include "effect/setup_info.h"
#include "json.h"
#include "platform/cp932.h"

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

bool ParseBool(const std::string& text, bool& out) {
  for (const char* t : {"1", "true", "on", "yes"})
    if (text == t) return out = true, true;
  for (const char* f : {"0", "false", "off", "no"})
    if (text == f) return out = false, true;
  return false;
}

// Decimal (signed) or 0x-hexadecimal, as colours are often written; the
// result must fit 32 bits (unsigned hexadecimal wraps to the signed value).
std::int32_t ParseValue32(const std::string& text, const std::string& name) {
  errno = 0;
  char* end = nullptr;
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const long long v = hex ? static_cast<long long>(std::strtoull(text.c_str() + 2, &end, 16))
                          : std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno == ERANGE || (hex && v > 0xFFFFFFFFLL) || (!hex && (v < INT32_MIN || v > INT32_MAX)))
    throw UsageError{"bad number for " + name + ": " + text};
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

// One checked assignment, ready to store.
struct TAssignment {
  const TSettingValue* Value;
  std::string Text;     // strings, CP932
  std::int32_t Number;  // the others
};

TAssignment Parse(const std::string& assignment) {
  const size_t eq = assignment.find('=');
  if (eq == std::string::npos) throw UsageError{"expected Name=Value: " + assignment};
  const std::string name = assignment.substr(0, eq);
  const std::string value = assignment.substr(eq + 1);
  TAssignment a{FindSettingValue(name), {}, 0};
  if (!a.Value) throw UsageError{"unknown setting: " + name};
  switch (a.Value->Kind) {
    case TSettingKind::sk_String: a.Text = Utf8ToCp932(value); break;
    case TSettingKind::sk_Bool: {
      bool b = false;
      if (!ParseBool(value, b)) throw UsageError{"bad boolean for " + name + ": " + value};
      a.Number = b ? 1 : 0;
      break;
    }
    case TSettingKind::sk_Integer: a.Number = ParseValue32(value, name); break;
    case TSettingKind::sk_Byte:
      a.Number = ParseValue32(value, name);
      if (a.Number < 0 || a.Number > 255) throw UsageError{"bad byte for " + name + ": " + value};
      break;
  }
  return a;
}

void Store(TRegistryEx& reg, const TAssignment& a, JsonWriter& j) {
  const std::string name = a.Value->Name;
  j.Key(name);
  switch (a.Value->Kind) {
    case TSettingKind::sk_String:
      reg.WriteString(name, a.Text);
      j.String(Cp932ToUtf8(a.Text));
      break;
    case TSettingKind::sk_Bool:
      reg.WriteBool(name, a.Number != 0);
      j.Bool(a.Number != 0);
      break;
    case TSettingKind::sk_Integer:
      reg.WriteInteger(name, a.Number);
      j.Int(a.Number);
      break;
    case TSettingKind::sk_Byte: {
      const std::uint8_t b = static_cast<std::uint8_t>(a.Number);
      reg.WriteBinaryData(name, &b, 1);
      j.Int(a.Number);
      break;
    }
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
    std::vector<TAssignment> parsed;
    for (const std::string& s : sets) parsed.push_back(Parse(s));
    TRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.OpenKey(kSettingsKey, true)) throw std::runtime_error("cannot open the settings key");
    j.BeginObject().Key("set").BeginObject();
    for (const TAssignment& a : parsed) Store(reg, a, j);
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
