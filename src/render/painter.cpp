// The preset table and what every painter shares (see painter.h).
#include "render/painter.h"

#include <array>

#include "render/karaoke.h"
#include "render/single_line.h"
#include "render/text_lines.h"

namespace lumeko {

namespace {

constexpr std::array<TPreset, kPresetCount> kPresets{{
    {"\x83\x5A\x83\x93\x83\x5E\x83\x8A\x83\x93\x83\x4F", PaintCentredList},  // センタリング
    {"\x8D\xB6\x8A\xF1\x82\xB9", PaintLeftList},                            // 左寄せ
    {"\x88\xEA\x8D\x73\x95\x5C\x8E\xA6", RenderSingleLine},                  // 一行表示
    {"\x83\x4A\x83\x89\x83\x49\x83\x50", RenderKaraoke},                     // カラオケ
}};

}  // namespace

std::span<const TPreset, kPresetCount> Presets() { return kPresets; }

TBkGndOptions BkGndOptionsOf(const TSetupInfo& setup) {
  return {setup.BkGnd.BkGndImageDrawMode, setup.BkGnd.BkGndImageBlendAlpha, setup.BkGnd.BkGndFlags};
}

void PaintBackground(TPaintTarget& t, bool pileDrawn) {
  PaintBackground(t.BkGnd, t.Canvas, t.Width, t.Height, t.Setup.Color.BackgroundColor, BkGndOptionsOf(t.Setup),
                  pileDrawn);
}

}  // namespace lumeko
