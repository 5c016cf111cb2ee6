// One undo snapshot of a full diagram (2000 objects, 200 with a 20 kB picture) into a real folder.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <random>

#include "model/undo_history.h"

namespace ravelo {
namespace {

void BM_TakeSnapshot(benchmark::State& state) {
  auto d = std::make_unique<Diagram>();
  std::mt19937 bytes(3);
  for (int i = 0; i < kMaxObjects; ++i) {
    d->object(i).Kind = Node;
    d->object(i).Serial = i + 1;
    if (i % 10 == 0) {
      auto picture = std::make_unique<Picture>();
      picture->fileBytes.resize(20 * 1024);
      for (uint8_t& b : picture->fileBytes) b = static_cast<uint8_t>(bytes());
      SetPicture(*d, i, std::move(picture));
    }
  }
  d->header.ObjectCount = kMaxObjects;
  char pattern[] = "/tmp/ravelo-bench-XXXXXX";
  const std::string folder = mkdtemp(pattern);
  OpaquePictureCodec codec;
  UndoHistory history(folder, codec);
  for (auto _ : state) history.TakeSnapshot(*d);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_TakeSnapshot)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ravelo
