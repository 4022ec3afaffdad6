// The controls of the "file" and "font and colour" tabs: where each sits,
// its limits, and which handler its notifications run (the handlers are in
// property_handlers.cpp).
#include <windows.h>
#include <commctrl.h>

#include "platform/wide.h"
#include "settings/setting_table.h"
#include "ui/check_box_ex.h"
#include "ui/color_picker_button.h"
#include "ui/complement_combo_box.h"
#include "ui/property_form.h"
#include "ui/property_texts.h"
#include "ui/sample_box.h"
#include "ui/system_dialogs.h"

namespace lumeko {

void TfrmProperty::BuildFileTab(HWND page) {
  Label(page, "lblLyricsPath", 10, 10, 300, 14);
  Edit(page, "edtLyricsPath", 10, 26, 516, 256);
  Button(page, "btnRefLyricsPath", 364, 52);
  Button(page, "btnAddLyricsPath", 448, 52);
  On("btnRefLyricsPath", BN_CLICKED, [this] { BrowseLyricsPath(false); });
  On("btnAddLyricsPath", BN_CLICKED, [this] { BrowseLyricsPath(true); });
  Check(page, "cbStandardLrcTags", 10, 56, 340);

  Group(page, "gbSearch", 10, 86, 516, 80);
  Check(page, "cbFindSubFolder", 22, 104, 480);
  Check(page, "cbNotPerformTitleSearch", 22, 124, 480);
  Check(page, "cbNotPerformSameFolderSearch", 22, 144, 480);

  Group(page, "gbSimilar", 10, 174, 516, 190);
  Check(page, "cbSimilarSearch", 22, 192, 210);
  Check(page, "cbFuzzySearch", 270, 192, 240);
  Label(page, "lblSimilarStrength", 22, 224, 136, 14);
  const HWND track = Add(page, "tbSimilarStrength", TRACKBAR_CLASSW,
                         TBS_AUTOTICKS | TBS_ENABLESELRANGE | TBS_HORZ | WS_TABSTOP, 160, 216, 300, 32, {});
  ::SendMessageW(track, TBM_SETRANGE, FALSE, MAKELPARAM(0, 10));
  ::SendMessageW(track, TBM_SETTICFREQ, 1, 0);
  Add(page, "lblSimilarStrengthLevel", L"STATIC", SS_LEFT | SS_NOPREFIX, 468, 224, 40, 14, {});
  ::SendMessageW(track, TBM_SETPOS, TRUE, 3);
  SimilarStrengthChanged();
  Explain(page, "lblSimilarAndFuzzy", 22, 254, 494, 104);
}

TColorPickerButton& TfrmProperty::AddPicker(HWND page, const char* name, int x, int y, int defaultIndex) {
  auto picker = std::make_unique<TColorPickerButton>(page, x, y, 52, 22);
  TColorPickerButton& p = *picker;
  p.SetDefaultText(PageCaption("pickerDefault"));
  p.SetCustomText(PageCaption("pickerCustom"));
  p.SetShowSystemColors(false);
  p.SetHint(PageHint(name));
  // The defaults in the order of the colour settings.
  static constexpr const char* kDefaults[] = {"ActiveColor",   "StillNotActiveColor", "ActiveEffectColor",
                                              "ActiveBkGndColor", "InactiveColor",    "BackgroundColor"};
  const std::int32_t fallback = FindSetting(kDefaults[defaultIndex])->DefaultInt;
  p.OnDefaultSelect = [fallback](TColorPickerButton& b) { b.SetSelectionColor(static_cast<std::uint32_t>(fallback)); };
  p.OnChanged = [this](TColorPickerButton&) {
    RefreshSample();
    MarkCustomised();
  };
  p.OnClick = [this](TColorPickerButton& b) {
    if (const std::optional<std::uint32_t> c = ChooseColour(Handle(), b.SelectionColor())) b.SetSelectionColor(*c);
  };
  controls_[name] = p.Handle();
  tabOf_[name] = currentTabBuilt_;
  pickers_[name] = std::move(picker);
  return p;
}

void TfrmProperty::BuildFontTab(HWND page) {
  Label(page, "lblFontList", 10, 10, 170, 14);
  fontList_ = std::make_unique<TComplementComboBox>(page, 10, 26, 172, 148);
  fontList_->SetStyle(csSimple);
  fontList_->SetBounds(10, 26, 172, 148);  // a simple box shows its list in its own height
  fontList_->SetHint(PageHint("cbFontList"));
  controls_["cbFontList"] = fontList_->Handle();
  tabOf_["cbFontList"] = currentTabBuilt_;
  fontList_->OnSelect = [this](TComplementComboBox&) { FontListChanged(); };
  fontList_->OnCompleted = [this](TComplementComboBox&) { FontListChanged(); };

  Label(page, "lblFontEffect", 192, 10, 140, 14);
  DropList(page, "cbFontEffect", 192, 26, 140);
  On("cbFontEffect", CBN_SELCHANGE, [this] {
    RefreshSample();
    MarkCustomised();
  });
  Label(page, "lblFontMinSize", 344, 10, 120, 14);
  Edit(page, "edtFontMinSize", 344, 26, 56, 2, ES_NUMBER);
  UpDown(page, "udFontMinSize", "edtFontMinSize", 6, 30);
  SetUpDownPosition("udFontMinSize", 6);
  On("edtFontMinSize", EN_CHANGE, [this] { MarkCustomised(); });

  Group(page, "gbFontStyle", 192, 56, 334, 54);
  static constexpr struct {
    const char* Name;
    std::uint8_t Bit;
  } kStyles[] = {{"cbFontStyleBold", fs_Bold}, {"cbFontStyleItalic", fs_Italic}, {"cbFontStyleUnderline", fs_Underline}};
  int x = 204;
  for (const auto& s : kStyles) {
    auto box = std::make_unique<TCheckBoxEx>(page, x, 76, 96, 24, PageCaption(s.Name));
    box->SetStyle(cbsPushLike);
    TFontChoice font = box->Font();
    font.Style = s.Bit;  // each shows the style it stands for
    box->SetFont(font);
    box->SetHint(PageHint(s.Name));
    const std::uint8_t bit = s.Bit;
    box->OnClick = [this, bit](TCheckBoxEx& b) { StyleClicked(b, bit); };
    controls_[s.Name] = box->Handle();
    tabOf_[s.Name] = currentTabBuilt_;
    styleBoxes_.push_back(std::move(box));
    x += 104;
  }

  Label(page, "lblColorScheme", 192, 124, 64, 14);
  DropList(page, "cbColorScheme", 258, 120, 268);
  On("cbColorScheme", CBN_SELCHANGE, [this] { ColorSchemeChanged(); });
  Button(page, "btnSaveColorScheme", 364, 148);
  Button(page, "btnDeleteColorScheme", 448, 148);
  On("btnSaveColorScheme", BN_CLICKED, [this] { SaveColorScheme(); });
  On("btnDeleteColorScheme", BN_CLICKED, [this] { DeleteColorScheme(); });

  Group(page, "gbColor", 10, 182, 240, 186);
  static constexpr struct {
    const char* Label;
    const char* Picker;
  } kColors[] = {{"lblActiveColor", "cpbtnActiveColor"},
                 {"lblStillNotActiveColor", "cpbtnStillNotActiveColor"},
                 {"lblActiveEffectColor", "cpbtnActiveEffectColor"},
                 {"lblActiveBkGndColor", "cpbtnActiveBkGndColor"},
                 {"lblInactiveColor", "cpbtnInactiveColor"},
                 {"lblBkGndColor", "cpbtnBkGndColor"}};
  for (int i = 0; i < 6; ++i) {
    const int y = 202 + i * 27;
    Label(page, kColors[i].Label, 22, y + 4, 154, 14);
    AddPicker(page, kColors[i].Picker, 180, y, i);
  }

  Group(page, "gbSample", 260, 182, 266, 186);
  sample_ = std::make_unique<TSampleBox>(page, 270, 202, 246, 156, PageCaption("sampleText"));
  sample_->SetHint(PageHint("gbSample"));
  controls_["pnlSample"] = sample_->Handle();
  tabOf_["pnlSample"] = currentTabBuilt_;
}

}  // namespace lumeko
