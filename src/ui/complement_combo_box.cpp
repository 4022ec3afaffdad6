// The completing combo box (see complement_combo_box.h).
#include "ui/complement_combo_box.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/wide.h"

namespace lumeko {
namespace {

constexpr UINT_PTR kEditSubclassId = 0x4C4D45;
constexpr int kMaxEditLength = 0x7FFFFFFE;

}  // namespace

TComplementComboBox::TComplementComboBox(HWND parent, int left, int top, int width, int listHeight)
    : TWindowControl(parent) {
  const RECT bounds{ClampCoordinate(left), ClampCoordinate(top), ClampCoordinate(left) + ClampExtent(width),
                    ClampCoordinate(top) + ClampExtent(listHeight)};
  CreateStandard(WC_COMBOBOXW, WindowStyle(), 0, bounds, L"", true);
  HookEdit();
}

TComplementComboBox::~TComplementComboBox() {
  StopTimer();
  UnhookEdit();
}

DWORD TComplementComboBox::WindowStyle() const {
  DWORD kind = CBS_DROPDOWN;
  if (style_ == csSimple) kind = CBS_SIMPLE;
  if (style_ == csDropDownList) kind = CBS_DROPDOWNLIST;
  return WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL | kind;
}

void TComplementComboBox::HookEdit() {
  edit_ = nullptr;
  if (!Handle() || style_ == csDropDownList) return;
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetComboBoxInfo(Handle(), &info) || !info.hwndItem || info.hwndItem == Handle()) return;
  edit_ = info.hwndItem;
  ::SetWindowSubclass(edit_, EditProc, kEditSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void TComplementComboBox::UnhookEdit() {
  if (edit_ && ::IsWindow(edit_)) ::RemoveWindowSubclass(edit_, EditProc, kEditSubclassId);
  edit_ = nullptr;
}

void TComplementComboBox::WindowGone() {
  timerRunning_ = false;
  edit_ = nullptr;
}

LRESULT CALLBACK TComplementComboBox::EditProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<TComplementComboBox*>(data);
  if (msg == WM_NCDESTROY) {
    ::RemoveWindowSubclass(wnd, EditProc, kEditSubclassId);
    if (self->edit_ == wnd) self->edit_ = nullptr;
    return ::DefSubclassProc(wnd, msg, wp, lp);
  }
  const std::weak_ptr<char> life = self->Life();
  if (msg == WM_CHAR) self->typing_ = true;
  const LRESULT result = ::DefSubclassProc(wnd, msg, wp, lp);
  if (life.expired()) return result;  // a change handler destroyed the control
  self->typing_ = false;
  // Printable characters only: not the control codes, nor DEL.
  if (msg == WM_CHAR && wp > 31 && wp != 127) {
    try {
      self->AfterChar();
    } catch (...) {
    }
  }
  return result;
}

const TCompletionIndex& TComplementComboBox::Index() {
  if (indexStale_) {
    index_.Assign(items_);
    indexStale_ = false;
  }
  return index_;
}

void TComplementComboBox::AfterChar() {
  if (autoComplete_ == atNone || !edit_) return;
  // Only typing at the end of the text completes; typing in the middle
  // would have its rest overwritten.
  DWORD start = 0, end = 0;
  ::SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (start != end || end != static_cast<DWORD>(::GetWindowTextLengthW(edit_))) return;
  if (completeDelay_ != 0 && !Index().Contains(TextW())) {
    if (!justCompleted_) StartTimer();
    return;
  }
  StopTimer();  // this keystroke's completion replaces a pending one
  CompleteNow();
}

void TComplementComboBox::CompleteNow() {
  if (!edit_) return;
  const std::wstring typed = TextW();
  std::optional<TCompletion> c = Complete(Index(), typed, autoComplete_);
  if (!c) return;
  if (maxLength_ > 0 && c->Text.size() > static_cast<size_t>(maxLength_)) {
    if (static_cast<size_t>(maxLength_) <= typed.size()) return;
    c->Text.resize(static_cast<size_t>(maxLength_));
  }
  if (c->Item >= 0) ::SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(c->Item), 0);
  settingText_ = true;
  ::SetWindowTextW(edit_, c->Text.c_str());
  settingText_ = false;
  ::SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(c->SelStart), -1);
  justCompleted_ = true;
  if (OnCompleted) Raise([&] { OnCompleted(*this); });
}

void TComplementComboBox::PositionList() {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetComboBoxInfo(Handle(), &info) || !info.hwndList) return;
  const std::wstring text = TextW();
  const size_t found = text.empty() ? std::wstring::npos : Index().FindPrefix(FoldCase(text));
  const int index = found == std::wstring::npos ? -1 : static_cast<int>(found);
  const bool dropped = ::SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
  ::SendMessageW(info.hwndList, LB_SETCURSEL, static_cast<WPARAM>(dropped ? index : -1), 0);
  ::SendMessageW(info.hwndList, LB_SETCARETINDEX, static_cast<WPARAM>(index < 0 ? 0 : index), 0);
  ::SendMessageW(info.hwndList, LB_SETTOPINDEX, static_cast<WPARAM>(index < 0 ? 0 : index), 0);
}

void TComplementComboBox::StartTimer() {
  if (!Handle()) return;
  timerRunning_ = ::SetTimer(Handle(), kCompleteTimerId, static_cast<UINT>(completeDelay_), nullptr) != 0;
}

void TComplementComboBox::StopTimer() {
  if (timerRunning_ && Handle()) ::KillTimer(Handle(), kCompleteTimerId);
  timerRunning_ = false;
}

void TComplementComboBox::TextChanged() {
  justCompleted_ = false;
  if (OnChange) Raise([&] { OnChange(*this); });
}

