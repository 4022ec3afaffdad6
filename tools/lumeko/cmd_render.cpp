// lumeko render: paints a lyrics file through the real effect DLL, as the
// player would drive it, into PNG frames.
//
// The DLL is loaded by the stand-in player host, told of a media item beside
// the lyrics file (so its own search finds the file) and rendered playing at
// each requested time; its fades step by the frames' time stamps, not by how
// fast the frames are rendered. --set overrides apply to this run alone: the
// registry is redirected over a copy of the user's settings, which are never
// changed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "command.h"
#include "json.h"
#include "platform/cp932.h"
#include "platform/file_io.h"
#include "platform/path_parts.h"
#include "platform/wide.h"
#include "player_host.h"
#include "png_writer.h"
#include "setting_assignment.h"
#include "settings/registry_ex.h"
#include "settings/registry_override.h"

namespace lumeko::tool {
namespace {

// Checks every Name=Value first, then stores them all in the (redirected) key.
void ApplyOverrides(const std::vector<std::string>& sets) {
  const std::vector<TSettingAssignment> parsed = ParseSettingAssignments(sets);
  if (parsed.empty()) return;
  TRegistryEx reg(HKEY_CURRENT_USER);
  if (!reg.OpenKey(kSettingsKey, true)) throw std::runtime_error("cannot open the settings key");
  for (const TSettingAssignment& a : parsed) StoreSettingAssignment(reg, a);
}

std::vector<long long> ParseTimes(const ParsedArgs& p) {
  std::vector<long long> times;
  if (const std::string* at = p.Get("--at")) {
    size_t start = 0;
    for (;;) {
      const size_t comma = at->find(',', start);
      times.push_back(ParseInteger(at->substr(start, comma - start), "--at"));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
    return times;
  }
  const std::string* from = p.Get("--from");
  const std::string* to = p.Get("--to");
  const std::string* fps = p.Get("--fps");
  if (!from || !to || !fps) throw UsageError{"give --at MS[,MS...] or --from MS --to MS --fps F"};
  const long long a = ParseInteger(*from, "--from"), b = ParseInteger(*to, "--to");
  const double f = ParseNumber(*fps, "--fps");
  if (f <= 0 || f > 240) throw UsageError{"--fps must be above 0 and at most 240"};
  if (b < a) throw UsageError{"--to is before --from"};
  const double step = 1000.0 / f;
  const long long count = static_cast<long long>((b - a) / step) + 1;
  if (count > 10000) throw UsageError{"more than 10000 frames"};
  for (long long i = 0; i < count; ++i) times.push_back(a + static_cast<long long>(i * step + 0.5));
  return times;
}

// The media item the effect is told of: beside the lyrics file with its
// name, so the effect's own search finds that file.
std::string MediaBeside(const std::string& lyrics) { return WithExtension(lyrics, ".mp3"); }

std::string FullPath(const std::string& cp932) {
  wchar_t buf[MAX_PATH * 4];
  const DWORD n = ::GetFullPathNameW(ToWide(cp932).c_str(), MAX_PATH * 4, buf, nullptr);
  if (n == 0 || n >= MAX_PATH * 4) return cp932;
  return FromWide(std::wstring_view(buf, n));
}

int Run(const Args& args) {
  const ParsedArgs p = ParseArgs(args, {}, {"--preset", "--size", "--at", "--from", "--to", "--fps", "--out", "--set",
                                           "--media", "--title"});
  if (p.positional.size() != 1) throw UsageError{"give one lyrics file"};
  const std::string lyrics = FullPath(PathArg(p.positional[0]));
  if (!FileExists(lyrics)) throw UsageError{"no such file: " + p.positional[0]};
  const int preset = p.Get("--preset") ? static_cast<int>(ParseInteger(*p.Get("--preset"), "--preset")) : 0;
  if (preset < 0 || preset > 3) throw UsageError{"--preset must be 0 to 3"};
  int width = 640, height = 360;
  if (const std::string* size = p.Get("--size")) {
    const size_t x = size->find_first_of("xX");
    if (x == std::string::npos) throw UsageError{"--size is WxH"};
    width = static_cast<int>(ParseInteger(size->substr(0, x), "--size"));
    height = static_cast<int>(ParseInteger(size->substr(x + 1), "--size"));
    if (width < 1 || height < 1 || width > 8192 || height > 8192) throw UsageError{"--size must be 1 to 8192 a side"};
  }
  const std::vector<long long> times = ParseTimes(p);
  const std::string* outArg = p.Get("--out");
  if (!outArg) throw UsageError{"give --out DIR"};
  const std::string out = PathArg(*outArg);
  ::CreateDirectoryW(ToWide(out).c_str(), nullptr);
  if (!FolderExists(out)) throw UsageError{"cannot make the folder " + *outArg};
  const std::string media = p.Get("--media") ? FullPath(PathArg(*p.Get("--media"))) : MediaBeside(lyrics);
  // The title goes to the effect as the player would give it, whatever
  // characters it has: %TITLE% in a picture pattern is replaced by it.
  std::wstring title = p.Get("--title") ? Utf8ToWide(*p.Get("--title")) : std::wstring();
  if (title.empty()) title = ToWide(FileNameOf(media));

  // Everything below sees a copy of the user's settings plus the overrides.
  TRegistryOverride scratch(true, ro_CurrentUser);
  if (!scratch.Active()) throw std::runtime_error("cannot redirect the registry for this render");
  ApplyOverrides(p.GetAll("--set"));

  host::PlayerHost player;
  HRESULT hr = player.Load(host::PlayerHost::DefaultEffectPath());
  if (FAILED(hr)) throw std::runtime_error("cannot load the effect DLL");
  player.SetPreset(preset);
  // The frames are a film at their own rate: fades follow their time stamps.
  if (FAILED(player.UseFrameTimesForFades())) throw std::runtime_error("the effect DLL cannot time fades by frames");
  player.NotifyNewMedia(ToWide(media), title);

  JsonWriter j;
  j.BeginObject();
  j.Field("preset", preset).Field("width", width).Field("height", height);
  j.Key("frames").BeginArray();
  int index = 0;
  int failed = 0;
  for (long long ms : times) {
    const host::Frame f = player.RenderFrame(width, height, play_state, ms * 10000);
    char name[32];
    std::snprintf(name, sizeof name, "frame_%05d.png", index++);
    const std::string path = out + "\\" + name;
    const bool ok = f.Pixels.size() == static_cast<size_t>(width) * height && WritePng(path, f.Pixels, width, height);
    if (!ok || FAILED(f.Result)) ++failed;
    j.BeginObject().Field("ms", static_cast<long>(ms)).Field("file", Cp932ToUtf8(path)).Field("ok", ok && SUCCEEDED(f.Result)).EndObject();
  }
  j.EndArray();
  if (times.size() > 1 && p.Get("--fps")) j.Field("delay_ms", static_cast<long>(1000.0 / ParseNumber(*p.Get("--fps"), "--fps") + 0.5));
  j.EndObject();
  Print(j.str() + "\n");
  return failed ? 1 : 0;
}

const RegisterCommand reg("render",
                          "render FILE --preset N --size WxH (--at MS[,MS...] | --from MS --to MS --fps F) --out DIR "
                          "[--set Name=Value ...] [--media PATH --title TITLE]",
                          Run);

}  // namespace
}  // namespace lumeko::tool
