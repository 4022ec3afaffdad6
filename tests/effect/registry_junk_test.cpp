// Junk in every settings value, walked from the setting table: each value
// stored with every registry type and with extreme numbers. Whatever the
// registry holds, every setting the effect reads is the row's default or
// inside the row's range, a wrongly typed value is exactly the default, and
// a frame renders afterwards. A new row is covered without touching this.
#include <gtest/gtest.h>

#include <vector>

#include "effect/viz_lumeko_probe.h"
#include "platform/wide.h"
#include "settings/registry_fixture.h"
#include "settings/settings_store.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace {

using P = TVizLumekoProbe;

struct TJunk {
  const char* What;
  DWORD Type;
  std::vector<BYTE> Data;
};

std::vector<BYTE> Bytes(size_t n) { return std::vector<BYTE>(n, 0xFF); }

std::vector<BYTE> Dword(DWORD v) { return {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)}; }

std::vector<BYTE> Utf16(const wchar_t* text, size_t chars) {
  const BYTE* p = reinterpret_cast<const BYTE*>(text);
  return std::vector<BYTE>(p, p + chars * sizeof(wchar_t));
}

const std::vector<TJunk>& Junk() {
  static const std::vector<TJunk> junk = {
      {"string", REG_SZ, Utf16(L"12", 3)},
      {"dword 0", REG_DWORD, Dword(0)},
      {"dword -1", REG_DWORD, Dword(0xFFFFFFFF)},
      {"dword 0x7FFFFFFF", REG_DWORD, Dword(0x7FFFFFFF)},
      {"dword 0x80000000", REG_DWORD, Dword(0x80000000)},
      {"dword of 2 bytes", REG_DWORD, Bytes(2)},
      {"binary of 0", REG_BINARY, Bytes(0)},
      {"binary of 1", REG_BINARY, Bytes(1)},
      {"binary of 3", REG_BINARY, Bytes(3)},
      {"binary of 5", REG_BINARY, Bytes(5)},
      {"binary of 93", REG_BINARY, Bytes(93)},
      {"multi-string", REG_MULTI_SZ, Utf16(L"a\0b\0", 5)},
      {"expandable string", REG_EXPAND_SZ, Utf16(L"%TEMP%\\x", 9)},
      {"qword", REG_QWORD, Bytes(8)},
  };
  return junk;
}

// Whether junk is of the row's own registry type, so its value counts.
bool OwnType(const TSettingDef& d, const TJunk& j) {
  switch (d.Kind) {
    case TSettingKind::sk_String: return (j.Type == REG_SZ || j.Type == REG_EXPAND_SZ) && j.Data.size() > 2;
    case TSettingKind::sk_Byte: return j.Type == REG_BINARY && j.Data.size() == 1;
    default: return j.Type == REG_DWORD && j.Data.size() == 4;
  }
}

// The row's documented range: any text, a bool, a colour or a number
// between the row's ends.
bool InRange(const TSettingDef& d, const TSettingValue& v) {
  switch (d.Kind) {
    case TSettingKind::sk_String: return true;
    case TSettingKind::sk_Bool: return v.Int == 0 || v.Int == 1;
    case TSettingKind::sk_Color: return IsSettingColor(static_cast<std::uint32_t>(v.Int));
    default: return v.Int >= d.Min && v.Int <= d.Max;
  }
}

class RegistryJunk : public test::RegistryTest {
 protected:
  void SetUp() override {
    test::RegistryTest::SetUp();
    ASSERT_TRUE(player_.CreateDib32(48, 32));
    ASSERT_TRUE(test::WriteFile(lyrics_ / "song.lrc", "[00:00:00]\x89\xCC [00:00:50]line\r\n[00:01:00]two\r\n"));
    ASSERT_TRUE(reg_.OpenKey(kSettingsKey, true));
  }
  void TearDown() override {
    if (obj_) obj_->Release();
    test::RegistryTest::TearDown();
  }
  TVizLumeko& Make() {
    if (obj_) obj_->Release();
    obj_ = TVizLumeko::CreateInstance();
    P::Lyrics(*obj_).LoadFromFile(lyrics_ / "song.lrc");
    return *obj_;
  }
  HRESULT Frame() {
    TimedLevel levels{};
    levels.state = play_state;
    levels.timeStamp = 6'000'000;
    RECT r{0, 0, 48, 32};
    return obj_->Render(&levels, player_.DC(), &r);
  }
  void Store(const TSettingDef& d, const TJunk& j) {
    ASSERT_EQ(::RegSetValueExW(reg_.CurrentKey(), ToWide(d.Name).c_str(), 0, j.Type, j.Data.data(),
                               static_cast<DWORD>(j.Data.size())),
              ERROR_SUCCESS);
  }
  // Every setting the object holds, and for the junked row its default
  // unless the junk had the row's own type.
  void ExpectSound(const TSetupInfo& s, const TSettingDef& junked, const TJunk& j) {
    for (const TSettingDef& d : SettingTable()) {
      if (!d.Get) continue;
      const TSettingValue v = d.Get(s);
      EXPECT_TRUE(InRange(d, v)) << d.Name << " = " << v.Int << " after " << junked.Name << " as " << j.What;
      if (&d == &junked && !OwnType(d, j)) {
        EXPECT_EQ(v, d.Default()) << d.Name << " as " << j.What;
      }
    }
  }

  TMemoryBitmap player_;
  test::ScratchDir lyrics_{"junk"};
  TRegistryEx reg_{HKEY_CURRENT_USER};
  TVizLumeko* obj_ = nullptr;
};

TEST_F(RegistryJunk, EveryValueOfEveryTypeReadsInRangeAndAFrameFollows) {
  Make();
  int cases = 0;
  for (const TSettingDef& d : SettingTable()) {
    for (const TJunk& j : Junk()) {
      Store(d, j);
      ++cases;
      switch (d.Reader) {
        case TSettingReader::sr_Load:
          // As a save on the page announces it: the running object reloads.
          ASSERT_TRUE(SignalPropertyChange());
          EXPECT_EQ(Frame(), S_OK) << d.Name << " as " << j.What;
          ExpectSound(P::Setup(*obj_), d, j);
          break;
        case TSettingReader::sr_Pile: {
          // Read only when an object is made.
          ExpectSound(P::Setup(Make()), d, j);
          EXPECT_EQ(Frame(), S_OK) << d.Name << " as " << j.What;
          break;
        }
        case TSettingReader::sr_PageOnly: {
          // As the page reads it, and the Version's say on the others.
          const TSettingValue v = ReadSettingValue(reg_, d, reg_.ReadIntegerDef("Version", 0));
          EXPECT_TRUE(InRange(d, v)) << d.Name << " as " << j.What;
          if (!OwnType(d, j)) {
            EXPECT_EQ(v, d.Default()) << d.Name << " as " << j.What;
          }
          ASSERT_TRUE(SignalPropertyChange());
          EXPECT_EQ(Frame(), S_OK) << d.Name << " as " << j.What;
          ExpectSound(P::Setup(*obj_), d, j);
          break;
        }
      }
      reg_.DeleteValue(d.Name);
    }
  }
  EXPECT_EQ(cases, static_cast<int>(SettingTable().size() * Junk().size()));
}

}  // namespace
}  // namespace lumeko
