// What an effect costs the process that hosts it: GDI and USER objects,
// kernel handles and private bytes, as the system counts them.
//
// The player runs the effect for hours; a leak of any of these ends its
// process sooner or later. Hosts and tests read the counts before and after
// a run and compare them. Reading never fails: a count the system cannot
// give reads as 0.
#pragma once

#include <cstdint>

namespace lumeko::host {

struct TProcessCounts {
  std::uint32_t Gdi = 0;
  std::uint32_t User = 0;
  std::uint32_t Handles = 0;
  std::uint64_t PrivateBytes = 0;

  bool operator==(const TProcessCounts&) const = default;
};

TProcessCounts ReadProcessCounts();

// Whether every count of now is within percent of the same count of base
// (either way).
bool WithinPercent(const TProcessCounts& base, const TProcessCounts& now, double percent);

}  // namespace lumeko::host
