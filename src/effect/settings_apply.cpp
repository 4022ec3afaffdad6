// Applying the settings to a running effect object, at construction and
// whenever the property page announces a save.
#include "effect/viz_lumeko.h"
#include "settings/settings_store.h"

namespace lumeko {

void TVizLumeko::ApplySettings() {
  if (LoadSettings(Setup)) Changes |= cf_Font;
  const auto wide = [](const char* name, const std::string& loaded) {
    const std::wstring w = LoadSettingTextWide(name, loaded);
    return std::u16string(w.begin(), w.end());
  };
  BkGndImageFilenameW = wide("BkGndImageFilename", Setup.BkGnd.BkGndImageFilename);
  BkGndImageFolderW = wide("BkGndImageFolder", Setup.BkGnd.BkGndImageFolder);

  ThrottleEvent.reset();
  if (Setup.DisplayFlags & df_BurdenReduction) {
    // Never signalled: each frame ends with a 50 ms wait on it.
    ThrottleEvent.reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  }

  ApplyFontSetup();
  ResolveBkGndFiles();
  // Drops the picture; the refilled schedule brings the right one back at
  // the next drain, in this very frame when called from the frame path.
  LoadBackground(std::string());
  Lyrics->SetDefaultOffset(Setup.AdjustTimeTagMSec);
  Lyrics->SetAmendLineEnd((Setup.TagFlags & tf_AmendLineEnd) != 0);
  Lyrics->SetParseOptions(TLyricsParseOptions{(Setup.TagFlags & tf_StandardLrcTags) != 0});
}

bool TVizLumeko::CheckPropertyChange() {
  return PollPropertyChange([this] { ApplySettings(); });
}

// A colour scheme drawn at random when the user wants one, then the frame
// canvas's font from the settings.
void TVizLumeko::ApplyFontSetup() {
  if (Setup.DisplayFlags & df_UseRandomColorScheme) ApplyColorScheme(-1);
  SetCanvasFont();
}

void TVizLumeko::SetCanvasFont() {
  if (TCanvas* c = Canvas()) {
    c->SetFontName(Setup.Font.FontName);
    c->SetFontStyle(Setup.Font.FontStyle);
  }
}

}  // namespace lumeko
