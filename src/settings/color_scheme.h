// A colour scheme: a named set of the font and colour settings, as the
// property page stores it and the effect applies it.
//
// A scheme is kept as one 92-byte record (a length-prefixed font name of at
// most 64 CP932 bytes, the style, effect and minimum size bytes, then the six
// colours little-endian in the order of TSetupInfo_Color). Decoding takes
// exactly that size and never reads past what it is given; values out of a
// setting's range are fixed as a settings load fixes them. No Windows here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "settings/setup_info.h"

namespace lumeko {

inline constexpr std::size_t kColorSchemeSize = 92;
inline constexpr std::size_t kSchemeFontNameMax = 64;

// The settings a scheme carries, by their value names, in the record's order.
inline constexpr const char* kSchemeSettings[] = {"FontName",         "FontStyle",           "FontEffect",
                                                   "FontMinSize",      "ActiveColor",         "StillNotActiveColor",
                                                   "InactiveColor",    "ActiveEffectColor",   "ActiveBkGndColor",
                                                   "BackgroundColor"};

struct TColorScheme {
  TSetupInfo_Font Font;    // FontName, FontStyle, FontEffect, FontMinSize
  TSetupInfo_Color Color;  // the six colours
  bool operator==(const TColorScheme&) const = default;
};

// The scheme a record holds; nothing for a value of another size or a name
// length beyond 64.
std::optional<TColorScheme> DecodeColorScheme(std::span<const std::uint8_t> record);

// The record of a scheme; a font name longer than 64 bytes is cut before the
// character that would not fit.
std::array<std::uint8_t, kColorSchemeSize> EncodeColorScheme(const TColorScheme& scheme);

// The font and colours the settings hold now.
TColorScheme ColorSchemeOf(const TSetupInfo& setup);

}  // namespace lumeko
