// A stable merge sort that stays sound under any comparison.
//
// The document orders lines with a comparison that is not a strict weak order
// when untimed lines sit between timed lines out of time order; the standard
// sorts may then run off the range. Merging only ever picks the next element
// of one of two runs, so every element is kept exactly once whatever the
// comparison answers, and the cost stays O(n log n).
#pragma once

#include <utility>
#include <vector>

namespace lumeko {

template <typename T, typename Less>
void MergeSort(std::vector<T>& items, Less less) {
  const size_t n = items.size();
  if (n < 2) return;
  std::vector<T> buffer(n);
  std::vector<T>* from = &items;
  std::vector<T>* to = &buffer;
  for (size_t width = 1; width < n; width *= 2) {
    for (size_t lo = 0; lo < n; lo += 2 * width) {
      const size_t mid = lo + width < n ? lo + width : n;
      const size_t hi = lo + 2 * width < n ? lo + 2 * width : n;
      size_t a = lo, b = mid, out = lo;
      // Taking from the right run only when it is strictly less keeps ties stable.
      while (a < mid && b < hi) (*to)[out++] = std::move(less((*from)[b], (*from)[a]) ? (*from)[b++] : (*from)[a++]);
      while (a < mid) (*to)[out++] = std::move((*from)[a++]);
      while (b < hi) (*to)[out++] = std::move((*from)[b++]);
    }
    std::swap(from, to);
  }
  if (from != &items) items = std::move(*from);
}

}  // namespace lumeko
