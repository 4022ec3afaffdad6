// lumeko controls: a window with each of the property page's controls, for
// trying them by hand (under Wine too).
//
// The window runs its own message loop, with the dialog manager's keyboard
// handling (Tab, Alt+letters), until it is closed or --close-after passes.
// --screenshot DIR instead captures the window and the colour popup (plain,
// unfolded with its combs, with system colours) as PNG files and closes.
// Prints one JSON object when the window is gone.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "command.h"
#include "json.h"
#include "platform/cp932.h"
#include "platform/unique_handle.h"
#include "platform/wide.h"
#include "screen_capture.h"
#include "ui/check_box_ex.h"
#include "ui/color_picker_button.h"
#include "ui/complement_combo_box.h"
#include "ui/effect_label.h"
#include "ui/label_ex.h"

namespace lumeko::tool {
namespace {

constexpr UINT_PTR kCloseTimer = 1;
constexpr int kClientWidth = 700, kClientHeight = 590;

// Captions are written here in UTF-8 and handed to the controls as CP932.
std::string J(const char* utf8) { return Utf8ToCp932(utf8); }

TFontChoice FontOf(int height, std::uint8_t style = 0, std::uint32_t color = kClWindowText) {
  TFontChoice f;
  f.Height = height;
  f.Style = style;
  f.Color = color;
  return f;
}

std::string Hex(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(v));
  return buf;
}

// Every control of the window, owned here; destroyed before the window.
struct TShowcase {
  std::vector<std::unique_ptr<TLabelEx>> labels;
  std::vector<std::unique_ptr<TColorPickerButton>> pickers;
  std::vector<std::unique_ptr<TComplementComboBox>> combos;
  std::vector<std::unique_ptr<TCheckBoxEx>> boxes;
  std::vector<std::unique_ptr<TEffectLabel>> effects;
  TLabelEx* status = nullptr;
  int events = 0;
  std::string lastEvent;

  void Log(const std::string& cp932) {
    ++events;
    lastEvent = cp932;
    if (status) status->SetCaption(cp932);
  }

  TLabelEx& Label(HWND w, int x, int y, const char* utf8, int width = 0) {
    labels.push_back(std::make_unique<TLabelEx>(w, x, y, width, 16, J(utf8)));
    if (width > 0) {  // a fixed width instead of the caption's own
      labels.back()->SetAutoSize(false);
      labels.back()->SetBounds(x, y, width, 18);
    }
    return *labels.back();
  }

