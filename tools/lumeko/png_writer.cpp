// Our own PNG encoder with stored deflate blocks (see png_writer.h).
#include "png_writer.h"

#include <windows.h>

#include <algorithm>
#include <array>

#include "platform/unique_handle.h"
#include "platform/wide.h"

namespace lumeko::tool {
namespace {

const std::array<std::uint32_t, 256>& CrcTable() {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

void Be32(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v >> 24));
  out.push_back(static_cast<char>(v >> 16));
  out.push_back(static_cast<char>(v >> 8));
  out.push_back(static_cast<char>(v));
}

void Chunk(std::string& out, const char type[4], const std::string& data) {
  Be32(out, static_cast<std::uint32_t>(data.size()));
  const size_t start = out.size();
  out.append(type, 4);
  out.append(data);
  std::uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = start; i < out.size(); ++i)
    crc = CrcTable()[(crc ^ static_cast<unsigned char>(out[i])) & 0xFF] ^ (crc >> 8);
  Be32(out, crc ^ 0xFFFFFFFFu);
}

}  // namespace

std::string EncodePng(const std::vector<std::uint32_t>& pixels, int width, int height) {
  // Filter byte 0 then R G B for every row.
  std::string raw;
  raw.reserve(static_cast<size_t>(height) * (static_cast<size_t>(width) * 3 + 1));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = pixels[static_cast<size_t>(y) * width + x];
      raw.push_back(static_cast<char>(p >> 16));
      raw.push_back(static_cast<char>(p >> 8));
      raw.push_back(static_cast<char>(p));
    }
  }
  std::string z = "\x78\x01";
  std::uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  size_t pos = 0;
  do {
    const size_t n = std::min<size_t>(65535, raw.size() - pos);
    z.push_back(pos + n == raw.size() ? 1 : 0);
    z.push_back(static_cast<char>(n & 0xFF));
    z.push_back(static_cast<char>(n >> 8));
    z.push_back(static_cast<char>(~n & 0xFF));
    z.push_back(static_cast<char>((~n >> 8) & 0xFF));
    z.append(raw, pos, n);
    pos += n;
  } while (pos < raw.size());
  Be32(z, (b << 16) | a);

  std::string png = "\x89PNG\r\n\x1a\n";
  std::string ihdr;
  Be32(ihdr, static_cast<std::uint32_t>(width));
  Be32(ihdr, static_cast<std::uint32_t>(height));
  ihdr += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB
  Chunk(png, "IHDR", ihdr);
  Chunk(png, "IDAT", z);
  Chunk(png, "IEND", std::string());
  return png;
}

bool WritePng(const std::string& cp932Path, const std::vector<std::uint32_t>& pixels, int width, int height) {
  const std::string png = EncodePng(pixels, width, height);
  UniqueFileHandle f(::CreateFileW(ToWide(cp932Path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return false;
  DWORD written = 0;
  return ::WriteFile(f.get(), png.data(), static_cast<DWORD>(png.size()), &written, nullptr) &&
         written == png.size();
}

}  // namespace lumeko::tool
