#include "platform/codec/palette.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <unordered_map>

namespace ravelo {

namespace {

constexpr int kBinCount = 1 << 15;  // five bits of each of red, green and blue

uint32_t PackedRgb(const uint8_t* bgra) {
  return static_cast<uint32_t>(bgra[2]) << 16 | static_cast<uint32_t>(bgra[1]) << 8 | bgra[0];
}

std::optional<PalettedPixels> ExactPalette(const Picture& picture, std::size_t maxColours) {
  PalettedPixels result;
  result.indices.reserve(picture.bgra.size() / 4);
  std::unordered_map<uint32_t, uint8_t> indexOf;
  for (std::size_t i = 0; i < picture.bgra.size(); i += 4) {
    const uint8_t* pixel = &picture.bgra[i];
    const uint32_t rgb = PackedRgb(pixel);
    auto found = indexOf.find(rgb);
    if (found == indexOf.end()) {
      if (result.palette.size() == maxColours) return std::nullopt;
      found = indexOf.emplace(rgb, static_cast<uint8_t>(result.palette.size())).first;
      result.palette.push_back({pixel[2], pixel[1], pixel[0]});
    }
    result.indices.push_back(found->second);
  }
  return result;
}

int BinOf(const uint8_t* bgra) { return (bgra[2] >> 3) << 10 | (bgra[1] >> 3) << 5 | bgra[0] >> 3; }

// The five-bit level of a bin on channel 0 (red), 1 (green) or 2 (blue).
int LevelOf(int bin, int channel) { return (bin >> (10 - 5 * channel)) & 31; }

struct Bin {
  uint64_t count = 0;
  uint64_t red = 0;  // sums of the real colours that fell into the bin
  uint64_t green = 0;
  uint64_t blue = 0;
};

struct Box {
  std::size_t begin;  // range in the list of occupied bins
  std::size_t end;
};

struct WidestBox {
  int box = -1;
  int channel = 0;
};

WidestBox FindWidestBox(const std::vector<Box>& boxes, const std::vector<int>& occupied) {
  WidestBox widest;
  int widestSpan = 0;
  for (std::size_t b = 0; b < boxes.size(); ++b) {
    for (int channel = 0; channel < 3; ++channel) {
      int low = 31, high = 0;
      for (std::size_t i = boxes[b].begin; i < boxes[b].end; ++i) {
        low = std::min(low, LevelOf(occupied[i], channel));
        high = std::max(high, LevelOf(occupied[i], channel));
      }
      if (high - low > widestSpan) {
        widestSpan = high - low;
        widest = {static_cast<int>(b), channel};
      }
    }
  }
  return widest;
}

// Splits the box at the median of its pixels along the channel; both halves keep at least one bin.
void SplitBox(std::vector<Box>& boxes, WidestBox widest, std::vector<int>& occupied,
              const std::vector<Bin>& bins) {
  const Box box = boxes[static_cast<std::size_t>(widest.box)];
  const auto first = occupied.begin() + static_cast<std::ptrdiff_t>(box.begin);
  const auto last = occupied.begin() + static_cast<std::ptrdiff_t>(box.end);
  std::sort(first, last, [&](int a, int b) {
    const int levelA = LevelOf(a, widest.channel), levelB = LevelOf(b, widest.channel);
    return levelA != levelB ? levelA < levelB : a < b;
  });
  uint64_t total = 0;
  for (std::size_t i = box.begin; i < box.end; ++i)
    total += bins[static_cast<std::size_t>(occupied[i])].count;
  std::size_t middle = box.begin;
  for (uint64_t counted = 0; middle < box.end && counted * 2 < total; ++middle) {
    counted += bins[static_cast<std::size_t>(occupied[middle])].count;
  }
  middle = std::clamp(middle, box.begin + 1, box.end - 1);
  boxes[static_cast<std::size_t>(widest.box)].end = middle;
  boxes.push_back({middle, box.end});
}

PalettedPixels MedianCut(const Picture& picture, std::size_t maxColours) {
  std::vector<Bin> bins(kBinCount);
  for (std::size_t i = 0; i < picture.bgra.size(); i += 4) {
    const uint8_t* pixel = &picture.bgra[i];
    Bin& bin = bins[static_cast<std::size_t>(BinOf(pixel))];
    ++bin.count;
    bin.red += pixel[2];
    bin.green += pixel[1];
    bin.blue += pixel[0];
  }
  std::vector<int> occupied;
  for (int b = 0; b < kBinCount; ++b) {
    if (bins[static_cast<std::size_t>(b)].count > 0) occupied.push_back(b);
  }
  std::vector<Box> boxes{{0, occupied.size()}};
  while (boxes.size() < maxColours) {
    const WidestBox widest = FindWidestBox(boxes, occupied);
    if (widest.box < 0) break;
    SplitBox(boxes, widest, occupied, bins);
  }

  PalettedPixels result;
  std::vector<uint8_t> indexOfBin(kBinCount, 0);
  for (const Box& box : boxes) {
    Bin sum;
    for (std::size_t i = box.begin; i < box.end; ++i) {
      const Bin& bin = bins[static_cast<std::size_t>(occupied[i])];
      sum.count += bin.count;
      sum.red += bin.red;
      sum.green += bin.green;
      sum.blue += bin.blue;
      indexOfBin[static_cast<std::size_t>(occupied[i])] = static_cast<uint8_t>(result.palette.size());
    }
    const auto mean = [&](uint64_t total) {
      return static_cast<uint8_t>((total + sum.count / 2) / sum.count);
    };
    result.palette.push_back({mean(sum.red), mean(sum.green), mean(sum.blue)});
  }
  result.indices.reserve(picture.bgra.size() / 4);
  for (std::size_t i = 0; i < picture.bgra.size(); i += 4) {
    result.indices.push_back(indexOfBin[static_cast<std::size_t>(BinOf(&picture.bgra[i]))]);
  }
  return result;
}

}  // namespace

PalettedPixels ReduceToPalette(const Picture& picture, std::size_t maxColours) {
  std::optional<PalettedPixels> exact = ExactPalette(picture, maxColours);
  return exact ? std::move(*exact) : MedianCut(picture, maxColours);
}

int NearestPaletteIndex(const std::vector<RgbColour>& palette, RgbColour colour) {
  int nearest = 0;
  int nearestDistance = 3 * 256;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const int distance = std::abs(palette[i].red - colour.red) + std::abs(palette[i].green - colour.green) +
                         std::abs(palette[i].blue - colour.blue);
    if (distance < nearestDistance) {
      nearest = static_cast<int>(i);
      nearestDistance = distance;
    }
  }
  return nearest;
}

}  // namespace ravelo
