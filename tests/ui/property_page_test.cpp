// The property page driven with messages as a user's clicks and typing send
// them, over a scratch registry: what it shows is read from its controls and
// pixels, what it stores from the registry itself.
#include <gtest/gtest.h>

#include <objbase.h>

#include <algorithm>
#include <memory>

#include "render/pixels.h"
#include "settings/registry_ex.h"
#include "settings/registry_fixture.h"
#include "settings/scheme_store.h"
#include "settings/settings_store.h"
#include "ui/color_cells.h"
#include "ui/color_picker_button.h"
#include "ui/complement_combo_box.h"
#include "ui/modal_driver.h"
#include "ui/property_form.h"
#include "ui/sample_box.h"
#include "ui/system_dialogs.h"
#include "ui/ui_fixture.h"

namespace lumeko {
namespace {

using test::TModalDriver;

class PropertyPage : public test::RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    com_ = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ASSERT_TRUE(settings.OpenKey(kSettingsKey, true));
  }
  void TearDown() override {
    page.reset();
    test::Pump();
    if (SUCCEEDED(com_)) ::CoUninitialize();
    RegistryTest::TearDown();
  }
  TfrmProperty& Open() {
    page.reset();
    page = std::make_unique<TfrmProperty>(nullptr, L"");
    // Shown without activation, as the controls' own tests show theirs.
    ::SetWindowPos(page->Handle(), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    test::Pump();
    return *page;
  }
  // A control's notification to its parent, as a click or a choice sends it.
  void Notify(const char* name, WORD code) {
    const HWND c = page->Control(name);
    ::SendMessageW(::GetParent(c), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(c), code), reinterpret_cast<LPARAM>(c));
  }
  void Choose(const char* combo, int index) {
    ::SendMessageW(page->Control(combo), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(combo, CBN_SELCHANGE);
  }
  void Close(int how) { ::SendMessageW(page->Handle(), WM_COMMAND, MAKEWPARAM(how, BN_CLICKED), 0); }
  std::wstring Text(const char* name) {
    wchar_t text[256] = {};
    ::GetWindowTextW(page->Control(name), text, 256);
    return text;
  }
  void SetText(const char* name, const std::wstring& text) { ::SetWindowTextW(page->Control(name), text.c_str()); }
  bool Checked(const char* name) { return ::SendMessageW(page->Control(name), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  int Selected(const char* combo) { return static_cast<int>(::SendMessageW(page->Control(combo), CB_GETCURSEL, 0, 0)); }
  // Picks a named colour in a picker's popup with the mouse.
  void PickColour(const char* picker, int cell) {
    TColorPickerButton& b = *page->Picker(picker);
    ::SendMessageW(b.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b.Width() - 4, 10));
    ASSERT_TRUE(b.Popup());
    const RECT r = PopupCellRect(b.Popup()->Layout(), cell);
    ::SendMessageW(b.Popup()->Handle(), WM_LBUTTONUP, 0, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    test::Pump();
  }
  std::vector<std::string> StoredNames() {
    TRegistry r(HKEY_CURRENT_USER);
    return r.OpenKeyReadOnly(kSettingsKey) ? r.GetValueNames() : std::vector<std::string>{};
  }
  std::int32_t Stored(const char* name) { return settings.ReadIntegerDef(name, -12345); }

  TRegistryEx settings{HKEY_CURRENT_USER};
  std::unique_ptr<TfrmProperty> page;
  HRESULT com_ = E_FAIL;
};

TEST_F(PropertyPage, AFreshRegistryShowsTheDocumentedValuesAndOkWritesExactlyThemThenSignals) {
  const UniqueHandleH event = CreatePropertyChangeEvent();
  TfrmProperty& p = Open();
  EXPECT_EQ(Text("edtBkGndImageBlendRate"), L"50");
  EXPECT_EQ(Text("edtFontMinSize"), L"6");
  EXPECT_EQ(Text("edtTimeAdjust"), L"0");
  EXPECT_EQ(Text("edtKaraokeRowCount"), L"8");
  EXPECT_EQ(Text("lblSimilarStrengthLevel"), L"3");
  EXPECT_EQ(p.FontList().TextW(), L"Default");
  for (const char* box : {"cbFontStyleBold", "cbFontStyleItalic", "cbFontStyleUnderline"}) EXPECT_FALSE(Checked(box));
  EXPECT_EQ(p.Picker("cpbtnActiveColor")->SelectionColor(), 0xFFFFFFu);
  EXPECT_EQ(p.Picker("cpbtnStillNotActiveColor")->SelectionColor(), 0xC0C0C0u);
  EXPECT_EQ(p.Picker("cpbtnInactiveColor")->SelectionColor(), 0x808080u);
  EXPECT_EQ(p.Picker("cpbtnActiveEffectColor")->SelectionColor(), 0x0000FFu);
  EXPECT_TRUE(Checked("chShowHint") && Checked("cbUseFadeEffect") && Checked("cbNoLyricsOnly"));
  EXPECT_FALSE(::IsWindowEnabled(p.Control("cbNoLyricsOnly")));  // the stacking is off

  Close(IDOK);
  EXPECT_TRUE(p.Closed());
  EXPECT_EQ(p.ModalResult(), IDOK);
  EXPECT_EQ(::WaitForSingleObject(event.get(), 0), WAIT_OBJECT_0);
  // Every value the page writes and no other, each with its documented
  // type and value: the defaults, the blend on the 0..255 scale, this version.
  std::vector<std::string> written;
  for (const TSettingDef* def : SettingSaveOrder()) written.push_back(def->Name);
  std::vector<std::string> stored = StoredNames();
  std::sort(written.begin(), written.end());
  std::sort(stored.begin(), stored.end());
  EXPECT_EQ(stored, written);
  for (const TSettingDef* def : SettingSaveOrder()) {
    const std::string name = def->Name;
    TSettingValue want = def->Default();
    if (name == "Version") want.Int = kSettingsVersion;
    if (def->Kind == TSettingKind::sk_String)
      EXPECT_EQ(settings.TryReadString(name), std::optional<std::string>(want.Text)) << name;
    else if (def->Kind == TSettingKind::sk_Byte)
      EXPECT_EQ(settings.TryReadBinary(name), (std::vector<std::uint8_t>{static_cast<std::uint8_t>(want.Int)})) << name;
    else
      EXPECT_EQ(settings.TryReadInteger(name), std::optional<std::int32_t>(want.Int)) << name;
  }
  EXPECT_EQ(Stored("BkGndImageBlendAlpha"), 127);
}

TEST_F(PropertyPage, ASchemeSetsFontAndColoursUntilAColourChangesAndIsSavedByItsName) {
  TColorScheme night;
  night.Font = {"Default", fs_Bold, 2, 9};
  night.Color = {0x00FF00, 0x00FFFF, 0x404040, 0xFF00FF, 0x400000, 0x200020};
  ASSERT_TRUE(WriteColorScheme("Dawn", TColorScheme{}));
  ASSERT_TRUE(WriteColorScheme("Night", night));
  settings.WriteString("ColorSchemeName", "Gone");  // deleted since it was chosen
  settings.WriteString("PileEffectClassId", "{9B6F3B0A-5C1D-4E55-9A0B-0C2C7E0D1F00}");  // no longer installed
  settings.WriteInteger("PileEffectPreset", 2);
  TfrmProperty* p = &Open();
  EXPECT_EQ(p->SchemeName(), "");
  EXPECT_EQ(Selected("cbColorScheme"), -1);
  const int index = static_cast<int>(::SendMessageW(p->Control("cbColorScheme"), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                    reinterpret_cast<LPARAM>(L"Night")));
  ASSERT_GE(index, 0);
  Choose("cbColorScheme", index);
  EXPECT_EQ(p->Picker("cpbtnActiveColor")->SelectionColor(), 0x00FF00u);
  EXPECT_EQ(p->Picker("cpbtnBkGndColor")->SelectionColor(), 0x200020u);
  EXPECT_TRUE(Checked("cbFontStyleBold"));
  EXPECT_EQ(Selected("cbFontEffect"), 2);
  EXPECT_EQ(Text("edtFontMinSize"), L"9");
  EXPECT_EQ(p->SchemeName(), "Night");
  Close(IDOK);
  EXPECT_EQ(settings.TryReadString("ColorSchemeName"), std::optional<std::string>("Night"));
  EXPECT_EQ(Stored("ActiveColor"), 0x00FF00);
  EXPECT_EQ(Stored("InactiveColor"), 0x404040);
  EXPECT_EQ(Stored("FontEffect"), 2);
  EXPECT_EQ(Stored("FontMinSize"), 9);
  EXPECT_EQ(settings.TryReadBinary("FontStyle"), (std::vector<std::uint8_t>{fs_Bold}));
  EXPECT_EQ(settings.TryReadString("PileEffectClassId"), std::optional<std::string>(""));
  EXPECT_EQ(Stored("PileEffectPreset"), -1);

  // Opened again the scheme is chosen; a colour changed by hand is no longer it.
  p = &Open();
  EXPECT_EQ(Selected("cbColorScheme"), index);
  p->SelectTab(pt_FontColor);
  PickColour("cpbtnBkGndColor", 16);  // red
  EXPECT_EQ(p->Picker("cpbtnBkGndColor")->SelectionColor(), 0x0000FFu);
  EXPECT_EQ(Selected("cbColorScheme"), -1);
  EXPECT_EQ(p->SchemeName(), "");
  Close(IDOK);
  EXPECT_EQ(settings.TryReadString("ColorSchemeName"), std::optional<std::string>(""));
  EXPECT_EQ(Stored("BackgroundColor"), 0x0000FF);
}

TEST_F(PropertyPage, SavingASchemeAsksForANameAndOverwritesTheOneOfThatNameInAnyCase) {
  ASSERT_TRUE(WriteColorScheme("Night", TColorScheme{}));
  TfrmProperty& p = Open();
  p.SelectTab(pt_FontColor);
  PickColour("cpbtnBkGndColor", 16);
  bool stayedOpen = false, focused = false;
  std::wstring offered = L"?";
  TModalDriver dialog(TModalDriver::Captioned(L"配色の保存", p.Handle()), [&](HWND d) {
    const HWND combo = ::FindWindowExW(d, nullptr, L"ComboBox", nullptr);
    const HWND edit = ::FindWindowExW(combo, nullptr, L"Edit", nullptr);
    offered = TModalDriver::AllText(combo);
    focused = ::GetFocus() == edit;
    ::SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);  // no name yet
    stayedOpen = ::IsWindowVisible(d) != FALSE;
    test::Type(edit, L"night");
    ::SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  Notify("btnSaveColorScheme", BN_CLICKED);
  ASSERT_TRUE(dialog.Ran());
  EXPECT_EQ(offered, L"");  // no scheme was chosen
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(focused) << "the name box has the focus";
  EXPECT_EQ(p.SchemeName(), "night");
  EXPECT_EQ(Selected("cbColorScheme"), 0);
  EXPECT_EQ(::SendMessageW(p.Control("cbColorScheme"), CB_GETCOUNT, 0, 0), 1);
  // Stored at once, under the name it had: Cancel on the page keeps it.
  Close(IDCANCEL);
  EXPECT_EQ(ReadSchemeNames(), std::vector<std::string>{"Night"});
  ASSERT_TRUE(ReadColorScheme("Night"));
  EXPECT_EQ(ReadColorScheme("Night")->Color.BackgroundColor, 0x0000FFu);
  EXPECT_TRUE(StoredNames().empty());
}

TEST_F(PropertyPage, BlendPercentAndStoredAlphaConvertBothWays) {
  // Shown from what an older (tenths) or this release stored; saved from
  // the percentage typed.
  const struct {
    int Version, Stored;
    const wchar_t* Shown;
    const wchar_t* Typed;
    int Saved;
  } cases[] = {{20000, 5, L"50", L"100", 255}, {20508, 255, L"100", L"50", 127}, {20000, 10, L"100", L"0", 0},
               {20508, 0, L"0", L"99", 252}};
  for (const auto& c : cases) {
    settings.WriteInteger("Version", c.Version);
    settings.WriteInteger("BkGndImageBlendAlpha", c.Stored);
    Open();
    EXPECT_EQ(Text("edtBkGndImageBlendRate"), c.Shown) << c.Version << " " << c.Stored;
    SetText("edtBkGndImageBlendRate", c.Typed);
    Close(IDOK);
    EXPECT_EQ(Stored("BkGndImageBlendAlpha"), c.Saved) << c.Typed;
    EXPECT_EQ(Stored("Version"), kSettingsVersion);
  }
}

TEST_F(PropertyPage, CancelWritesNothingAndTextOutsideCp932IsKeptWholeOrRefusedNeverStoredAsQuestionMarks) {
  const std::wstring hangul = L"C:\\\uC74C\uC545";
  TfrmProperty* p = &Open();
  SetText("edtBkGndImageFolder", hangul + L"\\");
  SetText("edtLyricsPath", L"D:\\lyrics;" + hangul);
  p->SelectTab(pt_Other);
  std::wstring said;
  TModalDriver box(TModalDriver::Captioned(L"LUMEKOの設定", p->Handle()), [&](HWND w) {
    said = TModalDriver::AllText(w);
    ::SendMessageW(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  Close(IDOK);
  ASSERT_TRUE(box.Ran());
  EXPECT_NE(said.find(L"\uC74C"), std::wstring::npos) << "the message names the character";
  EXPECT_FALSE(p->Closed());
  EXPECT_EQ(p->CurrentTab(), pt_File);  // the field is shown
  EXPECT_TRUE(StoredNames().empty());

  SetText("edtLyricsPath", L"D:\\lyrics");
  Close(IDOK);
  EXPECT_TRUE(p->Closed());
  EXPECT_EQ(settings.TryReadWideString("BkGndImageFolder"), std::optional<std::wstring>(hangul + L"\\"));
  EXPECT_EQ(settings.TryReadString("LyricsPath"), std::optional<std::string>("D:\\lyrics"));

  // Opened again it shows the folder whole; Cancel and the close box keep what is stored.
  for (UINT how : {UINT{IDCANCEL}, UINT{WM_CLOSE}}) {
    p = &Open();
    EXPECT_EQ(Text("edtBkGndImageFolder"), hangul + L"\\");
    SetText("edtKaraokeRowCount", L"20");
    SetText("edtLyricsPath", L"E:\\other");
    if (how == WM_CLOSE)
      ::SendMessageW(p->Handle(), WM_CLOSE, 0, 0);
    else
      Close(IDCANCEL);
    EXPECT_TRUE(p->Closed());
    EXPECT_EQ(p->ModalResult(), IDCANCEL);
    EXPECT_EQ(Stored("KaraokeRowCount"), 8);
    EXPECT_EQ(settings.TryReadString("LyricsPath"), std::optional<std::string>("D:\\lyrics"));
  }
  EXPECT_EQ(QuoteFolder(L"C:\\My \"Lyrics\""), L"\"C:\\My \"\"Lyrics\"\"\"");
  EXPECT_EQ(QuoteFolder(L"C:\\Lyrics"), L"C:\\Lyrics");
}

TEST_F(PropertyPage, TheSampleShowsALineHalfSungInTheChosenColours) {
  settings.WriteInteger("ActiveColor", 0x00FF00);          // green
  settings.WriteInteger("StillNotActiveColor", 0xFF0000);  // blue
  settings.WriteInteger("ActiveBkGndColor", 0x000080);     // dark red
  settings.WriteInteger("BackgroundColor", 0x000000);
  settings.WriteInteger("ActiveEffectColor", 0x00FFFF);    // yellow
  TfrmProperty& p = Open();
  p.SelectTab(pt_FontColor);
  test::TestFrame f;
  test::Snapshot(p.SampleBox().Handle(), f);
  const RECT box = p.SampleBox().ActiveBox();
  const int middle = (box.left + box.right) / 2;
  auto count = [&](std::uint32_t colorref, int from, int to) {
    int n = 0;
    for (int y = box.top; y < box.bottom; ++y)
      for (int x = from; x < to; ++x) n += f.Pixel(x, y) == test::FramePixel(colorref);
    return n;
  };
  EXPECT_EQ(f.Pixel(box.left + 1, box.top + 1), test::FramePixel(0x000080));
  EXPECT_EQ(f.Pixel(1, 1), 0u);
  EXPECT_GT(count(0x00FF00, box.left, middle), 20);
  EXPECT_LE(count(0x00FF00, middle + 1, box.right), 2);
  EXPECT_GT(count(0xFF0000, middle + 1, box.right), 20);
  EXPECT_LE(count(0xFF0000, box.left, middle - 1), 2);
  EXPECT_EQ(count(0x00FFFF, box.left, box.right), 0);
  Choose("cbFontEffect", 1);  // framed: the frame colour comes in
  test::Snapshot(p.SampleBox().Handle(), f);
  EXPECT_GT(count(0x00FFFF, box.left, box.right), 20);
}

}  // namespace
}  // namespace lumeko
