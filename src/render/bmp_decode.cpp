// BMP parsing and decoding from the file's bytes (see bmp_decode.h).
#include "render/bmp_decode.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace lumeko {
namespace {

std::uint32_t Le32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint32_t Le16(const std::uint8_t* p) { return static_cast<std::uint32_t>(p[0] | p[1] << 8); }

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3, kAlphaBitfields = 6;

// A mask is one run of bits inside the pixel; masks do not overlap.
bool MasksUsable(const std::array<std::uint32_t, 3>& masks, int bits) {
  std::uint32_t seen = 0;
  for (std::uint32_t m : masks) {
    if (bits == 16 && (m >> 16) != 0) return false;
    if (m != 0 && ((m >> std::countr_zero(m)) & ((m >> std::countr_zero(m)) + 1)) != 0) return false;
    if (seen & m) return false;
    seen |= m;
  }
  return seen != 0;
}

// One colour channel of a masked pixel as 8 bits: narrower fields repeat
// their bits downward (5 bits v give v << 3 | v >> 2), wider ones keep their
// top 8.
std::uint8_t Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask), len = std::popcount(mask);
  std::uint32_t v = (pixel & mask) >> shift;
  if (len >= 8) return static_cast<std::uint8_t>(v >> (len - 8));
  v <<= 8 - len;
  for (int filled = len; filled < 8; filled *= 2) v |= v >> filled;
  return static_cast<std::uint8_t>(v);
}

// Collects picture rows (top row 0) into the decoded part: a row at a time in
// either vertical order, each row of the part's picture rows exactly once.
// At 1/1 rows go straight out; otherwise Denom rows are summed and each
// Denom × Denom block (smaller at the right and bottom edges) averaged.
class TRowSink {
 public:
  TRowSink(const TBmpLayout& bmp, const TPictureDecode& part, std::uint8_t* out, std::size_t stride)
      : part_(part), d_(part.Denom), out_(out), stride_(stride), pictureW_(bmp.Width), pictureH_(bmp.Height) {
    FirstRow = part.Window.y * d_;
    EndRow = std::min(pictureH_, (part.Window.y + part.Window.h) * d_);
    FirstCol = part.Window.x * d_;
    EndCol = std::min(pictureW_, (part.Window.x + part.Window.w) * d_);
    row_.assign(static_cast<std::size_t>(EndCol - FirstCol) * 3, 0);
    if (d_ > 1) sums_.assign(static_cast<std::size_t>(part.Window.w) * 3, 0);
  }

  int FirstRow, EndRow, FirstCol, EndCol;

  // B G R of picture columns [FirstCol, EndCol).
  std::uint8_t* Row() { return row_.data(); }

  // Row() holds picture row y.
  void Put(int y) {
    if (y < FirstRow || y >= EndRow) return;
    if (d_ == 1) {
      std::copy(row_.begin(), row_.end(), out_ + static_cast<std::size_t>(y - FirstRow) * stride_);
      return;
    }
    for (std::size_t i = 0, n = static_cast<std::size_t>(EndCol - FirstCol); i < n; ++i) {
      std::uint32_t* s = &sums_[(i / d_) * 3];
      s[0] += row_[i * 3];
      s[1] += row_[i * 3 + 1];
      s[2] += row_[i * 3 + 2];
    }
    const int block = y / d_;
    if (++rowsIn_ < std::min(d_, pictureH_ - block * d_)) return;
    // The block row is complete: average it out.
    const int rows = rowsIn_;
    std::uint8_t* dst = out_ + static_cast<std::size_t>(block - part_.Window.y) * stride_;
    for (int x = 0; x < part_.Window.w; ++x) {
      const std::uint32_t n = static_cast<std::uint32_t>(rows * std::min(d_, pictureW_ - (part_.Window.x + x) * d_));
      for (int c = 0; c < 3; ++c) dst[x * 3 + c] = static_cast<std::uint8_t>((sums_[x * 3 + c] + n / 2) / n);
    }
    std::fill(sums_.begin(), sums_.end(), 0u);
    rowsIn_ = 0;
  }

 private:
  TPictureDecode part_;
  int d_;
  std::uint8_t* out_;
  std::size_t stride_;
  int pictureW_, pictureH_;
  std::vector<std::uint8_t> row_;
  std::vector<std::uint32_t> sums_;
  int rowsIn_ = 0;
};

void PutColor(std::uint8_t* p, std::uint32_t rgb) {
  p[0] = static_cast<std::uint8_t>(rgb);
  p[1] = static_cast<std::uint8_t>(rgb >> 8);
  p[2] = static_cast<std::uint8_t>(rgb >> 16);
}

