// Text that CP932 can hold (see text_fit.h).
#include "ui/text_fit.h"

#include "platform/wide.h"

namespace lumeko {

std::wstring FirstCharOutsideCp932(std::wstring_view text) {
  for (size_t i = 0; i < text.size();) {
    const bool pair = i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF && text[i + 1] >= 0xDC00 &&
                      text[i + 1] <= 0xDFFF;
    const std::wstring one(text.substr(i, pair ? 2 : 1));
    if (ToWide(FromWide(one)) != one) return one;
    i += one.size();
  }
  return {};
}

std::string FormatMessageText(std::string text, std::initializer_list<std::string> args) {
  size_t from = 0;
  for (const std::string& a : args) {
    const size_t at = text.find("%s", from);
    if (at == std::string::npos) break;
    text.replace(at, 2, a);
    from = at + a.size();
  }
  return text;
}

}  // namespace lumeko
