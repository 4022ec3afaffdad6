// The colour picker and its popup, driven by mouse and key messages; what
// they show is read from their pixels, what they chose from the button.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "render/pixels.h"
#include "ui/color_cells.h"
#include "ui/color_picker_button.h"
#include "ui/ui_fixture.h"

namespace lumeko {
namespace {

using namespace test;

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

bool Near(std::uint32_t pixel, std::uint32_t colorref, int tolerance = 0) {
  const std::uint32_t want = FramePixel(colorref);
  return std::abs(R(pixel) - R(want)) <= tolerance && std::abs(G(pixel) - G(want)) <= tolerance &&
         std::abs(B(pixel) - B(want)) <= tolerance;
}

class ColorPickerTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    button = std::make_unique<TColorPickerButton>(Window(), 20, 20);
    Hook(*button);
  }
  void TearDown() override {
    button.reset();
    UiTest::TearDown();
  }
  void Hook(TColorPickerButton& b) {
    b.OnChanged = [this](TColorPickerButton&) { ++changed; };
    b.OnDefaultSelect = [this](TColorPickerButton&) { ++defaults; };
    b.OnDropChanged = [this](TColorPickerButton&) { ++dropChanges; };
  }
  // Opens as a user does: pressing the drop-down part.
  HWND Open() {
    ::SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button->Width() - 4, 10));
    return button->Popup() ? button->Popup()->Handle() : nullptr;
  }
  bool IsOpen() {
    return button->DroppedDown() && button->Popup() && ::IsWindowVisible(button->Popup()->Handle()) &&
           ::GetCapture() == button->Popup()->Handle();
  }
  const TPopupLayout& Layout() { return button->Popup()->Layout(); }
  POINT CellCentre(int item) { return Centre(PopupCellRect(Layout(), item)); }
  void Hover(POINT p, WPARAM keys = 0) { ::SendMessageW(button->Popup()->Handle(), WM_MOUSEMOVE, keys, MAKELPARAM(p.x, p.y)); }

  std::unique_ptr<TColorPickerButton> button;
  int changed = 0, defaults = 0, dropChanges = 0;
};

TEST_F(ColorPickerTest, PopupOfOnlyTheGridShowsTheNamedColoursUnderTheButton) {
  const HWND popup = Open();
  ASSERT_TRUE(IsOpen());
  EXPECT_EQ(dropChanges, 1);
  EXPECT_EQ(::GetWindow(popup, GW_OWNER), Window());
  const int e = ::GetSystemMetrics(SM_CXEDGE);
  RECT client{}, placed{}, anchor{};
  ::GetClientRect(popup, &client);
  EXPECT_EQ(client.right, 8 * 18 + 2 * e + 2 * 8);
  EXPECT_EQ(client.bottom, 5 * 18 + 4 * e);
  ::GetWindowRect(popup, &placed);
  ::GetWindowRect(button->Handle(), &anchor);
  EXPECT_EQ(placed.left, anchor.left - 1);
  EXPECT_EQ(placed.top, anchor.bottom);

  test::TestFrame f;
  Snapshot(popup, f);
  for (int i = 0; i < kNamedColorCount; ++i) {
    const POINT c = CellCentre(i);
    EXPECT_TRUE(Near(f.Pixel(c.x, c.y), NamedColor(i).Value)) << NamedColor(i).Name;
  }
  EXPECT_EQ(f.Pixel(CellCentre(16).x, CellCentre(16).y), 0xFF0000u);  // "Red"
  EXPECT_EQ(f.Pixel(CellCentre(26).x, CellCentre(26).y), 0xFFFF00u);  // "Yellow"

  // The release of the opening press, outside the popup, leaves it open;
  // a click on "Blue" chooses it and closes.
  ::SendMessageW(popup, WM_LBUTTONUP, 0, MAKELPARAM(-20, -10));
  ASSERT_TRUE(IsOpen());
  Click(popup, CellCentre(13));
  EXPECT_EQ(button->SelectionColor(), 0xFF0000u);
  EXPECT_EQ(changed, 1);
  EXPECT_FALSE(button->DroppedDown());
  EXPECT_FALSE(::IsWindowVisible(popup));
  EXPECT_NE(::GetCapture(), popup);
  EXPECT_EQ(dropChanges, 2);
}

