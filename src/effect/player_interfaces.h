// The player's interfaces as far as the effect implements or calls them
// (the effect interface itself, which the settings page also calls on other
// effects, is in platform/wmp_effects.h).
//
// Declared here from their identifiers and slot order, so that nothing of
// the player needs to be installed to build. Only the slots we call are
// named on the player's own objects (IWMPCore, IWMPControls, IWMPMedia);
// the slots before them are placeholders that keep the table in place and
// must never be called. Slot order is the binary contract: never reorder.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>

#include "platform/wmp_effects.h"

namespace lumeko {

// GetCapabilities flags.
inline constexpr DWORD EFFECT_CANGOFULLSCREEN = 1;
inline constexpr DWORD EFFECT_HASPROPERTYPAGE = 2;
inline constexpr DWORD EFFECT_VARIABLEFREQSTEP = 4;

// {74C09E02-F828-11D2-A74B-00A0C905F36E}
inline constexpr IID IID_IWMPControls = {0x74C09E02, 0xF828, 0x11D2, {0xA7, 0x4B, 0x00, 0xA0, 0xC9, 0x05, 0xF3, 0x6E}};
// {94D55E95-3FAC-11D3-B155-00C04F79FAA6}
inline constexpr IID IID_IWMPMedia = {0x94D55E95, 0x3FAC, 0x11D3, {0xB1, 0x55, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};
// {D84CCA99-CCE2-11D2-9ECC-0000F8085981}
inline constexpr IID IID_IWMPCore = {0xD84CCA99, 0xCCE2, 0x11D2, {0x9E, 0xCC, 0x00, 0x00, 0xF8, 0x08, 0x59, 0x81}};
// {695386EC-AA3C-4618-A5E1-DD9A8B987632}
inline constexpr IID IID_IWMPEffects2 = {0x695386EC, 0xAA3C, 0x4618, {0xA5, 0xE1, 0xDD, 0x9A, 0x8B, 0x98, 0x76, 0x32}};

// Transport controls: slots up to the current position.
struct IWMPControls : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_isAvailable(BSTR item, VARIANT_BOOL* available) = 0;
  virtual HRESULT STDMETHODCALLTYPE play() = 0;
  virtual HRESULT STDMETHODCALLTYPE stop() = 0;
  virtual HRESULT STDMETHODCALLTYPE pause() = 0;
  virtual HRESULT STDMETHODCALLTYPE fastForward() = 0;
  virtual HRESULT STDMETHODCALLTYPE fastReverse() = 0;
  virtual HRESULT STDMETHODCALLTYPE get_currentPosition(double* seconds) = 0;
};

// A media item: slots up to its name.
struct IWMPMedia : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_isIdentical(IWMPMedia* other, VARIANT_BOOL* same) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_sourceURL(BSTR* url) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_name(BSTR* name) = 0;
};

// The player core: slots up to its controls.
struct IWMPCore : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE close() = 0;
  virtual HRESULT STDMETHODCALLTYPE get_URL(BSTR* url) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_URL(BSTR url) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_openState(LONG* state) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_playState(LONG* state) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_controls(IWMPControls** controls) = 0;
};

struct IWMPEffects2 : public IWMPEffects {
  virtual HRESULT STDMETHODCALLTYPE SetCore(IWMPCore* core) = 0;
  virtual HRESULT STDMETHODCALLTYPE Create(HWND parent) = 0;
  virtual HRESULT STDMETHODCALLTYPE Destroy() = 0;
  virtual HRESULT STDMETHODCALLTYPE NotifyNewMedia(IWMPMedia* media) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE RenderWindowed(TimedLevel* levels, BOOL required) = 0;
};

// Our own identifiers, shared by the DLL, the registration and the hosts.
// {37A95726-3491-4CD1-97E8-2A4A4A0617C2}
inline constexpr CLSID CLSID_VizLumeko = {0x37A95726, 0x3491, 0x4CD1, {0x97, 0xE8, 0x2A, 0x4A, 0x4A, 0x06, 0x17, 0xC2}};
// {382F0CBF-C82A-4BFA-8E25-66D95C1B2BEB}
inline constexpr GUID LIBID_LUMEKOlib = {0x382F0CBF, 0xC82A, 0x4BFA, {0x8E, 0x25, 0x66, 0xD9, 0x5C, 0x1B, 0x2B, 0xEB}};
// {F94A65E2-B536-4EC1-BEB5-341DA572C517}
inline constexpr IID IID_IVizLumeko = {0xF94A65E2, 0xB536, 0x4EC1, {0xBE, 0xB5, 0x34, 0x1D, 0xA5, 0x72, 0xC5, 0x17}};

inline constexpr WORD kTypeLibMajor = 2;
inline constexpr WORD kTypeLibMinor = 0;
inline constexpr LCID kTypeLibLocale = 0x409;

// The dual interface of the type library: IDispatch and nothing more.
struct IVizLumeko : public IDispatch {};

}  // namespace lumeko
