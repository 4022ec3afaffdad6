// A check box that can look like a push button, shown in its own font.
//
// It is the system's check box: cbsPushLike adds the push-like button style,
// and changing Style re-creates the window with its state, caption, font and
// place kept. As the form library this replaces did, a change of the state
// by program raises OnClick like a click does, so handlers that enable
// dependent controls run when a page is filled.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/window_control.h"

namespace lumeko {

enum TCheckBoxStyle { cbsNormal, cbsPushLike };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBoxEx final : public TWindowControl {
 public:
  using TNotifyEvent = std::function<void(TCheckBoxEx&)>;

  TCheckBoxEx(HWND parent, int left, int top, int width, int height, const std::string& caption = {});

  std::string Caption() const;
  void SetCaption(const std::string& cp932);
  TCheckBoxState State() const;
  void SetState(TCheckBoxState state);
  bool Checked() const { return State() == cbChecked; }
  void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
  bool AllowGrayed() const noexcept { return allowGrayed_; }
  void SetAllowGrayed(bool allow);
  TCheckBoxStyle Style() const noexcept { return style_; }
  void SetStyle(TCheckBoxStyle style);

  TNotifyEvent OnClick;

 protected:
  bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  DWORD WindowStyle() const;

  TCheckBoxStyle style_ = cbsNormal;
  bool allowGrayed_ = false;
};

}  // namespace lumeko
