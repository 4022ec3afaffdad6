// The concrete face that the FontName "Default" stands for.
//
// The lyrics are Japanese text with Latin words in between, so "Default"
// must be a face that has both, and the same one whatever the system's code
// page: asking GDI for its user-interface font with a Japanese character
// set gives a face without Latin glyphs on some systems (boxes for letters)
// and another size on others. The choice is made among the faces that
// enumerate with the Shift_JIS character set, by their English names, so
// localised face names do not change it. Looked up once a process.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumeko {

// A face as enumerated: its name as the system gave it here, its English
// family name (empty when unknown) and whether its letters vary in width.
struct TFaceCandidate {
  std::wstring Name;
  std::wstring EnglishName;
  bool Proportional = false;
};

// The choice among candidates: the first of the Japanese user-interface
// faces this system may have, in order of preference; else the first
// proportional face; else the first; names compared in English. The
// candidates come in any order; ties go to the smallest English name.
// Empty when there is no candidate.
std::wstring ChooseDefaultFace(std::vector<TFaceCandidate> candidates);

// The face for "Default" on this system (see above); the system's message
// font when no face has the Japanese character set at all.
const std::wstring& DefaultFontFace();

}  // namespace lumeko
