// The module's COM entry points: the class factory and the four exports'
// implementations, which the DLL's exported functions call.
//
// The factory lives as long as the module (a static object that counts no
// references). A failing construction is shown to the user in a message
// box through an exchangeable sink, so tests never block on a box.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace lumeko {

// Shows a construction failure: caption and text, UTF-16.
using TMessageSink = std::function<void(const std::wstring& caption, const std::wstring& text)>;
// Replaces the sink; an empty function restores the message box.
void SetFailureMessageSink(TMessageSink sink);

HRESULT EffectGetClassObject(REFCLSID clsid, REFIID iid, void** out) noexcept;
HRESULT EffectCanUnloadNow() noexcept;
HRESULT EffectRegisterServer() noexcept;
HRESULT EffectUnregisterServer() noexcept;

// The failure message as shown: a full stop is added when the text's last
// character sorts after "." (CP932 in, CP932 out).
std::string FailureMessageText(const std::string& message);

}  // namespace lumeko
