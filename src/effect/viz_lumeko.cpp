// TVizLumeko: construction, destruction, the COM plumbing and the simple
// slots of the effect interface.
//
// Construction runs in a fixed order (tag defaults, event, document,
// settings, stacked effect); destruction releases the stacked effect first
// and the core last. IDispatch and the class info are
// served from the type library embedded in this module.
#include "effect/viz_lumeko.h"

#include <stdexcept>

#include "effect/tag_defaults.h"
#include "platform/wide.h"
#include "settings/settings_store.h"
#include "ui/property_form.h"

namespace lumeko {

const char kEffectTitle[] = "\x89\xCC\x8E\x8C\x95\x5C\x8E\xA6(LUMEKO)";  // 歌詞表示(LUMEKO)

TVizLumeko::TVizLumeko() {
  for (int i = 0; i < kPresetCount; ++i) Painters[i] = Presets()[i].Paint;
  ++ModuleObjectCount();
}

TVizLumeko* TVizLumeko::CreateInstance(IUnknown* outer, std::string* warning) {
  TVizLumeko* obj = new TVizLumeko();
  try {
    obj->Initialize(warning);
  } catch (...) {
    obj->Release();
    throw;
  }
  obj->outer_ = outer;  // only now: a failed construction releases itself
  return obj;
}

void TVizLumeko::Initialize(std::string* warning) {
  // The tag-defaults file beside the module: defaults for every document.
  {
    wchar_t path[MAX_PATH + 1];
    const DWORD n = ::GetModuleFileNameW(ModuleHandle(), path, MAX_PATH);
    if (n > 0 && n < MAX_PATH) TagDefaults = LoadTagDefaults(std::wstring(path, n), &TagDefaultsBlankBgFile);
  }
  PropertyEvent = CreatePropertyChangeEvent();
  {
    // Scheme and picture picks differ from one run to the next.
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    std::seed_seq seed{static_cast<std::uint32_t>(now.QuadPart), static_cast<std::uint32_t>(now.QuadPart >> 32),
                       static_cast<std::uint32_t>(::GetCurrentProcessId())};
    Random.seed(seed);
  }
  Lyrics = std::make_unique<TLyricsControl>();
  ApplySettings();
  LoadPileSettings(Setup);
  // A stacked effect that is gone (uninstalled, say) must not keep the
  // lyrics, and the page that could undo the setting, from opening: the
  // effect starts without it and the stored setting stays as it is.
  TCaughtFailure failure{S_OK, {}};
  try {
    CreatePileEffect();
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    failure.Result = E_FAIL;
    failure.Take(e.what());
  }
  if (FAILED(failure.Result)) {
    ReleasePile();
    if (warning) *warning = failure.Message;
  }
}

TVizLumeko::~TVizLumeko() {
  ReleasePile();
  PropertyEvent.reset();
  FreeBackground();
  HideHint();
  FrameCanvas.reset();  // puts its font out of the DC first
  FrameBitmap.Reset();
  Lyrics.reset();
  ThrottleEvent.reset();
  BkGndSchedule.clear();
  TagDefaults.reset();
  Core.reset();
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
  else if (iid == IID_ILumekoFadeClock)
    *out = static_cast<ILumekoFadeClock*>(self);
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
      MediaUrlWide.clear();
      MediaUrl.clear();
      const std::wstring t(title ? title : L"", title ? ::SysStringLen(title) : 0);
      SetMedia(&t, nullptr);
    }
    ResetDrawData(DrawData, dd_Metrics | dd_Fadeout | dd_Position);
    FreeKaraokeLayout(Karaoke);
    if (Pile) Pile->MediaInfo(channelCount, sampleRate, title);
    return S_OK;
  });
}

