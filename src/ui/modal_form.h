// A dialog window of ours, built in code and shown modally on its owner.
//
// The window is a real dialog (the system's dialog class from an empty
// template), so the dialog manager gives its controls Tab, Enter, Escape and
// the Alt+letters of captions and labels. Showing it modally disables the
// owner, runs the thread's messages through IsDialogMessage until the form is
// closed, and enables the owner again before the window goes, so the
// activation returns to it. A WM_QUIT met on the way is posted again for the
// outer loop. No exception leaves the dialog procedure.
#pragma once

#include <windows.h>

#include <string>

#include "platform/unique_handle.h"

namespace lumeko {

class TModalForm {
 public:
  TModalForm(const TModalForm&) = delete;
  TModalForm& operator=(const TModalForm&) = delete;
  virtual ~TModalForm();

  HWND Handle() const noexcept { return wnd_.get(); }
  HWND Owner() const noexcept { return owner_; }
  HFONT FontHandle() const noexcept { return font_.get(); }

  // Shows the form, runs it until it closes and answers how (IDOK, IDCANCEL).
  int ShowModal();
  // Closes with that result: ends a modal run, or hides a form shown without one.
  void Close(int result);
  int ModalResult() const noexcept { return result_; }
  bool Closed() const noexcept { return closed_; }

  // Places the form's client area of that size centred on the owner's window
  // (on the work area when there is no owner).
  void SizeAndCentre(int clientWidth, int clientHeight);

 protected:
  // A dialog with the caption (CP932); the font is the form's: the face
  // (CP932) at that pixel height with the Shift_JIS character set, found
  // through the system's font mapping when the face is absent.
  TModalForm(HWND owner, const std::string& caption, const std::string& face, int fontHeight);

  // A message of the dialog; true when handled, with its result in result.
  virtual bool Message(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  // The control that has the focus when the form is shown (else the first
  // one in the tab order).
  void SetInitialFocus(HWND control) noexcept { initialFocus_ = control; }
  // Asked when the form is about to close with result (a button, Escape or
  // the close box); false keeps it open.
  virtual bool CanClose(int result) { return true; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

  HWND owner_;
  HWND initialFocus_ = nullptr;
  UniqueHFONT font_;
  UniqueHWND wnd_;
  int result_ = 0;
  bool closed_ = false;
  bool modal_ = false;
};

// Creates a standard child control of a dialog with the dialog's font; id
// is its command identifier. Throws std::system_error when it cannot.
HWND CreateChild(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style, int id, int x, int y,
                 int width, int height, DWORD exStyle = 0);

}  // namespace lumeko
