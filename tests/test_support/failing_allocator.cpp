// The failing allocator (see failing_allocator.h): a countdown in front of
// malloc. Every form of the global operator new and delete is replaced, so
// the library's own never mixes with these.
#include "test_support/failing_allocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace lumeko::test {

namespace {

std::atomic<long> countdown{0};  // > 0: armed, the allocation that takes it to 0 fails
std::atomic<bool> fired{false};
std::atomic<long> live{0};

void* Allocate(std::size_t size, bool nothrow) {
  if (countdown.load(std::memory_order_relaxed) > 0 && countdown.fetch_sub(1) == 1) {
    fired = true;
    if (nothrow) return nullptr;
    throw std::bad_alloc();
  }
  void* p = std::malloc(size ? size : 1);
  if (!p) {
    if (nothrow) return nullptr;
    throw std::bad_alloc();
  }
  ++live;
  return p;
}

void Free(void* p) noexcept {
  if (!p) return;
  --live;
  std::free(p);
}

}  // namespace

void FailAllocation(long k) {
  fired = false;
  countdown = k;
}

bool StopFailingAllocations() {
  countdown = 0;
  return fired.exchange(false);
}

long LiveAllocations() { return live.load(); }

}  // namespace lumeko::test

using lumeko::test::Allocate;
using lumeko::test::Free;

void* operator new(std::size_t n) { return Allocate(n, false); }
void* operator new[](std::size_t n) { return Allocate(n, false); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  try {
    return Allocate(n, true);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept {
  try {
    return Allocate(n, true);
  } catch (...) {
    return nullptr;
  }
}
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, std::size_t) noexcept { Free(p); }
void operator delete[](void* p, std::size_t) noexcept { Free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Free(p); }
