// An allocator that fails on request, for sweeping out-of-memory paths the
// way trusted C and C++ libraries test theirs: arm it with k, and the k-th
// allocation through operator new from then on fails (std::bad_alloc, or
// null for the nothrow forms); every other one succeeds.
//
// It replaces the global operator new and delete of the whole program, so
// it is linked only into the programs that sweep (lumeko_failing_allocator),
// never into lumeko_test_support. Memory from malloc and the system (GDI,
// COM strings) is not counted; the process counts cover what matters there.
#pragma once

#include <utility>

namespace lumeko::test {

// Arms the k-th allocation from now to fail (k >= 1).
void FailAllocation(long k);
// Disarms; true when the armed allocation was reached (and failed).
bool StopFailingAllocations();
// Blocks from operator new not yet given back, program-wide.
long LiveAllocations();

// Runs run(k) for k = 1, 2, ... while it answers that its armed failure
// fired; answers the number of failure points tried (the last k ran clean).
// run arms with FailAllocation(k) around the call under test and answers
// StopFailingAllocations(). Gives up (answering -1) past limit.
template <typename Run>
long SweepAllocationFailures(Run&& run, long limit = 200000) {
  for (long k = 1; k <= limit; ++k)
    if (!run(k)) return k - 1;
  return -1;
}

}  // namespace lumeko::test
