// Helpers shared by the pattern engine tests: catching the syntax error with
// its message and position.
#pragma once

#include <functional>
#include <string>

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

}  // namespace lumeko::testing_regex
