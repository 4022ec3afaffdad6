// The effect object from inside: the frame path's bookkeeping (frame
// bitmap, change flags, background queue, play-state changes), media
// announcements, the stacked-effect settings and the factory's failure path.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "effect/class_factory.h"
#include "effect/stacked_effect_stub.h"
#include "effect/viz_lumeko_probe.h"
#include "platform/wide.h"
#include "settings/registry_fixture.h"
#include "settings/settings_store.h"

namespace lumeko {
namespace {

using P = TVizLumekoProbe;

void Write(const char* name, std::int32_t v) {
  TRegistryEx reg(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKey(kSettingsKey, true));
  reg.WriteInteger(name, v);
}

void Write(const char* name, const std::string& v) {
  TRegistryEx reg(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKey(kSettingsKey, true));
  reg.WriteString(name, v);
}

class EffectObject : public test::RegistryTest {
 protected:
  void SetUp() override {
    test::RegistryTest::SetUp();
    ASSERT_TRUE(player_.CreateDib32(64, 64));
  }
  void TearDown() override {
    if (obj_) obj_->Release();
    test::RegistryTest::TearDown();
  }
  TVizLumeko& Make() {
    obj_ = TVizLumeko::CreateInstance();
    return *obj_;
  }
  HRESULT Frame(int w, int h, LONG state, LONGLONG time) {
    TimedLevel levels{};
    levels.state = state;
    levels.timeStamp = time;
    RECT r{0, 0, w, h};
    return obj_->Render(&levels, player_.DC(), &r);
  }
  TVizLumeko* obj_ = nullptr;
  TMemoryBitmap player_;  // the player's DC
};

TEST_F(EffectObject, FrameBitmapFollowsTheAreaSizeOnly) {
  TVizLumeko& e = Make();
  ASSERT_EQ(Frame(32, 24, play_state, 0), S_OK);
  const HBITMAP first = P::Frame(e).Bitmap();
  EXPECT_EQ(P::Frame(e).Width(), 32);
  EXPECT_EQ(P::Changes(e), 0);  // emptied at the end of every frame
  ASSERT_EQ(Frame(32, 24, play_state, 10000), S_OK);
  EXPECT_EQ(P::Frame(e).Bitmap(), first);
  ASSERT_EQ(Frame(40, 24, play_state, 20000), S_OK);
  EXPECT_NE(P::Frame(e).Bitmap(), first);
  EXPECT_EQ(P::Frame(e).Width(), 40);

  // A frame that fails still ends with the bookkeeping, and the next works.
  EXPECT_EQ(Frame(-5, 24, pause_state, 30000), E_FAIL);
  EXPECT_EQ(P::LastTimeStamp(e), 30000);
  EXPECT_EQ(P::DrawData(e).LastPlayState, pause_state);
  EXPECT_EQ(Frame(40, 24, play_state, 40000), S_OK);
  // Stopping resets the position bookkeeping.
  P::DrawData(e).LastLineIndex = 5;
  ASSERT_EQ(Frame(40, 24, stop_state, 0), S_OK);
  EXPECT_EQ(P::DrawData(e).LastLineIndex, -1);
}

TEST_F(EffectObject, PresetAndMediaAnnouncementsMarkOnlyRealChanges) {
  TVizLumeko& e = Make();
  P::Changes(e) = 0;
  EXPECT_EQ(e.SetCurrentPreset(0), S_OK);
  EXPECT_EQ(P::Changes(e), 0);
  EXPECT_EQ(e.SetCurrentPreset(2), S_OK);
  EXPECT_EQ(P::Changes(e), cf_Preset);

  BSTR title = ::SysAllocString(L"\u6B4C");
  EXPECT_EQ(e.MediaInfo(2, 44100, title), S_OK);
  EXPECT_TRUE(P::MediaPending(e));
  EXPECT_EQ(P::MediaTitle(e), "\x89\xCC");
  ASSERT_EQ(Frame(8, 8, play_state, 0), S_OK);
  EXPECT_FALSE(P::MediaPending(e));
  EXPECT_EQ(e.MediaInfo(2, 44100, title), S_OK);  // same title: nothing to reload
  EXPECT_FALSE(P::MediaPending(e));
  EXPECT_EQ(e.MediaInfo(2, 44100, nullptr), S_OK);  // an empty title is a new one
  EXPECT_TRUE(P::MediaPending(e));
  ::SysFreeString(title);

  // Two songs whose titles code page 932 cannot spell are two songs, though
  // both would convert to the same question marks.
  for (const wchar_t* hangul : {L"\uBC24\uD3B8\uC9C0", L"\uC88B\uC740\uB0A0"}) {
    ASSERT_EQ(Frame(8, 8, play_state, 0), S_OK);
    EXPECT_FALSE(P::MediaPending(e));
    BSTR t = ::SysAllocString(hangul);
    EXPECT_EQ(e.MediaInfo(2, 44100, t), S_OK);
    ::SysFreeString(t);
    EXPECT_TRUE(P::MediaPending(e)) << "a new song";
  }
}

TEST_F(EffectObject, SettingsReachTheObjectAndTheDocument) {
  Write("BurdenReduction", 1);
  Write("AdjustTimeTagMSec", 250);
  TVizLumeko& e = Make();
  EXPECT_TRUE(P::Throttled(e));
  EXPECT_EQ(P::Lyrics(e).DefaultOffset(), 250);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(Frame(8, 8, play_state, 0), S_OK);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(45));

