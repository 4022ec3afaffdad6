// The colour picker button: a tool button showing the chosen colour, with a
// narrow drop-down part that opens the colour popup.
//
// The main part behaves like a tool button (click, group toggling, caption,
// picture); the drop-down part, the Enter key or DroppedDown open the popup,
// which hands back what the user chose. SelectionColor changes only through
// the setter and raises OnChanged only when the value differs. The popup is
// created on first opening, owned by the button's top-level window, closed
// whenever the button loses the focus, is disabled or hidden, and destroyed
// with the button.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ui/button_glyph.h"
#include "ui/color_popup.h"
#include "ui/window_control.h"

namespace lumeko {

enum TIndicatorBorder { ibNone, ibFlat, ibSunken, ibRaised };
enum TMouseButton { mbLeft, mbRight, mbMiddle };

class TColorPickerButton final : public TWindowControl, private TColorPopupHost {
 public:
  using TNotifyEvent = std::function<void(TColorPickerButton&)>;
  using THintEvent = std::function<void(TColorPickerButton&, int cell, std::string& hint)>;
  using TDropChangingEvent = std::function<void(TColorPickerButton&, bool& allowed)>;
  using TMouseEvent = std::function<void(TColorPickerButton&, TMouseButton, UINT keys, int x, int y)>;
  using TMouseMoveEvent = std::function<void(TColorPickerButton&, UINT keys, int x, int y)>;

  TColorPickerButton(HWND parent, int left, int top, int width = 45, int height = 22);
  ~TColorPickerButton() override;

  std::uint32_t SelectionColor() const noexcept { return selection_; }
  void SetSelectionColor(std::uint32_t color);

  bool DroppedDown() const noexcept { return dropped_; }
  void SetDroppedDown(bool dropped) { ChangeDrop(dropped, false); }

  const std::string& Caption() const noexcept { return caption_; }
  void SetCaption(const std::string& cp932);
  const std::string& DefaultText() const noexcept { return defaultText_; }
  void SetDefaultText(const std::string& cp932) { defaultText_ = cp932; }
  const std::string& CustomText() const noexcept { return customText_; }
  void SetCustomText(const std::string& cp932) { customText_ = cp932; }
  bool ShowSystemColors() const noexcept { return showSystemColors_; }
  void SetShowSystemColors(bool show) { showSystemColors_ = show; }
  int PopupSpacing() const noexcept { return popupSpacing_; }
  void SetPopupSpacing(int spacing);

  bool Down() const noexcept { return down_; }
  void SetDown(bool down);
  bool AllowAllUp() const noexcept { return allowAllUp_; }
  void SetAllowAllUp(bool allow) { allowAllUp_ = allow; }
  int GroupIndex() const noexcept { return groupIndex_; }
  void SetGroupIndex(int index);

  std::uint32_t DropDownArrowColor() const noexcept { return arrowColor_; }
  void SetDropDownArrowColor(std::uint32_t color);
  int DropDownWidth() const noexcept { return dropDownWidth_; }
  void SetDropDownWidth(int width);
  bool Flat() const noexcept { return flat_; }
  void SetFlat(bool flat);
  // The picture strip (copied); null removes it.
  void SetGlyph(HBITMAP strip);
  int NumGlyphs() const noexcept { return glyph_.Count(); }
  void SetNumGlyphs(int count);
  TIndicatorBorder IndicatorBorder() const noexcept { return indicatorBorder_; }
  void SetIndicatorBorder(TIndicatorBorder border);
  TButtonLayout Layout() const noexcept { return layout_; }
  void SetLayout(TButtonLayout layout);
  int Margin() const noexcept { return margin_; }
  void SetMargin(int margin);
  int Spacing() const noexcept { return spacing_; }
  void SetSpacing(int spacing);
  bool Transparent() const noexcept { return transparent_; }
  void SetTransparent(bool transparent);
  std::uint32_t Color() const noexcept { return color_; }
  void SetColor(std::uint32_t color);
  bool TabStop() const;
  void SetTabStop(bool stop);

  // The popup, once it has been opened (null before).
  TColorPopup* Popup() const noexcept { return popup_.get(); }

  TNotifyEvent OnChanged, OnClick, OnDblClick, OnDefaultSelect, OnDropChanged;
  TDropChangingEvent OnDropChanging;
  THintEvent OnHint;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void WindowGone() override;

 private:
  void PopupAccepted(int item, bool hasColor, std::uint32_t color) override;
  void PopupCancelled(bool forced) override;
  std::string PopupHint(int cell) override;

  // Opens or closes; a forced change skips OnDropChanging (losing the focus
  // or the capture must close the popup whatever a handler says).
  void ChangeDrop(bool dropped, bool forced);
  void Click();
  void Paint(HDC dc);
  RECT DropPart() const;
  void MouseDown(TMouseButton button, WPARAM keys, POINT p, bool doubleClick);
  void MouseUp(TMouseButton button, WPARAM keys, POINT p);
  static bool Alive(const std::weak_ptr<char>& life) { return !life.expired(); }

  std::uint32_t selection_ = 0;
  bool dropped_ = false;
  std::string caption_, defaultText_, customText_;
  bool showSystemColors_ = false;
  int popupSpacing_ = 8;
  bool down_ = false, allowAllUp_ = false;
  int groupIndex_ = 0;
  std::uint32_t arrowColor_ = 0;
  int dropDownWidth_ = 15;
  bool flat_ = false;
  TButtonGlyph glyph_;
  TIndicatorBorder indicatorBorder_ = ibFlat;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1, spacing_ = 4;
  bool transparent_ = true;
  std::uint32_t color_;
  bool hot_ = false, pressed_ = false, pressedInside_ = false, spacePressed_ = false, swallowSysChar_ = false;
  std::unique_ptr<TColorPopup> popup_;
};

}  // namespace lumeko
