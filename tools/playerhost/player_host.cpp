// The stand-in player: loading the effect, feeding it media and frames,
// and reading back the pixels it drew.
#include "player_host.h"

#include <cstring>

#include "effect/fade_clock_control.h"
#include "platform/dib_info.h"

namespace lumeko::host {

namespace {

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, LPVOID*);
using NoArgFn = HRESULT(STDAPICALLTYPE*)();

HRESULT CallExport(HMODULE m, const char* name) {
  if (!m) return E_UNEXPECTED;
  auto fn = reinterpret_cast<NoArgFn>(reinterpret_cast<void*>(::GetProcAddress(m, name)));
  return fn ? fn() : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

constexpr wchar_t kWindowClass[] = L"LumekoPlayerHostWindow";

LRESULT CALLBACK HostWindowProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) { return ::DefWindowProcW(wnd, msg, w, l); }

}  // namespace

PlayerHost::PlayerHost() : core_(new TStandInCore()) {
  comInitialized_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

PlayerHost::~PlayerHost() {
  Unload(true);
  if (dc_ && oldBitmap_) ::SelectObject(dc_.get(), oldBitmap_);
  window_.reset();
  core_->Release();
  if (comInitialized_) ::CoUninitialize();
}

std::wstring PlayerHost::DefaultEffectPath() {
  wchar_t self[MAX_PATH * 4];
  const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
  const std::wstring beside = FolderOf(std::wstring(self, n)) + L"VizLumeko.dll";
  if (::GetFileAttributesW(beside.c_str()) != INVALID_FILE_ATTRIBUTES) return beside;
#ifdef LUMEKO_EFFECT_DLL_PATH
  return LUMEKO_EFFECT_DLL_PATH;
#else
  return beside;
#endif
}

HRESULT PlayerHost::Load(const std::wstring& dllPath) {
  Unload(true);
  module_.reset(::LoadLibraryW(dllPath.c_str()));
  if (!module_) return HRESULT_FROM_WIN32(::GetLastError());
  IClassFactory* factory = nullptr;
  HRESULT hr = CallGetClassObject(CLSID_VizLumeko, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (FAILED(hr)) return hr;
  hr = factory->CreateInstance(nullptr, IID_IWMPEffects2, reinterpret_cast<void**>(&effect_));
  factory->Release();
  return hr;
}

HRESULT PlayerHost::CreateRegistered() {
  Unload(false);
  return ::CoCreateInstance(CLSID_VizLumeko, nullptr, CLSCTX_INPROC_SERVER, IID_IWMPEffects2,
                            reinterpret_cast<void**>(&effect_));
}

HRESULT PlayerHost::CreateAnother(IWMPEffects2** out) {
  IClassFactory* factory = nullptr;
  HRESULT hr = CallGetClassObject(CLSID_VizLumeko, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (FAILED(hr)) return hr;
  hr = factory->CreateInstance(nullptr, IID_IWMPEffects2, reinterpret_cast<void**>(out));
  factory->Release();
  return hr;
}

HRESULT PlayerHost::Recreate() {
  Unload(false);
  return module_ ? CreateAnother(&effect_) : E_UNEXPECTED;
}

HRESULT PlayerHost::Unload(bool unloadDll) {
  if (effect_) {
    effect_->Release();
    effect_ = nullptr;
  }
  if (!unloadDll || !module_) return S_FALSE;
  const HRESULT can = CallCanUnloadNow();
  if (can == S_OK) module_.reset();
  return can;
}

HRESULT PlayerHost::CallGetClassObject(REFCLSID clsid, REFIID iid, void** out) const {
  if (!module_) return E_UNEXPECTED;
  auto fn = reinterpret_cast<GetClassObjectFn>(
      reinterpret_cast<void*>(::GetProcAddress(module_.get(), "DllGetClassObject")));
  return fn ? fn(clsid, iid, out) : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
}

HRESULT PlayerHost::CallCanUnloadNow() const { return CallExport(module_.get(), "DllCanUnloadNow"); }
HRESULT PlayerHost::CallRegisterServer() const { return CallExport(module_.get(), "DllRegisterServer"); }
HRESULT PlayerHost::CallUnregisterServer() const { return CallExport(module_.get(), "DllUnregisterServer"); }

HRESULT PlayerHost::MediaInfo(const std::wstring& title, LONG channels, LONG sampleRate) {
  if (!effect_) return E_UNEXPECTED;
  BSTR b = ::SysAllocStringLen(title.data(), static_cast<UINT>(title.size()));
  const HRESULT hr = effect_->MediaInfo(channels, sampleRate, b);
  ::SysFreeString(b);
  return hr;
}

HRESULT PlayerHost::NotifyNewMedia(const std::wstring& url, const std::wstring& name) {
  TStandInMedia* media = new TStandInMedia(url, name);
  const HRESULT hr = NotifyNewMedia(media);
  media->Release();
  return hr;
}

HRESULT PlayerHost::NotifyNewMedia(TStandInMedia* media) {
  return effect_ ? effect_->NotifyNewMedia(media) : E_UNEXPECTED;
}

HRESULT PlayerHost::SetPreset(LONG preset) { return effect_ ? effect_->SetCurrentPreset(preset) : E_UNEXPECTED; }

HRESULT PlayerHost::UseFrameTimesForFades() {
  if (!effect_) return E_UNEXPECTED;
  ILumekoFadeClock* clock = nullptr;
  HRESULT hr = effect_->QueryInterface(IID_ILumekoFadeClock, reinterpret_cast<void**>(&clock));
  if (FAILED(hr)) return hr;
  hr = clock->UseFrameTimeStamps(TRUE);
  clock->Release();
  return hr;
}

HRESULT PlayerHost::ShowProperties(HWND owner) {
  if (!effect_) return E_UNEXPECTED;
  // The player offers its Properties button only to an effect that says it
  // has a page.
  DWORD capabilities = 0;
  const HRESULT hr = effect_->GetCapabilities(&capabilities);
  if (FAILED(hr)) return hr;
  if (!(capabilities & EFFECT_HASPROPERTYPAGE)) return S_FALSE;
  return effect_->DisplayPropertyPage(owner);
}

void PlayerHost::EnsureTarget(int width, int height) {
  if (dc_ && width == targetWidth_ && height == targetHeight_) return;
  if (!dc_) dc_.reset(::CreateCompatibleDC(nullptr));
  BITMAPINFO bi = TopDownDibInfo(width > 0 ? width : 1, height > 0 ? height : 1, 32);
  void* bits = nullptr;
  UniqueHBITMAP dib(::CreateDIBSection(dc_.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) return;
  if (oldBitmap_) ::SelectObject(dc_.get(), oldBitmap_);
  dib_ = std::move(dib);
  oldBitmap_ = ::SelectObject(dc_.get(), dib_.get());
  bits_ = bits;
  targetWidth_ = width;
  targetHeight_ = height;
  std::memset(bits_, 0, static_cast<size_t>(bi.bmiHeader.biWidth) * -bi.bmiHeader.biHeight * 4);
}

void PlayerHost::ClearTarget(std::uint32_t rgb) {
  if (!bits_) return;
  ::GdiFlush();
  auto* p = static_cast<std::uint32_t*>(bits_);
  std::fill(p, p + static_cast<size_t>(targetWidth_) * targetHeight_, rgb);
}

Frame PlayerHost::RenderFrame(int width, int height, LONG state, LONGLONG timeStamp, POINT origin) {
  Frame f;
  EnsureTarget(origin.x + width, origin.y + height);
  if (!effect_ || !bits_) {
    f.Result = E_UNEXPECTED;
    return f;
  }
  TimedLevel levels{};
  levels.state = state;
  levels.timeStamp = timeStamp;
  RECT rect{origin.x, origin.y, origin.x + width, origin.y + height};
  f.Result = effect_->Render(&levels, dc_.get(), &rect);
  ::GdiFlush();
  f.Width = targetWidth_;
  f.Height = targetHeight_;
  const auto* p = static_cast<const std::uint32_t*>(bits_);
  f.Pixels.assign(p, p + static_cast<size_t>(targetWidth_) * targetHeight_);
  return f;
}

HWND PlayerHost::OpenWindow(int width, int height) {
  WNDCLASSEXW wc{sizeof wc};
  wc.lpfnWndProc = HostWindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kWindowClass;
  ::RegisterClassExW(&wc);
  RECT r{0, 0, width, height};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
  ::AdjustWindowRect(&r, style, FALSE);
  window_.reset(::CreateWindowExW(0, kWindowClass, L"Lumeko player host", style, 40, 40, r.right - r.left,
                                  r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr));
  if (window_) {
    ::ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(window_.get());
  }
  return window_.get();
}

HRESULT PlayerHost::AttachWindow(HWND window) {
  if (!effect_) return E_UNEXPECTED;
  HRESULT hr = effect_->Create(window ? window : window_.get());
  if (FAILED(hr)) return hr;
  return effect_->SetCore(core_);
}

HRESULT PlayerHost::RenderWindowed(double positionSeconds, LONG state) {
  if (!effect_) return E_UNEXPECTED;
  core_->Controls->Position = positionSeconds;
  levels_ = TimedLevel{};
  levels_.state = state;
  return effect_->RenderWindowed(&levels_, TRUE);
}

Frame PlayerHost::CaptureWindow(HWND window) const {
  Frame f;
  if (!window) window = window_.get();
  if (!window) return f;
  RECT r;
  ::GetClientRect(window, &r);
  f.Width = r.right;
  f.Height = r.bottom;
  if (f.Width <= 0 || f.Height <= 0) return f;
  WindowDC wdc(window);
  UniqueHDC mem(::CreateCompatibleDC(wdc.get()));
  BITMAPINFO bi = TopDownDibInfo(f.Width, f.Height, 32);
  void* bits = nullptr;
  UniqueHBITMAP dib(::CreateDIBSection(mem.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) return f;
  {
    SelectGuard sel(mem.get(), dib.get());
    ::BitBlt(mem.get(), 0, 0, f.Width, f.Height, wdc.get(), 0, 0, SRCCOPY);
    ::GdiFlush();
  }
  const auto* p = static_cast<const std::uint32_t*>(bits);
  f.Pixels.assign(p, p + static_cast<size_t>(f.Width) * f.Height);
  f.Result = S_OK;
  return f;
}

}  // namespace lumeko::host
