// Glyph outlines for the outline font effects, widened once and kept.
//
// Stroking a whole line's outline in one path is slow where regions are
// built scan line by scan line over every edge of the line at once; glyph by
// glyph it is several times faster, and a glyph's widened outline is the
// same wherever it stands. So each glyph's outline, widened by the pen, is
// made into a region once per font height and pen width and then only moved
// and filled. Memory is bounded: past kMaxGlyphs the cache starts over.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/unique_handle.h"

namespace lumeko {

class TOutlineCache {
 public:
  static constexpr size_t kMaxGlyphs = 512;

  // Fills the outline of text, drawn with its top left at origin in the DC's
  // font (of character height fontHeight), widened by the pen selected in
  // the DC (penWidth wide), with brush; inside the DC's clip region only.
  void Fill(HDC dc, std::wstring_view text, POINT origin, int fontHeight, int penWidth, HBRUSH brush);
  // Makes the outlines of text's glyphs ahead of drawing, while there is
  // room for them.
  void Warm(HDC dc, std::wstring_view text, int fontHeight, int penWidth);
  // Forgets every outline (the font's face or style changed).
  void Clear() { glyphs_.clear(); }

 private:
  HRGN Glyph(HDC dc, wchar_t ch, int fontHeight, int penWidth);

  std::unordered_map<std::uint64_t, UniqueHRGN> glyphs_;  // a null region: a glyph without outline
  std::vector<int> extents_;
};

}  // namespace lumeko
