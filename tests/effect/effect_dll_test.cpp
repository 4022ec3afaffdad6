// The real VizLumeko.dll driven through the stand-in player: the module's
// exports, every slot of the effect interface, the frame path read back
// from pixels, the windowed host and the type library.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "settings/registry_fixture.h"
#include "settings/registry_ex.h"
#include "settings/settings_store.h"
#include "platform/wide.h"
#include "player_host.h"
#include "process_counts.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace host {
void PrintTo(const TProcessCounts& c, std::ostream* os) {
  *os << "gdi " << c.Gdi << ", user " << c.User << ", handles " << c.Handles << ", private bytes " << c.PrivateBytes;
}
}  // namespace host

namespace {

std::string CharUpperString(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}


using host::Frame;
using host::PlayerHost;
using host::TStandInMedia;

constexpr std::uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x00FF00;  // as pixels

// Settings of the (redirected) user, written before the effect is made.
void SetSetting(const char* name, std::int32_t value) {
  TRegistryEx reg(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKey(kSettingsKey, true));
  reg.WriteInteger(name, value);
}

void SetBackground(std::uint32_t pixel) {
  SetSetting("BackgroundColor", static_cast<std::int32_t>(host::PixelToColorRef(pixel)));
}

bool AllPixels(const Frame& f, std::uint32_t pixel, RECT r) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (f.Pixel(x, y) != pixel) return false;
  return true;
}

// Type library strings are 8-bit text decoded with the ANSI code page: the
// Japanese help strings read back whole only where that is code page 932.
void ExpectHelpString(const std::wstring& got, const std::wstring& ascii, const std::wstring& japanese) {
  if (::GetACP() == 932)
    EXPECT_EQ(got, ascii + japanese);
  else
    EXPECT_EQ(got.substr(0, ascii.size()), ascii);
}

std::wstring Bstr(BSTR b) {
  std::wstring s = b ? std::wstring(b, ::SysStringLen(b)) : std::wstring();
  ::SysFreeString(b);
  return s;
}

class EffectDll : public test::RegistryTest {
 protected:
  void SetUp() override {
    test::RegistryTest::SetUp();
    SetBackground(kRed);
  }
  void Load() { ASSERT_EQ(host_.Load(PlayerHost::DefaultEffectPath()), S_OK); }
  PlayerHost host_;
};

TEST_F(EffectDll, ModuleHandsOutItsFactoryAndCountsObjects) {
  Load();
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(host_.CallGetClassObject(IID_IWMPEffects, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(out, nullptr);
  IClassFactory* factory = nullptr;
  ASSERT_EQ(host_.CallGetClassObject(CLSID_VizLumeko, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);

  // Every interface the player or an automation client asks for.
  IUnknown* unk = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&unk)), S_OK);
  for (const IID& iid : {IID_IWMPEffects, IID_IWMPEffects2, IID_IVizLumeko, IID_IDispatch, IID_IProvideClassInfo,
                         IID_ISupportErrorInfo}) {
    IUnknown* p = nullptr;
    EXPECT_EQ(unk->QueryInterface(iid, reinterpret_cast<void**>(&p)), S_OK);
    if (p) p->Release();
  }
  IUnknown* none = nullptr;
  EXPECT_EQ(unk->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&none)), E_NOINTERFACE);
  // An aggregating caller may ask for the object's own IUnknown only.
  EXPECT_EQ(factory->CreateInstance(unk, IID_IWMPEffects, reinterpret_cast<void**>(&none)), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(none, nullptr);

  // Alive objects and locks keep the module; nothing else does.
  host_.Unload(false);
  EXPECT_EQ(host_.CallCanUnloadNow(), S_FALSE);  // unk
  unk->Release();
  EXPECT_EQ(host_.CallCanUnloadNow(), S_OK);
  factory->LockServer(TRUE);
  EXPECT_EQ(host_.CallCanUnloadNow(), S_FALSE);
  factory->LockServer(FALSE);
  factory->Release();
  EXPECT_EQ(host_.CallCanUnloadNow(), S_OK);
}

