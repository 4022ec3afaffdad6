// Hints through the system's tooltip control.
//
// One tooltip window per owner: either it watches the owner's windows and
// shows their hint by itself after the usual pause (the controls' Hint), or
// the owner places it and takes it away (the colour popup, whose hint follows
// the cell under the mouse). The tooltip window is created on first use and
// destroyed with this object; it never outlives its owner.
#pragma once

#include <windows.h>

#include <string>

#include "platform/unique_handle.h"

namespace lumeko {

// How long a hint waits before it shows and how long it stays.
constexpr int kHintPauseMs = 200;
constexpr int kHintHidePauseMs = 10000;

class THintTool {
 public:
  explicit THintTool(HWND owner) noexcept : owner_(owner) {}
  THintTool(const THintTool&) = delete;
  THintTool& operator=(const THintTool&) = delete;

  // Shows text (which may hold line breaks) while the mouse rests on tool;
  // an empty text removes the tool.
  void SetText(HWND tool, const std::wstring& text);
  // Shows text at a screen point now, until Untrack.
  void Track(const std::wstring& text, POINT screen);
  void Untrack();
  bool Tracking() const noexcept { return tracking_; }

  HWND Handle() const noexcept { return tip_.get(); }

 private:
  bool Ensure();

  HWND owner_;
  UniqueHWND tip_;
  bool tracking_ = false;
  bool trackAdded_ = false;
};

}  // namespace lumeko
