// Choosing and finding the face for "Default" (see default_face.h).
#include "render/default_face.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <mutex>

#include "platform/unique_handle.h"

namespace lumeko {

namespace {

// Japanese interface faces, most wanted first, by their English names.
constexpr const wchar_t* kPreferred[] = {L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic", L"Meiryo",
                                         L"Yu Gothic",    L"MS PGothic", L"IPAPGothic",  L"MS Gothic",
                                         L"IPAGothic"};

bool SameName(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

std::uint16_t Be16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] << 8 | p[1]); }

// The family name (name ID 1) in US English from a font's 'name' table;
// every offset is checked against the table's size.
std::wstring EnglishFamily(const std::vector<std::uint8_t>& t) {
  if (t.size() < 6) return {};
  const size_t count = Be16(&t[2]), strings = Be16(&t[4]);
  for (size_t i = 0; i < count; ++i) {
    const size_t at = 6 + i * 12;
    if (at + 12 > t.size()) break;
    const std::uint16_t platform = Be16(&t[at]), encoding = Be16(&t[at + 2]), language = Be16(&t[at + 4]);
    const std::uint16_t id = Be16(&t[at + 6]), length = Be16(&t[at + 8]), offset = Be16(&t[at + 10]);
    if (platform != 3 || (encoding != 1 && encoding != 0) || language != 0x0409 || id != 1) continue;
    const size_t from = strings + offset;
    if (from + length > t.size()) break;
    std::wstring name;
    for (size_t k = 0; k + 1 < length; k += 2) name += static_cast<wchar_t>(Be16(&t[from + k]));
    return name;
  }
  return {};
}

int CALLBACK Collect(const LOGFONTW* lf, const TEXTMETRICW* tm, DWORD type, LPARAM param) {
  auto* faces = reinterpret_cast<std::vector<TFaceCandidate>*>(param);
  // Vertical-writing faces ("@...") and bitmap fonts are no faces for lyrics.
  if (lf->lfFaceName[0] == L'@' || !(type & TRUETYPE_FONTTYPE)) return 1;
  for (const TFaceCandidate& f : *faces)
    if (f.Name == lf->lfFaceName) return 1;
  // TMPF_FIXED_PITCH set means the pitch varies.
  faces->push_back({lf->lfFaceName, {}, (tm->tmPitchAndFamily & TMPF_FIXED_PITCH) != 0});
  return 1;
}

std::wstring FindDefaultFace() {
  std::vector<TFaceCandidate> faces;
  UniqueHDC dc(::CreateCompatibleDC(nullptr));
  if (!dc) return L"MS Shell Dlg";
  LOGFONTW probe{};
  probe.lfCharSet = SHIFTJIS_CHARSET;
  ::EnumFontFamiliesExW(dc.get(), &probe, reinterpret_cast<FONTENUMPROCW>(Collect), reinterpret_cast<LPARAM>(&faces), 0);
  for (TFaceCandidate& f : faces) {
    LOGFONTW lf{};
    lf.lfHeight = -16;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    wcsncpy(lf.lfFaceName, f.Name.c_str(), LF_FACESIZE - 1);
    UniqueHFONT font(::CreateFontIndirectW(&lf));
    if (!font) continue;
    const SelectGuard selected(dc.get(), font.get());
    constexpr DWORD kNameTable = 0x656D616E;  // 'name', as GetFontData wants it
    const DWORD size = ::GetFontData(dc.get(), kNameTable, 0, nullptr, 0);
    if (size == GDI_ERROR || size == 0 || size > (1u << 20)) continue;
    std::vector<std::uint8_t> table(size);
    if (::GetFontData(dc.get(), kNameTable, 0, table.data(), size) != size) continue;
    f.EnglishName = EnglishFamily(table);
  }
  std::wstring chosen = ChooseDefaultFace(std::move(faces));
  if (!chosen.empty()) return chosen;
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof(ncm);
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0) && ncm.lfMessageFont.lfFaceName[0])
    return ncm.lfMessageFont.lfFaceName;
  return L"MS Shell Dlg";
}

}  // namespace

std::wstring ChooseDefaultFace(std::vector<TFaceCandidate> faces) {
  if (faces.empty()) return {};
  for (TFaceCandidate& f : faces)
    if (f.EnglishName.empty()) f.EnglishName = f.Name;
  std::sort(faces.begin(), faces.end(), [](const TFaceCandidate& a, const TFaceCandidate& b) {
    return a.EnglishName < b.EnglishName;
  });
  for (const wchar_t* want : kPreferred)
    for (const TFaceCandidate& f : faces)
      if (SameName(f.EnglishName, want) || SameName(f.Name, want)) return f.Name;
  for (const TFaceCandidate& f : faces)
    if (f.Proportional) return f.Name;
  return faces.front().Name;
}

const std::wstring& DefaultFontFace() {
  static std::once_flag once;
  static std::wstring face;
  std::call_once(once, [] { face = FindDefaultFace(); });
  return face;
}

}  // namespace lumeko
