// Out-of-memory paths of the pattern engine, swept: every allocation that
// making an engine, rewriting a fuzzy pattern, compiling it and matching
// makes is failed in turn. Each run ends with the results of a run that did
// not fail or with std::bad_alloc — never a syntax error or another
// failure — leaks nothing, and leaves the object answering as a fresh one.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "regex/awk_str.h"
#include "test_support/failing_allocator.h"

namespace lumeko {
namespace {

struct TAnswers {
  int Start = 0, Length = 0, Replaced = 0;
  std::string Subject;
  bool operator==(const TAnswers&) const = default;
};

// Fuzzy patterns as the search makes them from titles, and a subject to try.
const struct {
  const char* Pattern;
  const char* Subject;
} kCases[] = {
    {"^(\x96\xE9\x96\xBE\x82\xAF|\xD6\xB1\xB9)[0-9]+.*\x83\x81\x83\x67\x83\x8D$",
     "\x96\xE9\x96\xBE\x82\xAF" "12 no \x83\x81\x83\x67\x83\x8D"},
    {"([^a-c]|x{2,3}|\x82\xA0?)*(tick|TOCK)+\\.(kra|lrc|txt)", "xxx\x82\xA0tickTock.KRA and tick.lrc"},
};

// What gtest has recorded in this test so far: a failure's message is memory
// the sweep must not count as leaked.
int Recorded() { return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count(); }

TAnswers Use(TAWKStr& engine, const char* pattern, const char* subject) {
  engine.SetUseFuzzyCharDic(true);
  engine.SetRegExp(pattern);
  TAnswers a;
  engine.Match(subject, a.Start, a.Length);
  a.Subject = subject;
  a.Replaced = engine.GSub("<&>", a.Subject);
  return a;
}

TEST(PatternEngineOutOfMemory, EveryAllocationFailsInTurn) {
  int n = 0;
  for (const auto& c : kCases) {
    ++n;
    TAnswers want;
    {
      TAWKStr engine;
      want = Use(engine, c.Pattern, c.Subject);
      ASSERT_GT(want.Replaced, 0) << c.Pattern;
    }
    const long points = test::SweepAllocationFailures([&](long k) {
      const long live = test::LiveAllocations();
      const int recorded = Recorded();
      bool fired = false;
      {
        TAWKStr* engine = nullptr;
        test::FailAllocation(k);
        try {
          engine = new TAWKStr();
          const TAnswers got = Use(*engine, c.Pattern, c.Subject);
          fired = test::StopFailingAllocations();
          EXPECT_EQ(got, want) << "allocation " << k;
        } catch (const std::bad_alloc&) {
          fired = test::StopFailingAllocations();
          EXPECT_TRUE(fired) << "allocation " << k;
        } catch (const std::exception& e) {
          fired = test::StopFailingAllocations();
          ADD_FAILURE() << "allocation " << k << " raised " << e.what();
        }
        if (engine) {
          EXPECT_EQ(Use(*engine, c.Pattern, c.Subject), want) << "after allocation " << k;
          delete engine;
        }
      }
      if (Recorded() == recorded) {
        EXPECT_EQ(test::LiveAllocations(), live) << "allocation " << k;
      }
      return fired;
    });
    EXPECT_GT(points, 100);
    std::printf("pattern engine, case %d: %ld allocation failure points\n", n, points);
  }
}

}  // namespace
}  // namespace lumeko
