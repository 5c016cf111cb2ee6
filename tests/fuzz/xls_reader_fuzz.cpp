// Fuzz target: bytes of an .xls workbook through the reader of its first worksheet. FreeXL reads
// only from a file, so each input is written to one first. The reader parses in a process of its
// own; when FreeXL overreads a damaged file there, the sanitizers end that process, which is the
// refusal under test and not a finding, so the reading process reports nothing.
#include <fcntl.h>
#include <pthread.h>
#include <sanitizer/common_interface_defs.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/xlsx/xls_reader.h"

namespace {

void QuietReadingProcess() {
  __sanitizer_set_death_callback(nullptr);
  const intptr_t nowhere = open("/dev/null", O_WRONLY);
  __sanitizer_set_report_fd(reinterpret_cast<void*>(nowhere));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool quiet = pthread_atfork(nullptr, nullptr, QuietReadingProcess) == 0;
  static const std::string path = "/tmp/xls_reader_fuzz." + std::to_string(getpid()) + ".xls";
  (void)quiet;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  ravelo::SheetText sheet;
  ravelo::ReadXlsSheet(path, 2000, 246, sheet);
  std::remove(path.c_str());
  return 0;
}
