// Fuzzes the fuzzy rewrite, compilation and gsub of arbitrary patterns,
// replacements and subjects, with sizes capped like a title or a name.
//
// Input: one byte of switches (fuzzy, synonyms, LF endings), then pattern,
// replacement and subject separated by 0xFF bytes (never part of CP932
// text). Syntax errors are expected outcomes; anything else that escapes,
// any memory fault and any broken invariant is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/cp932.h"
#include "regex/awk_str.h"
#include "regex/re_error.h"

namespace {

using namespace lumeko;

constexpr size_t kMaxPattern = 96;
constexpr size_t kMaxReplacement = 32;
constexpr size_t kMaxSubject = 512;

std::string_view NextPart(std::string_view& rest, size_t cap) {
  const size_t cut = rest.find('\xFF');
  std::string_view part = rest.substr(0, cut);
  rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
  return part.substr(0, cap);
}

// A match must start and end on character boundaries of the subject as the
// matcher sees it: up to its first NUL.
bool OnBoundary(std::string_view s, size_t pos) {
  s = s.substr(0, s.find('\0'));
  if (pos > s.size()) return false;
  size_t i = 0;
  while (i < pos) i += CharLength(s, i);
  return i == pos;
}

const TREDictionary& Synonyms() {
  static const TREDictionary d({{"ab", "\x82\xA0"}, {"(", "x|y"}, {"-", "]"}});
  return d;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t flags = data[0];
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string pattern(NextPart(rest, kMaxPattern));
  const std::string replacement(NextPart(rest, kMaxReplacement));
  const std::string subject(NextPart(rest, kMaxSubject));

  TAWKStr awk;
  awk.SynonymDics().push_back(&Synonyms());
  awk.LineSeparator = (flags & 4) ? mcls_LF : mcls_CRLF;
  try {
    awk.SetUseSynonymDic(flags & 2);
    awk.SetUseFuzzyCharDic(flags & 1);
    awk.SetRegExp(pattern);
    awk.SetRegExp(pattern);  // the cached path
  } catch (const ERegExpParser&) {
    if (!awk.RegExp().empty()) std::abort();  // a failure leaves the empty expression
  }

  int start = 0, length = 0;
  const int r = awk.Match(subject, start, length);
  if (r != start || r < 0 || length < 0) std::abort();
  if (r > 0) {
    const size_t s = static_cast<size_t>(start - 1), e = s + static_cast<size_t>(length);
    if (e > subject.size() || !OnBoundary(subject, s) || !OnBoundary(subject, e)) std::abort();
  }

  std::string replaced = subject;
  try {
    const int count = awk.GSub(replacement, replaced);
    if (count < 0 || (count == 0 && replaced != subject)) std::abort();
  } catch (const ERegExpParser&) {
    if (replaced != subject) std::abort();  // a failed gsub changes nothing
  }
  // Marking every match leaves the subject's bytes as they were and puts each
  // mark on a character boundary: gsub never splits a two-byte character.
  if (subject.find('\0') == std::string::npos && subject.find('\x01') == std::string::npos) {
    std::string marked = subject;
    awk.GSub("\x01&", marked);
    std::string unmarked;
    for (char c : marked) {
      if (c != '\x01') {
        unmarked += c;
      } else if (!OnBoundary(subject, unmarked.size())) {
        std::abort();
      }
    }
    if (unmarked != subject) std::abort();
  }
  // Touch every byte so uninitialised output would show.
  unsigned sum = 0;
  for (char c : replaced) sum += static_cast<unsigned char>(c);
  volatile unsigned sink = sum;
  (void)sink;
  return 0;
}
