// wchar_t forms of the CP932 conversions, for the W functions of Win32.
#pragma once

#include <string>
#include <string_view>

#include "platform/cp932.h"

namespace lumeko {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows only: wchar_t is UTF-16 there");

inline std::wstring ToWide(std::string_view cp932) {
  std::u16string u = Cp932ToUtf16(cp932);
  return std::wstring(u.begin(), u.end());
}

inline std::string FromWide(std::wstring_view wide) {
  return Utf16ToCp932(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

inline std::string FromWide(const wchar_t* wide) {
  return wide ? FromWide(std::wstring_view(wide)) : std::string();
}

inline std::wstring Utf8ToWide(std::string_view utf8) {
  std::u16string u = Utf8ToUtf16(utf8);
  return std::wstring(u.begin(), u.end());
}

inline std::string WideToUtf8(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace lumeko
