// The undo snapshot reader: a body without its magic.
#include <sstream>

#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ravelo::fuzz::QuietBodyServices quiet;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  auto diagram = std::make_unique<ravelo::Diagram>();
  ravelo::ReadSnapshot(in, *diagram, quiet.services);
  return 0;
}
