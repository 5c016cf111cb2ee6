// Open and save of a full document (2000 objects, 200 pictures of 20 kB) against the cabinet tools
// on the same body: the container is the floor the document sequences are measured against.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "model/body_io.h"
#include "model/cp932.h"
#include "model/document_file.h"
#include "platform/cab/gcab_cabinet.h"

namespace ravelo {
namespace {

constexpr int kObjects = 2000;
constexpr int kPictures = 200;
constexpr std::size_t kPictureBytes = 20000;

class NoSettings final : public SettingsStore {
 public:
  int ReadInt(std::string_view, std::string_view key, int fallback) const override {
    return key == "MakeBackup" ? 0 : fallback;  // the tools keep no backup either
  }
  std::string ReadString(std::string_view, std::string_view, std::string_view fallback) const override {
    return std::string(fallback);
  }
  void WriteInt(std::string_view, std::string_view, int) override {}
  void WriteString(std::string_view, std::string_view, std::string_view) override {}
};

// Picture data that deflate shrinks by about a tenth, as it does photographs stored as JPEG.
std::unique_ptr<Picture> PhotoLikePicture(uint32_t seed) {
  auto picture = std::make_unique<Picture>();
  picture->fileBytes.resize(kPictureBytes);
  for (uint8_t& byte : picture->fileBytes) {
    seed = seed * 1103515245u + 12345u;
    const uint32_t r = seed >> 8;
    byte =
        (r & 7) == 0 ? static_cast<uint8_t>("\x00\xFF\x10\x80"[r >> 3 & 3]) : static_cast<uint8_t>(r >> 12);
  }
  return picture;
}

void FillDocument(Diagram& d) {
  RandomSource random;
  ResetToNewDocument(d, random, 1);
  for (int i = 0; i < kObjects; ++i) {
    DiagramObject& o = d.object(i);
    const bool arc = i % 4 == 3;
    o.Kind = arc ? LinkArc : Node;
    o.Serial = arc ? i - 1 : i + 1;
    o.ToSerial = arc ? i / 2 + 1 : -1;
    o.IsEndNode = 1;
    if (!arc && i > 0) {
      o.ParentCount = 1;
      o.ParentSerials[0] = i / 8 + 1;
    }
    SetFieldText(o.Title, "node " + std::to_string(i), kTitleBytes);
    SetFieldText(o.MemoText, "memo text of object " + std::to_string(i) + ", a little longer than the title",
                 kMemoBytes);
    for (int c = 0; c < kChartCount; ++c) {
      o.Pos[c] = {(i * 37 + c * 11) % 1500, (i * 53 + c * 7) % 1500};
      o.Arc[c].Haba = 3;
    }
  }
  d.header.ObjectCount = kObjects;
  for (int i = 0; i < kPictures; ++i) SetPicture(d, i * (kObjects / kPictures), PhotoLikePicture(i + 1));
}

// The document, its body and the folders, made once for all benchmarks of the run.
struct Fixture {
  Fixture() {
    char pattern[] = "/tmp/ravelo-bench-XXXXXX";
    folder = mkdtemp(pattern);
    FillDocument(diagram);
    std::ofstream body(folder + "/body.rvl", std::ios::binary);
    WriteBody(body, diagram, BodyServices{messages, progress, codec});
    body.close();
    std::filesystem::create_directory(folder + "/out");
    SaveDocument(diagram, document(), {0, 0}, services());
    bodyBytes = static_cast<int64_t>(std::filesystem::file_size(folder + "/body.rvl"));
  }
  ~Fixture() { std::filesystem::remove_all(folder); }

  DocumentServices services() { return {messages, progress, codec, settings, cabinet, folder + "/work"}; }
  std::string document() const { return folder + "/doc.rvl"; }

  std::string folder;
  int64_t bodyBytes = 0;
  Diagram diagram;
  SilentMessages messages;
  NoProgress progress;
  OpaquePictureCodec codec;
  NoSettings settings;
  GcabCabinet cabinet;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void BM_SaveDocument(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state)
    if (!SaveDocument(f.diagram, f.document(), {0, 0}, f.services())) state.SkipWithError("save failed");
  state.SetBytesProcessed(state.iterations() * f.bodyBytes);
}

void BM_GcabCreate(benchmark::State& state) {
  Fixture& f = Shared();
  const std::string command = "cd " + f.folder + " && gcab -c -z -n out/tool.cab body.rvl";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("gcab failed");
  state.SetBytesProcessed(state.iterations() * f.bodyBytes);
}

void BM_OpenDocument(benchmark::State& state) {
  Fixture& f = Shared();
  auto opened = std::make_unique<Diagram>();
  for (auto _ : state)
    if (!OpenDocument(*opened, f.document(), f.services())) state.SkipWithError("open failed");
  state.SetBytesProcessed(state.iterations() * f.bodyBytes);
}

void BM_CabextractExtract(benchmark::State& state) {
  Fixture& f = Shared();
  const std::string command = "cabextract -q -d " + f.folder + "/out " + f.document();
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("cabextract failed");
  state.SetBytesProcessed(state.iterations() * f.bodyBytes);
}

// The tools run as child processes, so only wall-clock time compares.
BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GcabCreate)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenDocument)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CabextractExtract)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace ravelo
