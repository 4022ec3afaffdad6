// Font size fitting and row breaking for the painters.
//
// The lyrics are drawn as large as the frame allows: the size is estimated
// from one measurement at 100 points and then stepped down until the text
// fits with room to spare. Lines too long for the frame are broken into rows
// at spaces, at changes between single- and double-byte text, or before the
// overflowing character. Everything measures through TTextMeasurer, so this
// file never touches GDI; byte positions are CP932 byte offsets.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "render/line_metrics.h"
#include "render/text_measurer.h"

namespace lumeko {

struct TResultCalcFontSize {
  int FontSize = 0;         // points; 0 when there was nothing to fit
  std::string WidestText;   // the line that decided the size
};

// The frame the text must fit and the smallest size allowed (FontMinSize).
struct TFitArea {
  int Width = 0;
  int Height = 0;
  int MinSize = 6;
};

// Lines by index; the painters hand the document's display or timed lines.
using TLineSource = std::function<std::string(int index)>;

// Size in points for one text; the measurer keeps that size. An empty text
// gives 0 and leaves metrics (which may be null) untouched.
int FitFontSize(TTextMeasurer& m, std::string_view text, const TFitArea& area, TLineMetrics* metrics);

// Fits the widest of count lines (measured at 100 points, the first of equal
// widths wins). All lines empty: FontSize 0.
TResultCalcFontSize CalcFontSize(TTextMeasurer& m, int count, const TLineSource& line,
                                 const TFitArea& area, TLineMetrics& metrics);

// The text with CR LF inserted where rows break so no row is wider than limit
// (a single character wider than the limit still forms a row).
std::string WrapText(TTextMeasurer& m, std::string_view text, int limit);

// Head row (at most hardLimit wide, preferably preferredWidth) and the rest.
// A text that fits whole gives an empty head and the whole text as the rest.
struct TKaraokeRowBreak {
  std::string Head;
  std::string Rest;
};
TKaraokeRowBreak BreakKaraokeRow(TTextMeasurer& m, std::string_view text, int preferredWidth,
                                 int hardLimit);

// The karaoke font: the widest timed line's fit, or with rowCount > 0 a
// character height that stacks rowCount + 1 rows in the frame. A non-empty
// WidestText in the result says the size came from rowCount.
TResultCalcFontSize CalcKaraokeFont(TTextMeasurer& m, int count, const TLineSource& timedLine,
                                    const TFitArea& area, int rowCount, TLineMetrics& karaokeMetrics);

}  // namespace lumeko
