// Creating and destroying every control many times leaves the process's GDI
// and USER object counts where they were. The test runs a few hundred
// rounds a control (windows are slow to make under Wine); the benchmark
// bench_controls_win runs the full 10 000.
#include <gtest/gtest.h>

#include <functional>

#include "ui/check_box_ex.h"
#include "ui/color_picker_button.h"
#include "ui/complement_combo_box.h"
#include "ui/effect_label.h"
#include "ui/gui_objects.h"
#include "ui/ui_fixture.h"

namespace lumeko {
namespace {

using namespace test;

class ResourcesTest : public UiTest {
 protected:
  // Counts after one warm-up round (first use registers classes, loads
  // fonts and caches stock objects) and after two batches of n/2 more. The
  // system may still make an object of its own for good during the first
  // batch (a font cache, a class, under load a little later than usual); a
  // leak grows with every batch, so the second must end where the first did.
  void ExpectFlat(const char* what, int n, const std::function<void(int)>& round) {
    round(0);
    Pump();
    const long gdi = GdiObjectCount(), user = UserObjectCount();
    ASSERT_GT(gdi, 0);
    ASSERT_GT(user, 0);
    long after[2][2] = {};
    for (int batch = 0; batch < 2; ++batch) {
      for (int i = 1; i <= n / 2; ++i) round(batch * n / 2 + i);
      Pump();
      after[batch][0] = GdiObjectCount();
      after[batch][1] = UserObjectCount();
    }
    EXPECT_EQ(after[1][0], after[0][0]) << what << ": GDI objects grow with every batch";
    EXPECT_EQ(after[1][1], after[0][1]) << what << ": USER objects grow with every batch";
    EXPECT_LE(after[0][0] - gdi, 2) << what;
    EXPECT_LE(after[0][1] - user, 1) << what;
  }
};

TEST_F(ResourcesTest, EveryControlGivesBackWhatItTook) {
  const HWND w = Window();
  ExpectFlat("colour picker", 200, [&](int i) {
    TColorPickerButton b(w, 10, 10);
    b.SetCaption("&Colour");
    b.SetSelectionColor(static_cast<std::uint32_t>(i) * 0x10101);
    b.SetHint("hint");
    ::UpdateWindow(b.Handle());
  });
  ExpectFlat("colour picker, popup open", 20, [&](int i) {
    TColorPickerButton b(w, 10, 10);
    b.SetDefaultText("Default");
    b.SetCustomText("More");
    b.SetDroppedDown(true);
    const RECT custom = b.Popup()->Layout().CustomItem;
    Click(b.Popup()->Handle(), {custom.left + 2, custom.top + 2});  // unfolds the combs
    ::SendMessageW(b.Popup()->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 40));  // shows a hint
    ::UpdateWindow(b.Popup()->Handle());
    if (i % 2) b.SetDroppedDown(false);  // and every other time dies open
  });
  ExpectFlat("combo box", 60, [&](int i) {
    TComplementComboBox c(w, 10, 10, 120);
    c.SetItems({"apple", "apricot", "banana"});
    c.SetCompleteDelay(i % 2 ? 300 : 0);
    Type(c.EditHandle(), L"ap");  // completes, or leaves its timer running
  });
  ExpectFlat("check box", 200, [&](int i) {
    TCheckBoxEx b(w, 10, 10, 80, 24, "&Bold");
    TFontChoice f;
    f.Style = fs_Bold;
    b.SetFont(f);
    if (i % 2) b.SetStyle(cbsPushLike);
  });
  ExpectFlat("labels", 200, [&](int i) {
    TEffectLabel l(w, 10, 10, 0, 0, "Label\twith tab");
    l.SetEffect(static_cast<TLabelEffect>(i % 6));
    l.SetEnabled(i % 3 != 0);
    ::UpdateWindow(l.Handle());
  });
}

}  // namespace
}  // namespace lumeko
