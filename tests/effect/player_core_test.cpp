// The windowed host's player core, laid out as the platform's own header
// declares it, handed to the real DLL: the effect must reach the transport
// controls through the controls slot, never through a neighbour of it.
#include <wmp.h>

#include <gtest/gtest.h>

#include "settings/registry_fixture.h"
#include "player_host.h"

namespace {

// Every slot answers E_NOTIMPL except the two beside each other that matter:
// the play state (which the effect has no use for) and the controls.
class TPlatformCore final : public ::IWMPCore {
 public:
  explicit TPlatformCore(::IWMPControls* controls) : controls_(controls) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++Refs; }
  STDMETHODIMP_(ULONG) Release() override { return --Refs; }
  STDMETHODIMP GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  STDMETHODIMP close() override { return E_NOTIMPL; }
  STDMETHODIMP get_URL(BSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP put_URL(BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP get_openState(WMPOpenState*) override { return E_NOTIMPL; }
  STDMETHODIMP get_playState(WMPPlayState*) override {
    ++PlayStateCalls;
    return E_UNEXPECTED;
  }
  STDMETHODIMP get_controls(::IWMPControls** out) override {
    ++ControlsCalls;
    controls_->AddRef();
    *out = controls_;
    return S_OK;
  }
  STDMETHODIMP get_settings(::IWMPSettings**) override { return E_NOTIMPL; }
  STDMETHODIMP get_currentMedia(::IWMPMedia**) override { return E_NOTIMPL; }
  STDMETHODIMP put_currentMedia(::IWMPMedia*) override { return E_NOTIMPL; }
  STDMETHODIMP get_mediaCollection(::IWMPMediaCollection**) override { return E_NOTIMPL; }
  STDMETHODIMP get_playlistCollection(::IWMPPlaylistCollection**) override { return E_NOTIMPL; }
  STDMETHODIMP get_versionInfo(BSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP launchURL(BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP get_network(::IWMPNetwork**) override { return E_NOTIMPL; }
  STDMETHODIMP get_currentPlaylist(::IWMPPlaylist**) override { return E_NOTIMPL; }
  STDMETHODIMP put_currentPlaylist(::IWMPPlaylist*) override { return E_NOTIMPL; }
  STDMETHODIMP get_cdromCollection(::IWMPCdromCollection**) override { return E_NOTIMPL; }
  STDMETHODIMP get_closedCaption(::IWMPClosedCaption**) override { return E_NOTIMPL; }
  STDMETHODIMP get_isOnline(VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP get_Error(::IWMPError**) override { return E_NOTIMPL; }
  STDMETHODIMP get_status(BSTR*) override { return E_NOTIMPL; }

  ULONG Refs = 1;
  int PlayStateCalls = 0;
  int ControlsCalls = 0;

 private:
  ::IWMPControls* controls_;
};

using PlayerCore = lumeko::test::RegistryTest;

TEST_F(PlayerCore, WindowedPositionComesThroughTheControlsSlotOfThePlatformsCore) {
  // The stand-in controls share the platform's slots up to the position.
  auto* controls = new lumeko::host::TStandInControls();
  TPlatformCore core(reinterpret_cast<::IWMPControls*>(static_cast<lumeko::IWMPControls*>(controls)));
  {
    lumeko::host::PlayerHost host;  // goes first, so the effect lets go of the core
    ASSERT_EQ(host.Load(lumeko::host::PlayerHost::DefaultEffectPath()), S_OK);
    ASSERT_NE(host.OpenWindow(32, 24), nullptr);
    lumeko::IWMPEffects2* e = host.Effect();
    ASSERT_EQ(e->Create(host.Window()), S_OK);
    ASSERT_EQ(e->SetCore(reinterpret_cast<lumeko::IWMPCore*>(static_cast<::IWMPCore*>(&core))), S_OK);

    controls->Position = 4.25;
    lumeko::TimedLevel levels{};
    levels.state = lumeko::play_state;
    EXPECT_EQ(e->RenderWindowed(&levels, TRUE), S_OK);
    EXPECT_EQ(core.PlayStateCalls, 0);
    EXPECT_EQ(core.ControlsCalls, 1);
    EXPECT_EQ(controls->PositionCalls, 1);
    EXPECT_EQ(levels.timeStamp, 42500000);
    EXPECT_EQ(e->SetCore(nullptr), S_OK);
  }
  EXPECT_EQ(core.Refs, 1u);
  controls->Release();
}

}  // namespace
