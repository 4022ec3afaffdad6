// Helpers shared by the pattern engine tests: catching the syntax error with
// its message and position, and CP932 text written in UTF-8.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/cp932.h"
#include "regex/re_error.h"

namespace lumeko::testing_regex {

struct CaughtError {
  bool Raised = false;
  std::string Message;
  unsigned Pos = 0;
};

inline CaughtError Catch(const std::function<void()>& f) {
  CaughtError e;
  try {
    f();
  } catch (const ERegExpParser& x) {
    e.Raised = true;
    e.Message = x.what();
    e.Pos = x.ErrorPos;
  }
  return e;
}

inline std::string J(std::u8string_view utf8) {
  return Utf8ToCp932(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

}  // namespace lumeko::testing_regex
