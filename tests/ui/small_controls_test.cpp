// The completing combo box, typed into through its edit's messages; the
// check box through its button messages; the labels read from their pixels.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "render/pixels.h"
#include "ui/check_box_ex.h"
#include "ui/color_picker_button.h"
#include "ui/complement_combo_box.h"
#include "ui/effect_label.h"
#include "ui/ui_fixture.h"

namespace lumeko {
namespace {

using namespace test;

class ComboTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    combo = std::make_unique<TComplementComboBox>(Window(), 10, 10, 200);
    combo->SetItems({"Apple", "Apricot", "Banana", "abc1", "abc2", J("夜明け"), J("夜空")});
    combo->OnCompleted = [this](TComplementComboBox&) { ++completed; };
    ::SetFocus(combo->EditHandle());
  }
  void TearDown() override {
    combo.reset();
    UiTest::TearDown();
  }
  void Retype(const std::wstring& text) {
    ::SetWindowTextW(combo->EditHandle(), L"");
    Type(combo->EditHandle(), text);
  }
  std::pair<DWORD, DWORD> Selection() {
    DWORD a = 0, b = 0;
    ::SendMessageW(combo->EditHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    return {a, b};
  }
  std::unique_ptr<TComplementComboBox> combo;
  int completed = 0;
};

TEST_F(ComboTest, EachRuleCompletesAndTheTypedCaseStays) {
  Type(combo->EditHandle(), L"bA");
  EXPECT_EQ(combo->TextW(), L"bAnana");
  EXPECT_EQ(Selection(), std::make_pair(DWORD{2}, DWORD{6}));
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_TRUE(combo->JustCompleted());
  Type(combo->EditHandle(), L"x");  // overwrites the completed rest
  EXPECT_EQ(combo->TextW(), L"bAx");
  EXPECT_FALSE(combo->JustCompleted());
  Retype(L"\u591c");  // 夜: an item of CP932 text completes in either code page
  EXPECT_EQ(combo->TextW(), L"\u591c\u660e\u3051");

  combo->SetAutoComplete(atSingle);
  Retype(L"ap");  // Apple and Apricot: no single candidate
  EXPECT_EQ(combo->TextW(), L"ap");
  Type(combo->EditHandle(), L"r");
  EXPECT_EQ(combo->TextW(), L"apricot");

  combo->SetAutoComplete(atMultiple);
  Retype(L"a");  // everything starting with a shares only the a
  EXPECT_EQ(combo->TextW(), L"a");
  Type(combo->EditHandle(), L"b");
  EXPECT_EQ(combo->TextW(), L"abc");
  EXPECT_EQ(Selection(), std::make_pair(DWORD{2}, DWORD{3}));

  combo->SetAutoComplete(atNone);
  Retype(L"Ban");
  EXPECT_EQ(combo->TextW(), L"Ban");
  EXPECT_EQ(completed, 5);
}

TEST_F(ComboTest, DelayedCompletionWaitsForItsTimer) {
  combo->SetCompleteDelay(300);
  Type(combo->EditHandle(), L"ban");
  EXPECT_EQ(combo->TextW(), L"ban");
  EXPECT_TRUE(combo->CompletionPending());
  Pump(150);
  EXPECT_EQ(combo->TextW(), L"ban");
  EXPECT_TRUE(PumpUntil(2000, [&] { return combo->TextW() == L"banana"; }));
  EXPECT_FALSE(combo->CompletionPending());

  // Text that is an item already completes at once (to a longer item when
  // one comes first, else not at all), with no timer.
  Retype(L"abc2");
  EXPECT_FALSE(combo->CompletionPending());
  EXPECT_EQ(combo->TextW(), L"abc2");
  Type(combo->EditHandle(), L"\b\b\b");
  Type(combo->EditHandle(), L"p");
  EXPECT_TRUE(combo->CompletionPending());
  combo->SetAutoComplete(atNone);  // stops the pending timer
  EXPECT_FALSE(combo->CompletionPending());
  Pump(400);
  EXPECT_EQ(combo->TextW(), L"ap");
}

TEST_F(ComboTest, TextOutsideCp932StaysAsTypedAndMatchesNothing) {
  Type(combo->EditHandle(), L"\u20ac\u00e9a");  // € has no CP932 form
  EXPECT_EQ(combo->TextW(), L"\u20ac\u00e9a");
  EXPECT_FALSE(combo->TextFitsCp932());
  EXPECT_EQ(combo->Text().front(), '?');  // converted at the boundary
  EXPECT_EQ(combo->Text().back(), 'a');
  EXPECT_EQ(completed, 0);

  // A style change re-creates the window and keeps the text and items.
  combo->SetStyle(csSimple);
  EXPECT_EQ(combo->TextW(), L"\u20ac\u00e9a");
  Retype(L"Ba");
  EXPECT_EQ(combo->TextW(), L"Banana");
  // Completion never goes past the length limit.
  combo->SetMaxLength(4);
  Retype(L"ap");
  EXPECT_EQ(combo->TextW(), L"appl");
}

TEST(CompletionTest, HundredThousandItemsStillFindTheirMatch) {
  TCompletionIndex index;
  std::vector<std::string> items;
  char name[16];
  for (int i = 0; i < 100000; ++i) {
    std::snprintf(name, sizeof name, "song %05d", i);
    items.push_back(name);
  }
  index.Assign(items);
  std::optional<TCompletion> c = Complete(index, L"SONG 9999", atFirst);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->Text, L"SONG 99990");
  EXPECT_EQ(c->Item, 99990);
  EXPECT_FALSE(Complete(index, L"song 1234", atMultiple));  // song 12340 to 12349 share no more
  EXPECT_FALSE(Complete(index, L"song 1234", atSingle));
  EXPECT_EQ(Complete(index, L"song 1234", atFirst)->Text, L"song 12340");
  EXPECT_FALSE(Complete(index, L"Song 12345", atFirst));  // an item already
}

