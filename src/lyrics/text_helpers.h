// Small helpers on CP932 byte text shared by the document, the search and the
// background selection: boolean words, delimited lists, character search.
//
// Every scan here steps over double-byte characters whole, so a trail byte
// that happens to equal an ASCII delimiter ('\\', '[' and friends are common
// trail bytes) never counts as one. Nothing here allocates beyond its result.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumeko {

// ENABLE/TRUE/YES/ON/1 and DISABLE/FALSE/NO/OFF/0, any letter case, compared
// whole; anything else is unset and the caller keeps its default.
std::optional<bool> ParseBoolWord(std::string_view text);

// A list such as a folder list separated by ';': items are trimmed of leading
// control characters and spaces and of trailing spaces; "quoted items" may
// hold separators and "" for a quote; an empty position gives an empty item.
std::vector<std::string> SplitDelimited(std::string_view text, std::string_view separators);

// 1-based position of the first byte of text that is one of chars (second
// bytes of double-byte characters never count), 0 when there is none.
size_t FindFirstOf(std::string_view chars, std::string_view text);

// ASCII letters upper-cased, double-byte characters left as they are.
std::string UpperAscii(std::string_view text);

// Equality and order ignoring ASCII letter case, double-byte aware.
bool SameTextAscii(std::string_view a, std::string_view b);
int CompareTextAscii(std::string_view a, std::string_view b);

}  // namespace lumeko
