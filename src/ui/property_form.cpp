// The property page's frame: the tabs and their pages, the bottom row, the
// named controls and the dispatch of their notifications (see
// property_form.h). Each tab's controls are made in property_tabs_*.cpp.
#include "ui/property_form.h"

#include <commctrl.h>

#include <stdexcept>

#include "platform/wide.h"
#include "ui/check_box_ex.h"
#include "ui/color_picker_button.h"
#include "ui/complement_combo_box.h"
#include "ui/draw_mode_list.h"
#include "ui/effect_label.h"
#include "ui/property_texts.h"
#include "ui/sample_box.h"
#include "ui/ui_module.h"

namespace lumeko {
namespace {

constexpr int kClientWidth = 564, kClientHeight = 476;  // room for the seven tabs in a row
constexpr int kFontHeight = 12;

// A page is a child dialog over the tab control's display area; it hands
// its controls' notifications to the form.
INT_PTR CALLBACK PageProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) {
    ::SetWindowLongPtrW(wnd, DWLP_USER, lp);
    return FALSE;
  }
  if (msg == WM_GETFONT) {
    const auto form = reinterpret_cast<HWND>(::GetWindowLongPtrW(wnd, DWLP_USER));
    ::SetWindowLongPtrW(wnd, DWLP_MSGRESULT, form ? ::SendMessageW(form, WM_GETFONT, 0, 0) : 0);
    return TRUE;
  }
  if (msg == WM_MEASUREITEM) {
    // Sent while the owner-drawn list is created: its sizes are fixed.
    auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
    m->itemHeight = m->itemID == static_cast<UINT>(-1) ? 18 : 34;
    ::SetWindowLongPtrW(wnd, DWLP_MSGRESULT, TRUE);
    return TRUE;
  }
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_DRAWITEM: {
      const auto form = reinterpret_cast<HWND>(::GetWindowLongPtrW(wnd, DWLP_USER));
      if (!form) return FALSE;
      const LRESULT r = ::SendMessageW(form, msg, wp, lp);
      ::SetWindowLongPtrW(wnd, DWLP_MSGRESULT, r);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

TfrmProperty::TfrmProperty(HWND owner, const std::wstring& versionFile)
    : TModalForm(owner, PageCaption("form"), PageCaption("formFont"), kFontHeight), hints_(Handle()) {
  version_ = ReadModuleVersion(versionFile);
  SizeAndCentre(kClientWidth, kClientHeight);
  BuildFrame();
  BindValues();
  // Filled as the page has always been filled: with the updating flag on,
  // so no handler takes the loading for the user's editing.
  updating_ = true;
  LoadValues();
  FillFontList();
  effects_ = ListInstalledEffects();
  for (const TEffectData& e : effects_)
    ::SendMessageW(Control("lbPileEffects"), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(e.Title).c_str()));
  UpdateFontAndPileControls();
  RefreshSample();
  FillVersionTab();
  int found = -1;
  for (size_t i = 0; i < schemes_.size(); ++i)
    if (schemes_[i].Name == schemeName_) found = static_cast<int>(i);
  SetItemIndex("cbColorScheme", found);
  if (found < 0) schemeName_.clear();
  customised_ = false;
  updating_ = false;
  ApplyShowHint();
}

TfrmProperty::~TfrmProperty() {
  // The controls' objects go before the window that holds them.
  pickers_.clear();
  styleBoxes_.clear();
  fontList_.reset();
  sample_.reset();
  effectLabels_.clear();
}

void TfrmProperty::BuildFrame() {
  const HWND form = Handle();
  tabs_ = CreateChild(form, WC_TABCONTROLW, L"", WS_TABSTOP | WS_CLIPSIBLINGS, nextId_++, 8, 8, kClientWidth - 16,
                      kClientHeight - 52);
  ::SendMessageW(tabs_, TCM_SETPADDING, 0, MAKELPARAM(5, 3));
  for (int i = 0; i < pt_Count; ++i) {
    const std::wstring caption = ToWide(PageCaption("tab" + std::to_string(i)));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    ::SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  using TBuilder = void (TfrmProperty::*)(HWND);
  static constexpr TBuilder kBuilders[pt_Count] = {
      &TfrmProperty::BuildFileTab,    &TfrmProperty::BuildFontTab,  &TfrmProperty::BuildBkGndTab,
      &TfrmProperty::BuildTimeTagTab, &TfrmProperty::BuildPileTab,  &TfrmProperty::BuildOtherTab,
      &TfrmProperty::BuildVersionTab};
  for (int i = 0; i < pt_Count; ++i) {
    currentTabBuilt_ = i;
    const HWND page = MakePage();
    pages_.push_back(page);
    (this->*kBuilders[i])(page);
  }
  currentTabBuilt_ = -1;
  const int bottom = kClientHeight - 34;
  Add(form, "chShowHint", L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 12, bottom + 5, 240, 18, PageCaption("chShowHint"));
  Register("btnOK", CreateChild(form, L"BUTTON", ToWide(PageCaption("btnOK")), BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK,
                                kClientWidth - 180, bottom, 82, 26));
  Register("btnCancel", CreateChild(form, L"BUTTON", ToWide(PageCaption("btnCancel")), BS_PUSHBUTTON | WS_TABSTOP,
                                    IDCANCEL, kClientWidth - 92, bottom, 82, 26));
  ::SendMessageW(form, DM_SETDEFID, IDOK, 0);
  On("chShowHint", BN_CLICKED, [this] { ApplyShowHint(); });
  // The boxes that start checked, before the stored values come in.
  for (const char* name : {"chShowHint", "cbUseFadeEffect", "cbBkGndImageBlend", "chTagAmendLineEnd"})
    ::SendMessageW(Control(name), BM_SETCHECK, BST_CHECKED, 0);
  // The pages lie over the tab strip, which is last in the tab order.
  ::SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SelectTab(pt_File);
}

HWND TfrmProperty::MakePage() {
  RECT area{};
  ::GetWindowRect(tabs_, &area);
  ::MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&area), 2);
  ::SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  struct {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
  } tpl{};
  tpl.dialog.style = WS_CHILD | DS_CONTROL | DS_3DLOOK;
  tpl.dialog.dwExtendedStyle = WS_EX_CONTROLPARENT;
  const HWND page = ::CreateDialogIndirectParamW(UiModule(), &tpl.dialog, Handle(), PageProc,
                                                 reinterpret_cast<LPARAM>(Handle()));
  if (!page) throw std::runtime_error("cannot create a page of the property page");
  ::SendMessageW(page, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
  ::SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top, SWP_NOACTIVATE);
  return page;
}

