// The property page's words: captions, item lists, explanations and hints of
// every control, looked up by the control's name.
//
// They are written once, in UTF-8 source text, and handed out as CP932 (the
// page's internal text) converted on first use; nothing else in the page
// spells a Japanese string. A name without a text answers an empty string,
// so a missing entry shows as a blank caption, never as a crash.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumeko {

// The caption of a control, a group or a tab ("tab0".."tab6"), or an
// explanation label's text (lines joined by CR LF).
const std::string& PageCaption(std::string_view name);
// The hint of a control (lines joined by CR LF); empty when it has none.
const std::string& PageHint(std::string_view name);
// The items of a list control, in order.
const std::vector<std::string>& PageItems(std::string_view name);

}  // namespace lumeko
