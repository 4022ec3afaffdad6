// The tags of the widespread LRC form, read beside the native ones when the
// user asks for it: "[mm:ss.xx]" line tags, "<mm:ss.xx>" word tags and the
// "[ti:…]", "[ar:…]", "[al:…]", "[offset:±ms]" header lines.
//
// Each form maps onto what the native format already has (a time tag, a
// header tag), so the document's timeline rules apply to both unchanged. A
// shape not listed here is no tag and stays text; nothing here allocates
// beyond the header value it returns.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lyrics/time_tag.h"

namespace lumeko {

// A time "mm:ss", "mm:ss.xx" or "mm:ss.xxx" between open and close at
// text[at]. Minutes are two or three digits, seconds two (not bounded, as in
// the native tag); two fraction digits are hundredths, three milliseconds.
std::optional<TTimeTagParse> ParseLrcTimeTag(std::string_view text, size_t at, char open, char close);

// A header line of the LRC form as the native header it stands for.
struct TLrcHeader {
  const char* Name;   // "@TITLE", "@AIRTIST", "@ALBUM" or "@OFFSET"
  std::string Value;  // for @OFFSET the native sign (see below)
};

// A whole trimmed line "[name:value]" with one of the four names (any letter
// case); nothing for any other line. An LRC offset makes the lyrics come that
// much earlier, the native one later, so a number is stored negated; a value
// that is no number is kept as written and reads as no offset.
std::optional<TLrcHeader> ParseLrcHeaderLine(std::string_view trimmed);

}  // namespace lumeko
