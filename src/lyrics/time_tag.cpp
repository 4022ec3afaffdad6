// Time tags and the numbers of header values.
#include "lyrics/time_tag.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace lumeko {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimSpaces(std::string_view t) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  return t;
}

}  // namespace

std::optional<TTimeTagParse> ParseTimeTag(std::string_view text, size_t at, char open, char close) {
  if (at >= text.size() || text[at] != open) return std::nullopt;
  static constexpr char kTemplate[] = "00:00:00";  // '0' marks a digit place
  int fields[3] = {0, 0, 0};
  size_t i = at + 1;
  for (int pos = 0;; ++pos, ++i) {
    if (i >= text.size()) return std::nullopt;
    const char c = text[i];
    if (c == close) break;
    if (pos == 8) return std::nullopt;
    if (kTemplate[pos] == ':') {
      if (c != ':') return std::nullopt;
    } else {
      if (!IsDigit(c)) return std::nullopt;
      int& f = fields[pos / 3];
      f = f * 10 + (c - '0');
    }
  }
  const std::int32_t ms = fields[0] * 60000 + fields[1] * 1000 + fields[2] * 10;
  return TTimeTagParse{ms, i - at + 1};
}

double ParseTimeRatio(std::string_view text) {
  text = TrimSpaces(text);
  if (text.empty()) return 1.0;
  // from_chars takes no leading '+'; the header value may carry one.
  std::string_view body = text;
  if (body.front() == '+') body.remove_prefix(1);
  if (body.empty() || (body.front() == '-' && text.front() == '+')) return 1.0;
  double v = 0;
  const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), v,
                                         std::chars_format::general);
  if (ec != std::errc() || end != body.data() + body.size()) return 1.0;
  // Spellings of infinity and not-a-number are no decimal numbers either.
  for (char c : body)
    if ((c >= 'a' && c <= 'z' && c != 'e') || (c >= 'A' && c <= 'Z' && c != 'E')) return 1.0;
  if (!std::isfinite(v) || v == 0.0) return 1.0;
  return v;
}

std::int32_t ScaleTagTime(std::int32_t raw, double ratio) {
  if (ratio == 1.0) return raw;
  const double scaled = std::trunc(static_cast<double>(raw) / ratio);
  if (std::isnan(scaled)) return raw;
  if (scaled >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  if (scaled <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(scaled);
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
  text = TrimSpaces(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  std::int32_t v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, 10);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return v;
}

}  // namespace lumeko
