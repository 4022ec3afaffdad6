// lumeko play: a window that hosts the effect the way the player's windowed
// mode does, to preview any lyrics file without the player.
//
// The effect gets the window (Create), a stand-in core whose position runs
// on a clock (SetCore), the media item (NotifyNewMedia) and a RenderWindowed
// call on every timer tick; mouse messages go to OnWindowMessage first, as
// the player passes them, so Ctrl+click shows the lyrics path and the right
// button the colour-scheme menu. Keys: Space plays or pauses, Left and Right
// seek 5 s, 1 to 4 choose the preset, P opens the effect's property page as
// the player's Properties button does, Escape closes. With --frames N the
// same loop runs N frames on a clock that steps 1/fps a frame (no waiting)
// and --png DIR keeps each frame as the window shows it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "command.h"
#include "json.h"
#include "platform/cp932.h"
#include "platform/file_io.h"
#include "platform/path_parts.h"
#include "platform/wide.h"
#include "player_host.h"
#include "png_writer.h"

namespace lumeko::tool {
namespace {

constexpr wchar_t kPlayClass[] = L"LumekoPlayWindow";
constexpr UINT_PTR kFrameTimer = 1;
constexpr UINT kFrameMs = 33;  // about 30 frames a second, as the player paints
constexpr double kSeekSeconds = 5.0;

// What the window and its timer share.
struct TPlayer {
  host::PlayerHost Host;
  HWND Window = nullptr;
  bool Playing = true;
  double Position = 0;      // seconds, where the clock stood at ClockBase
  LONGLONG ClockBase = 0;   // performance counter when Position was taken
  LONGLONG Frequency = 1;
  HRESULT LastResult = S_OK;

  LONGLONG Now() const {
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return t.QuadPart;
  }
  double CurrentPosition() const {
    return Playing ? Position + static_cast<double>(Now() - ClockBase) / static_cast<double>(Frequency) : Position;
  }
  void Restart(double position) {
    Position = std::max(0.0, position);
    ClockBase = Now();
  }
  void Frame() { LastResult = Host.RenderWindowed(CurrentPosition(), Playing ? play_state : pause_state); }
  void Caption() {
    wchar_t text[128];
    std::swprintf(text, 128, L"Lumeko - %ls %02d:%05.2f", Playing ? L"playing" : L"paused",
                  static_cast<int>(CurrentPosition()) / 60, CurrentPosition() - 60 * (static_cast<int>(CurrentPosition()) / 60));
    ::SetWindowTextW(Window, text);
  }
};

void OnKey(TPlayer& p, WPARAM key) {
  switch (key) {
    case VK_SPACE:
      p.Restart(p.CurrentPosition());
      p.Playing = !p.Playing;
      break;
    case VK_LEFT: p.Restart(p.CurrentPosition() - kSeekSeconds); break;
    case VK_RIGHT: p.Restart(p.CurrentPosition() + kSeekSeconds); break;
    case '1': case '2': case '3': case '4': p.Host.SetPreset(static_cast<LONG>(key - '1')); break;
    case 'P': p.Host.ShowProperties(p.Window); break;
    case VK_ESCAPE: ::DestroyWindow(p.Window); return;
    default: return;
  }
  p.Caption();
}

LRESULT CALLBACK PlayProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  auto* p = reinterpret_cast<TPlayer*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    p = static_cast<TPlayer*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(p));
  }
  if (!p) return ::DefWindowProcW(wnd, msg, w, l);
  // The player hands its window's mouse messages to the effect first.
  if (p->Host.Effect() && msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
    LRESULT result = 0;
    if (p->Host.Effect()->OnWindowMessage(msg, w, l, &result) == S_OK) return result;
  }
  switch (msg) {
    case WM_TIMER:
      if (w == kFrameTimer) {
        p->Frame();
        if (p->Playing) p->Caption();
      }
      return 0;
    case WM_KEYDOWN:
      OnKey(*p, w);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the effect paints every pixel
    case WM_PAINT: {
      PaintDC dc(wnd);
      p->Frame();
      return 0;
    }
    case WM_DESTROY:
      ::KillTimer(wnd, kFrameTimer);
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(wnd, msg, w, l);
  }
}

HWND OpenPlayWindow(TPlayer& p, int width, int height, const std::wstring& title) {
  WNDCLASSEXW wc{sizeof wc};
  wc.lpfnWndProc = PlayProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kPlayClass;
  ::RegisterClassExW(&wc);
  RECT r{0, 0, width, height};
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  ::AdjustWindowRect(&r, style, FALSE);
  return ::CreateWindowExW(0, kPlayClass, (L"Lumeko - " + title).c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                           r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, &p);
}

std::string MediaBeside(const std::string& lyrics) { return WithExtension(lyrics, ".mp3"); }

std::string FullPath(const std::string& cp932) {
  wchar_t buf[MAX_PATH * 4];
  const DWORD n = ::GetFullPathNameW(ToWide(cp932).c_str(), MAX_PATH * 4, buf, nullptr);
  if (n == 0 || n >= MAX_PATH * 4) return cp932;
  return FromWide(std::wstring_view(buf, n));
}

