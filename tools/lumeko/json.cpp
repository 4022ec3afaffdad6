#include "json.h"

#include <cmath>
#include <cstdio>

namespace lumeko::tool {

void JsonWriter::Separate() {
  if (needComma_) out_ += ',';
  needComma_ = false;
}

JsonWriter& JsonWriter::BeginObject() { Separate(); out_ += '{'; return *this; }
JsonWriter& JsonWriter::EndObject() { out_ += '}'; needComma_ = true; return *this; }
JsonWriter& JsonWriter::BeginArray() { Separate(); out_ += '['; return *this; }
JsonWriter& JsonWriter::EndArray() { out_ += ']'; needComma_ = true; return *this; }

JsonWriter& JsonWriter::Key(std::string_view utf8) {
  String(utf8);
  out_ += ':';
  needComma_ = false;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view s) {
  Separate();
  out_ += '"';
  for (unsigned char c : s) {
    switch (c) {
      case '"': out_ += "\\\""; break;
      case '\\': out_ += "\\\\"; break;
      case '\n': out_ += "\\n"; break;
      case '\r': out_ += "\\r"; break;
      case '\t': out_ += "\\t"; break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out_ += buf;
        } else {
          out_ += static_cast<char>(c);
        }
    }
  }
  out_ += '"';
  needComma_ = true;
  return *this;
}

JsonWriter& JsonWriter::Int(std::int64_t v) {
  Separate();
  out_ += std::to_string(v);
  needComma_ = true;
  return *this;
}

JsonWriter& JsonWriter::Number(double v) {
  Separate();
  if (!std::isfinite(v)) {
    out_ += "null";
  } else {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    out_ += buf;
  }
  needComma_ = true;
  return *this;
}

JsonWriter& JsonWriter::Bool(bool v) { Separate(); out_ += v ? "true" : "false"; needComma_ = true; return *this; }
JsonWriter& JsonWriter::Null() { Separate(); out_ += "null"; needComma_ = true; return *this; }

}  // namespace lumeko::tool
