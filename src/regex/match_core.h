// The matchers: leftmost-longest search of the current automaton over a
// subject.
//
// A subject ends at its first NUL byte or at the end of the view, whichever
// comes first. Positions are 0-based byte offsets; a match is [start, end).
// Matching never backtracks: each start position is one run of the
// automaton, and positions that cannot start a match are skipped by a byte
// table. A two-byte character is never split, and a lead byte that is the
// subject's last byte is read as a one-byte character, never past the end.
#pragma once

#include <cstddef>
#include <string_view>

#include "regex/regular_expression.h"

namespace lumeko {

enum TMatchCORE_LineSeparator : uint8_t {
  mcls_CRLF,  // "$" matches before CR
  mcls_LF,    // "$" matches before LF
};

class TMatchCORE : public TRegularExpression {
 public:
  TMatchCORE() = default;

  TMatchCORE_LineSeparator LineSeparator = mcls_CRLF;

  // Leftmost-longest match with "^" and "$" ignored as anchors.
  bool MatchPlain(std::string_view subject, size_t& start, size_t& end) const;
  // Leftmost-longest match where "^" holds at the start and after each LF,
  // and "$" before the line separator and at the end.
  bool MatchAnchored(std::string_view subject, size_t& start, size_t& end) const;
  // As MatchAnchored, without allowing a line head at the subject's start
  // (used to go on searching after a match).
  bool SearchFrom(std::string_view subject, size_t& start, size_t& end) const;

 private:
  static constexpr size_t npos = static_cast<size_t>(-1);
  struct Subject {
    const unsigned char* Bytes;
    size_t Length;
  };
  static Subject Bounded(std::string_view subject);
  unsigned char SeparatorByte() const { return LineSeparator == mcls_LF ? 10 : 13; }
  size_t LongestAt(const Subject& s, size_t p, int32_t state) const;
  size_t LongestAtLineHead(const Subject& s, size_t p) const;
  bool Search(const Subject& s, size_t& start, size_t& end) const;
};

}  // namespace lumeko
