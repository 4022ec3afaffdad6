// Agreement with the C library's POSIX matcher (extended syntax, which is
// leftmost-longest) on many random patterns of the common subset: literals,
// ".", classes, negated classes, "|", groups, "*", "+" and "?", over a small
// alphabet so that matches are frequent and overlapping.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <regex.h>

#include <random>
#include <string>

#include "regex/match_core.h"

namespace lumeko {
namespace {

class PatternMaker {
 public:
  explicit PatternMaker(uint32_t seed) : Rng_(seed) {}

  std::string Expression(int depth) {
    std::string out = Term(depth);
    while (Pick(5) == 0) out += "|" + Term(depth);
    return out;
  }
  std::string Subject() {
    std::string s;
    const int n = Pick(12);
    for (int i = 0; i < n; ++i) s += "abcd-"[Pick(5)];
    return s;
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(Rng_); }
  // Never empty: POSIX leaves empty alternatives undefined.
  std::string Term(int depth) {
    std::string out;
    const int n = 1 + Pick(3);
    for (int i = 0; i < n; ++i) out += Factor(depth);
    return out;
  }
  std::string Factor(int depth) {
    std::string out = Primary(depth);
    switch (Pick(6)) {
      case 0: out += "*"; break;
      case 1: out += "+"; break;
      case 2: out += "?"; break;
      default: break;
    }
    return out;
  }
  std::string Primary(int depth) {
    switch (Pick(depth > 0 ? 8 : 6)) {
      case 0: return ".";
      case 1: return Pick(2) ? "[ab]" : "[b-d]";
      case 2: return Pick(2) ? "[^a]" : "[^bc-]";
      case 6:
      case 7: return "(" + Expression(depth - 1) + ")";
      default: return std::string(1, "abcd"[Pick(4)]);
    }
  }
  std::mt19937 Rng_;
};

TEST(Differential, AgreesWithPosixExtendedLeftmostLongest) {
  PatternMaker maker(20261208);
  TMatchCORE m;
  int compared = 0, matched = 0;
  for (int i = 0; i < 3000; ++i) {
    const std::string pattern = maker.Expression(2);
    regex_t re;
    if (regcomp(&re, pattern.c_str(), REG_EXTENDED) != 0) continue;
    m.SetRegExp(pattern);
    for (int j = 0; j < 8; ++j) {
      const std::string subject = maker.Subject();
      regmatch_t pm[1];
      const bool theirs = regexec(&re, subject.c_str(), 1, pm, 0) == 0;
      size_t s = 0, e = 0;
      const bool ours = m.MatchPlain(subject, s, e);
      ++compared;
      ASSERT_EQ(ours, theirs) << "pattern " << pattern << " subject " << subject;
      if (!ours) continue;
      ++matched;
      ASSERT_EQ(s, size_t(pm[0].rm_so)) << "pattern " << pattern << " subject " << subject;
      ASSERT_EQ(e, size_t(pm[0].rm_eo)) << "pattern " << pattern << " subject " << subject;
    }
    regfree(&re);
  }
  EXPECT_GT(compared, 20000);
  EXPECT_GT(matched, compared / 4);
}

}  // namespace
}  // namespace lumeko

#endif  // _WIN32
