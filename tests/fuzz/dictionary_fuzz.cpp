// The dictionary reader on arbitrary bytes: it never reads out of bounds, and whatever it accepts
// is written back to a file that reads as the same pairs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "search/dictionary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ravelo::ParsedDictionary parsed = ravelo::ParseDictionary(bytes);
  if (parsed.fault != ravelo::DictionaryFault::None) return 0;
  if (parsed.pairs.size() > static_cast<std::size_t>(ravelo::kDictionaryLines)) std::abort();
  const ravelo::ParsedDictionary again = ravelo::ParseDictionary(ravelo::FormatDictionary(parsed.pairs));
  // A before-text never holds a TAB, so the rewritten lines split where the read ones did.
  if (again.fault != ravelo::DictionaryFault::None || again.pairs != parsed.pairs) std::abort();
  return 0;
}
