// TVizLumeko: construction, destruction, the COM plumbing and the simple
// slots of the effect interface.
//
// Construction runs in a fixed order (event, random seed, frame, document,
// counter frequency, settings, stacked effect); destruction releases the
// stacked effect first and the core last. IDispatch and the class info are
// served from the type library embedded in this module.
#include "effect/viz_lumeko.h"

#include "effect/tag_defaults.h"
#include "platform/wide.h"

#include "effect/settings.h"
#include "platform/wide.h"

namespace lumeko {

const char kEffectTitle[] = "\x89\xCC\x8E\x8C\x95\x5C\x8E\xA6(LUMEKO)";  // 歌詞表示(LUMEKO)
const char* const kPresetTitles[kPresetCount] = {
    "\x83\x5A\x83\x93\x83\x5E\x83\x8A\x83\x93\x83\x4F",  // センタリング
    "\x8D\xB6\x8A\xF1\x82\xB9",                          // 左寄せ
    "\x88\xEA\x8D\x73\x95\x5C\x8E\xA6",                  // 一行表示
    "\x83\x4A\x83\x89\x83\x49\x83\x50",                  // カラオケ
};

TVizLumeko::TVizLumeko() { ++ModuleObjectCount(); }

TVizLumeko* TVizLumeko::CreateInstance(IUnknown* outer) {
  TVizLumeko* obj = new TVizLumeko();
  try {
    obj->Initialize();
  } catch (...) {
    obj->Release();
    throw;
  }
  obj->outer_ = outer;  // only now: a failed construction releases itself
  return obj;
}

void TVizLumeko::Initialize() {
  // The tag-defaults file beside the module: defaults for every document.
  {
    wchar_t path[MAX_PATH + 1];
    const DWORD n = ::GetModuleFileNameW(ModuleHandle(), path, MAX_PATH);
    if (n > 0 && n < MAX_PATH) TagDefaults = LoadTagDefaults(FromWide(std::wstring_view(path, n)), &TagDefaultsBlankBgFile);
  }
  PropertyEvent = CreatePropertyChangeEvent();
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  Random.seed(static_cast<std::mt19937::result_type>(now.QuadPart ^ (now.QuadPart >> 32)));
  Lyrics = std::make_unique<TLyricsControl>();
  LARGE_INTEGER freq{};
  ::QueryPerformanceFrequency(&freq);
  TicksPerMs = freq.QuadPart / 1000;
  ApplySettings();
  LoadPileSettings(Setup.Pile);
  CreatePileEffect();
}

TVizLumeko::~TVizLumeko() {
  ReleasePile();
  PropertyEvent.reset();
  FreeBackground();
  FreeKaraokeLayout();
  if (HintWindow) {
    HintWindow.reset();
    ::UnregisterClassW(L"LumekoHintWindow", ModuleHandle());
  }
  SchemeMenu.reset();
  FrameCanvas.reset();  // puts its font out of the DC first
  FrameBitmap.Free();
  Lyrics.reset();
  ThrottleEvent.reset();
  BkGndSchedule.clear();
  TagDefaults.reset();
  if (Core) Core->Release();
  Core = nullptr;
  --ModuleObjectCount();
}

// ---- IUnknown ----

// Aggregated, the outer object answers for the identity and the count.
STDMETHODIMP TVizLumeko::QueryInterface(REFIID iid, void** out) noexcept {
  return outer_ ? outer_->QueryInterface(iid, out) : inner_.QueryInterface(iid, out);
}

STDMETHODIMP_(ULONG) TVizLumeko::AddRef() noexcept { return outer_ ? outer_->AddRef() : inner_.AddRef(); }

STDMETHODIMP_(ULONG) TVizLumeko::Release() noexcept { return outer_ ? outer_->Release() : inner_.Release(); }

STDMETHODIMP TVizLumeko::TInnerUnknown::QueryInterface(REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  TVizLumeko* const self = &self_;
  *out = nullptr;
  if (iid == IID_IWMPEffects2 || iid == IID_IWMPEffects)
    *out = static_cast<IWMPEffects2*>(self);
  else if (iid == IID_IVizLumeko || iid == IID_IDispatch)
    *out = static_cast<IVizLumeko*>(self);
  else if (iid == IID_IProvideClassInfo)
    *out = static_cast<IProvideClassInfo*>(self);
  else if (iid == IID_ISupportErrorInfo)
    *out = static_cast<ISupportErrorInfo*>(self);
  else if (iid == IID_IUnknown)
    *out = self->outer_ ? static_cast<IUnknown*>(this) : static_cast<IWMPEffects2*>(self);
  else
    return E_NOINTERFACE;
  // Through the pointer handed out, so an aggregated object counts on outer.
  static_cast<IUnknown*>(*out)->AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) TVizLumeko::TInnerUnknown::AddRef() noexcept { return ++self_.refs_; }

STDMETHODIMP_(ULONG) TVizLumeko::TInnerUnknown::Release() noexcept {
  const ULONG left = --self_.refs_;
  if (left == 0) delete &self_;
  return left;
}

// ---- IWMPEffects: the simple slots ----

STDMETHODIMP TVizLumeko::MediaInfo(LONG channelCount, LONG sampleRate, BSTR title) noexcept {
  return ComCall(IID_IWMPEffects, E_FAIL, [&] {
    if (!Core) {
      MediaUrl.clear();
      const std::string t = FromWide(std::wstring_view(title ? title : L"", title ? ::SysStringLen(title) : 0));
      SetMedia(&t, nullptr);
    }
    ResetDrawData(DrawData, dd_Metrics | dd_Fadeout | dd_Position);
    FreeKaraokeLayout();
    if (Pile) Pile->MediaInfo(channelCount, sampleRate, title);
    return S_OK;
  });
}

STDMETHODIMP TVizLumeko::GetCapabilities(DWORD* capabilities) noexcept {
  if (!capabilities) return E_POINTER;
  *capabilities = EFFECT_HASPROPERTYPAGE;
  return S_OK;
}

namespace {

// Titles go out through a 64-character buffer, as the player expects them
// short; a longer one is cut (none of ours is).
HRESULT TitleOut(const char* cp932, BSTR* out) {
  std::wstring w = ToWide(cp932);
  if (w.size() > 63) w.resize(63);
  *out = ::SysAllocString(w.c_str());
  return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

STDMETHODIMP TVizLumeko::GetTitle(BSTR* title) noexcept {
  if (!title) return E_POINTER;
  *title = nullptr;
  return ComCall(IID_IWMPEffects, E_FAIL, [&] { return TitleOut(kEffectTitle, title); });
}

STDMETHODIMP TVizLumeko::GetPresetTitle(LONG preset, BSTR* title) noexcept {
  if (!title) return E_POINTER;
  *title = nullptr;
  if (preset < 0 || preset >= kPresetCount) return E_FAIL;
  return ComCall(IID_IWMPEffects, E_FAIL, [&] { return TitleOut(kPresetTitles[preset], title); });
}

STDMETHODIMP TVizLumeko::GetPresetCount(LONG* count) noexcept {
  if (!count) return E_POINTER;
  *count = kPresetCount;
  return S_OK;
}

STDMETHODIMP TVizLumeko::SetCurrentPreset(LONG preset) noexcept {
  return ComCall(IID_IWMPEffects, E_FAIL, [&] {
    if (Pile && Pile->SetCurrentPreset(Setup.Pile.PileEffectPreset) != S_OK) ReleasePile();
    if (preset < 0 || preset >= kPresetCount) return E_FAIL;
    if (preset != CurrentPreset) {
      CurrentPreset = preset;
      Changes |= cf_Preset;
    }
    return S_OK;
  });
}

STDMETHODIMP TVizLumeko::GetCurrentPreset(LONG* preset) noexcept {
  if (!preset) return E_POINTER;
  *preset = CurrentPreset;
  return S_OK;
}

STDMETHODIMP TVizLumeko::DisplayPropertyPage(HWND owner) noexcept {
  return ComCall(IID_IWMPEffects, E_FAIL, [&] {
    // Once the page is opened, the stacked effect is gone for this instance.
    ReleasePile();
    return ShowPropertyPage(owner);
  });
}

STDMETHODIMP TVizLumeko::GoFullscreen(BOOL) noexcept { return S_OK; }

STDMETHODIMP TVizLumeko::RenderFullScreen(TimedLevel*) noexcept { return S_OK; }

// ---- IWMPEffects2: the simple slots ----

STDMETHODIMP TVizLumeko::SetCore(IWMPCore* core) noexcept {
  if (core) core->AddRef();
  if (Core) Core->Release();
  Core = core;
  return S_OK;
}

STDMETHODIMP TVizLumeko::Create(HWND parent) noexcept {
  Window = parent;
  return S_OK;
}

STDMETHODIMP TVizLumeko::Destroy() noexcept {
  SchemeMenu.reset();
  // A hint still shown goes with the window it belongs to.
  if (HintWindow) {
    HintWindow.reset();
    ::UnregisterClassW(L"LumekoHintWindow", ModuleHandle());
  }
  Window = nullptr;
  return S_OK;
}

STDMETHODIMP TVizLumeko::NotifyNewMedia(IWMPMedia* media) noexcept {
  if (!media) return S_OK;
  return ComCall(IID_IWMPEffects2, E_FAIL, [&] {
    const auto fetch = [](HRESULT hr, const TBstr& b) {
      if (FAILED(hr)) throw std::runtime_error("the media item did not answer");
      return FromWide(b.view());
    };
    TBstr url;
    std::string u = fetch(media->get_sourceURL(url.put()), url);
    if (u == MediaUrl) {
      Changes |= cf_Lyrics;
      return S_OK;
    }
    TBstr url2, name;
    u = fetch(media->get_sourceURL(url2.put()), url2);
    const std::string n = fetch(media->get_name(name.put()), name);
    SetMedia(&n, &u);
    return S_OK;
  });
}

// ---- IDispatch, IProvideClassInfo, ISupportErrorInfo ----

HRESULT TVizLumeko::LoadTypeInfo(ITypeInfo** info, bool classInfo) {
  if (!info) return E_POINTER;
  *info = nullptr;
  ITypeLib* lib = nullptr;
  const std::wstring path = ModulePath();
  HRESULT hr = ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib);
  if (FAILED(hr)) return hr;
  hr = lib->GetTypeInfoOfGuid(classInfo ? CLSID_VizLumeko : IID_IVizLumeko, info);
  lib->Release();
  return hr;
}

STDMETHODIMP TVizLumeko::GetTypeInfoCount(UINT* count) noexcept {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

STDMETHODIMP TVizLumeko::GetTypeInfo(UINT index, LCID, ITypeInfo** info) noexcept {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  return LoadTypeInfo(info, false);
}

STDMETHODIMP TVizLumeko::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) noexcept {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  ITypeInfo* ti = nullptr;
  HRESULT hr = LoadTypeInfo(&ti, false);
  if (FAILED(hr)) return hr;
  hr = ::DispGetIDsOfNames(ti, names, count, ids);
  ti->Release();
  return hr;
}

STDMETHODIMP TVizLumeko::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                EXCEPINFO* excep, UINT* argErr) noexcept {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  ITypeInfo* ti = nullptr;
  HRESULT hr = LoadTypeInfo(&ti, false);
  if (FAILED(hr)) return hr;
  hr = ::DispInvoke(static_cast<IVizLumeko*>(this), ti, id, flags, params, result, excep, argErr);
  ti->Release();
  return hr;
}

STDMETHODIMP TVizLumeko::GetClassInfo(ITypeInfo** info) noexcept { return LoadTypeInfo(info, true); }

STDMETHODIMP TVizLumeko::InterfaceSupportsErrorInfo(REFIID iid) noexcept {
  return (iid == IID_IWMPEffects || iid == IID_IWMPEffects2 || iid == IID_IVizLumeko) ? S_OK : S_FALSE;
}

}  // namespace lumeko
