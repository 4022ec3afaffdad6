// TVizLumeko: the effect object the player creates, one per visualization.
//
// It owns everything that lives as long as the visualization: settings,
// lyrics document, off-screen frame, background schedule and picture, the
// stacked effect. The player calls it on one thread (apartment model); it
// takes no locks. Every interface method is noexcept and ends in ComCall,
// so no exception reaches the player and the object stays usable. Drawing
// is the painters' business: the object hands them a TPaintTarget.
#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "effect/com_support.h"
#include "effect/fade_clock_control.h"
#include "effect/player_interfaces.h"
#include "lyrics/lyrics_control.h"
#include "platform/com_ptr.h"
#include "platform/memory_bitmap.h"
#include "platform/unique_handle.h"
#include "render/background.h"
#include "render/canvas.h"
#include "render/draw_data.h"
#include "render/fade_clock.h"
#include "render/karaoke_layout.h"
#include "render/painter.h"
#include "settings/setup_info.h"

namespace lumeko {

// The effect's title, also the player registration's name (CP932).
extern const char kEffectTitle[];

// Change flags of the effect object, gathered between frames; any of them
// makes the next frame a full repaint.
inline constexpr std::uint8_t cf_Background = 1;
inline constexpr std::uint8_t cf_Lyrics = 2;
inline constexpr std::uint8_t cf_FrameResized = 4;
inline constexpr std::uint8_t cf_Preset = 8;
inline constexpr std::uint8_t cf_Font = 16;
// The last painter failed: the next frame paints everything again.
inline constexpr std::uint8_t cf_Repaint = 32;

class TVizLumeko final : public IWMPEffects2,
                         public IVizLumeko,
                         public IProvideClassInfo,
                         public ISupportErrorInfo,
                         public ILumekoFadeClock {
 public:
  // Makes and initialises an object with one reference; throws what the
  // construction raised (the factory reports it). With outer the object is
  // aggregated: NonDelegating() is its own IUnknown, the one reference is
  // on it, and every other interface hands IUnknown calls to outer. A
  // stacked effect that cannot be made leaves the object without one, and
  // warning (when given) says why.
  static TVizLumeko* CreateInstance(IUnknown* outer = nullptr, std::string* warning = nullptr);
  IUnknown* NonDelegating() noexcept { return &inner_; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override;
  STDMETHODIMP_(ULONG) AddRef() noexcept override;
  STDMETHODIMP_(ULONG) Release() noexcept override;

  // IWMPEffects
  STDMETHODIMP Render(TimedLevel* levels, HDC hdc, RECT* rect) noexcept override;
  STDMETHODIMP MediaInfo(LONG channelCount, LONG sampleRate, BSTR title) noexcept override;
  STDMETHODIMP GetCapabilities(DWORD* capabilities) noexcept override;
  STDMETHODIMP GetTitle(BSTR* title) noexcept override;
  STDMETHODIMP GetPresetTitle(LONG preset, BSTR* title) noexcept override;
  STDMETHODIMP GetPresetCount(LONG* count) noexcept override;
  STDMETHODIMP SetCurrentPreset(LONG preset) noexcept override;
  STDMETHODIMP GetCurrentPreset(LONG* preset) noexcept override;
  STDMETHODIMP DisplayPropertyPage(HWND owner) noexcept override;
  STDMETHODIMP GoFullscreen(BOOL fullScreen) noexcept override;
  STDMETHODIMP RenderFullScreen(TimedLevel* levels) noexcept override;

  // IWMPEffects2
  STDMETHODIMP SetCore(IWMPCore* core) noexcept override;
  STDMETHODIMP Create(HWND parent) noexcept override;
  STDMETHODIMP Destroy() noexcept override;
  STDMETHODIMP NotifyNewMedia(IWMPMedia* media) noexcept override;
  STDMETHODIMP OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) noexcept override;
  STDMETHODIMP RenderWindowed(TimedLevel* levels, BOOL required) noexcept override;

  // IDispatch, served from the type library
  STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) noexcept override;
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) noexcept override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* excep, UINT* argErr) noexcept override;

  // IProvideClassInfo
  STDMETHODIMP GetClassInfo(ITypeInfo** info) noexcept override;

  // ISupportErrorInfo
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) noexcept override;

  // ILumekoFadeClock, for our own tools (frame.cpp)
  STDMETHODIMP UseFrameTimeStamps(BOOL on) noexcept override;

 private:
  // Tests reach the private state through this one friend, defined only
  // under tests/.
  friend struct TVizLumekoProbe;

  TVizLumeko();
  ~TVizLumeko();
  void Initialize(std::string* warning);

  // ---- The frame (frame.cpp) ----
  void RenderFrame(TimedLevel& levels, HDC hdc, const RECT& rect);
  void EndFrame(const TimedLevel& levels);
  HRESULT PaintLyrics(const TimedLevel& levels, bool changed, const RECT& area);
  TCanvas* Canvas();  // null before the frame has a DC

  // ---- Settings (settings_apply.cpp) ----
  void ApplySettings();
  bool CheckPropertyChange();
  void ApplyFontSetup();
  void SetCanvasFont();  // the frame canvas's font name and style from Setup

  // ---- Colour schemes (color_schemes.cpp) ----
  void ApplyColorScheme(int index);
  // False, with nothing shown, when no scheme is stored.
  bool ShowSchemeMenu(LPARAM point);
  void SchemeMenuClick(int tag);

  // ---- Media (media.cpp) ----
  void SetMedia(const std::wstring* title, const std::wstring* url);
  void LoadLyrics();
  void LoadPendingLyrics();
  std::string FindLyricsFile(const std::string& title, const std::string& url);

  // ---- Stacked effect (pile_effect.cpp) ----
  void CreatePileEffect();
  void ReleasePile() noexcept;

  // ---- Background (background_schedule.cpp) ----
  void ResolveBkGndFiles();
  void RebuildBkGndSchedule();
  void LoadBackground(const std::string& path);
  void PrepareBackground(std::uint32_t color);
  void PaintBackground();
  void FreeBackground() noexcept;

  // ---- Window messages (window_messages.cpp) ----
  void ShowHint(LPARAM point);
  void HideHint() noexcept;

  HRESULT LoadTypeInfo(ITypeInfo** info, bool classInfo);

  UniqueHandleH ThrottleEvent;       // only while BurdenReduction is on; never signalled
  std::wstring MediaTitleWide;       // as the player gave it: media changes are told by these
  std::wstring MediaUrlWide;
  std::string MediaTitle;            // CP932, for the search
  std::int32_t CurrentPreset = 0;    // 0..3
  TMemoryBitmap FrameBitmap;         // compatible with the player's DC
  std::unique_ptr<TCanvas> FrameCanvas;  // font and drawing state, over FrameBitmap's DC
  std::string LyricsBaseName;        // loaded file's name without folder and extension
  std::unique_ptr<TLyricsControl> Lyrics;
  TBackground BkGnd;                 // BkGndPicture, BkGndBitmap, BkGndFile, BkGndPrepared, BkGndRect
  TSetupInfo Setup;
  TDrawData DrawData;
  TKaraokeState Karaoke;             // KaraokeLines, RowSlots, KaraokeQueue, KaraokeMetrics, EmptyLineReached
  // The fade-out's clock: the performance counter, its rate taken now.
  std::unique_ptr<TFadeClock> FadeClock = std::make_unique<TPerformanceClock>();
  std::uint8_t Changes = 0;          // cf_* flags gathered since the last frame
  bool RepaintNext = false;          // carries cf_Repaint over the end of a failed frame
  // The painter of each preset (the preset table's, unless a test replaced one).
  std::array<TPainter, kPresetCount> Painters{};
  TComPtr<IWMPEffects> Pile;         // the stacked effect
  bool PileDrawn = false;
  bool MediaPending = false;
  std::string MediaUrl;              // CP932; empty when the host gave none
  UniqueHandleH PropertyEvent;
  UniqueHWND HintWindow;
  UniqueHMENU SchemeMenu;            // the right button's colour schemes, made on first use
  std::deque<TBgFileEx> BkGndSchedule;    // changes still ahead in time
  std::vector<std::string> BkGndFiles;    // resolved path per schedule entry
  // BkGndImageFilename and BkGndImageFolder as stored, UTF-16.
  std::u16string BkGndImageFilenameW;
  std::u16string BkGndImageFolderW;
  std::mt19937 Random;                    // scheme and picture picks; seeded from the clock
  std::unique_ptr<TTagList> TagDefaults;  // the tag file beside the module, or none
  // The tag file has a bare "@BGFILE=" line: no default picture, whatever
  // BkGndImageFilename says.
  bool TagDefaultsBlankBgFile = false;
  std::int64_t LastTimeStamp = 0;
  HWND Window = nullptr;
  TComPtr<IWMPCore> Core;

  // The object's own IUnknown, which an aggregating object holds.
  class TInnerUnknown final : public IUnknown {
   public:
    explicit TInnerUnknown(TVizLumeko& self) noexcept : self_(self) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override;
    STDMETHODIMP_(ULONG) AddRef() noexcept override;
    STDMETHODIMP_(ULONG) Release() noexcept override;

   private:
    TVizLumeko& self_;
  };

  std::atomic<ULONG> refs_{1};
  IUnknown* outer_ = nullptr;  // not referenced: it owns this object
  TInnerUnknown inner_{*this};
};

}  // namespace lumeko
