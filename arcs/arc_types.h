// The 22 link arc types and the four kinds of arc end, with their names as the properties pane
// shows them, and the parity rule by which signed offsets are kept in the unsigned shape values.
#pragma once

#include <cstdint>
#include <string_view>

namespace ravelo {

constexpr int kArcTypeCount = 22;

enum ArcTypeCode : int {
  kArcStraight = 1,
  kArcVerticalBracket = 2,
  kArcVerticalElbow = 3,
  kArcVerticalTwoBends = 4,
  kArcVerticalThreeBends = 5,
  kArcHorizontalBracket = 6,
  kArcHorizontalElbow = 7,
  kArcHorizontalTwoBends = 8,
  kArcHorizontalThreeBends = 9,
  kArcLightning = 10,
  kArcBreak = 11,
  kArcHop = 12,
  kArcOneCurve = 13,
  kArcTwoCurves = 14,
  kArcThreeCurves = 15,
  kArcZigzag = 16,
  kArcWave = 17,
  kArcZigzagGroups = 18,
  kArcWaveGroups = 19,
  kArcRail = 20,
  kArcBand = 21,
  kArcBeads = 22,
};

enum ArcEndStyle : int { kEndNone = 0, kEndArrow = 1, kEndCircle = 2, kEndSquare = 3 };

constexpr bool IsKnownArcType(int type) { return type >= 1 && type <= kArcTypeCount; }
// The curves whose shape follows control points placed relative to the middle of the two ends.
constexpr bool IsCurveType(int type) { return type >= kArcOneCurve && type <= kArcThreeCurves; }
// The wide arcs: three cubic segments whose controls are placed relative to the from end.
constexpr bool IsRailType(int type) { return type >= kArcRail && type <= kArcBeads; }
// The zigzags and waves, drawn between the two ends with their own peaks.
constexpr bool IsZigzagType(int type) { return type >= kArcZigzag && type <= kArcWaveGroups; }

// The type's name (UTF-8); entry 0, "自動作成", stands for no type; empty outside 0..22.
std::string_view ArcTypeName(int type);
// The end style's name (UTF-8); empty outside 0..3.
std::string_view ArcEndStyleName(int style);

// A signed offset kept in an unsigned shape value: the magnitude made odd for v >= 0 (0 is kept as
// 1) and even for v < 0. Magnitudes beyond what the value holds are kept as the largest of the
// right parity.
uint16_t EncodeOffset(int v);
// An odd stored value s means +s, an even one -s (so 0 reads as 0).
int DecodeOffset(uint16_t stored);

}  // namespace ravelo