TEST_F(ColorPickerTest, ItemsAndSystemColoursTakeTheirPlaces) {
  button->SetDefaultText("Automatic");
  button->SetCustomText("More colours");
  button->SetShowSystemColors(true);
  button->SetSelectionColor(SysColorRef(COLOR_WINDOW));
  const HWND popup = Open();
  const TPopupLayout& l = Layout();
  const int e = ::GetSystemMetrics(SM_CXEDGE), itemH = l.DefaultItem.bottom - l.DefaultItem.top;
  RECT client{};
  ::GetClientRect(popup, &client);
  EXPECT_EQ(client.bottom, 5 * 18 + 4 * e + 2 * (itemH + 2 * e) + 4 * 18 + 2 * e);
  EXPECT_LE(l.DefaultItem.bottom, l.Grid.y);
  EXPECT_GE(l.CustomItem.top, l.SystemGrid.y + 4 * 18);
  EXPECT_EQ(button->Popup()->SelectedItem(), kFirstSystemItem + COLOR_WINDOW);

  test::TestFrame f;
  Snapshot(popup, f);
  for (int n = 0; n < kSystemColorCount; ++n) {
    const POINT c = CellCentre(kFirstSystemItem + n);
    EXPECT_TRUE(Near(f.Pixel(c.x, c.y), ::GetSysColor(n))) << SystemColorName(n);
  }
  // Both captions are drawn: dark text pixels inside each item.
  for (const RECT& item : {l.DefaultItem, l.CustomItem})
    EXPECT_FALSE(FindBox(f, [](std::uint32_t p) { return R(p) + G(p) + B(p) < 200; }, item.left + 3, item.top + 3,
                         item.right - 30, item.bottom - 3).Empty());
}

TEST_F(ColorPickerTest, SelectionColorChangesOnlyWhenTheValueDiffers) {
  button->SetSelectionColor(0);  // the value it has
  EXPECT_EQ(changed, 0);
  button->SetSelectionColor(0x00FF00);
  button->SetSelectionColor(0x00FF00);
  button->SetSelectionColor(0x1200FF00);  // only the colour bytes count
  EXPECT_EQ(changed, 1);
  test::TestFrame f;
  Snapshot(button->Handle(), f);
  EXPECT_EQ(f.Pixel(15, 11), 0x00FF00u);  // the indicator

  button->SetSelectionColor(SysColorRef(COLOR_HIGHLIGHT));
  EXPECT_EQ(button->SelectionColor(), SysColorRef(COLOR_HIGHLIGHT));
  Snapshot(button->Handle(), f);
  EXPECT_TRUE(Near(f.Pixel(15, 11), ::GetSysColor(COLOR_HIGHLIGHT)));
  button->SetSelectionColor(0x80001234);  // no such system colour
  EXPECT_EQ(button->SelectionColor(), 0x001234u);
  EXPECT_EQ(changed, 3);
}

TEST_F(ColorPickerTest, DefaultItemRaisesItsEventAndChangesNothing) {
  button->SetDefaultText("Automatic");
  button->SetSelectionColor(0x00FF00);
  changed = 0;
  const HWND popup = Open();
  Click(popup, Centre(Layout().DefaultItem));
  EXPECT_EQ(defaults, 1);
  EXPECT_EQ(changed, 0);
  EXPECT_EQ(button->SelectionColor(), 0x00FF00u);
  EXPECT_FALSE(IsOpen());
}

TEST_F(ColorPickerTest, EscapeOutsideClicksAndLostFocusCloseWithoutAChoice) {
  const HWND other = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 200, 20, 80, 20, Window(), nullptr,
                                       nullptr, nullptr);
  const std::function<void(HWND)> closers[] = {
      [&](HWND) { PostKey(button->Handle(), VK_ESCAPE); },
      [&](HWND p) { ::SendMessageW(p, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-30, 5)); },
      [&](HWND) { ::SetFocus(other); },
      [&](HWND) { ::SetCapture(Window()); },  // another window takes the mouse
  };
  for (const auto& close : closers) {
    const HWND popup = Open();
    ASSERT_TRUE(IsOpen());
    close(popup);
    EXPECT_FALSE(button->DroppedDown());
    EXPECT_FALSE(::IsWindowVisible(popup));
    ::ReleaseCapture();
  }
  EXPECT_EQ(changed, 0);
  EXPECT_EQ(button->SelectionColor(), 0u);
  ::DestroyWindow(other);
}

TEST_F(ColorPickerTest, DropChangingHandlerCanKeepThePopupClosed) {
  int asked = 0;
  button->OnDropChanging = [&](TColorPickerButton&, bool& allowed) {
    ++asked;
    allowed = false;
  };
  Open();
  ::SetFocus(button->Handle());
  PostKey(button->Handle(), VK_RETURN);
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(button->DroppedDown());
  EXPECT_TRUE(!button->Popup() || !::IsWindowVisible(button->Popup()->Handle()));
  EXPECT_EQ(dropChanges, 0);
}

