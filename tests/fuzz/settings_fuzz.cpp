// The settings file: read (line by line when it cannot be read whole), then written back.
#include "platform/store/key_file_settings.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string folder = ravelo::fuzz::ScratchFolder();
  const std::string path = folder + "/Ravelo.ini";
  ravelo::fuzz::WriteFile(path, data, size);
  {
    ravelo::KeyFileSettings store(path);
    store.ReadInt("SYS", "FirstOpen", 0);
    store.ReadString("Recent File List", "File1", "");
    store.WriteInt("SYS", "FirstOpen", 1);
    if (!store.keptAsidePath().empty()) std::remove(store.keptAsidePath().c_str());
  }
  std::remove(path.c_str());
  return 0;
}
