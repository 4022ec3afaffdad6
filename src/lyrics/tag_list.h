// The name=value list that holds a document's header tags.
//
// Names compare without regard to ASCII letter case; setting a name that is
// present replaces its value, an empty value removes it. Lookups go through a
// hash index and removals leave a hole that is swept later, so a file of a
// million header lines costs linear time, never quadratic.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lumeko {

class TTagList {
 public:
  struct Entry {
    std::string Name;
    std::string Value;
  };

  int Count() const;
  // Entries in list order (a view valid until the next change).
  const std::vector<Entry>& Entries() const;
  int IndexOfName(std::string_view name) const;  // -1 when absent
  std::string Values(std::string_view name) const;  // empty when absent
  bool Has(std::string_view name) const { return IndexOfName(name) >= 0; }
  // Replaces the value of the entry of that name (keeping the name's spelling),
  // appends a new entry, or removes the entry when value is empty.
  void SetValue(std::string_view name, std::string_view value);
  void Clear();
  // Orders entries by their whole "name=value" text ignoring letter case, then
  // drops an entry whose name repeats, case for case, the one before it.
  void Sort();

 private:
  void Sweep() const;

  // Holes (removed entries) have an empty Name; the index maps upper-cased
  // names to positions in entries_.
  mutable std::vector<Entry> entries_;
  mutable std::unordered_map<std::string, size_t> index_;
  mutable size_t holes_ = 0;
};

}  // namespace lumeko
