// Where everything sits in the colour popup, and what lies under a point.
//
// The layout is computed from the edge width, the inner spacing, the sizes
// of the two item captions and whether system colours and the combs show;
// the popup window only paints and hit-tests what this says. Pure
// arithmetic over RECTs.
#pragma once

#include <windows.h>

namespace lumeko {

constexpr int kPopupCell = 18;
constexpr int kMaxPopupSpacing = 64;

struct TPopupLayoutInput {
  int Edge = 2;
  int Spacing = 8;
  SIZE DefaultText{};  // measured caption, {0,0} when there is no default item
  SIZE CustomText{};   // likewise for the custom item
  bool HasDefault = false;
  bool HasCustom = false;
  bool SystemColors = false;
  bool Combs = false;  // the custom item is selected
};

struct TPopupLayout {
  SIZE Size{};          // the whole popup
  int FoldedHeight = 0; // without the combs
  RECT DefaultItem{};   // empty when absent
  POINT Grid{};         // top left of the named colours
  POINT SystemGrid{};   // top left of the system colours
  RECT CustomItem{};    // empty when absent
  RECT Preview{};       // the colour square at the custom item's right end
  RECT Comb{};          // the colour comb's box (combs shown only)
  RECT Grey{};          // the grey strip's box
  RECT Intensity{};     // the intensity bar
  bool SystemColors = false;
  bool Combs = false;
};

TPopupLayout LayoutPopup(const TPopupLayoutInput& in);

// The rectangle of a grid item (0-64); empty for others.
RECT PopupCellRect(const TPopupLayout& layout, int item);

enum class TPopupZone { None, Item, Comb, Grey, Intensity, CombArea };

struct TPopupHit {
  TPopupZone Zone = TPopupZone::None;
  int Item = -1;  // a grid item or the default / custom item for Zone::Item
};

// What lies at a point of the popup's client area (comb cells are resolved
// by the caller, which holds the comb).
TPopupHit HitTestPopup(const TPopupLayout& layout, POINT p);

}  // namespace lumeko
