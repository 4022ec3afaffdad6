// Conversions between CP932, UTF-16 and UTF-8. On Windows through the Win32
// code-page API with code page 932 named explicitly; natively through iconv
// (the "CP932" table of the C library, Microsoft's mapping).
#include "platform/cp932.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#include <cerrno>
#include <memory>
#include <mutex>
#endif

namespace lumeko {

namespace {

constexpr unsigned kCp932 = 932;

#ifdef _WIN32

std::u16string ToUtf16(unsigned cp, std::string_view text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(cp, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::u16string out(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(cp, 0, text.data(), static_cast<int>(text.size()),
                      reinterpret_cast<wchar_t*>(out.data()), n);
  return out;
}

std::string FromUtf16(unsigned cp, std::u16string_view text) {
  if (text.empty()) return {};
  const auto* w = reinterpret_cast<const wchar_t*>(text.data());
  const int n = WideCharToMultiByte(cp, 0, w, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(cp, 0, w, static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

#else

// iconv stops at the first byte it cannot convert; we replace that byte (or
// character) and go on, the way the Win32 conversion does.
std::string Iconv(const char* to, const char* from, std::string_view text, std::string_view replacement,
                  size_t unitSize) {
  std::string out;
  if (text.empty()) return out;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;
  // Closed however this ends: the appends below may run out of memory.
  const std::unique_ptr<void, int (*)(iconv_t)> close(cd, iconv_close);
  out.reserve(text.size() * 2);
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char buf[4096];
  while (inLeft > 0) {
    char* o = buf;
    size_t oLeft = sizeof buf;
    const size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
    out.append(buf, static_cast<size_t>(o - buf));
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: skip one unit of input and put the replacement.
      const size_t skip = inLeft < unitSize ? inLeft : unitSize;
      in += skip;
      inLeft -= skip;
      out.append(replacement);
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  return out;
}

std::u16string BytesToU16(const std::string& bytes) {
  std::u16string out(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  return out;
}

std::string U16ToBytes(std::u16string_view text) {
  std::string out(text.size() * 2, '\0');
  for (size_t i = 0; i < text.size(); ++i) {
    out[2 * i] = static_cast<char>(text[i] & 0xFF);
    out[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  return out;
}

const std::string kU16Replacement = U16ToBytes(u"\u30FB");

#endif

}  // namespace

#ifdef _WIN32

std::u16string Cp932ToUtf16(std::string_view text) { return ToUtf16(kCp932, text); }
std::string Utf16ToCp932(std::u16string_view text) { return FromUtf16(kCp932, text); }
std::u16string Utf8ToUtf16(std::string_view text) { return ToUtf16(CP_UTF8, text); }
std::string Utf16ToUtf8(std::u16string_view text) { return FromUtf16(CP_UTF8, text); }

#else

std::u16string Cp932ToUtf16(std::string_view text) {
  (void)kCp932;
  return BytesToU16(Iconv("UTF-16LE", "CP932", text, kU16Replacement, 1));
}
std::string Utf16ToCp932(std::u16string_view text) {
  return Iconv("CP932", "UTF-16LE", U16ToBytes(text), "?", 2);
}
std::u16string Utf8ToUtf16(std::string_view text) {
  return BytesToU16(Iconv("UTF-16LE", "UTF-8", text, U16ToBytes(u"\uFFFD"), 1));
}
std::string Utf16ToUtf8(std::u16string_view text) {
  return Iconv("UTF-8", "UTF-16LE", U16ToBytes(text), "\xEF\xBF\xBD", 2);
}

#endif

std::string Cp932ToUtf8(std::string_view text) { return Utf16ToUtf8(Cp932ToUtf16(text)); }
std::string Utf8ToCp932(std::string_view text) { return Utf16ToCp932(Utf8ToUtf16(text)); }

}  // namespace lumeko
