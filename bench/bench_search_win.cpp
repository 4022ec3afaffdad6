// How long a lyrics search that finds nothing takes, against a bare walk.
//
// Builds a tree of 10 000 lyrics files in 1 000 folders under the temporary
// folder, then times, in the same run, a plain recursive FindFirstFileW walk
// over it and a title search with the similar and the fuzzy way on (nothing
// matches, so every folder is listed and every candidate compared), and the
// same search recording its explanation. Prints the median of several rounds
// of each and their ratio. Removes the tree.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/folder_source.h"
#include "platform/unique_handle.h"
#include "platform/wide.h"
#include "search/lyrics_search.h"
#include "search/search_explanation.h"

namespace {

using namespace lumeko;

double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return double(c.QuadPart) * 1000.0 / double(freq.QuadPart);
}

void Touch(const std::wstring& path) {
  UniqueFileHandle f(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
}

// Names like a real collection: artists in brackets, separators, kana.
std::string FileName(int folder, int i) {
  static const char* const kExt[] = {".LRC", ".KRA", ".TXT", ".LRC", ".LRC"};
  static const std::string kKana = "\x83\x6E\x83\x8D\x81\x5B";  // ハロー
  std::string n;
  if (i % 3 == 0) n += "\x81\x69" "Artist " + std::to_string(folder % 37) + "\x81\x6A";
  n += (i % 2 ? "Song_" : "Melody - ") + std::to_string(folder * 10 + i);
  if (i % 4 == 1) n += " " + kKana;
  return n + kExt[i % 5];
}

void Build(const std::string& root) {
  CreateDirectoryW(ToWide(root).c_str(), nullptr);
  int folder = 0;
  for (int top = 0; top < 10; ++top) {
    const std::string t = root + "\\Group " + std::to_string(top);
    CreateDirectoryW(ToWide(t).c_str(), nullptr);
    for (int sub = 0; sub < 100; ++sub, ++folder) {
      // The ten groups count as folders too: 10 + 990 = 1 000.
      const std::string d = sub == 0 ? t : t + "\\Album " + std::to_string(sub);
      if (sub) CreateDirectoryW(ToWide(d).c_str(), nullptr);
      for (int i = 0; i < 10; ++i) Touch(ToWide(d + "\\" + FileName(folder, i)));
    }
  }
}

void RemoveTree(const std::wstring& dir) {
  WIN32_FIND_DATAW fd;
  UniqueFindHandle h(FindFirstFileW((dir + L"\\*").c_str(), &fd));
  if (h) {
    do {
      const std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(dir + L"\\" + name);
      else
        DeleteFileW((dir + L"\\" + name).c_str());
    } while (FindNextFileW(h.get(), &fd));
  }
  h.reset();
  RemoveDirectoryW(dir.c_str());
}

// The baseline: every folder listed once, every entry looked at.
int BareWalk(const std::wstring& dir) {
  int files = 0;
  WIN32_FIND_DATAW fd;
  UniqueFindHandle h(FindFirstFileW((dir + L"\\*").c_str(), &fd));
  if (!h) return 0;
  do {
    if (fd.cFileName[0] == L'.' && (!fd.cFileName[1] || (fd.cFileName[1] == L'.' && !fd.cFileName[2]))) continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      files += BareWalk(dir + L"\\" + fd.cFileName);
    else
      ++files;
  } while (FindNextFileW(h.get(), &fd));
  return files;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  wchar_t tmp[MAX_PATH + 1];
  GetTempPathW(MAX_PATH, tmp);
  const std::string root = FromWide(tmp) + "lumeko-bench-search-" + std::to_string(GetCurrentProcessId());
  const double b0 = Now();
  Build(root);
  std::printf("built 10000 files in 1000 folders in %.0f ms\n", Now() - b0);

  // Nowhere in the tree, in Latin letters and kana, with separators.
  const std::string title = "Nowhere - Tune \x83\x6A\x83\x85\x81\x5B";  // ニュー
  constexpr int kRounds = 7;
  std::vector<double> walk, search, explained;
  size_t tries = 0, candidates = 0;
  int files = 0;
  std::string found = "?";
  for (int r = 0; r < kRounds; ++r) {
    double t = Now();
    files = BareWalk(ToWide(root));
    walk.push_back(Now() - t);
    t = Now();
    TLyricsSearch s(SystemFolders());
    s.SetSimilarStrength(30);
    found = s.SearchByTitle(root, title, true, true, true);
    search.push_back(Now() - t);
    t = Now();
    TSearchExplanation e;
    TLyricsSearch x(SystemFolders());
    x.SetSimilarStrength(30);
    x.SetExplanation(&e);
    x.SearchByTitle(root, title, true, true, true);
    explained.push_back(Now() - t);
    tries = candidates = 0;
    for (const TExplainedSearch& es : e.Searches)
      for (const TExplainedTry& et : es.Tries) ++tries, candidates += et.Candidates.size();
  }
  const double w = Median(walk), s = Median(search);
  std::printf("bare walk: %d files, median %.1f ms\n", files, w);
  std::printf("title search (similar + fuzzy, nothing found%s): median %.1f ms\n", found.empty() ? "" : " - FOUND?",
              s);
  std::printf("ratio: %.2f (target <= 3)\n", s / w);
  std::printf("explained: median %.1f ms, %zu tries, %zu candidates recorded\n", Median(explained), tries,
              candidates);
  RemoveTree(ToWide(root));
  return found.empty() ? 0 : 1;
}
