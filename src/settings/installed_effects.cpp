// The player's installed effects (see installed_effects.h).
#include "settings/installed_effects.h"

#include <stdexcept>

#include "platform/wide.h"
#include "settings/registry_ex.h"

namespace lumeko {

namespace {

// The text of a BSTR the callee allocated, freed here whatever happens.
class TOwnedBstr {
 public:
  TOwnedBstr() = default;
  TOwnedBstr(const TOwnedBstr&) = delete;
  TOwnedBstr& operator=(const TOwnedBstr&) = delete;
  ~TOwnedBstr() { ::SysFreeString(b_); }
  BSTR* put() noexcept { return &b_; }
  std::string Text() const { return b_ ? FromWide(std::wstring_view(b_, ::SysStringLen(b_))) : std::string(); }

 private:
  BSTR b_ = nullptr;
};

void Check(HRESULT hr, const char* what) {
  if (FAILED(hr)) throw std::runtime_error(what);
}

void AskTitles(const std::string& classId, TEffectData& entry) {
  const TComPtr<IWMPEffects> effect = CreateEffectByClassId(classId);
  if (!effect) return;
  TOwnedBstr title;
  Check(effect->GetTitle(title.put()), "the effect gave no title");
  entry.Title = title.Text();
  LONG count = 0;
  Check(effect->GetPresetCount(&count), "the effect gave no preset count");
  for (LONG i = 0; i < count; ++i) {
    TOwnedBstr preset;
    Check(effect->GetPresetTitle(i, preset.put()), "the effect gave no preset title");
    entry.Presets.push_back(preset.Text());
  }
}

}  // namespace

TComPtr<IWMPEffects> CreateEffectByClassId(const std::string& classId) {
  std::wstring text = ToWide(classId);
  CLSID clsid{};
  if (FAILED(::CLSIDFromString(text.data(), &clsid)))
    throw std::runtime_error("'" + classId + "' is not a valid class identifier");
  TComPtr<IUnknown> unknown;
  const HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                        unknown.put_void());
  if (FAILED(hr) || !unknown) throw std::runtime_error("the effect " + classId + " cannot be created");
  return unknown.query<IWMPEffects>(IID_IWMPEffects);
}

std::vector<TEffectData> ListInstalledEffects() {
  std::vector<TEffectData> effects;
  TRegistry reg(HKEY_LOCAL_MACHINE);
  if (!reg.OpenKeyReadOnly(kPlayerEffectsKey)) return effects;
  const std::vector<std::string> entries = reg.GetKeyNames();
  for (const std::string& name : entries) {
    if (name == kOwnEffectEntry) continue;
    TEffectData entry;
    try {
      TRegistry props(HKEY_LOCAL_MACHINE);
      if (!props.OpenKeyReadOnly(std::string(kPlayerEffectsKey) + "\\" + name + "\\Properties")) continue;
      std::optional<std::string> classId = props.TryReadString("classid");
      if (!classId) continue;
      entry.ClassId = std::move(*classId);
      AskTitles(entry.ClassId, entry);
    } catch (...) {
      continue;  // an effect that cannot be asked cannot be stacked either
    }
    effects.push_back(std::move(entry));
  }
  return effects;
}

}  // namespace lumeko
