// The extended label (see label_ex.h).
#include "ui/label_ex.h"

#include <algorithm>

#include "platform/wide.h"

namespace lumeko {
namespace {
constexpr wchar_t kClassName[] = L"LumekoLabel";
}  // namespace

TLabelEx::TLabelEx(HWND parent, int left, int top, int width, int height, const std::string& caption)
    : TWindowControl(parent), caption_(caption) {
  const RECT bounds{ClampCoordinate(left), ClampCoordinate(top), ClampCoordinate(left) + ClampExtent(width),
                    ClampCoordinate(top) + ClampExtent(height)};
  CreateOwn(kClassName, 0, WS_CHILD | WS_VISIBLE, 0, bounds, ToWide(caption));
  created_ = true;
  Refit();
}

UINT TLabelEx::TextFlags() const {
  UINT flags = DT_EXPANDTABS | DT_TABSTOP;
  if (alignment_ == taRightJustify) flags |= DT_RIGHT;
  if (alignment_ == taCenter) flags |= DT_CENTER;
  if (wordWrap_) flags |= DT_WORDBREAK;
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  if (ellipsis_ == etEnd) flags |= DT_END_ELLIPSIS;
  if (ellipsis_ == etPath) flags |= DT_PATH_ELLIPSIS;
  if (likeEditControl_) flags |= DT_EDITCONTROL;
  return flags;
}

DRAWTEXTPARAMS TLabelEx::Params() const {
  DRAWTEXTPARAMS p{};
  p.cbSize = sizeof(p);
  p.iTabLength = tabLength_;
  p.iLeftMargin = margins_.Left;
  p.iRightMargin = margins_.Right;
  return p;
}

RECT TLabelEx::TextBox(HDC dc, const RECT& rect, UINT flags, DRAWTEXTPARAMS& params, const std::wstring& text) const {
  std::wstring buffer = text.empty() ? std::wstring(L" ") : text;
  RECT calc{0, 0, rect.right - rect.left, 0};
  ::DrawTextExW(dc, buffer.data(), static_cast<int>(buffer.size()), &calc,
                (flags | DT_CALCRECT) & ~static_cast<UINT>(DT_END_ELLIPSIS | DT_PATH_ELLIPSIS), &params);
  const int w = std::min<int>(calc.right - calc.left, rect.right - rect.left), h = calc.bottom - calc.top;
  int x = rect.left;
  if (flags & DT_RIGHT) x = rect.right - w;
  if (flags & DT_CENTER) x = (rect.left + rect.right - w) / 2;
  return {x, rect.top, x + w, rect.top + h};
}

void TLabelEx::DrawCaption(HDC dc, RECT rect, UINT flags, DRAWTEXTPARAMS& params, const std::wstring& text) {
  std::wstring buffer = text;
  ::SetTextColor(dc, ToRgb(Font().Color));
  ::DrawTextExW(dc, buffer.data(), static_cast<int>(buffer.size()), &rect, flags, &params);
}

void TLabelEx::Paint(HDC target) {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  TBufferedDC buffer(target, client);
  HDC dc = buffer.Handle();
  SavedDCState state(dc);
  if (transparent_)
    PaintParentBackground(Handle(), dc);
  else
    FillSolidRect(dc, client, ToRgb(color_));
  ::SelectObject(dc, FontHandle());
  ::SetBkMode(dc, TRANSPARENT);

  const RECT room = EffectRoom();
  RECT rect{client.left + room.left, client.top + room.top, client.right - room.right, client.bottom - room.bottom};
  const UINT flags = TextFlags();
  DRAWTEXTPARAMS params = Params();
  const std::wstring text = ToWide(caption_);
  if (layout_ != tlTop) {
    const int h = TextBox(dc, rect, flags, params, text).bottom - rect.top;
    const int free = (rect.bottom - rect.top) - h;
    rect.top += layout_ == tlCenter ? free / 2 : free;
  }
  if (::IsWindowEnabled(Handle())) {
    DrawCaption(dc, rect, flags, params, text);
    return;
  }
  std::wstring copy = text;
  RECT lower = rect;
  ::OffsetRect(&lower, 1, 1);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
  ::DrawTextExW(dc, copy.data(), static_cast<int>(copy.size()), &lower, flags, &params);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
  ::DrawTextExW(dc, copy.data(), static_cast<int>(copy.size()), &rect, flags, &params);
}

void TLabelEx::Refit() {
  if (!Handle() || !created_) return;
  if (autoSize_) {
    WindowDC wdc(Handle());
    if (wdc) {
      SelectGuard font(wdc.get(), FontHandle());
      const RECT room = EffectRoom();
      const RECT bounds = Bounds();
      DRAWTEXTPARAMS params = Params();
      std::wstring text = ToWide(caption_);
      if (text.empty()) text = L" ";
      const int wrapWidth = std::max<int>(1, bounds.right - bounds.left - room.left - room.right);
      RECT calc{0, 0, wordWrap_ ? wrapWidth : 0, 0};
      ::DrawTextExW(wdc.get(), text.data(), static_cast<int>(text.size()), &calc,
                    (TextFlags() | DT_CALCRECT) & ~static_cast<UINT>(DT_END_ELLIPSIS | DT_PATH_ELLIPSIS), &params);
      int width = calc.right - calc.left + room.left + room.right;
      if (wordWrap_) width = bounds.right - bounds.left;
      const int height = calc.bottom - calc.top + room.top + room.bottom;
      const int left = alignment_ == taRightJustify ? bounds.right - width : bounds.left;
      SetBounds(left, bounds.top, width, height);
    }
  }
  Invalidate();
}

LRESULT TLabelEx::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = ::BeginPaint(Handle(), &ps)) Paint(dc);
      ::EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_ENABLE:
      Invalidate();
      break;
    case WM_SETTEXT: {
      const LRESULT result = Default(msg, wp, lp);
      caption_ = FromWide(reinterpret_cast<const wchar_t*>(lp));
      Refit();
      return result;
    }
    case WM_SIZE:
      Invalidate();
      break;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