STDMETHODIMP TVizLumeko::GetCapabilities(DWORD* capabilities) noexcept {
  if (!capabilities) return E_POINTER;
  // The property page only: no full screen, no variable frequency step.
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
  return ComCall(IID_IWMPEffects, E_FAIL, [&] { return TitleOut(Presets()[preset].Title, title); });
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

// There is no page to show; the stacked effect stays, as nothing was opened.
STDMETHODIMP TVizLumeko::DisplayPropertyPage(HWND owner) noexcept {
  return ComCall(IID_IWMPEffects, E_FAIL, [&] {
    // The page creates the installed effects to list them; this instance
    // stops its stacked one for the rest of its life.
    ReleasePile();
    ShowPropertyPage(owner, ModulePath());
    return S_OK;
  });
}

STDMETHODIMP TVizLumeko::GoFullscreen(BOOL) noexcept { return S_OK; }

STDMETHODIMP TVizLumeko::RenderFullScreen(TimedLevel*) noexcept { return S_OK; }

// ---- IWMPEffects2: the simple slots ----

STDMETHODIMP TVizLumeko::SetCore(IWMPCore* core) noexcept {
  Core = TComPtr<IWMPCore>::Share(core);
  return S_OK;
}

STDMETHODIMP TVizLumeko::Create(HWND parent) noexcept {
  Window = parent;
  return S_OK;
}

STDMETHODIMP TVizLumeko::Destroy() noexcept {
  HideHint();  // a hint still shown goes with the window it belongs to
  SchemeMenu.reset();
  Window = nullptr;
  return S_OK;
}

STDMETHODIMP TVizLumeko::NotifyNewMedia(IWMPMedia* media) noexcept {
  if (!media) return S_OK;
  return ComCall(IID_IWMPEffects2, E_FAIL, [&] {
    const auto fetch = [](HRESULT hr, const TBstr& b) {
      if (FAILED(hr)) throw std::runtime_error("the media item did not answer");
      return std::wstring(b.view());
    };
    TBstr url;
    std::wstring u = fetch(media->get_sourceURL(url.put()), url);
    if (u == MediaUrlWide) {
      Changes |= cf_Lyrics;
      return S_OK;
    }
    TBstr url2, name;
    u = fetch(media->get_sourceURL(url2.put()), url2);
    const std::wstring n = fetch(media->get_name(name.put()), name);
    SetMedia(&n, &u);
    return S_OK;
  });
}

// ---- IDispatch, IProvideClassInfo, ISupportErrorInfo ----

HRESULT TVizLumeko::LoadTypeInfo(ITypeInfo** info, bool classInfo) {
  *info = nullptr;
  TComPtr<ITypeLib> lib;
  const std::wstring path = ModulePath();
  HRESULT hr = ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, lib.put());
  if (FAILED(hr)) return hr;
  return lib->GetTypeInfoOfGuid(classInfo ? CLSID_VizLumeko : IID_IVizLumeko, info);
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
  return ComCall(IID_IDispatch, E_FAIL, [&] { return LoadTypeInfo(info, false); });
}

STDMETHODIMP TVizLumeko::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) noexcept {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  return ComCall(IID_IDispatch, E_FAIL, [&] {
    TComPtr<ITypeInfo> ti;
    const HRESULT hr = LoadTypeInfo(ti.put(), false);
    return FAILED(hr) ? hr : ::DispGetIDsOfNames(ti.get(), names, count, ids);
  });
}

STDMETHODIMP TVizLumeko::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                EXCEPINFO* excep, UINT* argErr) noexcept {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  return ComCall(IID_IDispatch, E_FAIL, [&] {
    TComPtr<ITypeInfo> ti;
    const HRESULT hr = LoadTypeInfo(ti.put(), false);
    return FAILED(hr) ? hr
                      : ::DispInvoke(static_cast<IVizLumeko*>(this), ti.get(), id, flags, params, result, excep, argErr);
  });
}

STDMETHODIMP TVizLumeko::GetClassInfo(ITypeInfo** info) noexcept {
  if (!info) return E_POINTER;
  return ComCall(IID_IProvideClassInfo, E_FAIL, [&] { return LoadTypeInfo(info, true); });
}

STDMETHODIMP TVizLumeko::InterfaceSupportsErrorInfo(REFIID iid) noexcept {
  return (iid == IID_IWMPEffects || iid == IID_IWMPEffects2 || iid == IID_IVizLumeko) ? S_OK : S_FALSE;
}

}  // namespace lumeko
