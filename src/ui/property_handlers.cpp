// What the page's controls do when used: the sample, colour schemes, the
// font list, the stacked-effect lists, the browse buttons, hints and the
// groups a check box switches (see property_form.h).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "platform/wide.h"
#include "settings/scheme_store.h"
#include "ui/check_box_ex.h"
#include "ui/color_picker_button.h"
#include "ui/color_scheme_form.h"
#include "ui/completion.h"
#include "ui/complement_combo_box.h"
#include "ui/effect_label.h"
#include "ui/property_form.h"
#include "ui/property_texts.h"
#include "ui/sample_box.h"
#include "ui/system_dialogs.h"
#include "ui/text_fit.h"

namespace lumeko {
namespace {

struct TFontListing {
  std::vector<std::wstring> Names;
};

int CALLBACK AddFontFamily(const LOGFONTW* lf, const TEXTMETRICW*, DWORD type, LPARAM data) {
  auto& names = reinterpret_cast<TFontListing*>(data)->Names;
  const std::wstring name = lf->lfFaceName;
  // TrueType faces only; the vertical forms ("@...") would lay lyrics on
  // their side, and a name CP932 cannot spell could not be stored.
  if (!(type & TRUETYPE_FONTTYPE) || name.empty() || name[0] == L'@' || !FirstCharOutsideCp932(name).empty()) return 1;
  // Each family comes once a character set: the one just added is skipped.
  if (!names.empty() && ::CompareStringOrdinal(names.back().c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL) return 1;
  names.push_back(name);
  return 1;
}

}  // namespace

void TfrmProperty::PageCommand(HWND from, int id, int code) {
  (void)from;
  const auto it = handlers_.find({id, code});
  if (it != handlers_.end()) it->second();
}

void TfrmProperty::PageNotify(const NMHDR& hdr) {
  if (hdr.hwndFrom == Control("udFontMinSize") && hdr.code == UDN_DELTAPOS) MarkCustomised();
}

bool TfrmProperty::Checked(std::string_view name) const {
  return ::SendMessageW(Control(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TfrmProperty::SetChecked(std::string_view name, bool checked) {
  const HWND box = Control(name);
  if (!box || Checked(name) == checked) return;
  ::SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  PageCommand(box, ::GetDlgCtrlID(box), BN_CLICKED);
}

void TfrmProperty::EnableGroup(std::string_view box) {
  const auto it = groups_.find(box);
  if (it == groups_.end()) return;
  const bool on = Checked(box);
  for (const std::string& member : it->second) ::EnableWindow(Control(member), on);
}

void TfrmProperty::ApplyShowHint() {
  const bool show = Checked("chShowHint");
  if (hints_.Handle()) ::SendMessageW(hints_.Handle(), TTM_ACTIVATE, show, 0);
  for (auto& [name, picker] : pickers_) picker->SetShowHint(show);
  for (auto& box : styleBoxes_) box->SetShowHint(show);
  fontList_->SetShowHint(show);
  sample_->SetShowHint(show);
}

void TfrmProperty::MarkCustomised() {
  customised_ = true;
  if (updating_) return;
  SetItemIndex("cbColorScheme", -1);
  schemeName_.clear();
}

void TfrmProperty::RefreshSample() {
  TSampleLook look;
  look.FontName = sampleFontName_;
  look.FontStyle = sampleFontStyle_;
  look.Effect = std::max(0, ItemIndex("cbFontEffect"));
  const TColorScheme scheme = CurrentScheme();
  look.Colors = scheme.Color;
  sample_->SetLook(look);
}

TColorScheme TfrmProperty::CurrentScheme() const {
  TColorScheme s;
  s.Font.FontName = sampleFontName_;
  s.Font.FontStyle = sampleFontStyle_;
  s.Font.FontEffect = static_cast<std::uint8_t>(std::max(0, ItemIndex("cbFontEffect")));
  s.Font.FontMinSize = static_cast<std::uint8_t>(UpDownPosition("udFontMinSize"));
  TSetupInfo_Color& c = s.Color;
  c.ActiveColor = Picker("cpbtnActiveColor")->SelectionColor();
  c.StillNotActiveColor = Picker("cpbtnStillNotActiveColor")->SelectionColor();
  c.InactiveColor = Picker("cpbtnInactiveColor")->SelectionColor();
  c.ActiveEffectColor = Picker("cpbtnActiveEffectColor")->SelectionColor();
  c.ActiveBkGndColor = Picker("cpbtnActiveBkGndColor")->SelectionColor();
  c.BackgroundColor = Picker("cpbtnBkGndColor")->SelectionColor();
  return s;
}

void TfrmProperty::FillFontList() {
  TFontListing listing;
  listing.Names.push_back(ToWide(kDefaultFontName));
  WindowDC screen(nullptr);
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  ::EnumFontFamiliesExW(screen.get(), &lf, AddFontFamily, reinterpret_cast<LPARAM>(&listing), 0);
  std::sort(listing.Names.begin(), listing.Names.end(), [](const std::wstring& a, const std::wstring& b) {
    return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
  });
  std::vector<std::string> items;
  items.reserve(listing.Names.size());
  for (const std::wstring& n : listing.Names) items.push_back(FromWide(n));
  fontList_->SetItems(std::move(items));
}

void TfrmProperty::UpdateFontAndPileControls() {
  fontList_->SetText(sampleFontName_);
  const auto& items = fontList_->Items();
  const auto at = std::find(items.begin(), items.end(), sampleFontName_);
  fontList_->SetItemIndex(at == items.end() ? -1 : static_cast<int>(at - items.begin()));
  fontList_->SetText(sampleFontName_);
  static constexpr std::uint8_t kBits[] = {fs_Bold, fs_Italic, fs_Underline};
  for (size_t i = 0; i < styleBoxes_.size(); ++i) styleBoxes_[i]->SetChecked((sampleFontStyle_ & kBits[i]) != 0);

  const HWND effects = Control("lbPileEffects"), presets = Control("lbPilePresets");
  int found = -1;
  for (size_t i = 0; i < effects_.size() && found < 0; ++i)
    if (effects_[i].ClassId == pileClassId_) found = static_cast<int>(i);
  ::SendMessageW(effects, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
  ::SendMessageW(presets, LB_RESETCONTENT, 0, 0);
  if (found < 0) {
    pileClassId_.clear();
    pilePreset_ = -1;
    return;
  }
  for (const std::string& p : effects_[static_cast<size_t>(found)].Presets)
    ::SendMessageW(presets, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(p).c_str()));
  ::SendMessageW(presets, LB_SETCURSEL, static_cast<WPARAM>(pilePreset_), 0);
}

void TfrmProperty::FontListChanged() {
  const int index = fontList_->ItemIndex();
  if (index >= 0 && static_cast<size_t>(index) < fontList_->Items().size()) {
    sampleFontName_ = fontList_->Items()[static_cast<size_t>(index)];
    RefreshSample();
  }
  MarkCustomised();
}

void TfrmProperty::StyleClicked(TCheckBoxEx& box, std::uint8_t bit) {
  sampleFontStyle_ = static_cast<std::uint8_t>(box.Checked() ? (sampleFontStyle_ | bit) : (sampleFontStyle_ & ~bit));
  RefreshSample();
  MarkCustomised();
}

void TfrmProperty::ColorSchemeChanged() {
  const bool was = updating_;
  updating_ = true;
  const int index = ItemIndex("cbColorScheme");
  if (index < 0 || static_cast<size_t>(index) >= schemes_.size()) {
    schemeName_.clear();
  } else {
    const TScheme& chosen = schemes_[static_cast<size_t>(index)];
    if (chosen.Record) {
      const TColorScheme& s = *chosen.Record;
      sampleFontName_ = s.Font.FontName;
      sampleFontStyle_ = s.Font.FontStyle;
      SetItemIndex("cbFontEffect", s.Font.FontEffect);
      SetUpDownPosition("udFontMinSize", s.Font.FontMinSize);
      Picker("cpbtnActiveColor")->SetSelectionColor(s.Color.ActiveColor);
      Picker("cpbtnStillNotActiveColor")->SetSelectionColor(s.Color.StillNotActiveColor);
      Picker("cpbtnActiveEffectColor")->SetSelectionColor(s.Color.ActiveEffectColor);
      Picker("cpbtnActiveBkGndColor")->SetSelectionColor(s.Color.ActiveBkGndColor);
      Picker("cpbtnInactiveColor")->SetSelectionColor(s.Color.InactiveColor);
      Picker("cpbtnBkGndColor")->SetSelectionColor(s.Color.BackgroundColor);
      UpdateFontAndPileControls();
      RefreshSample();
    }
    schemeName_ = chosen.Name;
  }
  updating_ = was;
}

void TfrmProperty::SaveColorScheme() {
  std::string name;
  {
    TfrmColorScheme dialog(Handle());
    std::vector<std::string> names;
    for (const TScheme& s : schemes_) names.push_back(s.Name);
    dialog.SetSchemeNames(names);
    const int selected = ItemIndex("cbColorScheme");
    if (selected >= 0 && static_cast<size_t>(selected) < schemes_.size())
      dialog.SetSchemeName(schemes_[static_cast<size_t>(selected)].Name);
    if (dialog.ShowModal() != IDOK) return;
    name = dialog.GetSchemeName();
  }
  const std::wstring folded = FoldCase(ToWide(name));
  size_t i = 0;
  while (i < schemes_.size() && FoldCase(ToWide(schemes_[i].Name)) != folded) ++i;
  if (i == schemes_.size()) {
    schemes_.push_back({name, std::nullopt});
    ::SendMessageW(Control("cbColorScheme"), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(name).c_str()));
  }
  TScheme& entry = schemes_[i];
  entry.Record = CurrentScheme();
  WriteColorScheme(name, *entry.Record);  // at once; a refusal leaves it in this page only
  const bool was = updating_;
  updating_ = true;
  SetItemIndex("cbColorScheme", static_cast<int>(i));
  updating_ = was;
  schemeName_ = name;
}

void TfrmProperty::DeleteColorScheme() {
  const int index = ItemIndex("cbColorScheme");
  if (index < 0 || static_cast<size_t>(index) >= schemes_.size()) return;
  lumeko::DeleteColorScheme(schemes_[static_cast<size_t>(index)].Name);
  schemes_.erase(schemes_.begin() + index);
  SetItemIndex("cbColorScheme", -1);
  ::SendMessageW(Control("cbColorScheme"), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
  schemeName_.clear();
}

void TfrmProperty::PileEffectClicked() {
  const int index = static_cast<int>(::SendMessageW(Control("lbPileEffects"), LB_GETCURSEL, 0, 0));
  if (index < 0 || static_cast<size_t>(index) >= effects_.size()) return;
  const TEffectData& e = effects_[static_cast<size_t>(index)];
  const HWND presets = Control("lbPilePresets");
  ::SendMessageW(presets, LB_RESETCONTENT, 0, 0);
  for (const std::string& p : e.Presets)
    ::SendMessageW(presets, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(p).c_str()));
  ::SendMessageW(presets, LB_SETCURSEL, 0, 0);
  pileClassId_ = e.ClassId;
  pilePreset_ = 0;
}

void TfrmProperty::BrowseLyricsPath(bool add) {
  const std::wstring current = TextOf("edtLyricsPath");
  const std::optional<std::wstring> folder = BrowseForFolder(Handle(), PageCaption("browseLyrics"), current);
  if (!folder) return;
  // The search reads CP932 folder names: one it cannot spell is refused now.
  const std::wstring bad = FirstCharOutsideCp932(*folder);
  if (!bad.empty()) {
    const std::wstring text = FormatMessageText(PageCaption("msgNotCp932Folder"), {*folder, bad});
    ::MessageBoxW(Handle(), text.c_str(), ToWide(PageCaption("form")).c_str(), MB_OK | MB_ICONWARNING);
    return;
  }
  const std::wstring entry = QuoteFolder(*folder);
  SetTextOf("edtLyricsPath", add && !current.empty() ? current + L";" + entry : entry);
}

void TfrmProperty::BrowseBkGndFolder() {
  const std::optional<std::wstring> folder =
      BrowseForFolder(Handle(), PageCaption("browseBkGnd"), TextOf("edtBkGndImageFolder"));
  if (!folder) return;
  std::wstring text = *folder;
  if (text.empty() || text.back() != L'\\') text += L'\\';
  SetTextOf("edtBkGndImageFolder", text);
}

void TfrmProperty::BrowseBkGndImage() {
  const std::optional<std::wstring> file = OpenPictureFile(Handle(), PageCaption("pictureFilter"),
                                                           TextOf("edtBkGndImage"), TextOf("edtBkGndImageFolder"));
  if (file) SetTextOf("edtBkGndImage", *file);
}

void TfrmProperty::SimilarStrengthChanged() {
  const HWND track = Control("tbSimilarStrength");
  const int position = static_cast<int>(::SendMessageW(track, TBM_GETPOS, 0, 0));
  ::SendMessageW(track, TBM_SETSEL, TRUE, MAKELPARAM(0, position));
  ::SetWindowTextW(Control("lblSimilarStrengthLevel"), std::to_wstring(position).c_str());
}

void TfrmProperty::FillVersionTab() {
  if (!version_) return;
  char line[128];
  std::snprintf(line, sizeof line, PageCaption("lblAboutVersion").c_str(), version_->Major, version_->Minor,
                version_->Release, version_->Build);
  ::SetWindowTextW(Control("lblAboutVersion"), ToWide(line).c_str());
  ::SetWindowTextW(Control("lblAboutProduct"), ToWide(version_->ProductName).c_str());
  ::SetWindowTextW(Control("lblAboutCopyright"), ToWide(version_->Copyright).c_str());
}

}  // namespace lumeko
