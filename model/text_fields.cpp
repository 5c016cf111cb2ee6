#include "model/text_fields.h"

#include "model/cp932.h"

namespace ravelo {

namespace {

// Where the field that starts at from ends: at the next delimiter outside a two-byte character, or
// at the end of the text.
std::size_t FieldEnd(std::string_view text, std::size_t from, char delimiter) {
  std::size_t i = from;
  while (i < text.size() && text[i] != delimiter)
    i += IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
  return i;
}

}  // namespace

std::string_view ExtractField(std::string_view text, int n, char delimiter) {
  std::size_t start = 0;
  for (int field = 1;; ++field) {
    const std::size_t end = FieldEnd(text, start, delimiter);
    if (field == n) return text.substr(start, end - start);
    if (end >= text.size()) return {};
    start = end + 1;
  }
}

std::vector<std::string> SplitFields(std::string_view text, char delimiter) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = FieldEnd(text, start, delimiter);
    fields.emplace_back(text.substr(start, end - start));
    if (end >= text.size()) return fields;
    start = end + 1;
  }
}

}  // namespace ravelo
