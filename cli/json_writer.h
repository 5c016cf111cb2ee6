// A small streaming JSON writer: objects, arrays, numbers and UTF-8 strings.
#pragma once

#include <ostream>
#include <string_view>
#include <vector>

namespace ravelo::cli {

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  void BeginObject(std::string_view key = {});
  void EndObject();
  void BeginArray(std::string_view key = {});
  void EndArray();
  void Int(std::string_view key, long long value);
  void Number(std::string_view key, double value);
  void Bool(std::string_view key, bool value);
  void String(std::string_view key, std::string_view utf8);

 private:
  void Separate(std::string_view key);
  void Quote(std::string_view text);

  std::ostream& out_;
  std::vector<bool> first_;  // per open container: nothing written into it yet
};

}  // namespace ravelo::cli
