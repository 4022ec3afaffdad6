// A label with tab stops, margins, an ellipsis and edit-control line
// breaking, drawn by the system's text layout (DrawTextEx) so that what it
// measures for automatic sizing is exactly what it draws.
//
// A window of our own class: it paints its colour (or the parent's
// background when transparent), then the caption; a disabled label shows
// the caption embossed. It takes no focus; in a dialog its '&' letter moves
// the focus to the next control, as a static text's does. Derived labels
// draw the caption differently through DrawCaption and may ask for room
// around the text.
#pragma once

#include <windows.h>

#include <string>

#include "ui/window_control.h"

namespace lumeko {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEllipsisText { etNone, etEnd, etPath };

struct TLabelMargins {
  int Left = 0;
  int Right = 0;
  bool operator==(const TLabelMargins&) const = default;
};

constexpr int kMaxTabLength = 256;

class TLabelEx : public TWindowControl {
 public:
  TLabelEx(HWND parent, int left, int top, int width, int height, const std::string& caption = {});

  const std::string& Caption() const noexcept { return caption_; }
  void SetCaption(const std::string& cp932);
  TAlignment Alignment() const noexcept { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const noexcept { return layout_; }
  void SetLayout(TTextLayout layout);
  bool WordWrap() const noexcept { return wordWrap_; }
  void SetWordWrap(bool wrap);
  bool AutoSize() const noexcept { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool Transparent() const noexcept { return transparent_; }
  void SetTransparent(bool transparent);
  std::uint32_t Color() const noexcept { return color_; }
  void SetColor(std::uint32_t color);
  bool ShowAccelChar() const noexcept { return showAccelChar_; }
  void SetShowAccelChar(bool show);
  TEllipsisText Ellipsis() const noexcept { return ellipsis_; }
  void SetEllipsis(TEllipsisText ellipsis);
  bool LikeEditControl() const noexcept { return likeEditControl_; }
  void SetLikeEditControl(bool like);
  const TLabelMargins& Margins() const noexcept { return margins_; }
  void SetMargins(TLabelMargins margins);
  int TabLength() const noexcept { return tabLength_; }
  void SetTabLength(int characters);

 protected:
  // Draws the caption in rect with the text flags and parameters; the font
  // and a transparent background are already set.
  virtual void DrawCaption(HDC dc, RECT rect, UINT flags, DRAWTEXTPARAMS& params, const std::wstring& text);
  // Room the drawing needs around the text: left, top, right, bottom.
  virtual RECT EffectRoom() const { return {0, 0, 0, 0}; }
  // Re-sizes (when sizing automatically) and repaints.
  void Refit();
  // The text box a caption takes in rect, as DrawTextEx lays it out.
  RECT TextBox(HDC dc, const RECT& rect, UINT flags, DRAWTEXTPARAMS& params, const std::wstring& text) const;

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void FontChanged() override;

 private:
  UINT TextFlags() const;
  DRAWTEXTPARAMS Params() const;
  void Paint(HDC dc);

  std::string caption_;
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool wordWrap_ = false;
  bool autoSize_ = true;
  bool transparent_ = false;
  std::uint32_t color_ = kClBtnFace;
  bool showAccelChar_ = true;
  TEllipsisText ellipsis_ = etNone;
  bool likeEditControl_ = false;
  TLabelMargins margins_;
  int tabLength_ = 8;
  bool created_ = false;
};

}  // namespace lumeko