// Plain and masked rows: each needed row read where the layout puts it.
void DecodeRows(const TBmpLayout& bmp, const std::uint8_t* pixels, TRowSink& sink) {
  for (int y = sink.FirstRow; y < sink.EndRow; ++y) {
    const std::uint8_t* src = pixels + static_cast<std::size_t>(bmp.TopDown ? y : bmp.Height - 1 - y) * bmp.RowBytes;
    std::uint8_t* dst = sink.Row();
    for (int x = sink.FirstCol; x < sink.EndCol; ++x, dst += 3) {
      switch (bmp.Bits) {
        case 1: PutColor(dst, bmp.Palette[(src[x >> 3] >> (7 - (x & 7))) & 1]); break;
        case 4: PutColor(dst, bmp.Palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15]); break;
        case 8: PutColor(dst, bmp.Palette[src[x]]); break;
        case 24:
          dst[0] = src[x * 3];
          dst[1] = src[x * 3 + 1];
          dst[2] = src[x * 3 + 2];
          break;
        default: {
          const std::uint32_t v = bmp.Bits == 16 ? Le16(src + static_cast<std::size_t>(x) * 2)
                                                 : Le32(src + static_cast<std::size_t>(x) * 4);
          dst[0] = Channel(v, bmp.Masks[2]);
          dst[1] = Channel(v, bmp.Masks[1]);
          dst[2] = Channel(v, bmp.Masks[0]);
        }
      }
    }
    sink.Put(y);
  }
}

// Run-length rows, bottom row first. Runs are cut at the row's end; a run,
// a literal or a jump that the data does not hold ends the picture, as the
// end-of-picture code does. What no run paints keeps colour 0, as in the
// 8- or 4-bit bitmap the system decodes runs into.
void DecodeRuns(const TBmpLayout& bmp, const std::uint8_t* data, std::size_t size, TRowSink& sink) {
  const bool four = bmp.Compression == kRle4;
  const std::size_t rowBytes = static_cast<std::size_t>(sink.EndCol - sink.FirstCol) * 3;
  auto blank = [&] {
    for (std::size_t i = 0; i < rowBytes; i += 3) PutColor(sink.Row() + i, bmp.Palette[0]);
  };
  blank();
  std::size_t pos = 0;
  int x = 0, fileRow = 0;
  bool painted = false;
  auto paint = [&](unsigned index) {
    if (x >= sink.FirstCol && x < sink.EndCol) {
      PutColor(sink.Row() + static_cast<std::size_t>(x - sink.FirstCol) * 3, bmp.Palette[index]);
      painted = true;
    }
    ++x;
  };
  auto nextRow = [&] {
    sink.Put(bmp.Height - 1 - fileRow);
    if (painted) blank();
    painted = false;
    ++fileRow;
  };
  while (pos + 2 <= size && fileRow < bmp.Height) {
    const unsigned n = data[pos], v = data[pos + 1];
    pos += 2;
    if (n > 0) {
      const int count = std::min<int>(static_cast<int>(n), std::max(0, bmp.Width - x));
      for (int i = 0; i < count; ++i) paint(four ? (i & 1 ? v & 15 : v >> 4) : v);
      x += static_cast<int>(n) - count;
    } else if (v == 0) {
      nextRow();
      x = 0;
    } else if (v == 1) {
      break;
    } else if (v == 2) {
      if (pos + 2 > size) break;
      x += data[pos];
      for (unsigned dy = data[pos + 1]; dy > 0 && fileRow < bmp.Height; --dy) nextRow();
      pos += 2;
    } else {
      const std::size_t bytes = four ? (v + 1) / 2 : v;
      if (pos + bytes > size) break;
      const int count = std::min<int>(static_cast<int>(v), std::max(0, bmp.Width - x));
      for (int i = 0; i < count; ++i) paint(four ? (data[pos + i / 2] >> (i & 1 ? 0 : 4)) & 15 : data[pos + i]);
      x += static_cast<int>(v) - count;
      pos += (bytes + 1) & ~static_cast<std::size_t>(1);
    }
  }
  while (fileRow < bmp.Height) nextRow();
}

}  // namespace

