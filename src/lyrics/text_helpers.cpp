// Boolean words, delimited lists and character search over CP932 text.
#include "lyrics/text_helpers.h"

#include "platform/cp932.h"

namespace lumeko {

namespace {

constexpr bool IsBlankOrControl(unsigned char b) { return b >= 1 && b <= 32; }

char UpperByte(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (size_t i = 0; i < out.size();) {
    const size_t n = CharLength(out, i);
    if (n == 1) out[i] = UpperByte(out[i]);
    i += n;
  }
  return out;
}

int CompareTextAscii(std::string_view a, std::string_view b) {
  // Folding is byte-wise except that a trail byte keeps its value; walking both
  // texts in step is enough because equal prefixes have equal character bounds.
  size_t i = 0;
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  bool trail = false;
  for (; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (!trail) {
      x = static_cast<unsigned char>(UpperByte(static_cast<char>(x)));
      y = static_cast<unsigned char>(UpperByte(static_cast<char>(y)));
    }
    if (x != y) return x < y ? -1 : 1;
    trail = !trail && IsLeadByte(a[i]);
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareTextAscii(a, b) == 0;
}

std::optional<bool> ParseBoolWord(std::string_view text) {
  if (text.size() > 7) return std::nullopt;
  const std::string word = UpperAscii(text);
  for (const char* w : {"ENABLE", "TRUE", "YES", "ON", "1"})
    if (word == w) return true;
  for (const char* w : {"DISABLE", "FALSE", "NO", "OFF", "0"})
    if (word == w) return false;
  return std::nullopt;
}

std::vector<std::string> SplitDelimited(std::string_view text, std::string_view separators) {
  std::vector<std::string> items;
  const size_t n = text.size();
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < n && IsBlankOrControl(static_cast<unsigned char>(text[i]))) ++i;
  };
  auto isSeparator = [&](char c) { return separators.find(c) != std::string_view::npos; };

  bool separatorRead = false;
  skipBlanks();
  for (;;) {
    if (i >= n) {
      if (separatorRead) items.emplace_back();
      break;
    }
    std::string item;
    if (text[i] == '"') {
      ++i;
      while (i < n) {
        if (text[i] == '"') {
          if (i + 1 < n && text[i + 1] == '"') {
            item += '"';
            i += 2;
            continue;
          }
          ++i;  // the closing quote
          break;
        }
        const size_t len = CharLength(text, i);
        item.append(text.substr(i, len));
        i += len;
      }
    } else {
      const size_t start = i;
      while (i < n && !isSeparator(text[i])) i += CharLength(text, i);
      size_t end = i;
      while (end > start && text[end - 1] == ' ') --end;
      item.assign(text.substr(start, end - start));
    }
    items.push_back(std::move(item));
    skipBlanks();
    if (i >= n) break;
    separatorRead = false;
    if (isSeparator(text[i])) {
      ++i;
      skipBlanks();
      separatorRead = true;
    }
  }
  return items;
}

size_t FindFirstOf(std::string_view chars, std::string_view text) {
  for (size_t i = 0; i < text.size(); i += CharLength(text, i))
    if (chars.find(text[i]) != std::string_view::npos) return i + 1;
  return 0;
}

}  // namespace lumeko