// The module's runtime keeps a record for each thread that used it (an
// exception is enough); unloading under the player's living thread would
// strand those records' handles at every load of the visualization.
TEST_F(EffectDll, UnloadingAfterUseLeavesNothingInThePlayer) {
  const auto use = [&] {
    Load();
    EXPECT_EQ(host_.MediaInfo(L"((no[pattern"), S_OK);  // the search raises inside and finds nothing
    EXPECT_EQ(host_.RenderFrame(32, 24, play_state, 0).Result, S_OK);
    host_.Unload(true);
  };
  use();  // what the first use makes for good: the module, the system's caches
  const host::TProcessCounts before = host::ReadProcessCounts();
  for (int i = 0; i < 4; ++i) use();
  EXPECT_EQ(host::ReadProcessCounts(), before);
}

TEST_F(EffectDll, SlotsAnswerAsThePlayerExpects) {
  Load();
  IWMPEffects2* e = host_.Effect();
  DWORD caps = 0;
  EXPECT_EQ(e->GetCapabilities(&caps), S_OK);
  EXPECT_EQ(caps, EFFECT_HASPROPERTYPAGE);  // the page, no full screen, no variable step
  BSTR title = nullptr;
  EXPECT_EQ(e->GetTitle(&title), S_OK);
  EXPECT_EQ(Bstr(title), L"\u6B4C\u8A5E\u8868\u793A(LUMEKO)");
  LONG count = 0;
  EXPECT_EQ(e->GetPresetCount(&count), S_OK);
  EXPECT_EQ(count, 4);
  const wchar_t* names[] = {L"\u30BB\u30F3\u30BF\u30EA\u30F3\u30B0", L"\u5DE6\u5BC4\u305B",
                            L"\u4E00\u884C\u8868\u793A", L"\u30AB\u30E9\u30AA\u30B1"};
  for (LONG i = 0; i < 4; ++i) {
    BSTR t = nullptr;
    EXPECT_EQ(e->GetPresetTitle(i, &t), S_OK);
    EXPECT_EQ(Bstr(t), names[i]);
  }
  for (LONG bad : {4L, -1L}) {
    BSTR stale = ::SysAllocString(L"stale");
    BSTR t = stale;
    EXPECT_EQ(e->GetPresetTitle(bad, &t), E_FAIL);
    EXPECT_EQ(t, nullptr);  // cleared; an out value is never the callee's to free
    ::SysFreeString(stale);
  }
  LONG preset = -1;
  EXPECT_EQ(e->GetCurrentPreset(&preset), S_OK);
  EXPECT_EQ(preset, 0);
  EXPECT_EQ(e->SetCurrentPreset(3), S_OK);
  EXPECT_EQ(e->SetCurrentPreset(4), E_FAIL);
  EXPECT_EQ(e->SetCurrentPreset(-1), E_FAIL);
  EXPECT_EQ(e->GetCurrentPreset(&preset), S_OK);
  EXPECT_EQ(preset, 3);
  EXPECT_EQ(e->GoFullscreen(TRUE), S_OK);
  TimedLevel levels{};
  EXPECT_EQ(e->RenderFullScreen(&levels), S_OK);
  EXPECT_EQ(e->GetCapabilities(nullptr), E_POINTER);
  EXPECT_EQ(e->Render(nullptr, nullptr, nullptr), E_POINTER);
}

