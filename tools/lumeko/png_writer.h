// Writes 32-bit frames as PNG files with our own small encoder.
//
// The image data is kept in stored (uncompressed) deflate blocks: no codec
// library is needed, and any PNG reader takes it. Files are larger than a
// compressing encoder's; the animated preview apngasm assembles from them
// is compressed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumeko::tool {

// Encodes top-down 0x00RRGGBB pixels as an RGB PNG.
std::string EncodePng(const std::vector<std::uint32_t>& pixels, int width, int height);

// Writes the PNG to a CP932 path; false when the file cannot be written.
bool WritePng(const std::string& cp932Path, const std::vector<std::uint32_t>& pixels, int width, int height);

}  // namespace lumeko::tool
