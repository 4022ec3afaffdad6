// TfrmProperty: the modal settings page, seven tabs over the Settings key.
//
// Every edit lives in the controls until OK, which writes all values in the
// setting table's save order and then signals the running effects through
// the named event; Cancel, Escape and the close box write nothing. Colour
// schemes are stored and deleted at once. The page never talks to an effect
// object: the registry and the event are the only channel. Controls are
// known by their names ("edtLyricsPath"), which the tab builders, the value
// bindings and the tests share. Text that CP932 cannot hold is kept whole
// where the effect reads it as UTF-16 (the picture file and folder) and
// refused with a message elsewhere, never stored as '?'.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/color_scheme.h"
#include "settings/installed_effects.h"
#include "settings/setting_table.h"
#include "ui/hint_tool.h"
#include "ui/modal_form.h"
#include "ui/module_version.h"

namespace lumeko {

class TCheckBoxEx;
class TColorPickerButton;
class TComplementComboBox;
class TEffectLabel;
class TSampleBox;

// The page's controls sit on these tabs, in this order.
enum TPropertyTab { pt_File, pt_FontColor, pt_BkGnd, pt_TimeTag, pt_Pile, pt_Other, pt_Version, pt_Count };

class TfrmProperty final : public TModalForm {
 public:
  // owner: the window the page is modal on (may be null). versionFile: the
  // module whose version resource the version tab shows and Version stores.
  TfrmProperty(HWND owner, const std::wstring& versionFile);
  ~TfrmProperty() override;

  // A control's window by its name; null when there is none.
  HWND Control(std::string_view name) const;
  TColorPickerButton* Picker(std::string_view name) const;
  TComplementComboBox& FontList() const { return *fontList_; }
  TSampleBox& SampleBox() const { return *sample_; }
  // Shows a tab as a click on it does.
  void SelectTab(int tab);
  int CurrentTab() const;
  const std::string& SchemeName() const noexcept { return schemeName_; }
  bool Customised() const noexcept { return customised_; }

 protected:
  bool Message(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  bool CanClose(int result) override;

 private:
  using THandler = std::function<void()>;
  struct TValueBinding {
    std::function<TSettingValue()> Get;
    std::function<void(const TSettingValue&)> Set;
    const char* WideControl = nullptr;  // an edit whose UTF-16 text is stored as it is
    const char* Cp932Control = nullptr;  // an edit whose text must fit CP932
  };
  struct TScheme {
    std::string Name;
    std::optional<TColorScheme> Record;  // none: the stored value is no scheme
  };

  // ---- Building (property_form.cpp, property_tabs_*.cpp) ----
  void BuildFrame();
  HWND MakePage();
  void BuildFileTab(HWND page);
  void BuildFontTab(HWND page);
  void BuildBkGndTab(HWND page);
  void BuildTimeTagTab(HWND page);
  void BuildPileTab(HWND page);
  void BuildOtherTab(HWND page);
  void BuildVersionTab(HWND page);
  HWND Add(HWND page, const char* name, const wchar_t* cls, DWORD style, int x, int y, int w, int h,
           const std::string& text);
  HWND Label(HWND page, const char* name, int x, int y, int w, int h);
  HWND Group(HWND page, const char* name, int x, int y, int w, int h);
  HWND Check(HWND page, const char* name, int x, int y, int w, int h = 18);
  HWND Button(HWND page, const char* name, int x, int y, int w = 78, int h = 24);
  HWND Edit(HWND page, const char* name, int x, int y, int w, int maxLength, DWORD style = ES_AUTOHSCROLL);
  HWND UpDown(HWND page, const char* name, const char* buddy, int min, int max);
  HWND DropList(HWND page, const char* name, int x, int y, int w, DWORD extra = 0);
  TColorPickerButton& AddPicker(HWND page, const char* name, int x, int y, int defaultIndex);
  void Register(const char* name, HWND wnd);
  void On(const char* name, int code, THandler handler);
  void Explain(HWND page, const char* name, int x, int y, int w, int h);

  // ---- Behaviour (property_handlers.cpp) ----
  void PageCommand(HWND from, int id, int code);
  void PageNotify(const NMHDR& hdr);
  bool Checked(std::string_view name) const;
  // Sets a check box; a change runs its click handler, as a click would.
  void SetChecked(std::string_view name, bool checked);
  void EnableGroup(std::string_view box);
  void ApplyShowHint();
  void MarkCustomised();
  void RefreshSample();
  void UpdateFontAndPileControls();
  void FillFontList();
  void FontListChanged();
  void StyleClicked(TCheckBoxEx& box, std::uint8_t bit);
  void ColorSchemeChanged();
  void SaveColorScheme();
  void DeleteColorScheme();
  void PileEffectClicked();
  void BrowseLyricsPath(bool add);
  void BrowseBkGndFolder();
  void BrowseBkGndImage();
  void SimilarStrengthChanged();
  void FillVersionTab();
  TColorScheme CurrentScheme() const;

  // ---- Values (property_values.cpp) ----
  void BindValues();
  void LoadValues();
  void LoadSchemes();
  // False, with the user told why and the field shown, when a value cannot
  // be stored as it stands.
  bool ValidateValues();
  void SaveValues();
  int UpDownPosition(std::string_view name) const;
  void SetUpDownPosition(std::string_view name, int position);
  int ItemIndex(std::string_view name) const;
  void SetItemIndex(std::string_view name, int index);
  std::wstring TextOf(std::string_view name) const;
  void SetTextOf(std::string_view name, const std::wstring& text);

  // State besides the controls.
  bool updating_ = false;
  bool customised_ = false;
  std::string schemeName_;
  std::vector<TEffectData> effects_;
  std::string pileClassId_;
  int pilePreset_ = -1;
  std::string sampleFontName_;
  std::uint8_t sampleFontStyle_ = 0;
  std::vector<TScheme> schemes_;  // the items of cbColorScheme, in list order
  std::optional<TModuleVersion> version_;

  HWND tabs_ = nullptr;
  std::vector<HWND> pages_;
  int nextId_ = 1000;
  std::map<std::string, HWND, std::less<>> controls_;
  std::map<std::string, int, std::less<>> tabOf_;  // the tab a named control is on
  std::map<std::pair<int, int>, THandler> handlers_;  // by (control id, notification)
  std::map<std::string, std::vector<std::string>, std::less<>> groups_;  // a box and what it enables
  std::map<std::string, TValueBinding, std::less<>> bindings_;
  std::map<std::string, std::unique_ptr<TColorPickerButton>, std::less<>> pickers_;
  std::vector<std::unique_ptr<TCheckBoxEx>> styleBoxes_;
  std::unique_ptr<TComplementComboBox> fontList_;
  std::unique_ptr<TSampleBox> sample_;
  std::vector<std::unique_ptr<TEffectLabel>> effectLabels_;
  THintTool hints_;
  UniqueHBITMAP drawModePictures_;
  HWND currentPage_ = nullptr;
  int currentTabBuilt_ = 0;
};

// Opens the page modally on owner and answers how it closed (IDOK,
// IDCANCEL). Raises what the page's creation raised.
int ShowPropertyPage(HWND owner, const std::wstring& versionFile);

}  // namespace lumeko
