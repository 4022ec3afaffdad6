// Completing typed text from an item list: the rules of the completing
// combo box, apart from its window.
//
// Matching ignores letter case (Unicode lower-casing, one UTF-16 unit for
// one), and the typed part keeps the case it was typed in. Items come in as
// CP932 and are compared in UTF-16, so text typed outside CP932 can never
// match one and is left alone. One pass over the items a keystroke.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumeko {

enum TAutoCompleteType { atFirst, atSingle, atMultiple, atNone };

std::wstring FoldCase(std::wstring_view text);

class TCompletionIndex {
 public:
  void Assign(const std::vector<std::string>& cp932Items);
  void Append(const std::string& cp932Item);
  void Clear();
  size_t Size() const noexcept { return wide_.size(); }
  const std::wstring& Item(size_t i) const { return wide_[i]; }
  const std::wstring& Folded(size_t i) const { return folded_[i]; }
  // The first item from start whose folded text starts with folded; npos when none.
  size_t FindPrefix(std::wstring_view folded, size_t start = 0) const;
  // Whether some item equals the text, letter case aside.
  bool Contains(std::wstring_view text) const;

 private:
  std::vector<std::wstring> wide_;
  std::vector<std::wstring> folded_;
};

struct TCompletion {
  int Item = -1;          // the item to select, -1 for none
  std::wstring Text;      // the new text: the typed part as typed, then the completion
  size_t SelStart = 0;    // the completion starts here and runs to the end
};

// Nothing when the rule finds nothing to add.
std::optional<TCompletion> Complete(const TCompletionIndex& items, std::wstring_view typed, TAutoCompleteType rule);

}  // namespace lumeko