void TfrmProperty::SelectTab(int tab) {
  if (tab < 0 || tab >= static_cast<int>(pages_.size())) return;
  ::SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
  for (size_t i = 0; i < pages_.size(); ++i)
    ::ShowWindow(pages_[i], static_cast<int>(i) == tab ? SW_SHOWNA : SW_HIDE);
  currentPage_ = pages_[static_cast<size_t>(tab)];
}

int TfrmProperty::CurrentTab() const { return static_cast<int>(::SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)); }

void TfrmProperty::Register(const char* name, HWND wnd) {
  controls_[name] = wnd;
  if (currentTabBuilt_ >= 0) tabOf_[name] = currentTabBuilt_;
  const std::string& hint = PageHint(name);
  if (!hint.empty()) hints_.SetText(wnd, ToWide(hint));
}

HWND TfrmProperty::Add(HWND page, const char* name, const wchar_t* cls, DWORD style, int x, int y, int w, int h,
                       const std::string& text) {
  const HWND wnd = CreateChild(page, cls, ToWide(text), style, nextId_++, x, y, w, h);
  Register(name, wnd);
  return wnd;
}

HWND TfrmProperty::Label(HWND page, const char* name, int x, int y, int w, int h) {
  return Add(page, name, L"STATIC", SS_LEFT, x, y, w, h, PageCaption(name));
}

