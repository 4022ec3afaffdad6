// A visualization of our own for the stacked-effect tests: an in-process COM
// server whose effect fills its area with stripes of two known colours,
// vertical for preset 0 and horizontal for preset 1. Tests create it
// registration-free: the DLL's manifest resource names its class, and
// TPatternEffectContext activates that manifest on the test's thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace lumeko::test {

// {7A9F5142-03FA-4974-A0AE-5468718EE711}
inline constexpr CLSID CLSID_PatternEffect = {0x7A9F5142, 0x03FA, 0x4974, {0xA0, 0xAE, 0x54, 0x68, 0x71, 0x8E, 0xE7, 0x11}};
inline constexpr char kPatternEffectClassId[] = "{7A9F5142-03FA-4974-A0AE-5468718EE711}";
inline constexpr wchar_t kPatternTitle[] = L"Stripes \u30C6\u30B9\u30C8";  // Stripes テスト
inline constexpr const wchar_t* kPatternPresets[] = {L"Vertical", L"Horizontal"};

// The colour (0x00RRGGBB) the effect paints at (x, y) of its area.
inline std::uint32_t PatternPixel(int preset, int x, int y) {
  return ((preset == 1 ? y : x) / 8) % 2 ? 0x00FFFF : 0xFF00FF;
}

class TPatternEffectContext {
 public:
  TPatternEffectContext() {
    wchar_t self[MAX_PATH * 4];
    std::wstring path(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH * 4));
    path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"LumekoPatternEffect.dll";
    ACTCTXW ac{sizeof ac};
    ac.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    ac.lpSource = path.c_str();
    ac.lpResourceName = MAKEINTRESOURCEW(2);
    context_ = ::CreateActCtxW(&ac);
    if (context_ != INVALID_HANDLE_VALUE && !::ActivateActCtx(context_, &cookie_)) cookie_ = 0;
  }
  ~TPatternEffectContext() {
    if (cookie_) ::DeactivateActCtx(0, cookie_);
    if (context_ != INVALID_HANDLE_VALUE) ::ReleaseActCtx(context_);
  }
  bool Active() const { return cookie_ != 0; }

 private:
  HANDLE context_ = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie_ = 0;
};

}  // namespace lumeko::test
