// Widened glyph outlines (see outline_cache.h).
#include "render/outline_cache.h"

namespace lumeko {

HRGN TOutlineCache::Glyph(HDC dc, wchar_t ch, int fontHeight, int penWidth) {
  const std::uint64_t key = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(fontHeight) & 0xFFFFFu) << 40) |
                            (static_cast<std::uint64_t>(static_cast<std::uint32_t>(penWidth) & 0xFFFFFFu) << 16) |
                            static_cast<std::uint16_t>(ch);
  if (auto it = glyphs_.find(key); it != glyphs_.end()) return it->second.get();
  if (glyphs_.size() >= kMaxGlyphs) glyphs_.clear();
  UniqueHRGN region;
  // The widened path is many overlapping pieces: only winding fills them all.
  const int fillMode = ::SetPolyFillMode(dc, WINDING);
  if (::BeginPath(dc)) {
    ::ExtTextOutW(dc, 0, 0, 0, nullptr, &ch, 1, nullptr);
    if (::EndPath(dc) && ::WidenPath(dc))
      region.reset(::PathToRegion(dc));  // ends the path
    else
      ::AbortPath(dc);
  }
  if (fillMode) ::SetPolyFillMode(dc, fillMode);
  return glyphs_.emplace(key, std::move(region)).first->second.get();
}

void TOutlineCache::Warm(HDC dc, std::wstring_view text, int fontHeight, int penWidth) {
  for (wchar_t ch : text) {
    if (glyphs_.size() >= kMaxGlyphs) return;
    Glyph(dc, ch, fontHeight, penWidth);
  }
}

void TOutlineCache::Fill(HDC dc, std::wstring_view text, POINT origin, int fontHeight, int penWidth, HBRUSH brush) {
  if (text.empty()) return;
  extents_.resize(text.size());
  SIZE size{};
  if (!::GetTextExtentExPointW(dc, text.data(), static_cast<int>(text.size()), 0, nullptr, extents_.data(), &size))
    return;
  for (size_t i = 0; i < text.size(); ++i) {
    HRGN glyph = Glyph(dc, text[i], fontHeight, penWidth);
    if (!glyph) continue;
    const int x = origin.x + (i > 0 ? extents_[i - 1] : 0);
    ::OffsetRgn(glyph, x, origin.y);
    ::FillRgn(dc, glyph, brush);
    ::OffsetRgn(glyph, -x, -origin.y);
  }
}

}  // namespace lumeko