TEST_F(EffectDll, FramesAreCopiedWhereThePlayerAsksAndKeptBetweenFrames) {
  Load();
  host_.ClearTarget(kGreen);
  Frame f = host_.RenderFrame(40, 30, play_state, 0, POINT{10, 5});
  ASSERT_EQ(f.Result, S_OK);
  EXPECT_TRUE(AllPixels(f, kRed, RECT{10, 5, 50, 35}));  // the first frame paints the background
  EXPECT_TRUE(AllPixels(f, 0, RECT{0, 0, 50, 5}));       // outside the area: untouched

  // An unchanged frame copies the previous pixels again, whatever the target held.
  host_.ClearTarget(kGreen);
  f = host_.RenderFrame(40, 30, play_state, 10000, POINT{10, 5});
  EXPECT_TRUE(AllPixels(f, kRed, RECT{10, 5, 50, 35}));
  EXPECT_EQ(f.Pixel(9, 5), kGreen);

  // A settings change without the event is not seen; a new size repaints.
  SetBackground(kBlue);
  f = host_.RenderFrame(40, 30, play_state, 20000);
  EXPECT_TRUE(AllPixels(f, kRed, RECT{0, 0, 40, 30}));
  f = host_.RenderFrame(24, 16, play_state, 30000);
  EXPECT_TRUE(AllPixels(f, kRed, RECT{0, 0, 24, 16}));  // still the loaded settings
  EXPECT_EQ(host_.RenderFrame(0, 0, play_state, 40000).Result, S_OK);  // an empty area is no error
}

TEST_F(EffectDll, ASaveReloadsExactlyOneRunningInstance) {
  Load();
  IWMPEffects2* second = nullptr;
  ASSERT_EQ(host_.CreateAnother(&second), S_OK);
  PlayerHost other;  // a second player window, drawing through the second instance
  host_.RenderFrame(8, 8, play_state, 0);

  SetBackground(kBlue);
  ASSERT_TRUE(SignalPropertyChange());
  EXPECT_TRUE(AllPixels(host_.RenderFrame(8, 8, play_state, 10000), kBlue, RECT{0, 0, 8, 8}));

  // The second instance finds the event reset and keeps its settings.
  UniqueHDC dc(::CreateCompatibleDC(nullptr));
  BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), 8, -8, 1, 32}};
  void* bits = nullptr;
  UniqueHBITMAP dib(::CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  SelectGuard sel(dc.get(), dib.get());
  TimedLevel levels{};
  RECT r{0, 0, 8, 8};
  EXPECT_EQ(second->Render(&levels, dc.get(), &r), S_OK);
  ::GdiFlush();
  EXPECT_EQ(static_cast<std::uint32_t*>(bits)[0] & 0xFFFFFF, kRed);
  second->Release();
}

TEST_F(EffectDll, NotifyNewMediaReloadsOnlyForANewUrlAndSurvivesFailures) {
  Load();
  auto* media = new TStandInMedia(L"C:\\music\\a.mp3", L"A");
  EXPECT_EQ(host_.NotifyNewMedia(media), S_OK);
  EXPECT_EQ(media->UrlCalls, 2);
  EXPECT_EQ(media->NameCalls, 1);
  EXPECT_EQ(host_.NotifyNewMedia(media), S_OK);  // same URL: only marks the lyrics changed
  EXPECT_EQ(media->UrlCalls, 3);
  EXPECT_EQ(media->NameCalls, 1);
  media->Name = L"A (live)";
  EXPECT_EQ(host_.NotifyNewMedia(media), S_OK);  // a new name alone is no new media
  EXPECT_EQ(media->NameCalls, 1);

  media->SourceUrl = L"C:\\music\\b.mp3";
  media->NameFailure = E_ACCESSDENIED;
  EXPECT_EQ(host_.NotifyNewMedia(media), E_FAIL);
  IErrorInfo* info = nullptr;  // the failure is described for the caller
  ASSERT_EQ(::GetErrorInfo(0, &info), S_OK);
  ASSERT_NE(info, nullptr);
  BSTR text = nullptr;
  info->GetDescription(&text);
  EXPECT_FALSE(Bstr(text).empty());
  info->Release();
  media->UrlFailure = E_OUTOFMEMORY;
  EXPECT_EQ(host_.NotifyNewMedia(media), E_FAIL);
  media->Release();
  EXPECT_EQ(host_.Effect()->NotifyNewMedia(nullptr), S_OK);
  EXPECT_EQ(host_.RenderFrame(8, 8, play_state, 0).Result, S_OK);  // still usable
  EXPECT_EQ(host_.MediaInfo(L"\u6B4C"), S_OK);
  EXPECT_EQ(host_.RenderFrame(8, 8, play_state, 10000).Result, S_OK);
}