void TLabelEx::FontChanged() { Refit(); }

void TLabelEx::SetCaption(const std::string& cp932) {
  if (Handle())
    ::SetWindowTextW(Handle(), ToWide(cp932).c_str());  // WM_SETTEXT takes it from there
  else
    caption_ = cp932;
}

void TLabelEx::SetAlignment(TAlignment alignment) {
  alignment_ = std::clamp(alignment, taLeftJustify, taCenter);
  Invalidate();
}

void TLabelEx::SetLayout(TTextLayout layout) {
  layout_ = std::clamp(layout, tlTop, tlBottom);
  Invalidate();
}

void TLabelEx::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  Refit();
}

void TLabelEx::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  Refit();
}

void TLabelEx::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

void TLabelEx::SetColor(std::uint32_t color) {
  color_ = NormalizeColor(color);
  Invalidate();
}

void TLabelEx::SetShowAccelChar(bool show) {
  showAccelChar_ = show;
  Refit();
}

void TLabelEx::SetEllipsis(TEllipsisText ellipsis) {
  ellipsis_ = std::clamp(ellipsis, etNone, etPath);
  Invalidate();
}

void TLabelEx::SetLikeEditControl(bool like) {
  likeEditControl_ = like;
  Refit();
}

void TLabelEx::SetMargins(TLabelMargins margins) {
  margins.Left = std::clamp(margins.Left, 0, kMaxExtent);
  margins.Right = std::clamp(margins.Right, 0, kMaxExtent);
  if (margins == margins_) return;
  margins_ = margins;
  Refit();
}

void TLabelEx::SetTabLength(int characters) {
  characters = std::clamp(characters, 1, kMaxTabLength);
  if (characters == tabLength_) return;
  tabLength_ = characters;
  Refit();
}

}  // namespace lumeko