  void Build(HWND w) {
    TLabelEx& heading1 = Label(w, 12, 10, "色の選択");
    heading1.SetFont(FontOf(14, fs_Bold));

    Label(w, 12, 40, "アクティブ色(&A)");
    pickers.push_back(std::make_unique<TColorPickerButton>(w, 150, 36));
    TColorPickerButton& page = *pickers.back();
    page.SetDefaultText(J("デフォルト"));
    page.SetCustomText(J("その他"));
    page.SetSelectionColor(0xFFFFFF);
    page.SetHint(J("アクティブな歌詞の表示に使用するフォントの色です。\r\nデフォルトは白です。"));
    page.OnDefaultSelect = [this](TColorPickerButton& b) {
      Log(J("デフォルトを選択"));
      b.SetSelectionColor(0xFFFFFF);
    };

    Label(w, 12, 72, "システム色も(&S)");
    pickers.push_back(std::make_unique<TColorPickerButton>(w, 150, 68, 110, 24));
    TColorPickerButton& system = *pickers.back();
    system.SetCaption(J("文字色(&C)"));
    system.SetDefaultText(J("自動(&U)"));
    system.SetCustomText(J("その他の色(&M)..."));
    system.SetShowSystemColors(true);
    system.SetSelectionColor(SysColorRef(COLOR_WINDOWTEXT));

    Label(w, 12, 104, "格子だけ(&G)");
    pickers.push_back(std::make_unique<TColorPickerButton>(w, 150, 100));
    TColorPickerButton& grid = *pickers.back();
    grid.SetFlat(true);
    grid.SetSelectionColor(0x0000FF);
    grid.SetIndicatorBorder(ibSunken);

    for (auto& p : pickers) {
      p->OnChanged = [this](TColorPickerButton& b) { Log("SelectionColor = " + Hex(b.SelectionColor())); };
      p->OnClick = [this](TColorPickerButton&) { Log("OnClick"); };
    }

    TLabelEx& heading2 = Label(w, 320, 10, "補完するコンボボックス");
    heading2.SetFont(FontOf(14, fs_Bold));
    const std::vector<std::string> items = {
        "Default", "Dark Night", "Daybreak", "Dawn", "Sunset", "Sunrise", "Summer Sky", "Ocean",
        J("夜明け"), J("夜空"), J("夕焼け"), J("オーシャン"), J("オレンジ")};
    const struct {
      const char* label;
      TAutoCompleteType rule;
      int delay;
    } combosWanted[] = {
        {"最初の候補(&1)", atFirst, 0},   {"単独の候補(&2)", atSingle, 0}, {"共通部分(&3)", atMultiple, 0},
        {"補完しない(&4)", atNone, 0},    {"300 ms 後(&5)", atFirst, 300},
    };
    int y = 40;
    for (const auto& c : combosWanted) {
      Label(w, 320, y + 4, c.label);
      combos.push_back(std::make_unique<TComplementComboBox>(w, 460, y, 220, 200));
      TComplementComboBox& combo = *combos.back();
      combo.SetItems(items);
      combo.SetAutoComplete(c.rule);
      combo.SetCompleteDelay(c.delay);
      combo.SetMaxLength(100);
      combo.OnCompleted = [this](TComplementComboBox& cb) { Log("OnCompleted: " + cb.Text()); };
      y += 30;
    }

    TLabelEx& heading3 = Label(w, 12, 140, "チェックボックス");
    heading3.SetFont(FontOf(14, fs_Bold));
    const struct {
      const char* caption;
      std::uint8_t style;
    } styles[] = {{"太字(&B)", fs_Bold}, {"斜体(&I)", fs_Italic}, {"下線(&U)", fs_Underline}};
    int x = 12;
    for (const auto& s : styles) {
      boxes.push_back(std::make_unique<TCheckBoxEx>(w, x, 166, 64, 24, J(s.caption)));
      boxes.back()->SetStyle(cbsPushLike);
      boxes.back()->SetFont(FontOf(12, s.style));
      x += 68;
    }
    boxes.push_back(std::make_unique<TCheckBoxEx>(w, 12, 196, 260, 20, J("普通のチェックボックス(&N)")));
    for (auto& b : boxes)
      b->OnClick = [this](TCheckBoxEx& box) { Log(box.Caption() + (box.Checked() ? " = on" : " = off")); };

    TLabelEx& heading4 = Label(w, 12, 232, "ラベル");
    heading4.SetFont(FontOf(14, fs_Bold));
    TLabelEx& tabs = Label(w, 12, 256, "名前\t値\t単位\nFontMinSize\t6\tpx\nKaraokeRowCount\t8\t行");
    tabs.SetTabLength(12);
    TLabelEx& margins = Label(w, 12, 310, "左右に 24 ピクセルの余白", 300);
    margins.SetMargins({24, 24});
    margins.SetAlignment(taRightJustify);
    margins.SetColor(0xFFFFFF);
    TLabelEx& end = Label(w, 12, 332, "とても長い説明文がラベルの幅に収まらないときは、末尾が省略記号になります。", 300);
    end.SetEllipsis(etEnd);
    TLabelEx& path = Label(w, 12, 354, "C:\\Users\\lumeko\\Music\\歌詞\\アーティスト\\アルバム\\曲名.kra", 300);
    path.SetEllipsis(etPath);
    TLabelEx& edit = Label(w, 12, 376, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", 200);
    edit.SetWordWrap(true);
    edit.SetLikeEditControl(true);
    edit.SetAutoSize(true);
    TLabelEx& disabled = Label(w, 12, 416, "無効なラベル(&D)");
    disabled.SetEnabled(false);

    TLabelEx& heading5 = Label(w, 320, 232, "効果付きラベル");
    heading5.SetFont(FontOf(14, fs_Bold));
    const struct {
      const char* caption;
      TLabelEffect effect;
    } effectsWanted[] = {{"通常 None", leNone},         {"反転 Reverse", leReverse}, {"輪郭 Outline", leOutline},
                         {"輪郭塗り Fill", leOutlineFill}, {"縁取り Hem", leHemming},  {"影 Shadow", leShadow}};
    y = 256;
    for (const auto& e : effectsWanted) {
      effects.push_back(std::make_unique<TEffectLabel>(w, 320, y, 0, 0, J(e.caption)));
      TEffectLabel& label = *effects.back();
      label.SetFont(FontOf(22, fs_Bold, 0x603000));
      label.SetEffectPen({0x2020E0, e.effect == leOutline ? 1 : 2});
      label.SetShadowOffsetX(2);
      label.SetShadowOffsetY(3);
      label.SetEffect(e.effect);
      y += 34;
    }

    status = &Label(w, 12, kClientHeight - 28, "", kClientWidth - 24);
    status->SetColor(0xFFFFFF);
    status->SetMargins({6, 6});
  }
};

// The window is a dialog, so the dialog manager gives the controls their
// keys: Tab, Enter, Escape and the Alt+letters of captions and labels.
INT_PTR CALLBACK ShowcaseProc(HWND wnd, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_TIMER:
      if (wp == kCloseTimer) ::DestroyWindow(wnd);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == IDCANCEL) ::DestroyWindow(wnd);  // Escape or the close box
      return TRUE;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return TRUE;
    default:
      return FALSE;
  }
}

