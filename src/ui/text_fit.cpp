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

std::wstring FormatMessageText(const std::string& cp932, std::initializer_list<std::wstring> args) {
  std::wstring text = ToWide(cp932);
  size_t from = 0;
  for (const std::wstring& a : args) {
    const size_t at = text.find(L"%s", from);
    if (at == std::wstring::npos) break;
    text.replace(at, 2, a);
    from = at + a.size();
  }
  return text;
}

}  // namespace lumeko
