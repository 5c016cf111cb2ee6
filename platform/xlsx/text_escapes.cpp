#include "platform/xlsx/text_escapes.h"

#include <cctype>
#include <cstdlib>

namespace ravelo {

namespace {

// Whether an escape "_xHHHH_" starts at position i.
bool EscapeAt(const std::string& text, std::size_t i) {
  if (text.compare(i, 2, "_x") != 0 || i + 7 > text.size() || text[i + 6] != '_') return false;
  for (std::size_t k = i + 2; k < i + 6; ++k)
    if (std::isxdigit(static_cast<unsigned char>(text[k])) == 0) return false;
  return true;
}

void AppendUtf8(std::string& out, unsigned long code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::string EscapeUnderscores(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (EscapeAt(text, i)) out += "_x005F";
    out += text[i];
  }
  return out;
}

std::string UnescapeCellText(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (EscapeAt(text, i)) {
      AppendUtf8(out, std::strtoul(text.substr(i + 2, 4).c_str(), nullptr, 16));
      i += 7;
    } else {
      out += text[i++];
    }
  }
  return out;
}

}  // namespace ravelo
