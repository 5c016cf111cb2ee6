#include "model/cp932.h"

#include <iconv.h>

#include <algorithm>

namespace ravelo {

std::string TruncateBytes(std::string_view text, std::size_t maxBytes) {
  std::size_t kept = 0;
  while (kept < text.size()) {
    const bool pair = IsLeadByte(static_cast<unsigned char>(text[kept])) && kept + 1 < text.size();
    const std::size_t next = kept + (pair ? 2 : 1);
    if (next > maxBytes) break;
    kept = next;
  }
  return std::string(text.substr(0, kept));
}

namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (handle_ != reinterpret_cast<iconv_t>(-1)) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Ready() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts one whole unit (a character); false when it has no equivalent or is malformed.
  bool ConvertUnit(std::string_view unit, std::string& out) {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    char buffer[16];
    char* in = const_cast<char*>(unit.data());
    std::size_t inLeft = unit.size();
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    if (iconv(handle_, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0)
      return false;
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    return true;
  }

 private:
  iconv_t handle_;
};

// Length of the UTF-8 sequence starting with lead, 1 for a stray byte.
std::size_t Utf8Length(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

}  // namespace

Cp932Conversion Utf8ToCp932(std::string_view utf8) {
  Cp932Conversion result;
  // Opening a converter costs far more than converting a title, and every paint converts each one.
  thread_local Converter converter("CP932", "UTF-8");
  std::size_t i = 0;
  while (i < utf8.size()) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      result.text.push_back(static_cast<char>(lead));
      ++i;
      continue;
    }
    const std::size_t length = std::min(Utf8Length(lead), utf8.size() - i);
    const std::string_view unit = utf8.substr(i, length);
    if (!converter.Ready() || !converter.ConvertUnit(unit, result.text)) {
      result.unconvertible.emplace_back(unit);
      result.text.push_back('?');
    }
    i += length;
  }
  return result;
}

std::string Cp932ToUtf8(std::string_view cp932) {
  std::string out;
  thread_local Converter converter("UTF-8", "CP932");
  std::size_t i = 0;
  while (i < cp932.size()) {
    const unsigned char lead = static_cast<unsigned char>(cp932[i]);
    if (lead < 0x80) {
      out.push_back(static_cast<char>(lead));
      ++i;
      continue;
    }
    const std::size_t length = IsLeadByte(lead) && i + 1 < cp932.size() ? 2 : 1;
    if (!converter.Ready() || !converter.ConvertUnit(cp932.substr(i, length), out)) out += "\xEF\xBF\xBD";
    i += length;
  }
  return out;
}

}  // namespace ravelo
