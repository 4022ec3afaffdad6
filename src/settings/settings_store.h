// Reading and writing the settings in the registry, and the signal that
// they changed.
//
// A load walks the setting table and never fails: a missing or mistyped
// value gives its default, a value outside its range is fixed as its row
// says, and any other failure ends the reading with what was read so far.
// Saves are announced through one named manual-reset event that every
// running effect polls once a frame; the first to see it resets it and
// reloads.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/unique_handle.h"
#include "settings/registry_ex.h"
#include "settings/setting_table.h"

namespace lumeko {

inline constexpr wchar_t kPropertyChangeEventName[] = L"LUMEKO Property Change Event";

// Reads the Settings key of HKEY_CURRENT_USER (created when missing) into
// setup: every value read at each load (not the stacked-effect values).
// True when the font name, style, effect or minimum size changed.
bool LoadSettings(TSetupInfo& setup) noexcept;

// The stacked-effect values, read once when an effect object is made.
void LoadPileSettings(TSetupInfo& setup) noexcept;

// A string setting as stored (UTF-16), so a file or folder name that CP932
// cannot spell reaches the disk whole. loaded is the CP932 value the last load
// gave; when the stored text is not what it was loaded from (missing, of
// another type, changed since), loaded's own UTF-16 form is the answer, so the
// two never disagree.
std::wstring LoadSettingTextWide(const char* name, const std::string& loaded) noexcept;

// One value from the open Settings key as the effect uses it: its default
// when missing or of another type, fixed into its range. version is the
// stored Version (it sets the blend alpha's scale).
TSettingValue ReadSettingValue(const TRegistryEx& reg, const TSettingDef& def, std::int32_t version);

// Writes one value with its registry type; raises ERegistryException.
void WriteSettingValue(TRegistry& reg, const TSettingDef& def, const TSettingValue& value);

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