class SmallControlsTest : public UiTest {};

TEST_F(SmallControlsTest, PushLikeCheckBoxIsRecreatedAndKeepsItsState) {
  TCheckBoxEx box(Window(), 10, 10, 80, 24, J("太字(&B)"));
  int clicks = 0;
  box.OnClick = [&](TCheckBoxEx&) { ++clicks; };
  TFontChoice bold;
  bold.Style = fs_Bold;
  box.SetFont(bold);
  box.SetChecked(true);  // a change by program clicks too
  EXPECT_EQ(clicks, 1);
  const HWND before = box.Handle();
  box.SetStyle(cbsPushLike);
  EXPECT_NE(box.Handle(), before);
  EXPECT_FALSE(::IsWindow(before));
  EXPECT_TRUE(::GetWindowLongW(box.Handle(), GWL_STYLE) & BS_PUSHLIKE);
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(box.Caption(), J("太字(&B)"));
  LOGFONTW lf{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(box.Handle(), WM_GETFONT, 0, 0)), sizeof(lf), &lf);
  EXPECT_GE(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(clicks, 1);
  ::SendMessageW(box.Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(clicks, 2);
}

TEST_F(SmallControlsTest, TabEnterAndAltLettersReachTheControls) {
  TLabelEx label(Window(), 10, 10, 0, 0, "&Colour");
  TColorPickerButton picker(Window(), 80, 10);
  TCheckBoxEx box(Window(), 10, 40, 80, 24, "&Bold");
  TComplementComboBox combo(Window(), 10, 70, 120);
  // What a dialog's message loop does with a key.
  auto key = [&](UINT msg, WPARAM wp) {
    MSG m{::GetFocus(), msg, wp, msg == WM_SYSCHAR ? (1 << 29) : 1, 0, {}};
    if (!::IsDialogMessageW(Window(), &m)) ::DispatchMessageW(&m);
    Pump();
  };
  ::SetFocus(picker.Handle());
  key(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(::GetFocus(), box.Handle());
  key(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(::GetFocus(), combo.EditHandle());
  key(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(::GetFocus(), picker.Handle());
  key(WM_SYSCHAR, 'b');
  EXPECT_TRUE(box.Checked());
  key(WM_SYSCHAR, 'c');  // the label's letter takes the focus to the control after it
  EXPECT_EQ(::GetFocus(), picker.Handle());
  key(WM_KEYDOWN, VK_RETURN);
  EXPECT_TRUE(picker.DroppedDown());
  key(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_FALSE(picker.DroppedDown());
}

// The box a colour covers in a control's pixels (or, with other, all but it).
Box InkOf(TWindowControl& c, std::uint32_t colorref, bool other = false) {
  test::TestFrame f;
  Snapshot(c.Handle(), f);
  const std::uint32_t want = FramePixel(colorref);
  return FindBox(f, [&](std::uint32_t p) { return (p == want) != other; });
}

TFontChoice Big(std::uint32_t color) {
  TFontChoice f;
  f.Name = kTestFont;
  f.Height = 32;
  f.Color = color;
  return f;
}

constexpr std::uint32_t kBlue = 0xFF0000, kRed = 0x0000FF, kWhite = 0xFFFFFF;

TEST_F(SmallControlsTest, LabelPlacesTextByTabsMarginsAndLayout) {
  TLabelEx label(Window(), 10, 10, 0, 0, "A\tB");
  label.SetFont(Big(kBlue));
  label.SetColor(kWhite);
  const Box eight = InkOf(label, kBlue);
  label.SetTabLength(2);
  const Box two = InkOf(label, kBlue);
  EXPECT_GT(eight.right - two.right, 50);  // B moved left by six tab characters
  EXPECT_EQ(two.left, eight.left);

  const int width = label.Width();
  label.SetMargins({20, 0});
  EXPECT_EQ(InkOf(label, kBlue).left, two.left + 20);
  EXPECT_EQ(label.Width(), width + 20);

  // A right-aligned label keeps its right edge when it sizes itself.
  label.SetAlignment(taRightJustify);
  const RECT before = label.Bounds();
  label.SetCaption("A\tB\tC");
  EXPECT_EQ(label.Bounds().right, before.right);
  EXPECT_LT(label.Bounds().left, before.left);

  // Centred vertically in a taller, fixed box.
  label.SetAutoSize(false);
  label.SetBounds(10, 10, 200, 120);
  label.SetLayout(tlCenter);
  const Box centred = InkOf(label, kBlue);
  EXPECT_NEAR((centred.top + centred.bottom) / 2, 60, 6);
  label.SetLayout(tlBottom);
  EXPECT_GT(InkOf(label, kBlue).bottom, 110);
}

TEST_F(SmallControlsTest, DisabledLabelIsEmbossedAndEllipsisStaysInside) {
  TLabelEx label(Window(), 10, 10, 0, 0, "Lumeko");
  label.SetFont(Big(kBlue));
  label.SetEnabled(false);
  const Box light = InkOf(label, ::GetSysColor(COLOR_BTNHIGHLIGHT));
  const Box dark = InkOf(label, ::GetSysColor(COLOR_BTNSHADOW));
  ASSERT_FALSE(dark.Empty());
  EXPECT_EQ(light.right, dark.right + 1);
  EXPECT_EQ(light.bottom, dark.bottom + 1);
  EXPECT_TRUE(InkOf(label, kBlue).Empty());

  // A path too long for the box loses its middle, not its end.
  TLabelEx path(Window(), 10, 80, 0, 0, "C:\\Music\\a rather long folder name\\Z");
  path.SetFont(Big(kBlue));
  const Box whole = InkOf(path, kBlue);
  path.SetAutoSize(false);
  path.SetBounds(10, 80, whole.Width() / 2, path.Height());
  path.SetEllipsis(etPath);
  const Box cut = InkOf(path, kBlue);
  EXPECT_LT(cut.right, whole.Width() / 2);
  EXPECT_GT(cut.right, whole.Width() / 2 - 40);  // the file name at the end is still drawn
}

TEST_F(SmallControlsTest, EffectLabelsDrawTheirEffects) {
  const std::string square = "\x81\xa1";  // ■: a solid glyph with straight edges
  TEffectLabel label(Window(), 10, 10, 0, 0, square);
  label.SetFont(Big(kBlue));
  label.SetColor(kWhite);
  label.SetEffectPen({kRed, 4});
  const Box plain = InkOf(label, kBlue);
  const int plainWidth = label.Width();
  ASSERT_GT(plain.Width(), 10);

  label.SetShadowOffsetX(2);
  label.SetShadowOffsetY(3);
  label.SetEffect(leShadow);
  const Box text = InkOf(label, kBlue), shadow = InkOf(label, kRed);
  EXPECT_EQ(shadow.right, text.right + 2);
  EXPECT_EQ(shadow.bottom, text.bottom + 3);
  EXPECT_EQ(label.Width(), plainWidth + 2);

  // The hem: everything drawn reaches one pixel further on every side
  // (edges are anti-aliased, so this compares all that is not background).
  label.SetEffect(leNone);
  const Box drawn = InkOf(label, kWhite, true);
  label.SetEffect(leHemming);
  const Box hemmed = InkOf(label, kWhite, true);
  EXPECT_EQ(hemmed.Width(), drawn.Width() + 2);
  EXPECT_EQ(hemmed.Height(), drawn.Height() + 2);
  EXPECT_EQ(hemmed.left, drawn.left);  // the label made room for the left hem
  EXPECT_EQ(label.Width(), plainWidth + 2);
  EXPECT_FALSE(InkOf(label, kRed).Empty());

  // Outlines: the label grows by the pen; the stroke runs round the square,
  // whose middle is the background (outline) or the font colour (filled).
  test::TestFrame f;
  for (TLabelEffect effect : {leOutline, leOutlineFill}) {
    label.SetEffect(effect);
    EXPECT_EQ(label.Width(), plainWidth + 4);
    const Box stroke = InkOf(label, kRed);
    ASSERT_FALSE(stroke.Empty());
    Snapshot(label.Handle(), f);
    const std::uint32_t middle = f.Pixel((stroke.left + stroke.right) / 2, (stroke.top + stroke.bottom) / 2);
    EXPECT_EQ(middle, effect == leOutline ? FramePixel(kWhite) : FramePixel(kBlue)) << effect;
  }

  // Reversed: a block of the font colour with the letter cut out, so the
  // background shows inside the block where the square stands.
  label.SetEffect(leReverse);
  const Box block = InkOf(label, kBlue);
  Snapshot(label.Handle(), f);
  EXPECT_GT(block.Width(), plain.Width());
  EXPECT_EQ(f.Pixel((plain.left + plain.right) / 2, (plain.top + plain.bottom) / 2), FramePixel(kWhite));
  EXPECT_EQ(f.Pixel(block.left, block.top), FramePixel(kBlue));
}

}  // namespace
}  // namespace lumeko
