// The controls of the background, time tag, stacking, other and version
// tabs: where each sits, its limits and which handler it runs.
#include <windows.h>
#include <commctrl.h>

#include "platform/wide.h"
#include "ui/draw_mode_list.h"
#include "ui/effect_label.h"
#include "ui/property_form.h"
#include "ui/property_texts.h"

namespace lumeko {

void TfrmProperty::BuildBkGndTab(HWND page) {
  Label(page, "lblBkGndImage", 10, 10, 300, 14);
  Edit(page, "edtBkGndImage", 10, 26, 432, 1024);
  Button(page, "btnRefBkGndImage", 448, 25);
  On("btnRefBkGndImage", BN_CLICKED, [this] { BrowseBkGndImage(); });
  Label(page, "lblBkGndImageFolder", 10, 58, 300, 14);
  Edit(page, "edtBkGndImageFolder", 10, 74, 432, 256);
  Button(page, "btnRefBkGndImageFolder", 448, 73);
  On("btnRefBkGndImageFolder", BN_CLICKED, [this] { BrowseBkGndFolder(); });

  Group(page, "gbBkGndDraw", 10, 108, 516, 214);
  Label(page, "lblBkImageDrawMode", 22, 128, 200, 14);
  drawModePictures_ = MakeDrawModePictures();
  DropList(page, "cbBkImageDrawMode", 22, 144, 280, CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
  Check(page, "cbBkGndImageBlend", 22, 184, 300);
  On("cbBkGndImageBlend", BN_CLICKED, [this] {
    const bool on = Checked("cbBkGndImageBlend");
    ::EnableWindow(Control("edtBkGndImageBlendRate"), on);
    ::EnableWindow(Control("udBkGndImageBlendRate"), on);
  });
  Label(page, "lblBkGndImageBlendRate", 40, 212, 140, 14);
  Edit(page, "edtBkGndImageBlendRate", 182, 208, 56, 3, ES_NUMBER);
  UpDown(page, "udBkGndImageBlendRate", "edtBkGndImageBlendRate", 0, 100);
  SetUpDownPosition("udBkGndImageBlendRate", 50);
  Label(page, "lblBlendPercent", 244, 212, 20, 14);
  Explain(page, "Label10", 40, 240, 474, 74);
  Check(page, "cbForbidDrawBkGndImage", 10, 334, 480);
}

void TfrmProperty::BuildTimeTagTab(HWND page) {
  Group(page, "gbTagAmend", 10, 10, 516, 112);
  Check(page, "chTagAmendLineEnd", 22, 30, 300);
  Explain(page, "lblTagAmendLineEnd", 22, 56, 494, 60);
  Group(page, "gbTimeAdjust", 10, 132, 516, 112);
  Edit(page, "edtTimeAdjust", 22, 154, 76, 6);
  UpDown(page, "udTimeAdjust", "edtTimeAdjust", -10000, 10000);
  SetUpDownPosition("udTimeAdjust", 0);
  Label(page, "lblMilliseconds", 104, 158, 80, 14);
  Explain(page, "lblTimeAdjust", 22, 186, 494, 52);
}

void TfrmProperty::BuildPileTab(HWND page) {
  Label(page, "lblPileEffects", 10, 10, 230, 14);
  Add(page, "lbPileEffects", WC_LISTBOXW, LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP | LBS_NOINTEGRALHEIGHT, 10,
      26, 254, 150, {});
  Label(page, "lblPilePresets", 274, 10, 252, 14);
  Add(page, "lbPilePresets", WC_LISTBOXW, LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP | LBS_NOINTEGRALHEIGHT, 274,
      26, 252, 150, {});
  On("lbPileEffects", LBN_SELCHANGE, [this] { PileEffectClicked(); });
  On("lbPilePresets", LBN_SELCHANGE, [this] {
    pilePreset_ = static_cast<int>(::SendMessageW(Control("lbPilePresets"), LB_GETCURSEL, 0, 0));
  });
  // The box sits on the group's frame and switches what the group holds.
  Group(page, "gbPileEffect", 10, 190, 516, 112);
  Check(page, "cbPileEnabled", 20, 188, 220);
  Check(page, "cbNoLyricsOnly", 22, 212, 480);
  Explain(page, "Label5", 22, 236, 494, 60);
  groups_["cbPileEnabled"] = {"cbNoLyricsOnly", "Label5"};
  On("cbPileEnabled", BN_CLICKED, [this] { EnableGroup("cbPileEnabled"); });
  ::EnableWindow(Control("cbNoLyricsOnly"), FALSE);
  ::EnableWindow(Control("Label5"), FALSE);

  auto note = std::make_unique<TEffectLabel>(page, 10, 310, 516, 56, PageCaption("EffectLabel1"));
  note->SetAutoSize(false);
  note->SetBounds(10, 310, 516, 56);
  note->SetWordWrap(true);
  note->SetShowAccelChar(false);
  TFontChoice font = note->Font();
  font.Color = RGB(176, 0, 0);
  note->SetFont(font);
  note->SetEffectPen({RGB(255, 224, 224), 1});
  note->SetEffect(leHemming);
  controls_["EffectLabel1"] = note->Handle();
  tabOf_["EffectLabel1"] = currentTabBuilt_;
  effectLabels_.push_back(std::move(note));
}

void TfrmProperty::BuildOtherTab(HWND page) {
  Group(page, "gbUseFadeEffect", 10, 12, 516, 84);
  Check(page, "cbUseFadeEffect", 20, 10, 230);
  Check(page, "cbFadeNextSpaceOnly", 22, 34, 480);
  Explain(page, "lblUseFadeEffect", 22, 60, 494, 30);
  groups_["cbUseFadeEffect"] = {"cbFadeNextSpaceOnly", "lblUseFadeEffect"};
  On("cbUseFadeEffect", BN_CLICKED, [this] { EnableGroup("cbUseFadeEffect"); });

  Group(page, "gbBurden", 10, 104, 516, 78);
  Check(page, "cbBurdenReduction", 22, 122, 300);
  Explain(page, "lblBurdenReduction", 22, 146, 494, 30);

  Group(page, "gbDisplay", 10, 190, 516, 138);
  Label(page, "lblLineSpace", 22, 212, 140, 14);
  DropList(page, "cbLineSpace", 166, 208, 200);
  Label(page, "lblKaraokeRowCount", 22, 242, 140, 14);
  Edit(page, "edtKaraokeRowCount", 166, 238, 56, 2, ES_NUMBER);
  UpDown(page, "udKaraokeRowCount", "edtKaraokeRowCount", 0, 30);
  SetUpDownPosition("udKaraokeRowCount", 10);
  Check(page, "cbHideNotHaveTag", 22, 272, 480);
  Check(page, "cbUseRandomColorScheme", 22, 296, 480);
}

void TfrmProperty::BuildVersionTab(HWND page) {
  // The tab's picture: the product's name in the lyrics' outlined style.
  auto logo = std::make_unique<TEffectLabel>(page, 40, 40, 0, 0, "LUMEKO");
  TFontChoice font = logo->Font();
  font.Height = 48;
  font.Style = fs_Bold | fs_Italic;
  font.Color = RGB(255, 255, 255);
  logo->SetFont(font);
  logo->SetEffectPen({RGB(0, 64, 160), 3});
  logo->SetEffect(leOutlineFill);
  logo->SetShowAccelChar(false);
  logo->SetAutoSize(false);  // room for the slant of the last letter
  logo->SetBounds(40, 40, 320, 72);
  controls_["imgAbout"] = logo->Handle();
  effectLabels_.push_back(std::move(logo));
  Add(page, "lblAboutProduct", L"STATIC", SS_LEFT | SS_NOPREFIX, 40, 130, 420, 16, {});
  Add(page, "lblAboutVersion", L"STATIC", SS_LEFT | SS_NOPREFIX, 40, 154, 420, 16, {});
  Add(page, "lblAboutCopyright", L"STATIC", SS_LEFT | SS_NOPREFIX, 40, 178, 420, 16, {});
}

}  // namespace lumeko
