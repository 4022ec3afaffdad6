// A private interface of the effect for our own tools: which clock the
// single-line fade-out runs by.
//
// The player never asks for it, so in a player the fade always runs by the
// performance counter. `lumeko render` switches it to the frames' own time
// stamps, so that frames rendered far faster or slower than real time show
// the fade as a viewer at the render's frame rate would see it. It is no
// part of the type library and has no other use.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace lumeko {

// {FFA11844-259C-408E-B3D2-C1AAD460EB4D}
inline constexpr IID IID_ILumekoFadeClock = {0xFFA11844, 0x259C, 0x408E, {0xB3, 0xD2, 0xC1, 0xAA, 0xD4, 0x60, 0xEB, 0x4D}};

struct ILumekoFadeClock : public IUnknown {
  // TRUE: fades step by the frames' time stamps; FALSE: by the performance
  // counter, as in a player. Fading lines in progress are dropped.
  virtual HRESULT STDMETHODCALLTYPE UseFrameTimeStamps(BOOL on) = 0;
};

}  // namespace lumeko