TEST_F(ColorPickerTest, KeysWalkTheItemsAndAcceptThem) {
  button->SetDefaultText("&Automatic");
  button->SetCustomText("&More");
  ::SetFocus(button->Handle());
  PostKey(button->Handle(), VK_RETURN);
  ASSERT_TRUE(IsOpen());
  struct Step {
    UINT key;
    int hover;
  } walk[] = {
      {VK_LEFT, kDefaultItem}, {VK_LEFT, kCustomItem}, {VK_LEFT, 39}, {VK_RIGHT, kCustomItem},
      {VK_RIGHT, kDefaultItem}, {VK_RIGHT, 0},         {VK_DOWN, 8},  {VK_UP, 0},
      {VK_UP, kDefaultItem},   {VK_DOWN, 0},           {VK_RIGHT, 1}, {VK_RIGHT, 2},
  };
  for (const Step& s : walk) {
    PostKey(button->Handle(), s.key);
    EXPECT_EQ(button->Popup()->HoverItem(), s.hover) << s.key;
  }
  PostKey(button->Handle(), VK_RETURN);
  EXPECT_EQ(button->SelectionColor(), 0x003333u);  // "Olive Green"
  EXPECT_FALSE(IsOpen());

  // From the selected cell down past the last row to the custom item; Space
  // there accepts it, and with no comb cell chosen nothing changes.
  PostKey(button->Handle(), VK_RETURN);
  for (int hover : {10, 18, 26, 34, kCustomItem}) {
    PostKey(button->Handle(), VK_DOWN);
    EXPECT_EQ(button->Popup()->HoverItem(), hover);
  }
  PostKey(button->Handle(), VK_SPACE);
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(changed, 1);

  PostKey(button->Handle(), VK_RETURN);
  PostKey(button->Handle(), 'M', true);  // Alt+M selects the custom item
  EXPECT_TRUE(IsOpen());
  EXPECT_TRUE(button->Popup()->CombsShown());
  PostKey(button->Handle(), 'A', true);  // Alt+A accepts the default item
  EXPECT_EQ(defaults, 1);
  EXPECT_FALSE(IsOpen());
  PostKey(button->Handle(), VK_RETURN);
  PostKey(button->Handle(), VK_SPACE);  // nothing highlighted: the default item
  EXPECT_EQ(defaults, 2);

  // Without items the walk wraps around the grid, system rows included.
  button->SetDefaultText("");
  button->SetCustomText("");
  button->SetShowSystemColors(true);
  button->SetSelectionColor(SysColorRef(24));
  PostKey(button->Handle(), VK_RETURN);
  for (const Step& s : {Step{VK_RIGHT, 0}, Step{VK_LEFT, 64}, Step{VK_UP, 56}, Step{VK_RIGHT, 57}, Step{VK_DOWN, 64}}) {
    PostKey(button->Handle(), s.key);
    EXPECT_EQ(button->Popup()->HoverItem(), s.hover) << s.key;
  }
}

TEST_F(ColorPickerTest, CombsUnfoldAndHandOutTheirColours) {
  button->SetCustomText("More");
  button->SetSelectionColor(0x123456);  // in no cell
  const HWND popup = Open();
  RECT folded{};
  ::GetClientRect(popup, &folded);
  Click(popup, Centre(Layout().CustomItem));
  ASSERT_TRUE(IsOpen());
  ASSERT_TRUE(button->Popup()->CombsShown());
  RECT unfolded{};
  ::GetClientRect(popup, &unfolded);
  EXPECT_GT(unfolded.bottom, folded.bottom + 126);

  const TPopupLayout& l = Layout();
  const auto& cells = button->Popup()->Comb().Cells();
  auto at = [&](const TCombCell& c) { return POINT{l.Comb.left + static_cast<int>(c.X), l.Comb.top + static_cast<int>(c.Y)}; };
  const auto byY = std::minmax_element(cells.begin(), cells.end(), [](auto& a, auto& b) { return a.Y < b.Y; });
  const auto byX = std::max_element(cells.begin(), cells.end(), [](auto& a, auto& b) { return a.X < b.X || (a.X == b.X && a.Y < b.Y); });
  test::TestFrame f;
  Snapshot(popup, f);
  const POINT centre = at(cells[0]), top = at(*byY.first), bottom = at(*byY.second), right = at(*byX);
  EXPECT_EQ(f.Pixel(centre.x, centre.y), 0xFFFFFFu);
  EXPECT_EQ(f.Pixel(top.x, top.y), 0xFF00FFu);      // magenta on the top corner
  EXPECT_EQ(f.Pixel(bottom.x, bottom.y), 0x00FF00u); // green at the bottom
  EXPECT_EQ(f.Pixel(right.x, right.y), 0xFFFF00u);   // yellow, lower right
  Hover(top);
  EXPECT_EQ(button->Popup()->HintText(), L"red: 255, green: 0, blue: 255");

  // Dragging the intensity bar from its top to its middle greys the centre.
  const RECT bar = l.Intensity;
  const int mid = bar.top + (bar.bottom - 1 - bar.top) / 2;
  ::SendMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bar.left + 5, bar.top));
  Hover({bar.left + 5, mid}, MK_LBUTTON);
  ::SendMessageW(popup, WM_LBUTTONUP, 0, MAKELPARAM(bar.left + 5, mid));
  EXPECT_NEAR(button->Popup()->Intensity(), 0.5, 0.01);
  EXPECT_EQ(button->Popup()->HintText(), L"Intensity: 50%");
  ASSERT_TRUE(IsOpen());
  Snapshot(popup, f);
  EXPECT_TRUE(Near(f.Pixel(centre.x, centre.y), 0x808080, 2));

  Click(popup, centre);
  EXPECT_TRUE(Near(button->SelectionColor(), 0x808080, 2));
  EXPECT_EQ(changed, 2);
  EXPECT_FALSE(IsOpen());

  Open();
  Click(popup, Centre(Layout().CustomItem));
  const TCombCell& grey = button->Popup()->Comb().Greys()[1];
  Click(popup, {Layout().Grey.left + static_cast<int>(grey.X), Layout().Grey.top + static_cast<int>(grey.Y)});
  EXPECT_EQ(button->SelectionColor(), 0xE1E1E1u);  // the grey after white: 225
}

