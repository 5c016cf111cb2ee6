// Text of the document is cp932 (Shift-JIS) bytes; limits count those bytes. Conversion to and from
// UTF-8 happens only at the edges: the screen, the clipboard, files of other programs, the CLI.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ravelo {

// A cp932 lead byte starts a two-byte character.
constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The longest prefix of text with at most maxBytes bytes that does not split a two-byte character.
std::string TruncateBytes(std::string_view text, std::size_t maxBytes);

struct Cp932Conversion {
  std::string text;                        // the cp932 bytes; each character listed below became "?"
  std::vector<std::string> unconvertible;  // UTF-8 characters that cp932 cannot hold, in order
  bool Complete() const { return unconvertible.empty(); }
};

// UTF-8 to cp932. Characters cp932 cannot hold are reported, never dropped silently.
Cp932Conversion Utf8ToCp932(std::string_view utf8);

// cp932 to UTF-8; a byte sequence that is not cp932 becomes U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);

// Reads a NUL-terminated text field of a record (the bytes up to the NUL or the field's end).
template <std::size_t N>
std::string_view FieldText(const char (&field)[N]) {
  std::size_t length = 0;
  while (length < N && field[length] != '\0') ++length;
  return {field, length};
}

// Stores text into a field cut to maxBytes (at most the field's size less its NUL), NUL-terminated
// and zero-filled.
template <std::size_t N>
void SetFieldText(char (&field)[N], std::string_view text, std::size_t maxBytes) {
  const std::string cut = TruncateBytes(text, maxBytes < N ? maxBytes : N - 1);
  std::size_t i = 0;
  for (; i < cut.size(); ++i) field[i] = cut[i];
  for (; i < N; ++i) field[i] = '\0';
}

}  // namespace ravelo
