// Reading the settings from the registry and the signal that they changed.
//
// LoadSettings reads every value the effect uses into a TSetupInfo, never
// failing: a missing or mistyped value gives its default, and any other
// failure ends the reading with what was read so far. Saves are announced
// through one named manual-reset event that every running effect polls once
// a frame; the first to see it resets it and reloads.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "effect/registry_ex.h"
#include "effect/setup_info.h"
#include "platform/unique_handle.h"

namespace lumeko {

inline constexpr wchar_t kPropertyChangeEventName[] = L"LUMEKO Property Change Event";

// Reads the Settings key of HKEY_CURRENT_USER (created when missing) into
// setup, all but the stacked-effect values. Adds cf_Font to changes when
// the font name, style, effect or minimum size differs from what setup held.
void LoadSettings(TSetupInfo& setup, std::uint8_t& changes) noexcept;

// The stacked-effect values, read once when an effect object is made.
void LoadPileSettings(TSetupInfo_Pile& pile) noexcept;

// FontStyle as LoadSettings reads it: the one byte of a REG_BINARY value,
// 0 when missing, of another type or of another length.
std::uint8_t ReadFontStyle(const TRegistry& reg);

// The event every effect object keeps open for its life: created, or
// opened when another instance made it; null when neither works.
UniqueHandleH CreatePropertyChangeEvent() noexcept;

// Opens the event by name; when it is signalled, resets it, runs reload and
// answers true. Without the event (no effect alive) or unsignalled: false.
bool PollPropertyChange(const std::function<void()>& reload);

// Sets the event, as the property page does after its last write; false
// when no effect object keeps it (nothing to tell).
bool SignalPropertyChange() noexcept;

}  // namespace lumeko
