#include "cli/json_writer.h"

#include <cmath>
#include <cstdio>

namespace ravelo::cli {

void JsonWriter::Separate(std::string_view key) {
  if (!first_.empty()) {
    if (!first_.back()) out_ << ',';
    first_.back() = false;
  }
  if (!key.empty()) {
    Quote(key);
    out_ << ':';
  }
}

void JsonWriter::Quote(std::string_view text) {
  out_ << '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out_ << '\\' << c;
    } else if (c == '\n') {
      out_ << "\\n";
    } else if (c == '\r') {
      out_ << "\\r";
    } else if (c == '\t') {
      out_ << "\\t";
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out_ << escaped;
    } else {
      out_ << c;
    }
  }
  out_ << '"';
}

void JsonWriter::BeginObject(std::string_view key) {
  Separate(key);
  out_ << '{';
  first_.push_back(true);
}

void JsonWriter::EndObject() {
  first_.pop_back();
  out_ << '}';
}

void JsonWriter::BeginArray(std::string_view key) {
  Separate(key);
  out_ << '[';
  first_.push_back(true);
}

void JsonWriter::EndArray() {
  first_.pop_back();
  out_ << ']';
}

void JsonWriter::Int(std::string_view key, long long value) {
  Separate(key);
  out_ << value;
}

void JsonWriter::Number(std::string_view key, double value) {
  Separate(key);
  if (!std::isfinite(value)) {
    out_ << "null";  // JSON has no infinities; a damaged angle shows as null
    return;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  out_ << text;
}

void JsonWriter::Bool(std::string_view key, bool value) {
  Separate(key);
  out_ << (value ? "true" : "false");
}

void JsonWriter::String(std::string_view key, std::string_view utf8) {
  Separate(key);
  Quote(utf8);
}

}  // namespace ravelo::cli
