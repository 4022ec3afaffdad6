// Name=Value settings from the command line (see setting_assignment.h).
#include "setting_assignment.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "command.h"
#include "platform/cp932.h"
#include "settings/settings_store.h"

namespace lumeko::tool {
namespace {

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
  if (text.empty() || *end != '\0' || errno == ERANGE || (hex && v > 0xFFFFFFFFLL) ||
      (!hex && (v < INT32_MIN || v > INT32_MAX)))
    throw UsageError{"bad number for " + name + ": " + text};
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

TSettingAssignment Parse(const std::string& assignment) {
  const size_t eq = assignment.find('=');
  if (eq == std::string::npos) throw UsageError{"expected Name=Value: " + assignment};
  const std::string name = assignment.substr(0, eq);
  const std::string value = assignment.substr(eq + 1);
  TSettingAssignment a{FindSetting(name), {}};
  if (!a.Def) throw UsageError{"unknown setting: " + name};
  switch (a.Def->Kind) {
    case TSettingKind::sk_String: a.Value.Text = Utf8ToCp932(value); break;
    case TSettingKind::sk_Bool: {
      bool b = false;
      if (!ParseBool(value, b)) throw UsageError{"bad boolean for " + name + ": " + value};
      a.Value.Int = b ? 1 : 0;
      break;
    }
    case TSettingKind::sk_Integer:
    case TSettingKind::sk_Color: a.Value.Int = ParseValue32(value, name); break;
    case TSettingKind::sk_Byte:
      a.Value.Int = ParseValue32(value, name);
      if (a.Value.Int < 0 || a.Value.Int > 255) throw UsageError{"bad byte for " + name + ": " + value};
      break;
  }
  return a;
}

}  // namespace

std::vector<TSettingAssignment> ParseSettingAssignments(const std::vector<std::string>& assignments) {
  std::vector<TSettingAssignment> parsed;
  parsed.reserve(assignments.size());
  for (const std::string& s : assignments) parsed.push_back(Parse(s));
  return parsed;
}

void StoreSettingAssignment(TRegistry& reg, const TSettingAssignment& a) {
  WriteSettingValue(reg, *a.Def, a.Value);
  if (std::string_view(a.Def->Name) == "BkGndImageBlendAlpha") reg.WriteInteger("Version", kSettingsVersion);
}

}  // namespace lumeko::tool
