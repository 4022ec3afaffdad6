// The base of every control here: one real window owned by one C++ object.
//
// The object creates its window (a class of this module, or a standard
// control it subclasses) and destroys it when it dies; if the window dies
// first (its parent went), the object lets go of the handle and lives on
// empty. Messages reach the virtual WindowProc; no exception ever leaves it,
// since a window procedure is a C boundary. Notifications a standard control
// sends to its parent are caught on the parent and handed back here, so a
// control works on any parent without the parent's help. Objects are neither
// copied nor moved: the window holds their address.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/unique_handle.h"
#include "ui/hint_tool.h"
#include "ui/ui_font.h"

namespace lumeko {

class TWindowControl {
 public:
  TWindowControl(const TWindowControl&) = delete;
  TWindowControl& operator=(const TWindowControl&) = delete;
  virtual ~TWindowControl();

  HWND Handle() const noexcept { return wnd_.get(); }
  HWND ParentHandle() const noexcept { return parent_; }

  // Position and size in the parent's client coordinates (screen
  // coordinates for a popup); clamped to sane values.
  RECT Bounds() const;
  void SetBounds(int left, int top, int width, int height);
  int Width() const;
  int Height() const;

  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Visible() const;
  void SetVisible(bool visible);
  bool Focused() const;
  void SetFocus();

  // The hint (CP932) the control shows while ShowHint is on.
  const std::string& Hint() const noexcept { return hint_; }
  void SetHint(const std::string& cp932);
  bool ShowHint() const noexcept { return showHint_; }
  void SetShowHint(bool show);

  // The control's font. ParentFont (on at creation) takes the parent's font
  // at creation; setting a font turns it off.
  const TFontChoice& Font() const noexcept { return font_; }
  void SetFont(const TFontChoice& font);
  bool ParentFont() const noexcept { return parentFont_; }
  void SetParentFont(bool follow);

  void Invalidate() const;

 protected:
  explicit TWindowControl(HWND parent);

  // A window of a class of ours (registered here on first use, with
  // classStyle); WindowProc sees it from WM_NCCREATE on.
  void CreateOwn(const wchar_t* className, UINT classStyle, DWORD style, DWORD exStyle, const RECT& bounds,
                 const std::wstring& text);
  // A standard control, subclassed after creation. With reflect, the
  // parent's notifications about it come to Reflected.
  void CreateStandard(const wchar_t* className, DWORD style, DWORD exStyle, const RECT& bounds,
                      const std::wstring& text, bool reflect);
  // Destroys the window and makes a new one with the new style, keeping
  // bounds, text, font, hint, visibility, enabling and place in the tab order.
  void RecreateStandard(DWORD style, DWORD exStyle);

  virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);
  // A parent's message about this control (WM_COMMAND, WM_NOTIFY,
  // WM_CTLCOLOR*, WM_DRAWITEM); true when handled, with its result.
  virtual bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  // The font handle changed (standard controls get WM_SETFONT already).
  virtual void FontChanged() {}
  // Windows besides the control's own that should show its hint.
  virtual std::vector<HWND> HintWindows() const { return {Handle()}; }
  // The window is gone (destroyed with its parent or by us).
  virtual void WindowGone() {}

  HFONT FontHandle() const noexcept { return hfont_.get(); }
  // Expires when the object dies: code that raised an event checks it
  // before touching the object again (a handler may destroy its control).
  std::weak_ptr<char> Life() const noexcept { return life_; }
  // Calls an event handler; an exception from it is contained here so it
  // never unwinds through the system's window code.
  template <typename F>
  static void Raise(F&& f) noexcept {
    try {
      f();
    } catch (...) {
    }
  }

 private:
  static LRESULT CALLBACK OwnProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK StandardProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
  static LRESULT CALLBACK ParentProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp) noexcept;
  void AfterCreate(const RECT& bounds);
  void Detach() noexcept;
  void ApplyFont();
  void ApplyHint();

  std::shared_ptr<char> life_ = std::make_shared<char>();
  HWND parent_;
  std::string hint_;
  bool showHint_ = true;
  TFontChoice font_;
  bool parentFont_ = true;
  UniqueHFONT hfont_;
  std::unique_ptr<THintTool> hintTool_;
  bool standard_ = false;
  bool reflect_ = false;
  UniqueHWND wnd_;
};

}  // namespace lumeko
