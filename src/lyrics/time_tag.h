// The time tag of lyrics lines and background names: an opening bracket, up
// to eight characters following "mm:ss:cc" position by position, a closing
// bracket. Anything else is no tag and stays text.
//
// Minutes, seconds and hundredths are each at most two digits, so a tag time
// is at most 6 039 990 ms and never overflows; scaling by the file's ratio is
// where the range has to be watched, and that clamps instead of wrapping.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lumeko {

struct TTimeTagParse {
  std::int32_t Time;  // ms
  size_t Length;      // bytes from the opening to the closing bracket, both included
};

// A tag starting at text[at] (which must be the opening bracket).
std::optional<TTimeTagParse> ParseTimeTag(std::string_view text, size_t at, char open = '[',
                                          char close = ']');

// The file's time ratio as read from its header value: a decimal number with
// '.' as separator and optional surrounding spaces. 1.0 when the text is no
// number or a number that cannot divide a time (zero, infinite, not a number).
double ParseTimeRatio(std::string_view text);

// raw ÷ ratio truncated toward zero, held within the 32-bit range.
std::int32_t ScaleTagTime(std::int32_t raw, double ratio);

// A signed 32-bit decimal number, optional surrounding spaces, nothing else.
std::optional<std::int32_t> ParseInt32(std::string_view text);

}  // namespace lumeko
