// Opening a document file: the cabinet, its member and the body inside, through the open sequence.
#include "cli/fallback_settings.h"
#include "model/document_file.h"
#include "platform/cab/gcab_cabinet.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ravelo::fuzz::QuietBodyServices quiet;
  static ravelo::cli::FallbackSettings settings;
  static ravelo::GcabCabinet cabinet;
  static const std::string folder = ravelo::fuzz::ScratchFolder();
  const std::string path = folder + "/input.rvl";
  ravelo::fuzz::WriteFile(path, data, size);
  const ravelo::DocumentServices services{quiet.messages, quiet.progress, quiet.codec,
                                          settings,       cabinet,        folder + "/work"};
  auto diagram = std::make_unique<ravelo::Diagram>();
  ravelo::OpenDocument(*diagram, path, services);
  return 0;
}
