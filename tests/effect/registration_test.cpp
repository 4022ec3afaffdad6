// Self-registration of the real DLL into a redirected registry: the class,
// ProgID and type library keys, the player's effect entry, the short path
// for a folder with a blank, and a removal that takes the user's settings.
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include "settings/registry_fixture.h"
#include "settings/registry_ex.h"
#include "settings/setup_info.h"
#include "platform/wide.h"
#include "player_host.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace {

using host::PlayerHost;

constexpr char kClsidKey[] = "CLSID\\{37A95726-3491-4CD1-97E8-2A4A4A0617C2}";
constexpr char kPlayerKey[] = "Software\\Microsoft\\MediaPlayer\\Objects\\Effects\\Lumeko";

std::string DefaultValue(HKEY root, const std::string& key, const char* name = "") {
  TRegistry reg(root);
  if (!reg.OpenKeyReadOnly(key)) return "<missing>";
  return reg.ReadString(name);
}

using Registration = test::RegistryTest;

TEST_F(Registration, WritesTheClassTheTypeLibraryAndThePlayerEntry) {
  PlayerHost host;
  ASSERT_EQ(host.Load(PlayerHost::DefaultEffectPath()), S_OK);
  ASSERT_EQ(host.CallRegisterServer(), S_OK);
  ASSERT_EQ(host.CallRegisterServer(), S_OK);  // twice: the same keys

  const std::string description = "VizLumeko \x83\x49\x83\x75\x83\x57\x83\x46\x83\x4E\x83\x67";
  const std::string clsidKey = kClsidKey;
  EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, clsidKey), description);
  const std::string server = DefaultValue(HKEY_CLASSES_ROOT, clsidKey + "\\InprocServer32");
  wchar_t full[MAX_PATH];
  ASSERT_NE(::GetFullPathNameW(PlayerHost::DefaultEffectPath().c_str(), MAX_PATH, full, nullptr), 0u);
  EXPECT_EQ(_wcsicmp(ToWide(server).c_str(), full), 0);  // no blank in the build path: the long form
  EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, clsidKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
  EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, "LUMEKOlib.VizLumeko"), description);
  EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, "LUMEKOlib.VizLumeko\\Clsid"), "{37A95726-3491-4CD1-97E8-2A4A4A0617C2}");
  EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, clsidKey + "\\ProgID"), "LUMEKOlib.VizLumeko");
  EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, clsidKey + "\\Version"), "2.0");
  EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, clsidKey + "\\TypeLib"), "{382F0CBF-C82A-4BFA-8E25-66D95C1B2BEB}");
  EXPECT_TRUE(TRegistry(HKEY_CLASSES_ROOT).KeyExists("TypeLib\\{382F0CBF-C82A-4BFA-8E25-66D95C1B2BEB}\\2.0"));

  // The player's entry names the class and the title GetTitle gives.
  const std::string props = std::string(kPlayerKey) + "\\Properties";
  EXPECT_EQ(DefaultValue(HKEY_LOCAL_MACHINE, props, "classid"), "{37A95726-3491-4CD1-97E8-2A4A4A0617C2}");
  BSTR title = nullptr;
  ASSERT_EQ(host.Effect()->GetTitle(&title), S_OK);
  EXPECT_EQ(ToWide(DefaultValue(HKEY_LOCAL_MACHINE, props, "name")), std::wstring(title));
  ::SysFreeString(title);
  EXPECT_EQ(Cp932ToUtf8(DefaultValue(HKEY_LOCAL_MACHINE, props, "description")),
            "\xE3\x82\xB5\xE3\x82\xA6\xE3\x83\xB3\xE3\x83\x89\xE3\x81\xAE\xE6\xAD\x8C\xE8\xA9\x9E\xE3\x82\x92"
            "\xE8\xA1\xA8\xE7\xA4\xBA\xE3\x81\x99\xE3\x82\x8B\xE8\xA6\x96\xE8\xA6\x9A\xE3\x82\xA8\xE3\x83\x95"
            "\xE3\x82\xA7\xE3\x82\xAF\xE3\x83\x88\xE3\x81\xA7\xE3\x81\x99\xE3\x80\x82");  // サウンドの歌詞を表示する視覚エフェクトです。

  // Removal takes the class, the player entry and the user's settings and schemes.
  TRegistryEx user(HKEY_CURRENT_USER);
  ASSERT_TRUE(user.OpenKey(kSettingsKey, true));
  user.WriteInteger("KaraokeRowCount", 3);
  ASSERT_TRUE(user.OpenKey(kSchemesKey, true));
  user.WriteString("scheme", "x");
  ASSERT_TRUE(user.OpenKey("Software\\OB-KELMARI\\Other", true));
  user.CloseKey();
  ASSERT_EQ(host.CallUnregisterServer(), S_OK);
  TRegistry classes(HKEY_CLASSES_ROOT);
  EXPECT_FALSE(classes.KeyExists(clsidKey));
  EXPECT_FALSE(classes.KeyExists("LUMEKOlib.VizLumeko"));
  EXPECT_FALSE(classes.KeyExists("TypeLib\\{382F0CBF-C82A-4BFA-8E25-66D95C1B2BEB}\\2.0"));
  EXPECT_FALSE(TRegistry(HKEY_LOCAL_MACHINE).KeyExists(kPlayerKey));
  EXPECT_TRUE(TRegistry(HKEY_LOCAL_MACHINE).KeyExists("Software\\Microsoft\\MediaPlayer\\Objects\\Effects"));
  EXPECT_FALSE(user.KeyExists(kLumekoKey));
  EXPECT_TRUE(user.KeyExists("Software\\OB-KELMARI\\Other"));
  EXPECT_EQ(host.CallUnregisterServer(), S_OK);  // nothing left to remove: still fine
}

