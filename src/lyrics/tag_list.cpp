// Header tag list: ordered entries, a case-free hash index, lazy sweeping.
#include "lyrics/tag_list.h"

#include <algorithm>
#include <numeric>

#include "lyrics/text_helpers.h"

namespace lumeko {

void TTagList::Sweep() const {
  if (holes_ == 0) return;
  std::erase_if(entries_, [](const Entry& e) { return e.Name.empty(); });
  holes_ = 0;
  index_.clear();
  for (size_t i = 0; i < entries_.size(); ++i) index_.emplace(UpperAscii(entries_[i].Name), i);
}

int TTagList::Count() const {
  Sweep();
  return static_cast<int>(entries_.size());
}

const std::vector<TTagList::Entry>& TTagList::Entries() const {
  Sweep();
  return entries_;
}

int TTagList::IndexOfName(std::string_view name) const {
  Sweep();
  const auto it = index_.find(UpperAscii(name));
  return it == index_.end() ? -1 : static_cast<int>(it->second);
}

std::string TTagList::Values(std::string_view name) const {
  const auto it = index_.find(UpperAscii(name));
  return it == index_.end() ? std::string() : entries_[it->second].Value;
}

void TTagList::SetValue(std::string_view name, std::string_view value) {
  if (name.empty()) return;
  std::string key = UpperAscii(name);
  const auto it = index_.find(key);
  if (it != index_.end()) {
    Entry& e = entries_[it->second];
    if (value.empty()) {
      e = Entry{};
      index_.erase(it);
      // Sweep once holes dominate, so removals stay cheap in total.
      if (++holes_ > 64 && holes_ * 2 > entries_.size()) Sweep();
    } else {
      e.Value.assign(value);
    }
    return;
  }
  if (value.empty()) return;
  index_.emplace(std::move(key), entries_.size());
  entries_.push_back(Entry{std::string(name), std::string(value)});
}

void TTagList::Clear() {
  entries_.clear();
  index_.clear();
  holes_ = 0;
}

void TTagList::Sort() {
  Sweep();
  std::vector<std::string> keys;
  keys.reserve(entries_.size());
  for (const Entry& e : entries_) keys.push_back(e.Name + "=" + e.Value);
  std::vector<size_t> order(entries_.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return CompareTextAscii(keys[a], keys[b]) < 0; });
  std::vector<Entry> sorted;
  sorted.reserve(entries_.size());
  for (size_t k : order) {
    if (!sorted.empty() && sorted.back().Name == entries_[k].Name) continue;
    sorted.push_back(std::move(entries_[k]));
  }
  entries_ = std::move(sorted);
  index_.clear();
  for (size_t i = 0; i < entries_.size(); ++i) index_.emplace(UpperAscii(entries_[i].Name), i);
}

}  // namespace lumeko