std::optional<TBmpLayout> ParseBmp(const std::uint8_t* data, std::size_t size) {
  if (!data || size < 14 + 12 || data[0] != 'B' || data[1] != 'M') return std::nullopt;
  const std::uint32_t offBits = Le32(data + 10);
  const std::uint32_t headerSize = Le32(data + 14);
  if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
      headerSize != 124)
    return std::nullopt;
  if (size < 14 + headerSize) return std::nullopt;
  const std::uint8_t* h = data + 14;
  TBmpLayout bmp;
  long long width, height;
  std::uint32_t planes, clrUsed = 0;
  std::size_t entryBytes = 4;
  if (headerSize == 12) {
    width = Le16(h + 4);
    height = Le16(h + 6);
    planes = Le16(h + 8);
    bmp.Bits = static_cast<int>(Le16(h + 10));
    entryBytes = 3;
    if (bmp.Bits == 16 || bmp.Bits == 32) return std::nullopt;
  } else {
    width = static_cast<std::int32_t>(Le32(h + 4));
    height = static_cast<std::int32_t>(Le32(h + 8));
    planes = Le16(h + 12);
    bmp.Bits = static_cast<int>(Le16(h + 14));
    bmp.Compression = Le32(h + 16);
    clrUsed = Le32(h + 32);
  }
  if (height < 0) {
    bmp.TopDown = true;
    height = -height;
  }
  if (planes != 1 || !PictureSizeAllowed(width, height)) return std::nullopt;
  bmp.Width = static_cast<int>(width);
  bmp.Height = static_cast<int>(height);

  std::size_t tableAt = 14 + headerSize;
  const int b = bmp.Bits;
  switch (bmp.Compression) {
    case kRgb:
      if (b != 1 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32) return std::nullopt;
      bmp.Masks = b == 16 ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                          : std::array<std::uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
      break;
    case kRle8:
    case kRle4:
      // Runs are bottom-up only.
      if (b != (bmp.Compression == kRle8 ? 8 : 4) || bmp.TopDown) return std::nullopt;
      break;
    case kBitfields:
    case kAlphaBitfields: {
      if (b != 16 && b != 32) return std::nullopt;
      // The masks follow a plain info header; later headers hold them.
      const std::uint8_t* m = h + 40;
      if (headerSize == 40) {
        const std::size_t maskBytes = bmp.Compression == kBitfields ? 12 : 16;
        if (size < tableAt + maskBytes) return std::nullopt;
        m = data + tableAt;
        tableAt += maskBytes;
      }
      bmp.Masks = {Le32(m), Le32(m + 4), Le32(m + 8)};
      if (!MasksUsable(bmp.Masks, b)) return std::nullopt;
      break;
    }
    default:
      return std::nullopt;  // embedded JPEG or PNG, or unknown
  }

  std::size_t tableEnd = tableAt;
  if (b <= 8) {
    const std::uint32_t entries = clrUsed ? clrUsed : 1u << b;
    if (entries > (1u << b)) return std::nullopt;
    tableEnd = tableAt + entries * entryBytes;
    if (tableEnd > size) return std::nullopt;
    for (std::uint32_t i = 0; i < entries; ++i) {
      const std::uint8_t* e = data + tableAt + i * entryBytes;
      bmp.Palette[i] = static_cast<std::uint32_t>(e[2]) << 16 | static_cast<std::uint32_t>(e[1]) << 8 | e[0];
    }
  }
  // The pixels start after everything before them and inside the file.
  if (offBits < tableEnd || offBits > size) return std::nullopt;
  bmp.PixelOffset = offBits;
  const std::size_t available = size - offBits;
  if (bmp.Compression == kRle8 || bmp.Compression == kRle4) {
    const std::uint32_t declared = Le32(h + 20);
    if (declared > available) return std::nullopt;
    bmp.PixelBytes = declared ? declared : available;
  } else {
    const std::uint64_t row = (static_cast<std::uint64_t>(bmp.Width) * static_cast<std::uint64_t>(b) + 31) / 32 * 4;
    if (row * static_cast<std::uint64_t>(bmp.Height) > available) return std::nullopt;
    bmp.RowBytes = static_cast<std::size_t>(row);
    bmp.PixelBytes = static_cast<std::size_t>(row * static_cast<std::uint64_t>(bmp.Height));
  }
  return bmp;
}

void DecodeBmp(const TBmpLayout& layout, const std::uint8_t* data, std::size_t size, const TPictureDecode& part,
               std::uint8_t* out, std::size_t stride) {
  if (!part || layout.PixelOffset + layout.PixelBytes > size) return;
  TRowSink sink(layout, part, out, stride);
  const std::uint8_t* pixels = data + layout.PixelOffset;
  if (layout.Compression == kRle8 || layout.Compression == kRle4)
    DecodeRuns(layout, pixels, layout.PixelBytes, sink);
  else
    DecodeRows(layout, pixels, sink);
}

}  // namespace lumeko
