// The effect object's private state, as tests see it: the one friend the
// object names, defined here and nowhere in the product.
#pragma once

#include "effect/viz_lumeko.h"

namespace lumeko {

struct TVizLumekoProbe {
  static TMemoryBitmap& Frame(TVizLumeko& e) { return e.FrameBitmap; }
  static std::uint8_t& Changes(TVizLumeko& e) { return e.Changes; }
  static std::int64_t& LastTimeStamp(TVizLumeko& e) { return e.LastTimeStamp; }
  static TDrawData& DrawData(TVizLumeko& e) { return e.DrawData; }
  static TSetupInfo& Setup(TVizLumeko& e) { return e.Setup; }
  static TLyricsControl& Lyrics(TVizLumeko& e) { return *e.Lyrics; }
  static const std::string& LyricsBaseName(TVizLumeko& e) { return e.LyricsBaseName; }
  static const std::string& MediaTitle(TVizLumeko& e) { return e.MediaTitle; }
  static bool MediaPending(TVizLumeko& e) { return e.MediaPending; }
  static bool Throttled(TVizLumeko& e) { return static_cast<bool>(e.ThrottleEvent); }
  static TComPtr<IWMPEffects>& Pile(TVizLumeko& e) { return e.Pile; }
  static std::unique_ptr<TCanvas>& Canvas(TVizLumeko& e) { return e.FrameCanvas; }
  static TPainter& Painter(TVizLumeko& e, int preset) { return e.Painters[preset]; }
};

}  // namespace lumeko
