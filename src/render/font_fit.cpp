// Font size fitting and row breaking (see font_fit.h).
#include "render/font_fit.h"

#include "platform/cp932.h"

namespace lumeko {
namespace {

constexpr int kProbeSize = 100;

// FontMinSize is a byte of the settings and may be 0; a size below 1 point is
// no size to draw in (GDI takes 0 for its default font and a negative size for
// a cell height), and a search down to it might never stop.
int MinSizeOf(const TFitArea& area) { return area.MinSize > 1 ? area.MinSize : 1; }

bool IsSpaceAt(std::string_view text, size_t i, size_t len) {
  if (len == 1) return text[i] == ' ';
  return static_cast<unsigned char>(text[i]) == 0x81 && static_cast<unsigned char>(text[i + 1]) == 0x40;
}

bool IsWideSpaceAt(std::string_view text, size_t i, size_t len) {
  return len == 2 && IsSpaceAt(text, i, len);
}

bool IsKaraokePunctuation(char c) {
  switch (c) {
    case ' ': case ')': case ',': case '-': case '.': case '/':
    case ':': case ';': case '>': case ']':
      return true;
    default:
      return false;
  }
}

}  // namespace

int FitFontSize(TTextMeasurer& m, std::string_view text, const TFitArea& area, TLineMetrics* metrics) {
  if (text.empty()) return 0;
  const int minSize = MinSizeOf(area);
  m.SetFontSize(kProbeSize);
  TTextSize size = m.TextExtent(text);
  const long long sum = static_cast<long long>(size.cx) + size.cy;
  long long estimate = sum > 0 ? static_cast<long long>(area.Width) * kProbeSize / sum : minSize;
  // A size beyond any frame would only make GDI fail; the search walks down anyway.
  if (estimate > 10000) estimate = 10000;
  int s = static_cast<int>(estimate);
  for (;;) {
    if (s < minSize) break;
    m.SetFontSize(s);
    size = m.TextExtent(text);
    if (area.Height - size.cy / 4 >= size.cy && area.Width - size.cy >= size.cx) break;
    --s;
  }
  if (s < minSize) {
    m.SetFontSize(minSize);
    size = m.TextExtent(text);
    s = minSize;
  }
  if (metrics) *metrics = MakeLineMetrics(s, size.cy, true);
  return s;
}

TResultCalcFontSize CalcFontSize(TTextMeasurer& m, int count, const TLineSource& line,
                                 const TFitArea& area, TLineMetrics& metrics) {
  TResultCalcFontSize result;
  m.SetFontSize(kProbeSize);
  int widest = -1;
  bool found = false;
  for (int i = 0; i < count; ++i) {
    std::string text = line(i);
    if (text.empty()) continue;
    const int cx = m.TextExtent(text).cx;
    if (!found || cx > widest) {
      widest = cx;
      result.WidestText = std::move(text);
      found = true;
    }
  }
  if (found) result.FontSize = FitFontSize(m, result.WidestText, area, &metrics);
  return result;
}

std::string WrapText(TTextMeasurer& m, std::string_view text, int limit) {
  std::string out;
  out.reserve(text.size() + 8);
  size_t rowStart = 0;
  size_t i = 0;
  size_t prevLen = 0;
  size_t classBreak = std::string_view::npos;
  size_t spaceBreak = std::string_view::npos;
  while (i < text.size()) {
    const size_t len = CharLength(text, i);
    const int w = m.TextExtent(text.substr(rowStart, i + len - rowStart)).cx;
    if (prevLen != 0 && len != prevLen) {
      classBreak = i;
      spaceBreak = std::string_view::npos;
    }
    if (IsSpaceAt(text, i, len)) spaceBreak = i;
    if (w > limit) {
      size_t rowEnd;
      size_t next;
      if (spaceBreak != std::string_view::npos && spaceBreak > rowStart) {
        rowEnd = spaceBreak;
        next = spaceBreak + CharLength(text, spaceBreak);
      } else if (classBreak != std::string_view::npos && classBreak > rowStart) {
        rowEnd = next = classBreak;
      } else if (i > rowStart) {
        rowEnd = next = i;
      } else {
        rowEnd = next = i + len;  // one character wider than the limit
      }
      out.append(text.substr(rowStart, rowEnd - rowStart));
      if (next >= text.size()) return out;  // nothing follows: no empty last row
      out.append("\r\n");
      rowStart = i = next;
      prevLen = 0;
      classBreak = spaceBreak = std::string_view::npos;
      continue;
    }
    prevLen = len;
    i += len;
  }
  out.append(text.substr(rowStart));
  return out;
}

TKaraokeRowBreak BreakKaraokeRow(TTextMeasurer& m, std::string_view text, int preferredWidth,
                                 int hardLimit) {
  constexpr size_t none = std::string_view::npos;
  size_t prevLen = 0;
  size_t classBreak = none;
  size_t punctBreak = none;
  size_t preferredBreak = none;
  bool wideSpaceSeen = false;
  for (size_t i = 0; i < text.size();) {
    const size_t len = CharLength(text, i);
    const int w = m.TextExtent(text.substr(0, i + len)).cx;
    if (prevLen != 0 && len != prevLen) {
      classBreak = i;
      punctBreak = none;
    }
    if (w <= preferredWidth) preferredBreak = i + len;
    if (w > hardLimit) {
      size_t cut = punctBreak != none   ? punctBreak
                   : classBreak != none ? classBreak
                   : preferredBreak != none ? preferredBreak
                                            : CharLength(text, 0);
      return {std::string(text.substr(0, cut)), std::string(text.substr(cut))};
    }
    if (IsWideSpaceAt(text, i, len)) {
      punctBreak = i + len;
      wideSpaceSeen = true;
    } else if (!wideSpaceSeen && len == 1 && IsKaraokePunctuation(text[i])) {
      punctBreak = i + len;
    }
    prevLen = len;
    i += len;
  }
  return {std::string(), std::string(text)};
}

TResultCalcFontSize CalcKaraokeFont(TTextMeasurer& m, int count, const TLineSource& timedLine,
                                    const TFitArea& area, int rowCount, TLineMetrics& karaokeMetrics) {
  TResultCalcFontSize r = CalcFontSize(m, count, timedLine, area, karaokeMetrics);
  int c;
  if (rowCount <= 0) {
    m.SetFontSize(r.FontSize);
    c = m.FontHeight();
    r.WidestText.clear();
  } else {
    c = area.Height / (rowCount + 1) - 2;
    m.SetFontHeight(c);
    if (m.FontSize() < MinSizeOf(area)) {
      m.SetFontSize(MinSizeOf(area));
      c = m.FontHeight();
      r.WidestText.clear();
    }
    r.FontSize = m.FontSize();
  }
  karaokeMetrics = MakeLineMetrics(r.FontSize, c, true);
  return r;
}

}  // namespace lumeko