LRESULT TComplementComboBox::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (edit_ && reinterpret_cast<HWND>(lp) == edit_ && HIWORD(wp) == EN_CHANGE) {
        TextChanged();
        if (settingText_ || typing_) {
          // Typed or completed text: the list follows it from our own index
          // (our completion has set the selection already), instead of the
          // combo box's search of its whole list, which takes tens of
          // milliseconds a keystroke with many items. The parent still
          // hears of the change.
          if (typing_) PositionList();
          if (const HWND parent = ::GetParent(Handle()))
            ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(Handle()), CBN_EDITCHANGE),
                           reinterpret_cast<LPARAM>(Handle()));
          return 0;
        }
      }
      break;
    case WM_TIMER:
      if (wp == kCompleteTimerId) {
        StopTimer();
        CompleteNow();
        return 0;
      }
      break;
    case WM_DESTROY:
      StopTimer();
      break;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

bool TComplementComboBox::Reflected(UINT msg, WPARAM wp, LPARAM, LRESULT&) {
  if (msg == WM_COMMAND && HIWORD(wp) == CBN_SELCHANGE) {
    justCompleted_ = false;
    if (OnSelect) Raise([&] { OnSelect(*this); });
    if (!edit_) TextChanged();  // a drop-down list has no edit to report it
  }
  return false;  // the parent sees its notifications as usual
}

std::vector<HWND> TComplementComboBox::HintWindows() const {
  std::vector<HWND> windows{Handle()};
  if (edit_) windows.push_back(edit_);
  return windows;
}

void TComplementComboBox::FillList() {
  const HWND wnd = Handle();
  if (!wnd) return;
  // Straight to the combo box's own procedure: every message through a
  // subclass chain costs a lookup of the window's subclasses (a server round
  // trip under Wine, ~0.1 ms), which would dominate a list of many items.
  const auto classProc = reinterpret_cast<WNDPROC>(::GetClassLongPtrW(wnd, GCLP_WNDPROC));
  auto direct = [&](UINT msg, WPARAM wp, LPARAM lp) {
    return classProc ? ::CallWindowProcW(classProc, wnd, msg, wp, lp) : ::SendMessageW(wnd, msg, wp, lp);
  };
  // The list box itself stops redrawing too: otherwise each added item
  // updates its scroll range.
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  const HWND list = ::GetComboBoxInfo(wnd, &info) ? info.hwndList : nullptr;
  direct(WM_SETREDRAW, FALSE, 0);
  if (list) ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  direct(CB_RESETCONTENT, 0, 0);
  size_t bytes = 0;
  for (const std::string& item : items_) bytes += (item.size() + 1) * sizeof(wchar_t);
  direct(CB_INITSTORAGE, items_.size(), static_cast<LPARAM>(bytes));
  for (size_t i = 0; i < items_.size(); ++i) direct(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Index().Item(i).c_str()));
  if (list) ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  direct(WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(wnd, nullptr, TRUE);
}

void TComplementComboBox::SetItems(std::vector<std::string> cp932Items) {
  items_ = std::move(cp932Items);
  indexStale_ = true;
  FillList();
}

void TComplementComboBox::AddItem(const std::string& cp932) {
  items_.push_back(cp932);
  if (!indexStale_) index_.Append(cp932);
  if (Handle()) ::SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(cp932).c_str()));
}

void TComplementComboBox::ClearItems() { SetItems({}); }

int TComplementComboBox::ItemIndex() const {
  return Handle() ? static_cast<int>(::SendMessageW(Handle(), CB_GETCURSEL, 0, 0)) : -1;
}

void TComplementComboBox::SetItemIndex(int index) {
  if (!Handle()) return;
  if (index < 0 || static_cast<size_t>(index) >= items_.size()) index = -1;
  ::SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::wstring TComplementComboBox::TextW() const {
  const HWND wnd = edit_ ? edit_ : Handle();
  if (!wnd) return {};
  const int length = ::GetWindowTextLengthW(wnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(wnd, text.data(), length + 1)));
  return text;
}

std::string TComplementComboBox::Text() const { return FromWide(TextW()); }

bool TComplementComboBox::TextFitsCp932() const {
  const std::wstring text = TextW();
  return ToWide(FromWide(text)) == text;
}

void TComplementComboBox::SetText(const std::string& cp932) {
  if (!Handle()) return;
  const std::wstring text = ToWide(cp932);
  if (style_ == csDropDownList) {
    const LRESULT found = ::SendMessageW(Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageW(Handle(), CB_SETCURSEL, found == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(found), 0);
    return;
  }
  ::SetWindowTextW(edit_ ? edit_ : Handle(), text.c_str());
}

void TComplementComboBox::SetMaxLength(int length) {
  maxLength_ = std::clamp(length, 0, kMaxEditLength);
  if (Handle()) ::SendMessageW(Handle(), CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TComplementComboBox::SetStyle(TComboBoxStyle style) {
  style = std::clamp(style, csDropDown, csDropDownList);
  if (style == style_) return;
  const std::wstring text = TextW();  // as typed, characters outside CP932 too
  const int index = ItemIndex();
  StopTimer();
  UnhookEdit();
  style_ = style;
  RecreateStandard(WindowStyle(), 0);
  HookEdit();
  FillList();
  SetMaxLength(maxLength_);
  if (index >= 0)
    SetItemIndex(index);
  else if (edit_)
    ::SetWindowTextW(edit_, text.c_str());
}

void TComplementComboBox::SetAutoComplete(TAutoCompleteType rule) {
  autoComplete_ = std::clamp(rule, atFirst, atNone);
  if (autoComplete_ == atNone) StopTimer();
}

void TComplementComboBox::SetCompleteDelay(int ms) { completeDelay_ = std::clamp(ms, 0, kMaxCompleteDelay); }

}  // namespace lumeko
