// Colour popup layout (see color_popup_layout.h).
#include "ui/color_popup_layout.h"

#include <algorithm>

#include "ui/color_cells.h"
#include "ui/color_comb.h"

namespace lumeko {
namespace {

bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

constexpr int kSystemRows = (kSystemColorCount + kColorColumns - 1) / kColorColumns;  // 4
constexpr int kNamedRows = kNamedColorCount / kColorColumns;                          // 5
constexpr int kBarGap = 10;     // between the comb and the intensity bar
constexpr int kStripGap = 4;    // between the comb and the grey strip

}  // namespace

TPopupLayout LayoutPopup(const TPopupLayoutInput& in) {
  TPopupLayout l;
  const int e = std::max(in.Edge, 0);
  const int s = std::clamp(in.Spacing, 0, kMaxPopupSpacing);
  const int cell = kPopupCell;
  const bool anyItem = in.HasDefault || in.HasCustom;
  LONG textW = 0, textH = 0;
  if (in.HasDefault) textW = std::max(textW, in.DefaultText.cx), textH = std::max(textH, in.DefaultText.cy);
  if (in.HasCustom) textW = std::max(textW, in.CustomText.cx), textH = std::max(textH, in.CustomText.cy);
  const int itemW = static_cast<int>(std::min<LONG>(textW, 4096)) + 2 * e;
  const int itemH = static_cast<int>(std::min<LONG>(textH, 512)) + 4 * e + 2;

  int width = kColorColumns * cell + 2 * e + 2 * s;
  if (anyItem) width = std::max(width, itemW + 2 * (e + s));
  const SIZE comb = TColorComb::CombSize(), grey = TColorComb::GreySize();
  const int combGroup = std::max<int>(comb.cx + kBarGap + kIntensityBarWidth, grey.cx);
  if (in.HasCustom && in.Combs) width = std::max(width, combGroup + 2 * e + 2);

  const int gridLeft = (width - kColorColumns * cell) / 2;
  int y = 2 * e;
  if (in.HasDefault) {
    l.DefaultItem = {e + s, y, width - (e + s), y + itemH};
    y += itemH + 2 * e;
  }
  l.Grid = {gridLeft, y};
  y += kNamedRows * cell;
  if (in.SystemColors) {
    y += 2 * e;
    l.SystemGrid = {gridLeft, y};
    y += kSystemRows * cell;
  }
  y += 2 * e;
  if (in.HasCustom) {
    l.CustomItem = {e + s, y, width - (e + s), y + itemH};
    const int side = std::max(0, std::min(cell, itemH - 2 * (e + 1)));
    const int top = y + (itemH - side) / 2;
    l.Preview = {l.CustomItem.right - (e + 1) - side, top, l.CustomItem.right - (e + 1), top + side};
    y += itemH + 2 * e;
  }
  l.FoldedHeight = y;
  l.SystemColors = in.SystemColors;
  l.Combs = in.HasCustom && in.Combs;
  if (l.Combs) {
    const int left = (width - combGroup) / 2;
    l.Comb = {left, y, left + comb.cx, y + comb.cy};
    l.Intensity = {l.Comb.right + kBarGap, y, l.Comb.right + kBarGap + kIntensityBarWidth, y + comb.cy};
    y += comb.cy + kStripGap;
    l.Grey = {left, y, left + grey.cx, y + grey.cy};
    y += grey.cy + 2 * e;
  }
  l.Size = {width, y};
  return l;
}

RECT PopupCellRect(const TPopupLayout& l, int item) {
  POINT origin;
  int index;
  if (item >= 0 && item < kNamedColorCount) {
    origin = l.Grid;
    index = item;
  } else if (l.SystemColors && item >= kFirstSystemItem && item < kFirstSystemItem + kSystemColorCount) {
    origin = l.SystemGrid;
    index = item - kFirstSystemItem;
  } else {
    return {};
  }
  const int x = origin.x + (index % kColorColumns) * kPopupCell, y = origin.y + (index / kColorColumns) * kPopupCell;
  return {x, y, x + kPopupCell, y + kPopupCell};
}

TPopupHit HitTestPopup(const TPopupLayout& l, POINT p) {
  if (Inside(l.DefaultItem, p)) return {TPopupZone::Item, kDefaultItem};
  if (Inside(l.CustomItem, p)) return {TPopupZone::Item, kCustomItem};
  auto inGrid = [&](POINT origin, int count, int first) {
    if (p.x < origin.x || p.y < origin.y) return kNoItem;
    const int col = (p.x - origin.x) / kPopupCell, row = (p.y - origin.y) / kPopupCell;
    const int index = row * kColorColumns + col;
    return col < kColorColumns && index < count ? first + index : kNoItem;
  };
  if (int item = inGrid(l.Grid, kNamedColorCount, 0); item != kNoItem) return {TPopupZone::Item, item};
  if (l.SystemColors) {
    if (int item = inGrid(l.SystemGrid, kSystemColorCount, kFirstSystemItem); item != kNoItem) return {TPopupZone::Item, item};
  }
  if (l.Combs) {
    if (Inside(l.Intensity, p)) return {TPopupZone::Intensity, kNoItem};
    if (Inside(l.Comb, p)) return {TPopupZone::Comb, kNoItem};
    if (Inside(l.Grey, p)) return {TPopupZone::Grey, kNoItem};
    if (p.y >= l.FoldedHeight && p.x >= 0 && p.x < l.Size.cx && p.y < l.Size.cy) return {TPopupZone::CombArea, kNoItem};
  }
  return {};
}

}  // namespace lumeko
