// playerhost.exe: plays the part of the media player for one effect DLL.
//
//   playerhost [--dll PATH] [--title TEXT] [--media URL] [--preset N]
//              [--size WxH] [--at MS]... [--out FILE.bmp]
// Loads the DLL, announces the media (title alone, or URL and title as the
// windowed player does), renders a frame at each --at position (playing)
// and writes the last frame as a 32-bit BMP. Prints one line per call with
// its HRESULT, so a user can see how the effect answers.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "player_host.h"

using namespace lumeko;
using namespace lumeko::host;

namespace {

bool WriteBmp(const std::wstring& path, const Frame& f) {
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = f.Width;
  ih.biHeight = -f.Height;
  ih.biPlanes = 1;
  ih.biBitCount = 32;
  const DWORD bytes = static_cast<DWORD>(f.Pixels.size() * 4);
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + bytes;
  UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  if (!file) return false;
  DWORD w = 0;
  return ::WriteFile(file.get(), &fh, sizeof fh, &w, nullptr) && ::WriteFile(file.get(), &ih, sizeof ih, &w, nullptr) &&
         ::WriteFile(file.get(), f.Pixels.data(), bytes, &w, nullptr);
}

void Report(const char* what, HRESULT hr) { std::printf("%s: 0x%08lX\n", what, static_cast<unsigned long>(hr)); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring dll = PlayerHost::DefaultEffectPath(), title, media, out;
  int preset = -1, width = 640, height = 480;
  std::vector<long long> times;
  for (int i = 1; i < argc; ++i) {
    const std::wstring a = argv[i];
    const bool more = i + 1 < argc;
    if (a == L"--dll" && more) dll = argv[++i];
    else if (a == L"--title" && more) title = argv[++i];
    else if (a == L"--media" && more) media = argv[++i];
    else if (a == L"--preset" && more) preset = _wtoi(argv[++i]);
    else if (a == L"--size" && more && std::swscanf(argv[++i], L"%dx%d", &width, &height) == 2) {}
    else if (a == L"--at" && more) times.push_back(_wtoi64(argv[++i]));
    else if (a == L"--out" && more) out = argv[++i];
    else {
      std::fprintf(stderr, "usage: playerhost [--dll PATH] [--title TEXT] [--media URL] [--preset N] "
                           "[--size WxH] [--at MS]... [--out FILE.bmp]\n");
      return 2;
    }
  }
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384) {
    std::fprintf(stderr, "playerhost: bad size\n");
    return 2;
  }
  PlayerHost host;
  HRESULT hr = host.Load(dll);
  Report("load", hr);
  if (FAILED(hr)) return 1;
  if (!media.empty())
    Report("NotifyNewMedia", host.NotifyNewMedia(media, title));
  else if (!title.empty())
    Report("MediaInfo", host.MediaInfo(title));
  if (preset >= 0) Report("SetCurrentPreset", host.SetPreset(preset));
  if (times.empty()) times.push_back(0);
  Frame last;
  for (long long ms : times) {
    last = host.RenderFrame(width, height, play_state, ms * 10000);
    std::printf("Render at %lld ms: 0x%08lX\n", ms, static_cast<unsigned long>(last.Result));
  }
  if (!out.empty() && !WriteBmp(out, last)) {
    std::fprintf(stderr, "playerhost: cannot write the picture\n");
    return 1;
  }
  Report("unload", host.Unload(true));
  return 0;
}
