// LRC tags (see lrc_tag.h).
#include "lyrics/lrc_tag.h"

#include <limits>

#include "lyrics/lyrics_control.h"
#include "lyrics/text_helpers.h"
#include "platform/cp932.h"

namespace lumeko {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a run of min..max digits at text[i]; false when the run is shorter or
// longer. i moves past the digits.
bool Digits(std::string_view text, size_t& i, int min, int max, int& value, int& count) {
  value = 0;
  count = 0;
  while (i < text.size() && IsDigit(text[i])) {
    if (++count > max) return false;
    value = value * 10 + (text[i++] - '0');
  }
  return count >= min;
}

struct TLrcHeaderName {
  std::string_view Lrc;
  int Tag;
};
constexpr TLrcHeaderName kHeaderNames[] = {{"ti", ltTitle}, {"ar", ltArtist}, {"al", ltAlbum}, {"offset", ltOffset}};

std::string_view TrimBlanks(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

}  // namespace

std::optional<TTimeTagParse> ParseLrcTimeTag(std::string_view text, size_t at, char open, char close) {
  if (at >= text.size() || text[at] != open) return std::nullopt;
  size_t i = at + 1;
  int minutes = 0, seconds = 0, fraction = 0, count = 0;
  if (!Digits(text, i, 2, 3, minutes, count)) return std::nullopt;
  if (i >= text.size() || text[i++] != ':') return std::nullopt;
  if (!Digits(text, i, 2, 2, seconds, count)) return std::nullopt;
  std::int32_t ms = minutes * 60000 + seconds * 1000;
  if (i < text.size() && text[i] == '.') {
    ++i;
    if (!Digits(text, i, 2, 3, fraction, count)) return std::nullopt;
    ms += count == 2 ? fraction * 10 : fraction;
  }
  if (i >= text.size() || text[i] != close) return std::nullopt;
  return TTimeTagParse{ms, i - at + 1};
}

std::optional<TLrcHeader> ParseLrcHeaderLine(std::string_view trimmed) {
  if (trimmed.size() < 3 || trimmed.front() != '[') return std::nullopt;
  const size_t colon = trimmed.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::string_view name = trimmed.substr(1, colon - 1);
  const TLrcHeaderName* known = nullptr;
  for (const TLrcHeaderName& h : kHeaderNames)
    if (SameTextAscii(name, h.Lrc)) known = &h;
  if (!known) return std::nullopt;
  // The closing bracket must be a character of its own, not the second byte
  // of a double-byte one.
  size_t last = colon;
  for (size_t i = colon + 1; i < trimmed.size(); i += CharLength(trimmed, i)) last = i;
  if (last != trimmed.size() - 1 || trimmed.back() != ']') return std::nullopt;

  const std::string_view value = TrimBlanks(trimmed.substr(colon + 1, trimmed.size() - colon - 2));
  TLrcHeader h{kLyricsTagNames[known->Tag], std::string(value)};
  if (known->Tag == ltOffset) {
    if (const std::optional<std::int32_t> v = ParseInt32(value))
      h.Value = std::to_string(*v == std::numeric_limits<std::int32_t>::min()
                                   ? std::numeric_limits<std::int32_t>::max()
                                   : -*v);
  }
  return h;
}

}  // namespace lumeko