TEST_F(EffectDll, WindowedHostFollowsTheTransportPosition) {
  Load();
  IWMPEffects2* e = host_.Effect();
  TimedLevel levels{};
  EXPECT_EQ(e->RenderWindowed(&levels, TRUE), E_UNEXPECTED);  // before Create
  ASSERT_NE(host_.OpenWindow(64, 48), nullptr);
  EXPECT_EQ(e->Create(host_.Window()), S_OK);
  EXPECT_EQ(e->RenderWindowed(&levels, TRUE), S_OK);  // no core: nothing drawn
  EXPECT_EQ(host_.Core().Controls->PositionCalls, 0);

  ASSERT_EQ(host_.AttachWindow(), S_OK);
  EXPECT_EQ(host_.RenderWindowed(12.5), S_OK);
  EXPECT_EQ(host_.LastLevels().timeStamp, 125000000);
  const Frame shot = host_.CaptureWindow();
  ASSERT_EQ(shot.Result, S_OK);
  EXPECT_TRUE(AllPixels(shot, kRed, RECT{0, 0, 64, 48}));
  EXPECT_EQ(host_.RenderWindowed(-0.00000019), S_OK);  // truncated toward zero
  EXPECT_EQ(host_.LastLevels().timeStamp, -1);
  EXPECT_EQ(host_.RenderWindowed(std::numeric_limits<double>::quiet_NaN()), S_OK);
  EXPECT_EQ(host_.LastLevels().timeStamp, 0);
  EXPECT_EQ(host_.RenderWindowed(1e300), S_OK);
  EXPECT_EQ(host_.LastLevels().timeStamp, std::numeric_limits<LONGLONG>::max());

  host_.Core().Controls->Failure = E_ABORT;
  EXPECT_EQ(host_.RenderWindowed(1.0), E_FAIL);
  host_.Core().Controls->Failure = S_OK;
  host_.Core().Failure = E_ABORT;
  EXPECT_EQ(host_.RenderWindowed(1.0), E_FAIL);
  host_.Core().Failure = S_OK;
  EXPECT_EQ(host_.RenderWindowed(2.0), S_OK);

  EXPECT_EQ(e->SetCore(nullptr), S_OK);
  const int calls = host_.Core().Controls->PositionCalls;
  EXPECT_EQ(host_.RenderWindowed(3.0), S_OK);
  EXPECT_EQ(host_.Core().Controls->PositionCalls, calls);
  EXPECT_EQ(e->Destroy(), S_OK);
  EXPECT_EQ(host_.RenderWindowed(3.0), E_UNEXPECTED);
}

