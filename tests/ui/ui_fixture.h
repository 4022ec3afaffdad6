// A top-level window for the controls under test, the message pump, and
// reading a control's pixels through WM_PRINTCLIENT, which every control
// answers with the same painting its WM_PAINT does.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "platform/cp932.h"
#include "platform/unique_handle.h"
#include "render/pixels.h"

namespace lumeko::test {

// Runs the thread's messages (timers included) for ms milliseconds.
void Pump(int ms = 0);
// Pumps until done() or ms pass; answers done().
bool PumpUntil(int ms, const std::function<bool()>& done);

// The control's client area as painted now, 0x00RRGGBB.
void Snapshot(HWND wnd, test::TestFrame& frame);

// UTF-8 test text as the CP932 the controls take.
inline std::string J(const char* utf8) { return Utf8ToCp932(utf8); }

// Posts the characters one by one to wnd and lets each be handled.
void Type(HWND wnd, const std::wstring& text);
void PostKey(HWND wnd, UINT vk, bool alt = false);
void Click(HWND wnd, POINT p);  // press and release, sent

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  HWND Window() const { return window_.get(); }
  void DestroyWindowNow() { window_.reset(); }

 private:
  UniqueHWND window_;
};

}  // namespace lumeko::test
