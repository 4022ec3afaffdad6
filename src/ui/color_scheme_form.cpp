// The scheme-name dialog (see color_scheme_form.h).
#include "ui/color_scheme_form.h"

#include "platform/wide.h"
#include "ui/complement_combo_box.h"
#include "ui/property_texts.h"
#include "ui/text_fit.h"

namespace lumeko {
namespace {
constexpr int kClientWidth = 287, kClientHeight = 83;
constexpr int kMaxNameLength = 100;
}  // namespace

TfrmColorScheme::TfrmColorScheme(HWND owner)
    : TModalForm(owner, PageCaption("schemeForm"), PageCaption("formFont"), 12) {
  const HWND form = Handle();
  SizeAndCentre(kClientWidth, kClientHeight);
  CreateChild(form, L"BUTTON", ToWide(PageCaption("btnOk")), BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, 126, 56, 75, 21);
  CreateChild(form, L"BUTTON", ToWide(PageCaption("btnCancel")), BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 206, 56, 75, 21);
  ::SendMessageW(form, DM_SETDEFID, IDOK, 0);
  // The label comes right before the box in the window order, so its
  // letter moves the focus to the box; the buttons keep tab order 0 and 1.
  CreateChild(form, L"STATIC", ToWide(PageCaption("lblSchemeName")), SS_LEFT, -1, 8, 8, 273, 14);
  ccbSchemeName_ = std::make_unique<TComplementComboBox>(form, 8, 28, 273, 200);
  ccbSchemeName_->SetAutoComplete(atFirst);
  ccbSchemeName_->SetCompleteDelay(0);
  ccbSchemeName_->SetMaxLength(kMaxNameLength);
  SetInitialFocus(ccbSchemeName_->Handle());
}

TfrmColorScheme::~TfrmColorScheme() { ccbSchemeName_.reset(); }

void TfrmColorScheme::SetSchemeNames(const std::vector<std::string>& names) { ccbSchemeName_->SetItems(names); }

void TfrmColorScheme::SetSchemeName(const std::string& name) { ccbSchemeName_->SetText(name); }

std::string TfrmColorScheme::GetSchemeName() const { return ccbSchemeName_->Text(); }

bool TfrmColorScheme::CanClose(int result) {
  if (result != IDOK) return true;
  const std::wstring name = ccbSchemeName_->TextW();
  if (name.empty()) return false;  // nothing to store under: stay open
  const std::wstring bad = FirstCharOutsideCp932(name);
  if (bad.empty()) return true;
  const std::wstring message = FormatMessageText(PageCaption("msgNotCp932"), {ToWide(PageCaption("lblSchemeNameShort")), bad});
  ::MessageBoxW(Handle(), message.c_str(), ToWide(PageCaption("schemeForm")).c_str(), MB_OK | MB_ICONWARNING);
  ccbSchemeName_->SetFocus();
  return false;
}

}  // namespace lumeko
