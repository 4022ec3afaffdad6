// Out-of-memory paths of every COM method the player calls, swept. The
// effect is linked into this program, whose operator new fails on request:
// for k = 1, 2, ... a fresh object is brought to the state the call needs,
// the k-th allocation of the call fails, and the sweep goes on until a call
// runs clean. Every run answers (a failure code or success, never the end
// of the process), shows no message, leaves the object drawing the next
// frame, and once the object is released nothing is left: no block of
// memory, GDI or USER object or handle.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "effect/class_factory.h"
#include "effect/viz_lumeko_probe.h"
#include "platform/wide.h"
#include "process_counts.h"
#include "settings/registry_fixture.h"
#include "settings/settings_store.h"
#include "stand_ins.h"
#include "test_support/failing_allocator.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace {

using P = TVizLumekoProbe;

// What a run may leave behind; private bytes are left out, since the system's
// own heaps come and go, and the blocks of operator new stand in for ours.
struct TLeft {
  long Blocks;
  std::uint32_t Gdi, User, Handles;
  bool operator==(const TLeft&) const = default;
};

TLeft Left() {
  const host::TProcessCounts c = host::ReadProcessCounts();
  return {test::LiveAllocations(), c.Gdi, c.User, c.Handles};
}

std::ostream& operator<<(std::ostream& os, const TLeft& l) {
  return os << "blocks " << l.Blocks << ", gdi " << l.Gdi << ", user " << l.User << ", handles " << l.Handles;
}

// What gtest has recorded in this test so far: a failure's message is memory
// the sweep must not count as left behind.
int Recorded() { return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count(); }

constexpr int kWidth = 96, kHeight = 64;

class EffectOutOfMemory : public test::RegistryTest {
 protected:
  void SetUp() override {
    test::RegistryTest::SetUp();
    ASSERT_TRUE(player_.CreateDib32(kWidth, kHeight));
    ASSERT_TRUE(test::WriteFile(dir_ / "yoake no metronome.kra",
                                "@BGFILE=none.jpg\r\n[00:00:00]\x89\xCC[00:00:40]\x8E\x8C [00:00:80]one[00:01:20]\r\n"
                                "[00:01:50]two [00:02:00]lines[00:03:00]\r\n"));
    TRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(kSettingsKey, true));
    reg.WriteString("LyricsPath", dir_.path());
    reg.WriteInteger("FontEffect", 4);  // an outline: the pen and the path are made too
    window_.reset(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr,
                                    nullptr, nullptr));
    ASSERT_TRUE(window_);
    core_ = new host::TStandInCore();
    SetFailureMessageSink([this](const std::wstring&, const std::wstring&) { ++messages_; });
  }
  void TearDown() override {
    SetFailureMessageSink(nullptr);
    core_->Release();
    window_.reset();
    test::RegistryTest::TearDown();
  }

  static TVizLumeko* Make() { return TVizLumeko::CreateInstance(); }
  HRESULT Frame(TVizLumeko& e, LONGLONG time, int width = kWidth) {
    TimedLevel levels{};
    levels.state = play_state;
    levels.timeStamp = time;
    RECT r{0, 0, width, kHeight};
    return e.Render(&levels, player_.DC(), &r);
  }
  std::vector<std::uint32_t> Pixels() const {
    ::GdiFlush();
    return std::vector<std::uint32_t>(player_.Bits(), player_.Bits() + kWidth * kHeight);
  }
  // A title the plain player announces, found in the lyrics folder; long
  // enough that its copies are allocated.
  static HRESULT Announce(TVizLumeko& e) {
    BSTR t = ::SysAllocString(L"yoake no metronome");
    const HRESULT hr = e.MediaInfo(2, 44100, t);
    ::SysFreeString(t);
    return hr;
  }
  void Attach(TVizLumeko& e) {
    ASSERT_EQ(e.Create(window_.get()), S_OK);
    ASSERT_EQ(e.SetCore(core_), S_OK);
  }

  // Sweeps call over objects that ready() brings to their state (null: the
  // call makes its own). after() checks the object once the call has
  // answered and the next frame is drawn.
  long Sweep(const char* name, const std::function<TVizLumeko*()>& ready,
             const std::function<HRESULT(TVizLumeko*&)>& call,
             const std::function<void(TVizLumeko&, HRESULT answer)>& after = {}) {
    // A clean run first: what the call answers, and what the process makes
    // for good on first use (the default face, the system's caches, the
    // runtime's record of a thread that has thrown).
    try {
      throw std::bad_alloc();
    } catch (const std::bad_alloc&) {
    }
    HRESULT clean;
    {
      TVizLumeko* e = ready();
      clean = call(e);
      if (e) {
        EXPECT_EQ(Frame(*e, 10'000'000), S_OK) << name;
        if (after) after(*e, clean);
        e->Release();
      }
    }
    const long points = test::SweepAllocationFailures([&](long k) {
      const TLeft before = Left();
      const int recorded = Recorded();
      TVizLumeko* e = ready();
      test::FailAllocation(k);
      const HRESULT hr = call(e);
      const bool fired = test::StopFailingAllocations();
      if (fired) {
        EXPECT_TRUE(hr == clean || hr == E_OUTOFMEMORY) << name << ", allocation " << k << ": 0x" << std::hex << hr;
      } else {
        EXPECT_EQ(hr, clean) << name;
      }
      if (e) {
        EXPECT_EQ(Frame(*e, 10'000'000), S_OK) << name << ", after allocation " << k;
        if (after) after(*e, hr);
        e->Release();
      }
      if (Recorded() == recorded) {
        EXPECT_EQ(Left(), before) << name << ", allocation " << k;
      }
      return fired;
    });
    EXPECT_EQ(messages_, 0) << name;
    std::printf("%s: %ld allocation failure points\n", name, points);
    return points;
  }

  TMemoryBitmap player_;
  test::ScratchDir dir_{"oom"};
  UniqueHWND window_;
  host::TStandInCore* core_ = nullptr;
  int messages_ = 0;
};

