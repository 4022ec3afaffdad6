// A small JSON writer for the tool's output: values are appended in order,
// strings are UTF-8 (convert CP932 text with Cp932ToUtf8 first).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumeko::tool {

class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view utf8);
  JsonWriter& String(std::string_view utf8);
  JsonWriter& Int(std::int64_t v);
  JsonWriter& Number(double v);
  JsonWriter& Bool(bool v);
  JsonWriter& Null();

  // Members of an object in one call.
  template <typename T>
  JsonWriter& Field(std::string_view key, const T& v) {
    Key(key);
    return Value(v);
  }

  const std::string& str() const { return out_; }

 private:
  JsonWriter& Value(bool v) { return Bool(v); }
  JsonWriter& Value(int v) { return Int(v); }
  JsonWriter& Value(long v) { return Int(v); }
  JsonWriter& Value(long long v) { return Int(v); }
  JsonWriter& Value(unsigned v) { return Int(v); }
  JsonWriter& Value(unsigned long v) { return Int(static_cast<std::int64_t>(v)); }
  JsonWriter& Value(unsigned long long v) { return Int(static_cast<std::int64_t>(v)); }
  JsonWriter& Value(double v) { return Number(v); }
  JsonWriter& Value(const std::string& v) { return String(v); }
  JsonWriter& Value(const char* v) { return String(v); }
  void Separate();

  std::string out_;
  bool needComma_ = false;
};

}  // namespace lumeko::tool
