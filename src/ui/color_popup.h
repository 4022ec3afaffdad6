// The colour picker's drop-down: a borderless topmost window with the
// default item, the colour grid, the optional system colours, the custom
// item and, while that item is selected, the combs.
//
// It never takes activation or focus: the button keeps the focus and hands
// it the keys; while open it holds the mouse capture, so every click lands
// here and a click outside closes it. It is owned by the button's top-level
// window, hidden when closed and destroyed with the button; it reports what
// the user chose to its host and never changes the host itself.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "ui/color_comb.h"
#include "ui/color_popup_layout.h"
#include "ui/hint_tool.h"
#include "ui/window_control.h"

namespace lumeko {

struct TColorPopupOptions {
  std::string DefaultText;  // CP932; empty: no default item
  std::string CustomText;   // CP932; empty: no custom item
  bool ShowSystemColors = false;
  int Spacing = 8;
  bool ShowHints = true;
};

class TColorPopupHost {
 public:
  // A grid cell, the default item or the custom item was chosen; hasColor
  // tells whether color carries the choice (not for the default item, nor
  // for the custom item without a chosen comb cell).
  virtual void PopupAccepted(int item, bool hasColor, std::uint32_t color) = 0;
  // Escape or a click outside (forced false), or the capture was taken away
  // (forced true).
  virtual void PopupCancelled(bool forced) = 0;
  // The hint of the default item (-3), the custom item (-2) or the comb area (-1).
  virtual std::string PopupHint(int cell) = 0;

 protected:
  ~TColorPopupHost() = default;
};

class TColorPopup final : public TWindowControl {
 public:
  TColorPopup(HWND owner, TColorPopupHost& host);
  ~TColorPopup() override;

  // Shows the popup under anchor (screen coordinates) with selection marked.
  void Open(const RECT& anchor, const TColorPopupOptions& options, std::uint32_t selection);
  void Close();
  bool IsOpen() const noexcept { return open_; }
  void SetSelection(std::uint32_t color);

  // Keys the button passes on while the popup is open.
  void Key(UINT vk);
  // Alt with a key; true when it was one of the items' accelerators.
  bool AltKey(UINT vk);

  int HoverItem() const noexcept { return hover_; }
  int SelectedItem() const noexcept { return selected_; }
  bool CombsShown() const noexcept { return layout_.Combs; }
  double Intensity() const noexcept { return comb_.Intensity(); }
  bool HasChosenColor() const noexcept { return chosenZone_ != TPopupZone::None; }
  std::uint32_t ChosenColor() const noexcept { return chosenColor_; }
  const TPopupLayout& Layout() const noexcept { return layout_; }
  const TColorComb& Comb() const noexcept { return comb_; }
  // The hint on show now (empty when none) and its window.
  const std::wstring& HintText() const noexcept { return hintText_; }
  HWND HintHandle() const noexcept { return hint_ ? hint_->Handle() : nullptr; }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Relayout();
  void Place();
  void Paint(HDC dc);
  void PaintItem(HDC dc, const RECT& r, const std::wstring& text, int item);
  void PaintCombs(HDC dc);
  void MouseMove(POINT p, WPARAM keys);
  void ButtonDown(POINT p);
  void ButtonUp(POINT p);
  bool ChooseCombCell(POINT p);
  void SetIntensityAt(int y);
  void SelectCustom();
  void SetHover(int item);
  void ShowHintAt(POINT p);
  void Accept(int item);
  void Cancel(bool forced);

  TColorPopupHost& host_;
  TColorPopupOptions options_;
  std::wstring defaultText_, customText_;
  std::uint32_t selection_ = 0;
  TPopupLayout layout_;
  TColorComb comb_;
  RECT anchor_{};
  int hover_ = -1;
  int selected_ = -1;
  TPopupZone chosenZone_ = TPopupZone::None;
  int chosenCell_ = -1;
  std::uint32_t chosenColor_ = 0;
  bool open_ = false;
  bool closing_ = false;
  bool draggingIntensity_ = false;
  bool pressedInComb_ = false;
  std::unique_ptr<THintTool> hint_;
  std::wstring hintText_;
};

}  // namespace lumeko
