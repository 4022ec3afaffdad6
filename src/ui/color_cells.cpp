// Colour cells and keyboard movement (see color_cells.h).
#include "ui/color_cells.h"

#include "ui/ui_paint.h"

namespace lumeko {
namespace {

constexpr TNamedColor kNamed[kNamedColorCount] = {
    {"Black", 0x000000},        {"Brown", 0x003399},        {"Olive Green", 0x003333},  {"Dark Green", 0x003300},
    {"Dark Teal", 0x663300},    {"Dark blue", 0x800000},    {"Indigo", 0x993333},       {"Gray-80%", 0x333333},
    {"Dark Red", 0x000080},     {"Orange", 0x0066FF},       {"Dark Yellow", 0x008080},  {"Green", 0x008000},
    {"Teal", 0x808000},         {"Blue", 0xFF0000},         {"Blue-Gray", 0x996666},    {"Gray-50%", 0x808080},
    {"Red", 0x0000FF},          {"Light Orange", 0x0099FF}, {"Lime", 0x00CC99},         {"Sea Green", 0x669933},
    {"Aqua", 0xCCCC33},         {"Light Blue", 0xFF6633},   {"Violet", 0x800080},       {"Grey-40%", 0x969696},
    {"Pink", 0xFF00FF},         {"Gold", 0x00CCFF},         {"Yellow", 0x00FFFF},       {"Bright Green", 0x00FF00},
    {"Turquoise", 0xFFFF00},    {"Sky Blue", 0xFFCC00},     {"Plum", 0x663399},         {"Gray-25%", 0xC0C0C0},
    {"Rose", 0xCC99FF},         {"Tan", 0x99CCFF},          {"Light Yellow", 0x99FFFF}, {"Light Green", 0xCCFFCC},
    {"Light Turquoise", 0xFFFFCC}, {"Pale Blue", 0xFFCC99}, {"Lavender", 0xFF99CC},     {"White", 0xFFFFFF},
};

constexpr const char* kSystemNames[kSystemColorCount] = {
    "system color: scroll bar",       "system color: background",       "system color: active caption",
    "system color: inactive caption", "system color: menu",             "system color: window",
    "system color: window frame",     "system color: menu text",        "system color: window text",
    "system color: caption text",     "system color: active border",    "system color: inactive border",
    "system color: application workspace", "system color: highlight",  "system color: highlight text",
    "system color: button face",      "system color: button shadow",    "system color: gray text",
    "system color: button text",      "system color: inactive caption text", "system color: button highlight",
    "system color: 3D dark shadow",   "system color: 3D light",         "system color: info text",
    "system color: info background",
};

}  // namespace

const TNamedColor& NamedColor(int index) { return kNamed[index]; }

std::string_view SystemColorName(int number) { return kSystemNames[number]; }

std::uint32_t ItemColor(int item) {
  if (item >= 0 && item < kNamedColorCount) return kNamed[item].Value;
  if (item >= kFirstSystemItem && item < kFirstSystemItem + kSystemColorCount) return SysColorRef(item - kFirstSystemItem);
  return 0;
}

int FindColorItem(std::uint32_t color, bool withSystemColors) {
  color = NormalizeColor(color);
  if (color & kSysColorFlag) {
    const int number = static_cast<int>(color & 0xFF);
    return withSystemColors && number < kSystemColorCount ? kFirstSystemItem + number : kNoItem;
  }
  for (int i = 0; i < kNamedColorCount; ++i)
    if (kNamed[i].Value == color) return i;
  return kNoItem;
}

std::string_view ItemName(int item) {
  if (item >= 0 && item < kNamedColorCount) return kNamed[item].Name;
  if (item >= kFirstSystemItem && item < kFirstSystemItem + kSystemColorCount) return kSystemNames[item - kFirstSystemItem];
  return {};
}

int NextPopupItem(int from, TNavKey key, bool hasDefault, bool hasCustom, bool withSystemColors) {
  const int last = withSystemColors ? kFirstSystemItem + kSystemColorCount - 1 : kNamedColorCount - 1;
  const int above = hasDefault ? kDefaultItem : (hasCustom ? kCustomItem : last);  // leaving the grid upwards
  const int below = hasCustom ? kCustomItem : (hasDefault ? kDefaultItem : 0);     // leaving it downwards
  const bool forward = key == TNavKey::Right || key == TNavKey::Down;
  switch (from) {
    case kDefaultItem:
      return forward ? 0 : (hasCustom ? kCustomItem : last);
    case kCustomItem:
      return forward ? (hasDefault ? kDefaultItem : 0) : last;
    case kNoItem:
      return forward ? 0 : last;
    default:
      break;
  }
  if (from < 0 || from > last) return forward ? 0 : last;
  switch (key) {
    case TNavKey::Left:
      return from == 0 ? above : from - 1;
    case TNavKey::Right:
      return from == last ? below : from + 1;
    case TNavKey::Up:
      return from < kColorColumns ? above : from - kColorColumns;
    case TNavKey::Down:
      // The short last row is reached from any column above it.
      if (from / kColorColumns == last / kColorColumns) return below;
      return from + kColorColumns > last ? last : from + kColorColumns;
  }
  return from;
}

}  // namespace lumeko