int Run(const Args& args) {
  const ParsedArgs a = ParseArgs(args, {}, {"--media", "--title", "--size", "--preset", "--at", "--frames", "--fps", "--png"});
  if (a.positional.size() != 1) throw UsageError{"give one lyrics file"};
  const std::string lyrics = FullPath(PathArg(a.positional[0]));
  if (!FileExists(lyrics)) throw UsageError{"no such file: " + a.positional[0]};
  const std::string media = a.Get("--media") ? FullPath(PathArg(*a.Get("--media"))) : MediaBeside(lyrics);
  std::wstring title = a.Get("--title") ? Utf8ToWide(*a.Get("--title")) : ToWide(BaseNameOf(media));
  int width = 640, height = 360;
  if (const std::string* size = a.Get("--size")) {
    const size_t x = size->find_first_of("xX");
    if (x == std::string::npos) throw UsageError{"--size is WxH"};
    width = static_cast<int>(ParseInteger(size->substr(0, x), "--size"));
    height = static_cast<int>(ParseInteger(size->substr(x + 1), "--size"));
    if (width < 1 || height < 1 || width > 8192 || height > 8192) throw UsageError{"--size must be 1 to 8192 a side"};
  }
  const long long frames = a.Get("--frames") ? ParseInteger(*a.Get("--frames"), "--frames") : 0;
  if (frames < 0 || frames > 100000) throw UsageError{"--frames must be 0 to 100000"};
  const double fps = a.Get("--fps") ? ParseNumber(*a.Get("--fps"), "--fps") : 30.0;
  if (fps <= 0 || fps > 240) throw UsageError{"--fps must be above 0 and at most 240"};
  const std::string png = a.Get("--png") ? PathArg(*a.Get("--png")) : std::string();
  if (!png.empty()) {
    // Every missing folder of the path, outermost first.
    for (size_t i = 0; i <= png.size(); i += i < png.size() ? CharLength(png, i) : 1)
      if (i == png.size() || png[i] == '\\' || png[i] == '/') ::CreateDirectoryW(ToWide(png.substr(0, i)).c_str(), nullptr);
    if (!FolderExists(png)) throw UsageError{"cannot make the folder " + *a.Get("--png")};
  }

  TPlayer p;
  LARGE_INTEGER f;
  ::QueryPerformanceFrequency(&f);
  p.Frequency = f.QuadPart > 0 ? f.QuadPart : 1;
  if (FAILED(p.Host.Load(host::PlayerHost::DefaultEffectPath()))) throw std::runtime_error("cannot load the effect DLL");
  p.Window = OpenPlayWindow(p, width, height, title);
  if (!p.Window) throw std::runtime_error("cannot open a window");
  if (FAILED(p.Host.AttachWindow(p.Window))) throw std::runtime_error("the effect refused the window");
  if (const std::string* preset = a.Get("--preset")) {
    const long long n = ParseInteger(*preset, "--preset");
    if (n < 0 || n > 3) throw UsageError{"--preset must be 0 to 3"};
    p.Host.SetPreset(static_cast<LONG>(n));
  }
  p.Host.NotifyNewMedia(ToWide(media), title);
  p.Restart(a.Get("--at") ? static_cast<double>(ParseInteger(*a.Get("--at"), "--at")) / 1000.0 : 0.0);
  ::ShowWindow(p.Window, SW_SHOW);
  ::UpdateWindow(p.Window);

  if (frames == 0) {
    // Interactive: until the window is closed.
    p.Caption();
    ::SetTimer(p.Window, kFrameTimer, kFrameMs, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    return 0;
  }

  // Headless: the same calls, on a clock that moves 1/fps a frame.
  JsonWriter j;
  j.BeginObject().Key("frames").BeginArray();
  int failed = 0;
  const double start = p.Position;
  for (long long i = 0; i < frames; ++i) {
    p.Playing = false;  // the clock is ours: frame i is at start + i/fps
    p.Position = start + static_cast<double>(i) / fps;
    p.LastResult = p.Host.RenderWindowed(p.Position, play_state);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    bool ok = SUCCEEDED(p.LastResult);
    std::string file;
    if (!png.empty()) {
      const host::Frame shot = p.Host.CaptureWindow(p.Window);
      char name[32];
      std::snprintf(name, sizeof name, "frame_%05lld.png", i);
      file = png + "\\" + name;
      ok = ok && !shot.Pixels.empty() && WritePng(file, shot.Pixels, shot.Width, shot.Height);
    }
    failed += ok ? 0 : 1;
    j.BeginObject().Field("ms", static_cast<long>(p.Position * 1000 + 0.5)).Field("ok", ok);
    if (!file.empty()) j.Field("file", Cp932ToUtf8(file));
    j.EndObject();
  }
  j.EndArray().Field("failures", failed).EndObject();
  ::DestroyWindow(p.Window);
  Print(j.str() + "\n");
  return failed ? 1 : 0;
}

const RegisterCommand reg("play",
                          "play FILE [--media PATH] [--title TITLE] [--size WxH] [--preset N] [--at MS] "
                          "[--frames N [--fps F] [--png DIR]]  a window that plays the lyrics as the player would",
                          Run);

}  // namespace
}  // namespace lumeko::tool