TEST_F(Registration, AModulePathWithABlankIsRegisteredInItsShortForm) {
  test::ScratchDir dir("reg");
  const std::string folder = dir / "with blank";
  ASSERT_TRUE(test::MakeDir(folder));
  const std::wstring copy = ToWide(folder + "\\VizLumeko.dll");
  ASSERT_TRUE(::CopyFileW(PlayerHost::DefaultEffectPath().c_str(), copy.c_str(), FALSE));
  {
    PlayerHost host;
    ASSERT_EQ(host.Load(copy), S_OK);
    ASSERT_EQ(host.CallRegisterServer(), S_OK);
    const std::string server = DefaultValue(HKEY_CLASSES_ROOT, std::string(kClsidKey) + "\\InprocServer32");
    EXPECT_EQ(server.find(' '), std::string::npos) << server;
    wchar_t longForm[MAX_PATH];
    ASSERT_NE(::GetLongPathNameW(ToWide(server).c_str(), longForm, MAX_PATH), 0u);
    EXPECT_EQ(_wcsicmp(longForm, copy.c_str()), 0);
    EXPECT_EQ(host.CallUnregisterServer(), S_OK);
  }
  ::DeleteFileW(copy.c_str());
}

TEST_F(Registration, AModulePathOutsideTheCodePageIsRegisteredAsTheSystemSpellsIt) {
  test::ScratchDir dir("reg");
  // é has no code page 932 spelling.
  const std::wstring folder = ToWide(dir.path()) + L"\\caf\u00E9";
  ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring copy = folder + L"\\VizLumeko.dll";
  ASSERT_TRUE(::CopyFileW(PlayerHost::DefaultEffectPath().c_str(), copy.c_str(), FALSE));
  {
    PlayerHost host;
    ASSERT_EQ(host.Load(copy), S_OK);
    ASSERT_EQ(host.CallRegisterServer(), S_OK);
    wchar_t server[MAX_PATH] = L"";
    DWORD size = sizeof server;
    ASSERT_EQ(::RegGetValueW(HKEY_CLASSES_ROOT, ToWide(std::string(kClsidKey) + "\\InprocServer32").c_str(), nullptr,
                             RRF_RT_REG_SZ, nullptr, server, &size),
              ERROR_SUCCESS);
    wchar_t longForm[MAX_PATH];
    ASSERT_NE(::GetLongPathNameW(server, longForm, MAX_PATH), 0u) << "no such module";
    EXPECT_EQ(_wcsicmp(longForm, copy.c_str()), 0);
    EXPECT_EQ(host.CallUnregisterServer(), S_OK);
  }
  ::DeleteFileW(copy.c_str());
  ::RemoveDirectoryW(folder.c_str());
}

// The player's entry may only be read (its key's access list says so):
// registration says why it failed instead of answering success.
TEST_F(Registration, AnEntryThatCannotBeWrittenFailsWithTheSystemsReason) {
  PlayerHost host;
  ASSERT_EQ(host.Load(PlayerHost::DefaultEffectPath()), S_OK);
  const std::wstring props = ToWide(std::string(kPlayerKey) + "\\Properties");
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, props.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  UniqueHKEY entry(key);
  const auto allow = [&](const wchar_t* dacl) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(dacl, SDDL_REVISION_1, &sd, nullptr));
    EXPECT_EQ(::RegSetKeySecurity(entry.get(), DACL_SECURITY_INFORMATION, sd), ERROR_SUCCESS);
    ::LocalFree(sd);
  };
  allow(L"D:P(A;;KR;;;WD)");
  EXPECT_EQ(host.CallRegisterServer(), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
  allow(L"D:P(A;;KA;;;WD)");  // so the scratch registry can be cleared
}

}  // namespace
}  // namespace lumeko
