// The performance-counter clock of the fade-out (see fade_clock.h).
#include "render/fade_clock.h"

#include <windows.h>

namespace lumeko {

TPerformanceClock::TPerformanceClock() {
  LARGE_INTEGER f;
  if (::QueryPerformanceFrequency(&f) && f.QuadPart >= 1000) ticksPerMs_ = f.QuadPart / 1000;
}

std::int64_t TPerformanceClock::Now(std::int64_t) {
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return t.QuadPart;
}

}  // namespace lumeko
