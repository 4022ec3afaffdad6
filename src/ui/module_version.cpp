// Version resources (see module_version.h).
#include "ui/module_version.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "platform/wide.h"

namespace lumeko {
namespace {

std::string StringValue(std::vector<BYTE>& data, WORD language, WORD codePage, const wchar_t* name) {
  wchar_t path[96];
  std::swprintf(path, 96, L"\\StringFileInfo\\%04x%04x\\%ls", language, codePage, name);
  void* value = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(data.data(), path, &value, &length) || !value || length == 0) return {};
  const auto* text = static_cast<const wchar_t*>(value);
  std::wstring_view view(text, length);
  while (!view.empty() && view.back() == L'\0') view.remove_suffix(1);
  return FromWide(view);
}

}  // namespace

std::optional<TModuleVersion> ReadModuleVersion(const std::wstring& file) noexcept {
  try {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<BYTE> data(size);
    if (!::GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return std::nullopt;
    void* fixed = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(data.data(), L"\\", &fixed, &length) || length < sizeof(VS_FIXEDFILEINFO)) return std::nullopt;
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    TModuleVersion v;
    v.Major = HIWORD(info->dwFileVersionMS);
    v.Minor = LOWORD(info->dwFileVersionMS);
    v.Release = HIWORD(info->dwFileVersionLS);
    v.Build = LOWORD(info->dwFileVersionLS);
    // The strings of the first language the resource lists.
    struct TLangCodePage {
      WORD Language, CodePage;
    };
    void* translations = nullptr;
    if (::VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &translations, &length) &&
        length >= sizeof(TLangCodePage)) {
      const auto* t = static_cast<const TLangCodePage*>(translations);
      v.ProductName = StringValue(data, t->Language, t->CodePage, L"ProductName");
      v.Copyright = StringValue(data, t->Language, t->CodePage, L"LegalCopyright");
    }
    return v;
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace lumeko
