// Painting of the colour popup (see color_popup.h): one buffered pass over
// the layout. Brushes and pens are the DC's own (DC_BRUSH, DC_PEN), so a
// paint makes no GDI object but its buffer.
#include <windowsx.h>

#include "platform/unique_handle.h"
#include "ui/color_cells.h"
#include "ui/color_popup.h"
#include "ui/ui_paint.h"

namespace lumeko {
namespace {

void Frame(HDC dc, const RECT& r, COLORREF color) {
  ::SetDCBrushColor(dc, color);
  ::FrameRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
}

void Outline(HDC dc, const std::array<POINT, 6>& shape, POINT origin, COLORREF color) {
  POINT pts[6];
  for (int i = 0; i < 6; ++i) pts[i] = {shape[i].x + origin.x, shape[i].y + origin.y};
  SelectGuard brush(dc, ::GetStockObject(NULL_BRUSH));
  ::SetDCPenColor(dc, color);
  ::Polygon(dc, pts, 6);
}

void Cell(HDC dc, const std::array<POINT, 6>& shape, POINT origin, COLORREF fill, COLORREF line) {
  POINT pts[6];
  for (int i = 0; i < 6; ++i) pts[i] = {shape[i].x + origin.x, shape[i].y + origin.y};
  ::SetDCBrushColor(dc, fill);
  ::SetDCPenColor(dc, line);
  ::Polygon(dc, pts, 6);
}

}  // namespace

void TColorPopup::PaintItem(HDC dc, const RECT& r, const std::wstring& text, int item) {
  RECT textRect = r;
  if (item == kCustomItem) textRect.right = layout_.Preview.left;
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  RECT edge = r;
  if (hover_ == item)
    ::DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
  else if (selected_ == item)
    ::DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
  if (item == kCustomItem && layout_.Preview.right > layout_.Preview.left) {
    const std::uint32_t shown = chosenZone_ != TPopupZone::None ? chosenColor_ : selection_;
    FillSolidRect(dc, layout_.Preview, ToRgb(shown));
    Frame(dc, layout_.Preview, ::GetSysColor(COLOR_BTNSHADOW));
  }
}

void TColorPopup::PaintCombs(HDC dc) {
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  const POINT comb{layout_.Comb.left, layout_.Comb.top}, grey{layout_.Grey.left, layout_.Grey.top};
  for (const TCombCell& c : comb_.Cells()) Cell(dc, c.Shape, comb, c.Color, face);
  for (const TCombCell& c : comb_.Greys()) Cell(dc, c.Shape, grey, c.Color, face);
  if (chosenZone_ != TPopupZone::None) {
    const bool inComb = chosenZone_ == TPopupZone::Comb;
    const TCombCell& c = (inComb ? comb_.Cells() : comb_.Greys())[chosenCell_];
    const int level = (c.Color & 0xFF) + ((c.Color >> 8) & 0xFF) + ((c.Color >> 16) & 0xFF);
    Outline(dc, c.Shape, inComb ? comb : grey, level > 384 ? RGB(0, 0, 0) : RGB(255, 255, 255));
  }
  // The intensity bar: white at the top to black at the bottom, and a
  // marker at the current intensity in the gap to its left.
  const RECT& bar = layout_.Intensity;
  const int span = bar.bottom - 1 - bar.top;
  for (int y = bar.top; y < bar.bottom; ++y) {
    const int v = span > 0 ? 255 - (255 * (y - bar.top) + span / 2) / span : 255;
    FillSolidRect(dc, RECT{bar.left, y, bar.right, y + 1}, RGB(v, v, v));
  }
  Frame(dc, RECT{bar.left - 1, bar.top - 1, bar.right + 1, bar.bottom + 1}, ::GetSysColor(COLOR_BTNSHADOW));
  const int my = bar.top + static_cast<int>((1.0 - comb_.Intensity()) * span + 0.5);
  POINT marker[3] = {{bar.left - 7, my - 4}, {bar.left - 7, my + 4}, {bar.left - 3, my}};
  ::SetDCBrushColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  ::SetDCPenColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  ::Polygon(dc, marker, 3);
}

void TColorPopup::Paint(HDC target) {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  TBufferedDC buffer(target, client);
  HDC dc = buffer.Handle();
  SavedDCState state(dc);
  FillSolidRect(dc, client, ::GetSysColor(COLOR_BTNFACE));
  RECT edge = client;
  ::DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
  ::SelectObject(dc, FontHandle());
  ::SelectObject(dc, ::GetStockObject(DC_BRUSH));
  ::SelectObject(dc, ::GetStockObject(DC_PEN));
  ::SetBkMode(dc, TRANSPARENT);

  if (!defaultText_.empty()) PaintItem(dc, layout_.DefaultItem, defaultText_, kDefaultItem);
  const int total = layout_.SystemColors ? kFirstSystemItem + kSystemColorCount : kNamedColorCount;
  if (layout_.SystemColors) {
    const int e = ::GetSystemMetrics(SM_CXEDGE);
    RECT line{layout_.Grid.x, layout_.SystemGrid.y - e - 1, layout_.Grid.x + kColorColumns * kPopupCell,
              layout_.SystemGrid.y - e + 1};
    ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
  }
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  for (int item = 0; item < total; ++item) {
    RECT r = PopupCellRect(layout_, item);
    RECT swatch{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
    FillSolidRect(dc, swatch, ToRgb(ItemColor(item)));
    Frame(dc, swatch, shadow);
    if (hover_ == item)
      ::DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    else if (selected_ == item)
      ::DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  }
  if (!customText_.empty()) PaintItem(dc, layout_.CustomItem, customText_, kCustomItem);
  if (layout_.Combs) PaintCombs(dc);
}

}  // namespace lumeko
