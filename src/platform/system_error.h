// A failure that carries the system's own result code.
//
// Raised inside the system where a call to the platform failed and its
// caller deserves the real cause (an "access denied" that regsvr32 shows as
// such), not a generic failure. Result() is an HRESULT-style value: negative
// for failures. Portable: the code is a plain 32-bit number here.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace lumeko {

class ESystemError : public std::runtime_error {
 public:
  ESystemError(const std::string& what, std::int32_t result) : std::runtime_error(what), result_(result) {}
  std::int32_t Result() const noexcept { return result_; }

 private:
  std::int32_t result_;
};

}  // namespace lumeko
