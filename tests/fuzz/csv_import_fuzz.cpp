// Fuzz target: bytes of a CSV file through the import, from decoding its lines to the passes that
// build nodes and arcs in a diagram.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "exchange/csv_file.h"
#include "exchange/table_import.h"

namespace {

// Every setting reads as its default.
class DefaultSettings final : public ravelo::SettingsStore {
 public:
  int ReadInt(std::string_view, std::string_view, int fallback) const override { return fallback; }
  std::string ReadString(std::string_view, std::string_view, std::string_view fallback) const override {
    return std::string(fallback);
  }
  void WriteInt(std::string_view, std::string_view, int) override {}
  void WriteString(std::string_view, std::string_view, std::string_view) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace ravelo;
  static const auto diagram = std::make_unique<Diagram>();
  static DefaultSettings settings;
  static SilentMessages messages;
  static NoProgress progress;
  static RandomSource random;
  CsvLines csv;
  if (DecodeCsvText(std::string_view(reinterpret_cast<const char*>(data), size), csv) != CsvReadResult::Read) return 0;
  const bool header = size > 0 && (data[0] & 1) != 0;
  const CsvRows rows = CsvDataRows(csv, header);
  ResetToNewDocument(*diagram, random, 1);
  const ObjectServices objects{settings, messages, random, {}, {}, {}};
  RunImportPasses(*diagram, rows.table, 1, {objects, progress});
  return 0;
}
