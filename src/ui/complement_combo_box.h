// A combo box that completes what the user types from its own item list.
//
// It is the system's combo box, subclassed: after the edit part has taken a
// printable character typed at the end of the text, the text is completed
// by the rule in AutoComplete, at once or after CompleteDelay (timer 902).
// Items and Text are CP932; the edit keeps exactly what the user typed in
// UTF-16, so a character outside CP932 stays visible and simply matches no
// item; Text() converts it at the boundary ('?'), TextW() keeps it, and
// TextFitsCp932() tells the two apart. The open list follows typed text from
// the control's own item index rather than the system's search of the whole
// list, so a keystroke stays cheap with a hundred thousand items.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/completion.h"
#include "ui/window_control.h"

namespace lumeko {

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

constexpr UINT_PTR kCompleteTimerId = 902;
constexpr int kMaxCompleteDelay = 60000;

class TComplementComboBox final : public TWindowControl {
 public:
  using TNotifyEvent = std::function<void(TComplementComboBox&)>;

  // listHeight is the height of the open list, as the system's combo box takes it.
  TComplementComboBox(HWND parent, int left, int top, int width, int listHeight = 200);
  ~TComplementComboBox() override;

  const std::vector<std::string>& Items() const noexcept { return items_; }
  void SetItems(std::vector<std::string> cp932Items);
  void AddItem(const std::string& cp932);
  void ClearItems();
  int ItemIndex() const;
  void SetItemIndex(int index);

  std::string Text() const;
  std::wstring TextW() const;
  bool TextFitsCp932() const;
  void SetText(const std::string& cp932);
  // At most this many UTF-16 units may be typed; 0 for no limit.
  int MaxLength() const noexcept { return maxLength_; }
  void SetMaxLength(int length);

  TComboBoxStyle Style() const noexcept { return style_; }
  void SetStyle(TComboBoxStyle style);
  TAutoCompleteType AutoComplete() const noexcept { return autoComplete_; }
  void SetAutoComplete(TAutoCompleteType rule);
  int CompleteDelay() const noexcept { return completeDelay_; }
  void SetCompleteDelay(int ms);
  bool JustCompleted() const noexcept { return justCompleted_; }
  bool CompletionPending() const noexcept { return timerRunning_; }
  HWND EditHandle() const noexcept { return edit_; }

  TNotifyEvent OnCompleted, OnChange, OnSelect;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  std::vector<HWND> HintWindows() const override;
  void WindowGone() override;

 private:
  static LRESULT CALLBACK EditProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
  DWORD WindowStyle() const;
  void HookEdit();
  void UnhookEdit();
  void FillList();
  void AfterChar();
  void CompleteNow();
  void PositionList();
  void StartTimer();
  void StopTimer();
  const TCompletionIndex& Index();
  void TextChanged();

  std::vector<std::string> items_;
  TCompletionIndex index_;
  bool indexStale_ = true;
  TComboBoxStyle style_ = csDropDown;
  TAutoCompleteType autoComplete_ = atFirst;
  int completeDelay_ = 0;
  int maxLength_ = 0;
  bool justCompleted_ = false;
  bool timerRunning_ = false;
  bool settingText_ = false;
  bool typing_ = false;
  HWND edit_ = nullptr;
};

}  // namespace lumeko
