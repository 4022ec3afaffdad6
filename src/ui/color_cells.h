// The colour popup's cells as data: the 40 named colours, the 25 system
// colours, the item numbers and how the arrow keys move between items.
//
// Items: 0-39 the named colours (8 a row), 40-64 the system colours, and
// three special numbers. Pure data and arithmetic: no window here, so the
// navigation rules are read and tested on their own.
#pragma once

#include <cstdint>
#include <string_view>

namespace lumeko {

constexpr int kNoItem = -1;
constexpr int kCustomItem = -2;
constexpr int kDefaultItem = -3;

constexpr int kColorColumns = 8;
constexpr int kNamedColorCount = 40;
constexpr int kSystemColorCount = 25;
constexpr int kFirstSystemItem = kNamedColorCount;

struct TNamedColor {
  const char* Name;
  std::uint32_t Value;  // 0x00BBGGRR
};

const TNamedColor& NamedColor(int index);  // 0-39
std::string_view SystemColorName(int number);  // 0-24, "system color: ..."

// The colour an item stands for (a system item gives the system reference).
std::uint32_t ItemColor(int item);
// The first item showing the colour, kNoItem when none does.
int FindColorItem(std::uint32_t color, bool withSystemColors);
// The hint text of a grid cell (its name).
std::string_view ItemName(int item);

enum class TNavKey { Left, Right, Up, Down };

// Where the highlight goes from `from` (an item or kNoItem) on a key.
int NextPopupItem(int from, TNavKey key, bool hasDefault, bool hasCustom, bool withSystemColors);

}  // namespace lumeko
