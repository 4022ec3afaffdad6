// The page's values and the registry: which control holds each setting,
// loading them all, checking what can be stored, and saving in the setting
// table's save order (see property_form.h).
//
// Every setting the page writes has one binding here; the form's
// construction fails loudly if the table names one without it. Writes are
// the silent kind: a value the registry refuses is skipped.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <stdexcept>

#include "platform/wide.h"
#include "settings/registry_ex.h"
#include "settings/scheme_store.h"
#include "settings/settings_store.h"
#include "ui/color_picker_button.h"
#include "ui/property_form.h"
#include "ui/property_texts.h"
#include "ui/text_fit.h"

namespace lumeko {
namespace {

// A string value written as the UTF-16 text it is, for names CP932 cannot spell.
void WriteWideText(TRegistry& reg, const char* name, const std::wstring& text) {
  const std::wstring value = ToWide(name);
  const LONG r = ::RegSetValueExW(reg.CurrentKey(), value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  if (r != ERROR_SUCCESS) throw ERegistryException(std::string("cannot write ") + name, r);
}

}  // namespace

int TfrmProperty::UpDownPosition(std::string_view name) const {
  const HWND ud = Control(name);
  int min = 0, max = 0;
  ::SendMessageW(ud, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&min), reinterpret_cast<LPARAM>(&max));
  BOOL failed = FALSE;
  int position = static_cast<int>(::SendMessageW(ud, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
  // What the edit shows is what the user sees: read it when it is a number.
  const HWND buddy = reinterpret_cast<HWND>(::SendMessageW(ud, UDM_GETBUDDY, 0, 0));
  wchar_t text[16] = {};
  if (buddy && ::GetWindowTextW(buddy, text, 16) > 0) {
    wchar_t* end = nullptr;
    const long typed = std::wcstol(text, &end, 10);
    if (end && *end == L'\0' && end != text) position = static_cast<int>(std::clamp<long>(typed, min, max));
  }
  return std::clamp(position, min, max);
}

void TfrmProperty::SetUpDownPosition(std::string_view name, int position) {
  ::SendMessageW(Control(name), UDM_SETPOS32, 0, position);
}

int TfrmProperty::ItemIndex(std::string_view name) const {
  const LRESULT i = ::SendMessageW(Control(name), CB_GETCURSEL, 0, 0);
  return i == CB_ERR ? -1 : static_cast<int>(i);
}

void TfrmProperty::SetItemIndex(std::string_view name, int index) {
  ::SendMessageW(Control(name), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::wstring TfrmProperty::TextOf(std::string_view name) const {
  const HWND wnd = Control(name);
  const int length = ::GetWindowTextLengthW(wnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(wnd, text.data(), length + 1)));
  return text;
}

void TfrmProperty::SetTextOf(std::string_view name, const std::wstring& text) {
  ::SetWindowTextW(Control(name), text.c_str());
}

void TfrmProperty::BindValues() {
  const auto check = [this](const char* setting, const char* box) {
    bindings_[setting] = {[this, box] { return TSettingValue{Checked(box) ? 1 : 0, {}}; },
                          [this, box](const TSettingValue& v) { SetChecked(box, v.Int != 0); }};
  };
  static constexpr const char* kChecks[][2] = {
      {"FindSubFolder", "cbFindSubFolder"},
      {"SimilarSearch", "cbSimilarSearch"},
      {"FuzzySearch", "cbFuzzySearch"},
      {"NotPerformTitleSearch", "cbNotPerformTitleSearch"},
      {"NotPerformSameFolderSearch", "cbNotPerformSameFolderSearch"},
      {"BurdenReduction", "cbBurdenReduction"},
      {"UseFadeEffect", "cbUseFadeEffect"},
      {"FadeNextSpaceOnly", "cbFadeNextSpaceOnly"},
      {"HideNotHaveTag", "cbHideNotHaveTag"},
      {"UseRandomColorScheme", "cbUseRandomColorScheme"},
      {"BkGndDrawForbid", "cbForbidDrawBkGndImage"},
      {"BkGndImageBlend", "cbBkGndImageBlend"},
      {"AmendLineEnd", "chTagAmendLineEnd"},
      {"StandardLrcTags", "cbStandardLrcTags"},
      {"PropertyShowHint", "chShowHint"},
      {"PileEffectEnabled", "cbPileEnabled"},
      {"PileEffectNoLyricsOnly", "cbNoLyricsOnly"},
  };
  for (const auto& c : kChecks) check(c[0], c[1]);

  // Up-down positions are 16-bit numbers, as they have always been stored.
  const auto updown = [this](const char* setting, const char* ud) {
    bindings_[setting] = {[this, ud] { return TSettingValue{static_cast<std::int16_t>(UpDownPosition(ud)), {}}; },
                          [this, ud](const TSettingValue& v) { SetUpDownPosition(ud, v.Int); }};
  };
  updown("FontMinSize", "udFontMinSize");
  updown("AdjustTimeTagMSec", "udTimeAdjust");
  updown("KaraokeRowCount", "udKaraokeRowCount");

  const auto index = [this](const char* setting, const char* list) {
    bindings_[setting] = {[this, list] { return TSettingValue{std::max(0, ItemIndex(list)), {}}; },
                          [this, list](const TSettingValue& v) { SetItemIndex(list, v.Int); }};
  };
  index("FontEffect", "cbFontEffect");
  index("LineSpaceMode", "cbLineSpace");
  index("BkGndImageDrawMode", "cbBkImageDrawMode");

  // The lyrics search reads CP932 folders; the picture file and folder are
  // read by the effect as stored, so they keep any character.
  bindings_["LyricsPath"] = {[this] { return TSettingValue{0, FromWide(TextOf("edtLyricsPath"))}; },
                             [this](const TSettingValue& v) { SetTextOf("edtLyricsPath", ToWide(v.Text)); }, nullptr,
                             "edtLyricsPath"};
  const auto wide = [this](const char* setting, const char* edit) {
    bindings_[setting] = {[this, edit] { return TSettingValue{0, FromWide(TextOf(edit))}; },
                          [this, edit](const TSettingValue& v) { SetTextOf(edit, ToWide(v.Text)); }, edit};
  };
  wide("BkGndImageFilename", "edtBkGndImage");
  wide("BkGndImageFolder", "edtBkGndImageFolder");

  bindings_["SimilarStrength"] = {
      [this] { return TSettingValue{static_cast<std::int32_t>(::SendMessageW(Control("tbSimilarStrength"), TBM_GETPOS, 0, 0)), {}}; },
      [this](const TSettingValue& v) {
        ::SendMessageW(Control("tbSimilarStrength"), TBM_SETPOS, TRUE, v.Int);
        SimilarStrengthChanged();
      }};
  bindings_["BkGndImageBlendAlpha"] = {
      [this] { return TSettingValue{BlendPercentToAlpha(UpDownPosition("udBkGndImageBlendRate")), {}}; },
      // The load has brought the stored value to the 0..255 scale already.
      [this](const TSettingValue& v) {
        SetUpDownPosition("udBkGndImageBlendRate", BlendAlphaToPercent(v.Int, kBlendAlphaScaleVersion));
      }};

  static constexpr const char* kColors[][2] = {
      {"ActiveColor", "cpbtnActiveColor"},         {"StillNotActiveColor", "cpbtnStillNotActiveColor"},
      {"ActiveEffectColor", "cpbtnActiveEffectColor"}, {"ActiveBkGndColor", "cpbtnActiveBkGndColor"},
      {"InactiveColor", "cpbtnInactiveColor"},     {"BackgroundColor", "cpbtnBkGndColor"}};
  for (const auto& c : kColors) {
    const char* picker = c[1];
    bindings_[c[0]] = {[this, picker] { return TSettingValue{static_cast<std::int32_t>(Picker(picker)->SelectionColor()), {}}; },
                       [this, picker](const TSettingValue& v) { Picker(picker)->SetSelectionColor(static_cast<std::uint32_t>(v.Int)); }};
  }

  bindings_["FontName"] = {[this] { return TSettingValue{0, sampleFontName_}; },
                           [this](const TSettingValue& v) { sampleFontName_ = v.Text; }};
  bindings_["FontStyle"] = {[this] { return TSettingValue{sampleFontStyle_, {}}; },
                            [this](const TSettingValue& v) { sampleFontStyle_ = static_cast<std::uint8_t>(v.Int); }};
  bindings_["ColorSchemeName"] = {[this] { return TSettingValue{0, schemeName_}; },
                                  [this](const TSettingValue& v) { schemeName_ = v.Text; }};
  bindings_["PileEffectClassId"] = {[this] { return TSettingValue{0, pileClassId_}; },
                                    [this](const TSettingValue& v) { pileClassId_ = v.Text; }};
  bindings_["PileEffectPreset"] = {[this] { return TSettingValue{pilePreset_, {}}; },
                                   [this](const TSettingValue& v) { pilePreset_ = v.Int; }};
  // The program that saved: this module's version.
  bindings_["Version"] = {[this] { return TSettingValue{version_ ? version_->SettingsVersion() : kSettingsVersion, {}}; },
                          [](const TSettingValue&) {}};

  for (const TSettingDef* def : SettingSaveOrder())
    if (!bindings_.count(def->Name)) throw std::logic_error(std::string("the page has no control for ") + def->Name);
}

void TfrmProperty::LoadValues() {
  TRegistryEx reg(HKEY_CURRENT_USER);
  try {
    if (reg.OpenKey(kSettingsKey, true)) {
      const std::int32_t version = reg.ReadIntegerDef("Version", 0);
      for (const TSettingDef& def : SettingTable()) {
        const auto it = bindings_.find(def.Name);
        if (it == bindings_.end()) continue;
        it->second.Set(ReadSettingValue(reg, def, version));
        // A name CP932 cannot spell is shown as it is stored.
        if (it->second.WideControl)
          if (std::optional<std::wstring> stored = reg.TryReadWideString(def.Name); stored && !stored->empty())
            SetTextOf(it->second.WideControl, *stored);
      }
    }
  } catch (...) {
    // A registry that fails half way leaves the rest at the page's own values.
  }
  LoadSchemes();
}

void TfrmProperty::LoadSchemes() {
  const HWND list = Control("cbColorScheme");
  ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
  schemes_.clear();
  for (std::string& name : ReadSchemeNames()) {
    std::optional<TColorScheme> record = ReadColorScheme(name);
    ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(name).c_str()));
    schemes_.push_back({std::move(name), std::move(record)});
  }
}

bool TfrmProperty::ValidateValues() {
  for (const auto& [setting, binding] : bindings_) {
    if (!binding.Cp932Control) continue;
    const std::wstring text = TextOf(binding.Cp932Control);
    const std::wstring bad = FirstCharOutsideCp932(text);
    if (bad.empty()) continue;
    const auto tab = tabOf_.find(binding.Cp932Control);
    if (tab != tabOf_.end()) SelectTab(tab->second);
    const HWND edit = Control(binding.Cp932Control);
    ::SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    const size_t at = text.find(bad);
    ::SendMessageW(edit, EM_SETSEL, at, at + bad.size());
    const std::string label = std::string("lbl") + (binding.Cp932Control + 3);
    std::string field = PageCaption(label);
    if (const size_t amp = field.find("(&"); amp != std::string::npos) field.resize(amp);
    const std::wstring message = FormatMessageText(PageCaption("msgNotCp932"), {ToWide(field), bad});
    ::MessageBoxW(Handle(), message.c_str(), ToWide(PageCaption("form")).c_str(), MB_OK | MB_ICONWARNING);
    return false;
  }
  return true;
}

void TfrmProperty::SaveValues() {
  TRegistryEx reg(HKEY_CURRENT_USER);
  bool open = false;
  try {
    open = reg.OpenKey(kSettingsKey, true);
  } catch (...) {
  }
  if (open) {
    for (const TSettingDef* def : SettingSaveOrder()) {
      const TValueBinding& b = bindings_.at(def->Name);
      try {
        if (b.WideControl)
          WriteWideText(reg, def->Name, TextOf(b.WideControl));
        else
          WriteSettingValue(reg, *def, b.Get());
      } catch (...) {
        // A value the registry refuses is skipped; the others still go.
      }
    }
  }
  SignalPropertyChange();
}

}  // namespace lumeko