int Run(const Args& args) {
  const ParsedArgs p = ParseArgs(args, {}, {"--screenshot", "--close-after"});
  if (!p.positional.empty()) throw UsageError{"takes no file"};
  const TShowOptions show = ParseShowOptions(p);
  const long long closeAfter = show.CloseAfter;
  const std::string& shots = show.Shots;

  struct {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
  } tpl{};
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  tpl.dialog.style = style;
  tpl.dialog.dwExtendedStyle = WS_EX_CONTROLPARENT;
  UniqueHWND window(::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), &tpl.dialog, nullptr, ShowcaseProc, 0));
  if (!window) throw std::runtime_error("cannot create the window");
  RECT frame{0, 0, kClientWidth, kClientHeight};
  ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
  ::SetWindowPos(window.get(), nullptr, 40, 40, frame.right - frame.left, frame.bottom - frame.top, SWP_NOZORDER);
  ::SetWindowTextW(window.get(), L"Lumeko controls");
  const HWND w = window.get();
  TShowcase showcase;
  showcase.Build(w);
  ::ShowWindow(w, SW_SHOWNORMAL);
  ::SetFocus(showcase.pickers[0]->Handle());
  ::UpdateWindow(w);
  if (closeAfter > 0) ::SetTimer(w, kCloseTimer, static_cast<UINT>(closeAfter), nullptr);

  JsonWriter j;
  j.BeginObject();
  if (!shots.empty()) {
    ::SetForegroundWindow(w);
    PumpMessages(500);
    j.Key("screenshots").BeginArray();
    auto shoot = [&](HWND target, const char* name) {
      const std::string file = shots + "\\" + name;
      PumpMessages(300);
      if (CaptureWindow(target, file)) j.String(Cp932ToUtf8(file));
    };
    shoot(w, "window.png");
    TColorPickerButton& page = *showcase.pickers[0];
    page.SetDroppedDown(true);
    if (TColorPopup* popup = page.Popup()) {
      shoot(popup->Handle(), "popup.png");
      // Unfold the combs as a release on the custom item does, then press on
      // a comb cell so the preview shows it.
      const RECT custom = popup->Layout().CustomItem;
      ::SendMessageW(popup->Handle(), WM_LBUTTONUP, 0, MAKELPARAM((custom.left + custom.right) / 2, (custom.top + custom.bottom) / 2));
      const TPopupLayout& l = popup->Layout();
      const TCombCell& cell = popup->Comb().Cells()[40];
      ::SendMessageW(popup->Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(l.Comb.left + static_cast<int>(cell.X), l.Comb.top + static_cast<int>(cell.Y)));
      shoot(popup->Handle(), "popup-combs.png");
    }
    page.SetDroppedDown(false);
    TColorPickerButton& system = *showcase.pickers[1];
    system.SetDroppedDown(true);
    if (TColorPopup* popup = system.Popup()) shoot(popup->Handle(), "popup-system.png");
    system.SetDroppedDown(false);
    j.EndArray();
    ::DestroyWindow(w);
  }
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (::IsDialogMessageW(w, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  window.release();  // destroyed by its close
  j.Field("closed", true).Field("events", showcase.events).Field("last_event", Cp932ToUtf8(showcase.lastEvent));
  j.EndObject();
  Print(j.str() + "\n");
  return 0;
}

const RegisterCommand kRegister("controls", "controls [--close-after MS] [--screenshot DIR]  the property page's controls in a window",
                                Run);

}  // namespace
}  // namespace lumeko::tool