void TfrmProperty::Explain(HWND page, const char* name, int x, int y, int w, int h) {
  Add(page, name, L"STATIC", SS_LEFT | SS_NOPREFIX, x, y, w, h, PageCaption(name));
}

HWND TfrmProperty::Group(HWND page, const char* name, int x, int y, int w, int h) {
  return Add(page, name, L"BUTTON", BS_GROUPBOX, x, y, w, h, PageCaption(name));
}

HWND TfrmProperty::Check(HWND page, const char* name, int x, int y, int w, int h) {
  return Add(page, name, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, x, y, w, h, PageCaption(name));
}

HWND TfrmProperty::Button(HWND page, const char* name, int x, int y, int w, int h) {
  return Add(page, name, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, x, y, w, h, PageCaption(name));
}

HWND TfrmProperty::Edit(HWND page, const char* name, int x, int y, int w, int maxLength, DWORD style) {
  const HWND wnd = Add(page, name, L"EDIT", style | WS_TABSTOP, x, y, w, 22, {});
  ::SetWindowLongW(wnd, GWL_EXSTYLE, ::GetWindowLongW(wnd, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
  ::SetWindowPos(wnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  ::SendMessageW(wnd, EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
  return wnd;
}

HWND TfrmProperty::UpDown(HWND page, const char* name, const char* buddy, int min, int max) {
  const HWND wnd = Add(page, name, UPDOWN_CLASSW,
                       UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, 0, {});
  ::SendMessageW(wnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Control(buddy)), 0);
  ::SendMessageW(wnd, UDM_SETRANGE32, static_cast<WPARAM>(min), max);
  return wnd;
}

HWND TfrmProperty::DropList(HWND page, const char* name, int x, int y, int w, DWORD extra) {
  const HWND wnd = Add(page, name, WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | extra, x, y, w, 360, {});
  for (const std::string& item : PageItems(name))
    ::SendMessageW(wnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(item).c_str()));
  return wnd;
}

void TfrmProperty::On(const char* name, int code, THandler handler) {
  handlers_[{::GetDlgCtrlID(Control(name)), code}] = std::move(handler);
}

HWND TfrmProperty::Control(std::string_view name) const {
  const auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second;
}

TColorPickerButton* TfrmProperty::Picker(std::string_view name) const {
  const auto it = pickers_.find(name);
  return it == pickers_.end() ? nullptr : it->second.get();
}

bool TfrmProperty::Message(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) return false;  // the form's own closing
      PageCommand(reinterpret_cast<HWND>(lp), LOWORD(wp), HIWORD(wp));
      return true;
    case WM_NOTIFY:
      if (!lp) return false;
      if (reinterpret_cast<NMHDR*>(lp)->hwndFrom == tabs_) {
        if (reinterpret_cast<NMHDR*>(lp)->code == TCN_SELCHANGE) SelectTab(CurrentTab());
        return true;
      }
      PageNotify(*reinterpret_cast<NMHDR*>(lp));
      result = 0;
      return true;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lp) == Control("tbSimilarStrength")) SimilarStrengthChanged();
      return true;
    case WM_DRAWITEM:
      if (lp && reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem == Control("cbBkImageDrawMode"))
        DrawDrawModeItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp), drawModePictures_.get());
      result = TRUE;
      return true;
    default:
      return false;
  }
}

bool TfrmProperty::CanClose(int result) {
  if (result != IDOK) return true;
  if (!ValidateValues()) return false;
  SaveValues();
  return true;
}

int ShowPropertyPage(HWND owner, const std::wstring& versionFile) {
  TfrmProperty form(owner, versionFile);
  return form.ShowModal();
}

}  // namespace lumeko
