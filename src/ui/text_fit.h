// Whether text typed into the page can be kept as CP932, the page's text.
//
// A character fits when it converts to CP932 and back unchanged; one that
// would come back as '?' or as a look-alike (a best fit) does not. The page
// uses this to refuse such text with a message instead of storing '?'.
#pragma once

#include <string>
#include <string_view>

namespace lumeko {

// The first character (one or two UTF-16 units) that CP932 cannot hold;
// empty when all of text fits.
std::wstring FirstCharOutsideCp932(std::wstring_view text);

// A message for the user: the CP932 text with each "%s" replaced by the
// next of the arguments, in order; UTF-16, so an argument that CP932 cannot
// spell is shown as it is.
std::wstring FormatMessageText(const std::string& cp932, std::initializer_list<std::wstring> args);

}  // namespace lumeko
