// A visualization of our own for the stacked-effect tests: an in-process COM
// server whose effect fills its area with stripes of two known colours
// (vertical for preset 0, horizontal for preset 1), so a frame shows where it
// drew. Tests use it registration-free: its manifest, a resource of the DLL,
// names its class, and TPatternEffectContext activates that manifest.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace lumeko::test {

// {7A9F5142-03FA-4974-A0AE-5468718EE711}
inline constexpr CLSID CLSID_PatternEffect = {0x7A9F5142, 0x03FA, 0x4974, {0xA0, 0xAE, 0x54, 0x68, 0x71, 0x8E, 0xE7, 0x11}};
inline constexpr char kPatternEffectClassId[] = "{7A9F5142-03FA-4974-A0AE-5468718EE711}";
inline constexpr wchar_t kPatternEffectDll[] = L"LumekoPatternEffect.dll";

// The stripes' colours as pixels (0x00RRGGBB) and their width.
inline constexpr std::uint32_t kPatternA = 0xFF00FF;
inline constexpr std::uint32_t kPatternB = 0x00FFFF;
inline constexpr int kPatternStripe = 8;

// What the effect answers (UTF-16).
inline constexpr wchar_t kPatternTitle[] = L"Stripes \u30C6\u30B9\u30C8";  // Stripes テスト
inline constexpr const wchar_t* kPatternPresets[] = {L"Vertical", L"Horizontal"};

// The colour the effect paints at (x, y) of its area with the given preset.
inline std::uint32_t PatternPixel(int preset, int x, int y) {
  return ((preset == 1 ? y : x) / kPatternStripe) % 2 ? kPatternB : kPatternA;
}

// The DLL's manifest activated on this thread for the object's life, so
// CoCreateInstance finds the class without any registration.
class TPatternEffectContext {
 public:
  TPatternEffectContext() {
    wchar_t self[MAX_PATH * 4];
    const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    std::wstring path(self, n);
    path = path.substr(0, path.find_last_of(L"\\/") + 1) + kPatternEffectDll;
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
  TPatternEffectContext(const TPatternEffectContext&) = delete;
  TPatternEffectContext& operator=(const TPatternEffectContext&) = delete;
  bool Active() const { return cookie_ != 0; }

 private:
  HANDLE context_ = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie_ = 0;
};

}  // namespace lumeko::test
