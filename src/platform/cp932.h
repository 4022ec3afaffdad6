// Code page 932 text at the edges of the system.
//
// Everything inside Lumeko is CP932 byte text; the player, GDI, the registry
// and the file system speak UTF-16, the command-line tool speaks UTF-8. These
// conversions always name code page 932 explicitly, so the DLL behaves the
// same whatever the system's ANSI code page is. The lead-byte test is fixed
// to CP932's ranges for the same reason. No Win32 type appears here: the
// portable parts (document, pattern engine) include this header too.
#pragma once

#include <string>
#include <string_view>

namespace lumeko {

// 0x81-0x9F and 0xE0-0xFC: the first byte of a double-byte character.
constexpr bool IsLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr bool IsLeadByte(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }

// Length in bytes of the character starting at text[i]: 2 for a lead byte
// followed by another byte, otherwise 1 (a lone lead byte at the end is 1).
inline size_t CharLength(std::string_view text, size_t i) {
  return (IsLeadByte(text[i]) && i + 1 < text.size()) ? 2 : 1;
}

// Bytes that do not form a CP932 character become U+30FB or '?', never a
// failure: text from files and titles is whatever the user has.
std::u16string Cp932ToUtf16(std::string_view text);
std::string Utf16ToCp932(std::u16string_view text);
std::string Cp932ToUtf8(std::string_view text);
std::string Utf8ToCp932(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace lumeko
