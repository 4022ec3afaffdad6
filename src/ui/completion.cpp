// Completion rules (see completion.h).
#include "ui/completion.h"

#include <windows.h>

#include <algorithm>

#include "platform/wide.h"

namespace lumeko {

std::wstring FoldCase(std::wstring_view text) {
  std::wstring out(text);
  if (!out.empty()) ::CharLowerBuffW(out.data(), static_cast<DWORD>(out.size()));
  return out;
}

void TCompletionIndex::Assign(const std::vector<std::string>& cp932Items) {
  Clear();
  wide_.reserve(cp932Items.size());
  folded_.reserve(cp932Items.size());
  for (const std::string& item : cp932Items) Append(item);
}

void TCompletionIndex::Append(const std::string& cp932Item) {
  wide_.push_back(ToWide(cp932Item));
  folded_.push_back(FoldCase(wide_.back()));
}

void TCompletionIndex::Clear() {
  wide_.clear();
  folded_.clear();
}

size_t TCompletionIndex::FindPrefix(std::wstring_view folded, size_t start) const {
  for (size_t i = start; i < folded_.size(); ++i) {
    const std::wstring& f = folded_[i];
    if (f.size() >= folded.size() && std::wmemcmp(f.data(), folded.data(), folded.size()) == 0) return i;
  }
  return std::wstring::npos;
}

bool TCompletionIndex::Contains(std::wstring_view text) const {
  const std::wstring folded = FoldCase(text);
  return std::find(folded_.begin(), folded_.end(), folded) != folded_.end();
}

std::optional<TCompletion> Complete(const TCompletionIndex& items, std::wstring_view typed, TAutoCompleteType rule) {
  if (rule == atNone || typed.empty()) return std::nullopt;
  const std::wstring folded = FoldCase(typed);
  const size_t first = items.FindPrefix(folded);
  if (first == std::wstring::npos) return std::nullopt;
  const std::wstring& item = items.Item(first);
  if (item.size() == typed.size()) return std::nullopt;  // it equals what was typed
  if (rule == atSingle && items.FindPrefix(folded, first + 1) != std::wstring::npos) return std::nullopt;

  size_t length = item.size();
  if (rule == atMultiple) {
    // The prefix grows while every item that starts with the typed text
    // still starts with it.
    const std::wstring& foldedItem = items.Folded(first);
    for (size_t i = items.FindPrefix(folded, first + 1); i != std::wstring::npos && length > typed.size();
         i = items.FindPrefix(folded, i + 1)) {
      const std::wstring& other = items.Folded(i);
      const size_t limit = std::min(length, other.size());
      size_t k = typed.size();
      while (k < limit && other[k] == foldedItem[k]) ++k;
      length = k;
    }
    if (length == typed.size()) return std::nullopt;  // nothing in common beyond the typed part
  }
  TCompletion c;
  c.Item = rule == atMultiple ? -1 : static_cast<int>(first);
  c.Text.assign(typed);
  c.Text.append(item, typed.size(), length - typed.size());
  c.SelStart = typed.size();
  return c;
}

}  // namespace lumeko
