#include "arcs/arc_types.h"

#include <array>
#include <cstdlib>

namespace ravelo {
namespace {

constexpr std::array<std::string_view, kArcTypeCount + 1> kTypeNames{
    "自動作成",       "単純直線",      "垂直並列関係線", "垂直1点関係線", "垂直2点関係線", "垂直3点関係線",
    "水平並列関係線", "水平1点関係線", "水平2点関係線",  "水平3点関係線", "イナズマ線",    "中略線",
    "マタギ線",       "1点曲線",       "2点曲線",        "3点曲線",       "山線",          "波線",
    "ギザ山線",       "ギザ波線",      "電車線",         "JR線",          "数珠線"};
static_assert(kTypeNames.back() == "数珠線");

constexpr std::array<std::string_view, 4> kEndNames{"なし", "矢印", "円形", "四角形"};

}  // namespace

std::string_view ArcTypeName(int type) {
  return type >= 0 && type <= kArcTypeCount ? kTypeNames[static_cast<std::size_t>(type)] : "";
}

std::string_view ArcEndStyleName(int style) {
  return style >= 0 && style < 4 ? kEndNames[static_cast<std::size_t>(style)] : "";
}

uint16_t EncodeOffset(int v) {
  constexpr long kLargestOdd = 65535, kLargestEven = 65534;
  long magnitude = std::labs(static_cast<long>(v));
  if (v >= 0) {
    if (magnitude % 2 == 0) ++magnitude;
    if (magnitude > kLargestOdd) magnitude = kLargestOdd;
  } else {
    if (magnitude % 2 == 1) ++magnitude;
    if (magnitude > kLargestEven) magnitude = kLargestEven;
  }
  return static_cast<uint16_t>(magnitude);
}

int DecodeOffset(uint16_t stored) { return stored % 2 == 1 ? stored : -static_cast<int>(stored); }

}  // namespace ravelo
