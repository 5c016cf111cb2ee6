// The PNG writer on a picture the size of a big chart export (4100 × 3300): flat colour boxes in
// a grid with short lines of dark detail in each, as a chart is, on a pale background.
#include <benchmark/benchmark.h>

#include "platform/codec/png_codec.h"

namespace ravelo {
namespace {

Picture ChartLikePicture() {
  constexpr int kWidth = 4100, kHeight = 3300;
  Picture picture{kWidth, kHeight, std::vector<uint8_t>(static_cast<std::size_t>(kWidth) * kHeight * 4), {}};
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      uint8_t* pixel = &picture.bgra[(static_cast<std::size_t>(y) * kWidth + x) * 4];
      const int cellX = x % 102, cellY = y % 93, cell = x / 102 + y / 93;
      const bool box = cellX >= 4 && cellX < 96 && cellY >= 4 && cellY < 28;
      const bool detail = box && cellY >= 10 && cellY < 22 && cellX >= 14 && (x * 7 + y * 3) % 5 == 0;
      const uint8_t shade = static_cast<uint8_t>(200 + cell % 7 * 8);
      pixel[0] = detail ? 20 : box ? shade : 200;
      pixel[1] = detail ? 20 : box ? static_cast<uint8_t>(255 - cell % 5 * 10) : 240;
      pixel[2] = detail ? 20 : box ? 250 : 230;
      pixel[3] = 255;
    }
  }
  return picture;
}

void BM_EncodeChartPng(benchmark::State& state) {
  const Picture picture = ChartLikePicture();
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::vector<uint8_t> png = EncodePng(picture);
    bytes = png.size();
    benchmark::DoNotOptimize(png.data());
  }
  state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_EncodeChartPng)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace ravelo
