// The system's dialogs (see system_dialogs.h).
#include "ui/system_dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "platform/com_ptr.h"
#include "platform/wide.h"
#include "ui/ui_paint.h"

namespace lumeko {
namespace {

int CALLBACK BrowseCallback(HWND wnd, UINT msg, LPARAM, LPARAM start) {
  if (msg == BFFM_INITIALIZED && start) ::SendMessageW(wnd, BFFM_SETSELECTIONW, TRUE, start);
  return 0;
}

bool FileExistsW(const std::wstring& path) {
  const DWORD a = ::GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExistsW(const std::wstring& path) {
  const DWORD a = ::GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::optional<std::wstring> BrowseForFolder(HWND owner, const std::string& title, const std::wstring& start) {
  const std::wstring caption = ToWide(title);
  BROWSEINFOW bi{};
  bi.hwndOwner = owner;
  bi.lpszTitle = caption.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS;
  bi.lpfn = BrowseCallback;
  bi.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
  PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&bi);
  if (!chosen) return std::nullopt;
  std::vector<wchar_t> path(32768, L'\0');
  const BOOL ok = ::SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT);
  ::CoTaskMemFree(chosen);
  if (!ok || !path[0]) return std::nullopt;
  return std::wstring(path.data());
}

std::optional<std::wstring> OpenPictureFile(HWND owner, const std::string& filter, const std::wstring& start,
                                            const std::wstring& folder) {
  // The filter's "|" become the NULs the dialog wants, and it ends with two.
  std::wstring pairs = ToWide(filter);
  for (wchar_t& c : pairs)
    if (c == L'|') c = L'\0';
  pairs.append(2, L'\0');
  std::vector<wchar_t> file(32768, L'\0');
  if (FileExistsW(start) && start.size() < file.size()) start.copy(file.data(), start.size());
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = pairs.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  if (!file[0] && FolderExistsW(folder)) ofn.lpstrInitialDir = folder.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER |
              OFN_NOCHANGEDIR;
  if (!::GetOpenFileNameW(&ofn)) return std::nullopt;
  return std::wstring(file.data());
}

std::optional<std::uint32_t> ChooseColour(HWND owner, std::uint32_t color) {
  // The custom colours are kept for the session, as the dialog's users expect.
  static COLORREF custom[16] = {};
  for (COLORREF& c : custom)
    if (c == 0) c = RGB(255, 255, 255);
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = owner;
  cc.rgbResult = ToRgb(color);
  cc.lpCustColors = custom;
  cc.Flags = CC_FULLOPEN | CC_RGBINIT | CC_ANYCOLOR;
  if (!::ChooseColorW(&cc)) return std::nullopt;
  return static_cast<std::uint32_t>(cc.rgbResult);
}

std::wstring QuoteFolder(const std::wstring& folder) {
  if (folder.find(L' ') == std::wstring::npos) return folder;
  std::wstring quoted = L"\"";
  for (wchar_t c : folder) {
    if (c == L'"') quoted += L'"';
    quoted += c;
  }
  return quoted + L"\"";
}

}  // namespace lumeko
