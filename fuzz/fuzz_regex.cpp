// Compiles arbitrary patterns and runs every matcher over arbitrary subjects.
// Input: first byte = pattern length (the rest is the subject). Sizes are
// capped like a name or title would be. Checks that every reported match lies
// inside the subject, that a bad pattern leaves the empty expression, and
// that an added alternative never loses a match: the subject's head, read as
// a second pattern, is joined to the first with "|".
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "regex/match_core.h"
#include "regex/re_error.h"
#include "regex/re_scanner.h"

namespace {

void Check(bool ok, size_t s, size_t e, size_t n) {
  if (ok && !(s <= e && e <= n)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 2048) return 0;
  const size_t plen = std::min<size_t>(data[0], size - 1);
  const std::string pattern(reinterpret_cast<const char*>(data + 1), plen);
  const std::string subject(reinterpret_cast<const char*>(data + 1 + plen), size - 1 - plen);
  const size_t n = std::strlen(subject.c_str());

  static lumeko::TMatchCORE m;
  bool compiled = true;
  try {
    m.SetRegExp(pattern);
  } catch (const lumeko::ERegExpParser& e) {
    if (!m.RegExp().empty() || m.CurrentIndex() != 0) std::abort();
    compiled = false;
  }
  size_t alone[2][2] = {};  // per separator: start and end, or npos
  for (auto sep : {lumeko::mcls_CRLF, lumeko::mcls_LF}) {
    m.LineSeparator = sep;
    size_t s = 0, e = 0;
    Check(m.MatchPlain(subject, s, e), s, e, n);
    const bool anchored = m.MatchAnchored(subject, s, e);
    Check(anchored, s, e, n);
    alone[sep][0] = anchored ? s : std::string::npos;
    alone[sep][1] = e;
    Check(m.SearchFrom(subject, s, e), s, e, n);
  }
  // Leftmost, then longest: the union starts no later, and at the same start
  // ends no sooner. Patterns that are refused on their own or together
  // (too complex) say nothing; a NUL ends a pattern, so none may hold one.
  const std::string other = subject.substr(0, std::min<size_t>(n, 16));
  if (compiled && pattern.find('\0') == std::string::npos) {
    try {
      m.SetRegExp(other);
      m.SetRegExp(pattern + "|" + other);
      for (auto sep : {lumeko::mcls_CRLF, lumeko::mcls_LF}) {
        m.LineSeparator = sep;
        size_t s = 0, e = 0;
        const bool found = m.MatchAnchored(subject, s, e);
        if (alone[sep][0] == std::string::npos) continue;
        if (!found || s > alone[sep][0] || (s == alone[sep][0] && e < alone[sep][1])) std::abort();
      }
    } catch (const lumeko::ERegExpParser&) {
    }
  }
  // The subject itself, escaped, is a literal pattern that finds itself
  // whole at its start (unless it ends in a lone lead byte: a syntax error).
  if (n > 0 && n <= 200) {
    const std::string_view text(subject.data(), n);
    try {
      m.SetRegExp(lumeko::EscapeLiteral(text));
      size_t s = 0, e = 0;
      if (!m.MatchPlain(text, s, e) || s != 0 || e != n) std::abort();
    } catch (const lumeko::ERegExpParser&) {
    }
  }
  return 0;
}