  Write("BurdenReduction", 0);
  Write("AdjustTimeTagMSec", -100);
  ASSERT_TRUE(SignalPropertyChange());
  ASSERT_EQ(Frame(8, 8, play_state, 10000), S_OK);
  EXPECT_FALSE(P::Throttled(e));
  EXPECT_EQ(P::Lyrics(e).DefaultOffset(), -100);
}

TEST_F(EffectObject, AStackedEffectThatCannotBeMadeIsToldOnceAndLeftOut) {
  std::wstring caption, text;
  int boxes = 0;
  SetFailureMessageSink([&](const std::wstring& c, const std::wstring& t) {
    caption = c;
    text = t;
    ++boxes;
  });
  IClassFactory* factory = nullptr;
  ASSERT_EQ(EffectGetClassObject(CLSID_VizLumeko, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  IUnknown* unk = nullptr;
  const auto make = [&](REFIID iid) {
    const HRESULT hr = factory->CreateInstance(nullptr, iid, reinterpret_cast<void**>(&unk));
    if (unk) unk->Release();
    unk = nullptr;
    return hr;
  };

  Write("PileEffectEnabled", 1);
  Write("PileEffectClassId", "not a class");
  Write("PileEffectPreset", -1);  // no preset chosen: no pile, nothing to say
  EXPECT_EQ(make(IID_IUnknown), S_OK);
  EXPECT_EQ(boxes, 0);

  // A class that cannot be made: the effect opens without it, says why once
  // in this process and leaves the setting for the page to change.
  Write("PileEffectPreset", 0);
  EXPECT_EQ(make(IID_IWMPEffects), S_OK);
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(caption, L"VOD \u30A8\u30E9\u30FC");
  EXPECT_NE(text.find(L"not a class"), std::wstring::npos);
  EXPECT_EQ(make(IID_IWMPEffects), S_OK);
  EXPECT_EQ(boxes, 1);
  TRegistryEx reg(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKey(kSettingsKey, false));
  EXPECT_EQ(reg.ReadStringDef("PileEffectClassId", ""), "not a class");
  TVizLumeko& e = Make();
  EXPECT_FALSE(P::Pile(e));

  // Stacking the effect on itself would recurse without end: left out too.
  Write("PileEffectClassId", "{37A95726-3491-4CD1-97E8-2A4A4A0617C2}");
  EXPECT_EQ(make(IID_IUnknown), S_OK);
  EXPECT_EQ(boxes, 2);

  // A class that exists but is no effect: no pile and nothing to say. The
  // real class registrations are needed to create it.
  TRegistryOverride realClasses(true, ro_CurrentUser | ro_LocalMachine);
  ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  Write("PileEffectClassId", "{00021401-0000-0000-C000-000000000046}");  // the shell link object
  EXPECT_EQ(make(IID_IWMPEffects), S_OK);
  EXPECT_EQ(boxes, 2);
  factory->Release();
  ::CoUninitialize();
  SetFailureMessageSink(nullptr);
}

// What a stand-in painter saw, and what it answers.
std::vector<bool> changedSeen;
HRESULT painterAnswer = S_OK;

TEST_F(EffectObject, APainterThatFailedIsGivenAWholeFrameNext) {
  TVizLumeko& e = Make();
  ASSERT_TRUE(P::Lyrics(e).LoadFromText("[00:01.00]line\r\n", "x.lrc"));
  changedSeen.clear();
  P::Painter(e, 0) = [](TPaintTarget&, const TFrameState& f) noexcept -> HRESULT {
    changedSeen.push_back(f.Changed);
    return painterAnswer;
  };
  painterAnswer = S_OK;
  ASSERT_EQ(Frame(8, 8, play_state, 0), S_OK);       // a new frame: everything
  ASSERT_EQ(Frame(8, 8, play_state, 10000), S_OK);   // nothing changed
  painterAnswer = E_FAIL;
  ASSERT_EQ(Frame(8, 8, play_state, 20000), S_OK);   // fails: the player sees a frame all the same
  painterAnswer = S_OK;
  ASSERT_EQ(Frame(8, 8, play_state, 30000), S_OK);   // so this one is whole
  ASSERT_EQ(Frame(8, 8, play_state, 40000), S_OK);
  EXPECT_EQ(changedSeen, (std::vector<bool>{true, false, false, true, false}));
}

// A stacked effect that records what it is asked.
class TRecordingEffect final : public test::TStackedEffectStub {
 public:
  int MediaInfos = 0;
  LONG PresetAsked = -100;
  HRESULT PresetAnswer = S_OK;
  STDMETHODIMP MediaInfo(LONG, LONG, BSTR) noexcept override {
    ++MediaInfos;
    return S_OK;
  }
  STDMETHODIMP SetCurrentPreset(LONG p) noexcept override {
    PresetAsked = p;
    return PresetAnswer;
  }
};

TEST_F(EffectObject, StackedEffectHearsTheMediaAndPresetsAndGoesForGood) {
  Write("PileEffectPreset", 2);
  TVizLumeko& e = Make();
  TRecordingEffect pile;
  P::Pile(e) = TComPtr<IWMPEffects>::Attach(&pile);  // the object's reference now

  BSTR title = ::SysAllocString(L"t");
  EXPECT_EQ(e.MediaInfo(2, 44100, title), S_OK);
  ::SysFreeString(title);
  EXPECT_EQ(pile.MediaInfos, 1);

  // The player's preset change is passed on with the stacked effect's own preset.
  EXPECT_EQ(e.SetCurrentPreset(9), E_FAIL);
  EXPECT_EQ(pile.PresetAsked, 2);
  EXPECT_EQ(P::Pile(e).get(), &pile);
  pile.PresetAnswer = S_FALSE;  // anything but 0 drops it
  EXPECT_EQ(e.SetCurrentPreset(1), S_OK);
  EXPECT_EQ(P::Pile(e).get(), nullptr);
  EXPECT_EQ(pile.Refs, 0u);  // its reference given back

}

// An object that aggregates the effect, as a COM container may.
class TOuter final : public IUnknown {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    if (iid == IID_IUnknown) {
      *out = this;
      AddRef();
      return S_OK;
    }
    return Inner ? Inner->QueryInterface(iid, out) : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return ++Refs; }
  STDMETHODIMP_(ULONG) Release() noexcept override { return --Refs; }
  IUnknown* Inner = nullptr;
  ULONG Refs = 1;
};

TEST_F(EffectObject, FactoryLetsAnOuterObjectTakeTheEffectsOwnUnknownOnly) {
  IClassFactory* factory = nullptr;
  ASSERT_EQ(EffectGetClassObject(CLSID_VizLumeko, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  const long before = ModuleObjectCount();
  TOuter outer;
  void* p = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->CreateInstance(&outer, IID_IWMPEffects, &p), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(ModuleObjectCount(), before);

  ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.Inner)), S_OK);
  ASSERT_NE(outer.Inner, nullptr);
  EXPECT_NE(outer.Inner, static_cast<IUnknown*>(&outer));
  EXPECT_EQ(outer.Refs, 1u);  // the effect holds no reference on its owner

  IWMPEffects* fx = nullptr;
  ASSERT_EQ(outer.QueryInterface(IID_IWMPEffects, reinterpret_cast<void**>(&fx)), S_OK);
  EXPECT_EQ(outer.Refs, 2u);  // counted on the outer object
  LONG count = 0;
  EXPECT_EQ(fx->GetPresetCount(&count), S_OK);
  EXPECT_EQ(count, 4);
  IUnknown* identity = nullptr;
  ASSERT_EQ(fx->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
  EXPECT_EQ(identity, static_cast<IUnknown*>(&outer));
  identity->Release();
  fx->Release();
  EXPECT_EQ(outer.Refs, 1u);

  EXPECT_EQ(ModuleObjectCount(), before + 1);
  EXPECT_EQ(outer.Inner->Release(), 0u);
  EXPECT_EQ(ModuleObjectCount(), before);
  factory->Release();
}

TEST(FailureMessage, GetsAFullStopUnlessItEndsInOne) {
  EXPECT_EQ(FailureMessageText("bad class"), "bad class.");
  EXPECT_EQ(FailureMessageText("done."), "done.");
  EXPECT_EQ(FailureMessageText("a, b-"), "a, b-");  // '-' and ',' sort before '.'
  EXPECT_EQ(FailureMessageText("\x83\x47\x83\x89\x81\x5B"), "\x83\x47\x83\x89\x81\x5B.");  // ends in a double-byte
  EXPECT_EQ(FailureMessageText(""), "");
}

}  // namespace
}  // namespace lumeko
