// The three matchers over the current automaton. LongestAt is the one run
// of the automaton from a position; the rest decide where to run it.
#include "regex/match_core.h"

#include <cstring>

#include "platform/cp932.h"

namespace lumeko {

namespace {
inline size_t CharLen(const unsigned char* s, size_t i, size_t n) {
  return (IsLeadByte(s[i]) && i + 1 < n) ? 2 : 1;
}
}  // namespace

TMatchCORE::Subject TMatchCORE::Bounded(std::string_view subject) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(subject.data());
  const void* nul = subject.empty() ? nullptr : std::memchr(bytes, 0, subject.size());
  const size_t n = nul ? size_t(static_cast<const unsigned char*>(nul) - bytes) : subject.size();
  return {bytes, n};
}

size_t TMatchCORE::LongestAt(const Subject& s, size_t p, int32_t state) const {
  if (state < 0) return npos;
  const TRE_DFA& dfa = Current();
  const unsigned char sep = SeparatorByte();
  size_t result = npos;
  size_t q = p;
  for (;;) {
    // "$" holds before every separator the run passes, not only where it
    // stops: another alternative going on through the separator must not
    // take the match away.
    if (dfa.IsAccepting(state) ||
        ((q >= s.Length || s.Bytes[q] == sep) && dfa.HasLineTailTransition(state)))
      result = q;
    if (q >= s.Length) break;
    size_t len;
    const int32_t next = dfa.Step(state, s.Bytes, q, s.Length, len);
    if (next < 0) break;
    state = next;
    q += len;
  }
  return result;
}

size_t TMatchCORE::LongestAtLineHead(const Subject& s, size_t p) const {
  const TRE_DFA& dfa = Current();
  if (!dfa.HasLineHead) return LongestAt(s, p, TRE_DFA::InitialState);
  // A line head here allows the "^" alternatives; it does not shut out the
  // others (an empty subject is never searched any further).
  const size_t r1 = LongestAt(s, p, dfa.LineHeadTarget(TRE_DFA::InitialState));
  const size_t r2 = LongestAt(s, p, TRE_DFA::InitialState);
  if (r1 == npos) return r2;
  return (r2 != npos && r2 >= r1) ? r2 : r1;
}

bool TMatchCORE::Search(const Subject& s, size_t& start, size_t& end) const {
  const TRE_DFA& dfa = Current();
  const int32_t init = TRE_DFA::InitialState;
  const bool everywhere = dfa.IsAccepting(init);
  const unsigned char sep = SeparatorByte();
  const bool tailAtStart = dfa.HasLineTailTransition(init);
  for (size_t p = 0; p < s.Length;) {
    const unsigned char b = s.Bytes[p];
    if (everywhere || dfa.CanStartWith(b) || (b == sep && tailAtStart)) {
      const size_t e = LongestAt(s, p, init);
      if (e != npos) {
        start = p;
        end = e;
        return true;
      }
    }
    if (b == '\n' && dfa.HasLineHead) {
      const size_t e = LongestAtLineHead(s, p + 1);
      if (e != npos) {
        start = p + 1;
        end = e;
        return true;
      }
    }
    p += CharLen(s.Bytes, p, s.Length);
  }
  if (dfa.HasLineTail && tailAtStart) {
    start = end = s.Length;
    return true;
  }
  return false;
}

bool TMatchCORE::SearchFrom(std::string_view subject, size_t& start, size_t& end) const {
  return Search(Bounded(subject), start, end);
}

bool TMatchCORE::MatchAnchored(std::string_view subject, size_t& start, size_t& end) const {
  const Subject s = Bounded(subject);
  const size_t e = LongestAtLineHead(s, 0);
  if (e != npos) {
    start = 0;
    end = e;
    return true;
  }
  return Search(s, start, end);
}

bool TMatchCORE::MatchPlain(std::string_view subject, size_t& start, size_t& end) const {
  const Subject s = Bounded(subject);
  const TRE_DFA& dfa = Current();
  const int32_t init = TRE_DFA::InitialState;
  if (s.Length == 0) {
    if (!dfa.IsAccepting(init)) return false;
    start = end = 0;
    return true;
  }
  const bool everywhere = dfa.IsAccepting(init);
  for (size_t p = 0; p < s.Length;) {
    if (everywhere || dfa.CanStartWith(s.Bytes[p])) {
      int32_t state = init;
      size_t q = p, last = npos;
      for (;;) {
        if (dfa.IsAccepting(state)) last = q;
        if (q >= s.Length) break;
        size_t len;
        const int32_t next = dfa.Step(state, s.Bytes, q, s.Length, len);
        if (next < 0) break;
        state = next;
        q += len;
      }
      if (last != npos) {
        start = p;
        end = last;
        return true;
      }
    }
    p += CharLen(s.Bytes, p, s.Length);
  }
  return false;
}

}  // namespace lumeko