TEST_F(EffectDll, CtrlClickShowsTheLyricsPathWhileTheButtonIsHeld) {
  test::ScratchDir dir("hint");
  ASSERT_TRUE(test::WriteFile(dir / "song.lrc", "[00:01.00]first line\r\n"));
  Load();
  ASSERT_NE(host_.OpenWindow(64, 48), nullptr);
  ASSERT_EQ(host_.AttachWindow(), S_OK);
  IWMPEffects2* e = host_.Effect();
  const auto hint = [] { return ::FindWindowW(L"LumekoHintWindow", nullptr); };
  const LPARAM at = MAKELPARAM(5, 6);

  LRESULT result = 7;
  EXPECT_EQ(e->OnWindowMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, at, &result), S_OK);  // no lyrics yet
  EXPECT_EQ(result, 0);
  EXPECT_EQ(hint(), nullptr);

  ASSERT_EQ(host_.NotifyNewMedia(ToWide(dir / "song.mp3"), L"Song"), S_OK);
  EXPECT_EQ(host_.RenderWindowed(0.5), S_OK);  // loads the lyrics
  result = 7;
  EXPECT_EQ(e->OnWindowMessage(WM_LBUTTONDOWN, MK_LBUTTON, at, &result), S_OK);  // no Ctrl
  EXPECT_EQ(result, 0);
  EXPECT_EQ(hint(), nullptr);

  EXPECT_EQ(e->OnWindowMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, at, &result), S_OK);
  HWND h = hint();
  ASSERT_NE(h, nullptr);
  wchar_t text[MAX_PATH];
  ::GetWindowTextW(h, text, MAX_PATH);
  // The search spells the extension as it asks for it; the file system ignores letter case.
  EXPECT_EQ(CharUpperString(FromWide(text)), CharUpperString(dir / "song.lrc"));
  EXPECT_TRUE(::IsWindowVisible(h));
  RECT wr;
  ::GetWindowRect(h, &wr);
  POINT p{5, 6};
  ::ClientToScreen(host_.Window(), &p);
  EXPECT_EQ(wr.left, p.x);
  EXPECT_EQ(wr.top, p.y);
  EXPECT_LE(wr.right - wr.left, 620);

  result = 7;
  EXPECT_EQ(e->OnWindowMessage(WM_LBUTTONUP, 0, at, &result), S_OK);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(hint(), nullptr);
  EXPECT_EQ(e->OnWindowMessage(WM_MOUSEMOVE, 0, at, &result), S_FALSE);
  // A right click the effect does not use is the player's, for its own menu.
  EXPECT_EQ(e->OnWindowMessage(WM_RBUTTONUP, 0, at, &result), S_FALSE);

  // A long name without a blank is broken, not drawn past the hint's width.
  const std::string longName = std::string(150, 'L') + ".lrc";
  ASSERT_TRUE(test::WriteFile(dir / longName, "[00:01.00]first line\r\n"));
  ASSERT_EQ(host_.NotifyNewMedia(ToWide(dir / (std::string(150, 'L') + ".mp3")), L"Long"), S_OK);
  EXPECT_EQ(host_.RenderWindowed(0.5), S_OK);
  EXPECT_EQ(e->OnWindowMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, at, &result), S_OK);
  ASSERT_NE(hint(), nullptr);
  ::GetWindowRect(hint(), &wr);
  EXPECT_LE(wr.right - wr.left, 610);
  EXPECT_GT(wr.bottom - wr.top, 30) << "broken into rows";
  EXPECT_EQ(e->OnWindowMessage(WM_LBUTTONUP, 0, at, &result), S_OK);
}

