// Drives a modal window from inside the loop that shows it: a thread timer
// looks for the window and, once it is there, runs the test's action on it
// (which may open and drive a further window the same way).
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace lumeko::test {

class TModalDriver {
 public:
  using TFind = std::function<bool(HWND)>;
  using TAction = std::function<void(HWND)>;

  TModalDriver(TFind find, TAction action) : find_(std::move(find)), action_(std::move(action)) {
    id_ = ::SetTimer(nullptr, 0, 20, Tick);
    Drivers()[id_] = this;
  }
  ~TModalDriver() {
    Stop();
  }
  TModalDriver(const TModalDriver&) = delete;
  TModalDriver& operator=(const TModalDriver&) = delete;
  bool Ran() const { return ran_; }

  // A shown top-level window of this thread with that caption (and owner, when given).
  static TFind Captioned(std::wstring caption, HWND owner = nullptr) {
    return [caption, owner](HWND w) {
      wchar_t text[256] = {};
      ::GetWindowTextW(w, text, 256);
      return ::IsWindowVisible(w) && caption == text && (!owner || ::GetWindow(w, GW_OWNER) == owner);
    };
  }
  // Every text of a window and its children, one after another.
  static std::wstring AllText(HWND w) {
    std::wstring all;
    AddText(w, reinterpret_cast<LPARAM>(&all));
    ::EnumChildWindows(w, AddText, reinterpret_cast<LPARAM>(&all));
    return all;
  }

 private:
  struct TSearch {
    TModalDriver* Self;
    HWND Found = nullptr;
  };
  static BOOL CALLBACK Look(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<TSearch*>(p);
    if (!s->Self->find_(w)) return TRUE;
    s->Found = w;
    return FALSE;
  }
  static BOOL CALLBACK AddText(HWND c, LPARAM p) {
    wchar_t text[1024] = {};
    ::GetWindowTextW(c, text, 1024);
    *reinterpret_cast<std::wstring*>(p) += text;
    return TRUE;
  }
  static std::map<UINT_PTR, TModalDriver*>& Drivers() {
    static std::map<UINT_PTR, TModalDriver*> drivers;
    return drivers;
  }
  void Stop() {
    if (!id_) return;
    ::KillTimer(nullptr, id_);
    Drivers().erase(id_);
    id_ = 0;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    const auto it = Drivers().find(id);
    if (it == Drivers().end()) return;
    TModalDriver* self = it->second;
    TSearch search{self};
    ::EnumThreadWindows(::GetCurrentThreadId(), Look, reinterpret_cast<LPARAM>(&search));
    if (!search.Found) return;
    self->Stop();
    self->ran_ = true;
    self->action_(search.Found);
  }

  TFind find_;
  TAction action_;
  UINT_PTR id_ = 0;
  bool ran_ = false;
};

}  // namespace lumeko::test
