// The undo snapshot reader: a body without its magic.
#include <sstream>

#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ravelo::fuzz::QuietBodyServices quiet;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  static ravelo::Diagram diagram;  // one table for every run: the reader overwrites what it reads
  ravelo::ReadSnapshot(in, diagram, quiet.services);
  return 0;
}