TEST_F(EffectDll, TypeLibraryServesDispatchAndClassInfo) {
  Load();
  IDispatch* disp = nullptr;
  ASSERT_EQ(host_.Effect()->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&disp)), S_OK);
  UINT n = 0;
  EXPECT_EQ(disp->GetTypeInfoCount(&n), S_OK);
  EXPECT_EQ(n, 1u);
  ITypeInfo* ti = nullptr;
  ASSERT_EQ(disp->GetTypeInfo(0, 0, &ti), S_OK);
  BSTR name = nullptr, doc = nullptr;
  ASSERT_EQ(ti->GetDocumentation(MEMBERID_NIL, &name, &doc, nullptr, nullptr), S_OK);
  EXPECT_EQ(Bstr(name), L"IVizLumeko");
  ExpectHelpString(Bstr(doc), L"Interface for VizLumeko ", L"\u30AA\u30D6\u30B8\u30A7\u30AF\u30C8");
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(ti->GetTypeAttr(&attr), S_OK);
  EXPECT_EQ(attr->guid, IID_IVizLumeko);
  EXPECT_EQ(attr->wMajorVerNum, 1);
  EXPECT_EQ(attr->wMinorVerNum, 1);
  EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FDUAL);
  EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FDISPATCHABLE);
  ti->ReleaseTypeAttr(attr);
  {
    // The interface side of the dual interface carries the automation flag.
    HREFTYPE ref = 0;
    ITypeInfo* vt = nullptr;
    ASSERT_EQ(ti->GetRefTypeOfImplType(-1, &ref), S_OK);
    ASSERT_EQ(ti->GetRefTypeInfo(ref, &vt), S_OK);
    ASSERT_EQ(vt->GetTypeAttr(&attr), S_OK);
    EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FOLEAUTOMATION);
    EXPECT_EQ(attr->typekind, TKIND_INTERFACE);
    vt->ReleaseTypeAttr(attr);
    vt->Release();
  }

  ITypeLib* lib = nullptr;
  UINT index = 0;
  ASSERT_EQ(ti->GetContainingTypeLib(&lib, &index), S_OK);
  TLIBATTR* la = nullptr;
  ASSERT_EQ(lib->GetLibAttr(&la), S_OK);
  EXPECT_EQ(la->guid, LIBID_LUMEKOlib);
  EXPECT_EQ(la->wMajorVerNum, 2);
  EXPECT_EQ(la->wMinorVerNum, 0);
  EXPECT_EQ(la->lcid, 0x409u);
  EXPECT_EQ(la->syskind, SYS_WIN32);
  lib->ReleaseTLibAttr(la);
  ASSERT_EQ(lib->GetDocumentation(-1, &name, &doc, nullptr, nullptr), S_OK);
  EXPECT_EQ(Bstr(name), L"LUMEKOlib");
  ExpectHelpString(Bstr(doc), L"VizLumeko ", L"\u30E9\u30A4\u30D6\u30E9\u30EA");
  lib->Release();
  ti->Release();

  DISPID id = 0;
  LPOLESTR member = const_cast<LPOLESTR>(L"Play");
  EXPECT_EQ(disp->GetIDsOfNames(IID_NULL, &member, 1, 0, &id), DISP_E_UNKNOWNNAME);
  DISPPARAMS none{};
  EXPECT_EQ(disp->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), DISP_E_MEMBERNOTFOUND);
  disp->Release();

  IProvideClassInfo* pci = nullptr;
  ASSERT_EQ(host_.Effect()->QueryInterface(IID_IProvideClassInfo, reinterpret_cast<void**>(&pci)), S_OK);
  ASSERT_EQ(pci->GetClassInfo(&ti), S_OK);
  ASSERT_EQ(ti->GetDocumentation(MEMBERID_NIL, &name, &doc, nullptr, nullptr), S_OK);
  EXPECT_EQ(Bstr(name), L"VizLumeko");
  ExpectHelpString(Bstr(doc), L"VizLumeko ", L"\u30AA\u30D6\u30B8\u30A7\u30AF\u30C8");
  ASSERT_EQ(ti->GetTypeAttr(&attr), S_OK);
  EXPECT_EQ(attr->guid, CLSID_VizLumeko);
  EXPECT_EQ(attr->typekind, TKIND_COCLASS);
  EXPECT_EQ(attr->wMajorVerNum, 2);
  EXPECT_EQ(attr->wMinorVerNum, 1);
  EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FCANCREATE);
  ti->ReleaseTypeAttr(attr);
  ti->Release();
  pci->Release();

  ISupportErrorInfo* sei = nullptr;
  ASSERT_EQ(host_.Effect()->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&sei)), S_OK);
  EXPECT_EQ(sei->InterfaceSupportsErrorInfo(IID_IWMPEffects2), S_OK);
  EXPECT_EQ(sei->InterfaceSupportsErrorInfo(IID_IClassFactory), S_FALSE);
  sei->Release();
}

}  // namespace
}  // namespace lumeko
