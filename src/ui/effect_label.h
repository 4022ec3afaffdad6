// A label that draws its caption with an effect: knocked out of a block,
// outlined, outlined and filled, hemmed or shadowed.
//
// The caption is laid out exactly as the plain label lays it out (tabs,
// margins, wrapping, ellipsis); the effect draws offset copies or a text
// path with the renderer's canvas state (text colour, clear background, the
// effect pen), the technique of the lyrics' font effects. The label grows by
// the room its effect paints outside the glyphs. A disabled label draws as a
// plain one.
#pragma once

#include <cstdint>

#include "ui/label_ex.h"

namespace lumeko {

enum TLabelEffect { leNone, leReverse, leOutline, leOutlineFill, leHemming, leShadow };

// The effect pen: a solid pen drawn in copy mode.
struct TEffectPen {
  std::uint32_t Color = 0;
  int Width = 1;
  bool operator==(const TEffectPen&) const = default;
};

constexpr int kMaxEffectPenWidth = 64;
constexpr int kMaxShadowOffset = 64;

class TEffectLabel final : public TLabelEx {
 public:
  TEffectLabel(HWND parent, int left, int top, int width, int height, const std::string& caption = {});

  TLabelEffect Effect() const noexcept { return effect_; }
  void SetEffect(TLabelEffect effect);
  const TEffectPen& EffectPen() const noexcept { return pen_; }
  void SetEffectPen(TEffectPen pen);
  int ShadowOffsetX() const noexcept { return shadowX_; }
  int ShadowOffsetY() const noexcept { return shadowY_; }
  void SetShadowOffsetX(int x);
  void SetShadowOffsetY(int y);

 protected:
  void DrawCaption(HDC dc, RECT rect, UINT flags, DRAWTEXTPARAMS& params, const std::wstring& text) override;
  RECT EffectRoom() const override;

 private:
  TLabelEffect effect_ = leNone;
  TEffectPen pen_;
  int shadowX_ = 1, shadowY_ = 1;
};

}  // namespace lumeko