TEST_F(EffectOutOfMemory, ConstructionThroughTheClassFactory) {
  IClassFactory* factory = nullptr;
  ASSERT_EQ(EffectGetClassObject(CLSID_VizLumeko, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  EXPECT_GT(Sweep("construction", [] { return nullptr; },
                  [&](TVizLumeko*& e) {
                    IWMPEffects2* made = nullptr;
                    const HRESULT hr = factory->CreateInstance(nullptr, IID_IWMPEffects2, reinterpret_cast<void**>(&made));
                    e = static_cast<TVizLumeko*>(made);
                    return hr;
                  }),
            10);
  factory->Release();
}

// The frame that does everything: the lyrics of a new song, settings saved
// on the page, a new size, a full repaint with the font fitted. The frame
// after it must look as a clean object's does: its second frame, or its
// first when the failed one drew nothing (or asked for a full repaint).
TEST_F(EffectOutOfMemory, RenderAndTheFrameAfterIt) {
  const auto ready = [&] {
    TVizLumeko* e = Make();
    EXPECT_EQ(Frame(*e, 0, kWidth / 2), S_OK);
    EXPECT_EQ(Announce(*e), S_OK);
    EXPECT_TRUE(SignalPropertyChange());
    return e;
  };
  std::vector<std::uint32_t> second, whole;
  for (auto* pixels : {&second, &whole}) {
    TVizLumeko* e = ready();
    if (pixels == &second) {
      ASSERT_EQ(Frame(*e, 5'000'000), S_OK);
    }
    ASSERT_EQ(Frame(*e, 10'000'000), S_OK);
    ASSERT_GT(P::Lyrics(*e).LineCount(), 0);
    *pixels = Pixels();
    e->Release();
  }
  ASSERT_NE(second, whole);  // the wipe drawn over itself is not the wipe drawn once
  EXPECT_GT(Sweep("Render", ready, [&](TVizLumeko*& e) { return Frame(*e, 5'000'000); },
                  [&](TVizLumeko&, HRESULT) {
                    const std::vector<std::uint32_t> now = Pixels();
                    EXPECT_TRUE(now == second || now == whole);
                  }),
            100);
}

TEST_F(EffectOutOfMemory, MediaAnnouncementsAndPresets) {
  const auto ready = [&] {
    TVizLumeko* e = Make();
    EXPECT_EQ(Frame(*e, 0), S_OK);
    return e;
  };
  // A failed announcement may have been taken or not; one that answered
  // success was.
  const auto loaded = [](TVizLumeko& e, HRESULT hr) {
    if (SUCCEEDED(hr)) {
      EXPECT_GT(P::Lyrics(e).LineCount(), 0);
    }
  };
  EXPECT_GT(Sweep("MediaInfo", ready, [](TVizLumeko*& e) { return Announce(*e); }, loaded), 2);

  host::TStandInMedia* media = new host::TStandInMedia(ToWide(dir_ / "yoake no metronome.mp3"), L"yoake no metronome");
  const auto windowed = [&] {
    TVizLumeko* e = ready();
    Attach(*e);
    return e;
  };
  EXPECT_GT(Sweep("NotifyNewMedia", windowed, [&](TVizLumeko*& e) { return e->NotifyNewMedia(media); }, loaded), 2);
  media->Release();

  Sweep("SetCurrentPreset", ready, [](TVizLumeko*& e) { return e->SetCurrentPreset(3); });
}

TEST_F(EffectOutOfMemory, WindowedFramesAndMouseMessages) {
  const auto windowed = [&] {
    TVizLumeko* e = Make();
    Attach(*e);
    host::TStandInMedia* media = new host::TStandInMedia(ToWide(dir_ / "yoake no metronome.mp3"), L"yoake no metronome");
    EXPECT_EQ(e->NotifyNewMedia(media), S_OK);
    media->Release();
    return e;
  };
  TimedLevel levels{};
  levels.state = play_state;
  core_->Controls->Position = 0.5;
  EXPECT_GT(Sweep("RenderWindowed", windowed, [&](TVizLumeko*& e) { return e->RenderWindowed(&levels, TRUE); }),
            100);

  // Ctrl+click shows the lyrics file's path in a hint; letting go hides it.
  const auto clicked = [&] {
    TVizLumeko* e = windowed();
    EXPECT_EQ(e->RenderWindowed(&levels, TRUE), S_OK);
    return e;
  };
  LRESULT result = 0;
  EXPECT_GT(Sweep("OnWindowMessage", clicked,
                  [&](TVizLumeko*& e) { return e->OnWindowMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 0, &result); },
                  [&](TVizLumeko& e, HRESULT) { EXPECT_EQ(e.OnWindowMessage(WM_LBUTTONUP, 0, 0, &result), S_OK); }),
            0);
}

TEST_F(EffectOutOfMemory, TitlesAndTypeInformation) {
  const auto ready = [] { return Make(); };
  const auto check = [](HRESULT hr, IUnknown* got) {
    if (got) got->Release();
    return hr;
  };
  Sweep("GetTitle", ready, [](TVizLumeko*& e) {
    BSTR t = nullptr;
    const HRESULT hr = e->GetTitle(&t);
    ::SysFreeString(t);
    return hr;
  });
  Sweep("GetPresetTitle", ready, [](TVizLumeko*& e) {
    BSTR t = nullptr;
    const HRESULT hr = e->GetPresetTitle(3, &t);
    ::SysFreeString(t);
    return hr;
  });
  EXPECT_GT(Sweep("GetTypeInfo", ready,
                  [&](TVizLumeko*& e) {
                    ITypeInfo* info = nullptr;
                    return check(e->GetTypeInfo(0, 0, &info), info);
                  }),
            0);
  EXPECT_GT(Sweep("GetClassInfo", ready,
                  [&](TVizLumeko*& e) {
                    ITypeInfo* info = nullptr;
                    return check(e->GetClassInfo(&info), info);
                  }),
            0);
  EXPECT_GT(Sweep("GetIDsOfNames", ready,
                  [](TVizLumeko*& e) {
                    LPOLESTR name = const_cast<LPOLESTR>(L"Nothing");
                    DISPID id = 0;
                    return e->GetIDsOfNames(IID_NULL, &name, 1, 0, &id);
                  }),
            0);
  EXPECT_GT(Sweep("Invoke", ready,
                  [](TVizLumeko*& e) {
                    DISPPARAMS none{};
                    return e->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr);
                  }),
            0);
}

}  // namespace
}  // namespace lumeko
