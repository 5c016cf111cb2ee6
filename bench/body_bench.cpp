// Reading and writing the document body of a full diagram: 2000 objects, 200 with a 20 kB picture.
#include <benchmark/benchmark.h>

#include <random>
#include <sstream>

#include "model/body_io.h"

namespace ravelo {
namespace {

Diagram FullDiagram() {
  Diagram d;
  RandomSource random;
  ResetToNewDocument(d, random, 1);
  std::mt19937 bytes(3);
  for (int i = 0; i < kMaxObjects; ++i) {
    DiagramObject& o = d.object(i);
    o.Kind = i % 3 == 0 ? LinkArc : Node;
    o.Serial = i + 1;
    if (i % 10 == 0) {
      auto picture = std::make_unique<Picture>();
      picture->fileBytes.resize(20 * 1024);
      for (uint8_t& b : picture->fileBytes) b = static_cast<uint8_t>(bytes());
      SetPicture(d, i, std::move(picture));
    }
  }
  d.header.ObjectCount = kMaxObjects;
  return d;
}

struct Services {
  SilentMessages messages;
  NoProgress progress;
  OpaquePictureCodec codec;
  BodyServices body{messages, progress, codec};
};

void BM_WriteBody(benchmark::State& state) {
  const Diagram d = FullDiagram();
  Services s;
  std::string buffer;
  for (auto _ : state) {
    std::ostringstream out(std::move(buffer));
    WriteBody(out, d, s.body);
    buffer = std::move(out).str();
    benchmark::DoNotOptimize(buffer.data());
    buffer.clear();
  }
}
BENCHMARK(BM_WriteBody)->Unit(benchmark::kMillisecond);

void BM_ReadBody(benchmark::State& state) {
  Services s;
  std::ostringstream out;
  WriteBody(out, FullDiagram(), s.body);
  const std::string bytes = out.str();
  state.SetBytesProcessed(0);
  auto d = std::make_unique<Diagram>();
  for (auto _ : state) {
    std::istringstream in(bytes);
    ReadBody(in, *d, s.body);
    benchmark::DoNotOptimize(d->count());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadBody)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ravelo