TEST_F(ColorPickerTest, HintsNameTheCellsAndAskForTheItems) {
  button->SetHint("the button's own hint");
  button->SetDefaultText("Automatic");
  button->SetCustomText("More");
  button->OnHint = [](TColorPickerButton&, int cell, std::string& hint) {
    if (cell == kCustomItem) hint = "custom hint";
  };
  Open();
  Hover(CellCentre(16));
  EXPECT_EQ(button->Popup()->HintText(), L"Red");
  EXPECT_TRUE(::IsWindowVisible(button->Popup()->HintHandle()));
  Hover(Centre(Layout().DefaultItem));
  EXPECT_EQ(button->Popup()->HintText(), L"the button's own hint");
  Hover(Centre(Layout().CustomItem));
  EXPECT_EQ(button->Popup()->HintText(), L"custom hint");
  PostKey(button->Handle(), VK_ESCAPE);
  EXPECT_FALSE(::IsWindowVisible(button->Popup()->HintHandle()));

  button->SetShowHint(false);
  Open();
  Hover(CellCentre(16));
  EXPECT_EQ(button->Popup()->HintText(), L"");
}

TEST_F(ColorPickerTest, PopupDiesWithItsButtonAndItsWindow) {
  HWND popup = Open();
  button.reset();
  EXPECT_FALSE(::IsWindow(popup));
  EXPECT_EQ(::GetCapture(), nullptr);

  button = std::make_unique<TColorPickerButton>(Window(), 20, 20);
  popup = Open();
  ASSERT_TRUE(::IsWindow(popup));
  DestroyWindowNow();
  EXPECT_FALSE(::IsWindow(popup));
  EXPECT_EQ(button->Handle(), nullptr);
  EXPECT_FALSE(button->DroppedDown());
  button->SetSelectionColor(0xFF);  // an empty shell, still safe
  button->SetDroppedDown(true);
  EXPECT_FALSE(button->DroppedDown());
}

TEST_F(ColorPickerTest, NearTheScreenBottomThePopupOpensAboveTheButton) {
  const int screenH = ::GetSystemMetrics(SM_CYSCREEN);
  ::SetWindowPos(Window(), nullptr, 100, screenH - 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const HWND popup = Open();
  RECT placed{}, anchor{};
  ::GetWindowRect(popup, &placed);
  ::GetWindowRect(button->Handle(), &anchor);
  EXPECT_EQ(placed.bottom, anchor.top);
}

TEST_F(ColorPickerTest, GroupedButtonsKeepOneDown) {
  TColorPickerButton second(Window(), 80, 20);
  int clicks = 0;
  for (TColorPickerButton* b : {button.get(), &second}) {
    b->SetGroupIndex(1);
    b->OnClick = [&](TColorPickerButton&) { ++clicks; };
  }
  Click(button->Handle(), {8, 8});
  EXPECT_TRUE(button->Down());
  Click(second.Handle(), {8, 8});
  EXPECT_TRUE(second.Down());
  EXPECT_FALSE(button->Down());
  Click(second.Handle(), {8, 8});  // without AllowAllUp one stays down
  EXPECT_TRUE(second.Down());
  EXPECT_EQ(clicks, 3);
  EXPECT_FALSE(button->DroppedDown());
}

}  // namespace
}  // namespace lumeko
