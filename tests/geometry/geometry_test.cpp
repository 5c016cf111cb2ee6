#include "geometry/geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ravelo {
namespace {

TEST(RectRules, RightAndBottomEdgesAreOutside) {
  const Rect r{10, 20, 30, 40};
  EXPECT_TRUE(RectContains(r, {10, 20}));
  EXPECT_TRUE(RectContains(r, {29, 39}));
  EXPECT_FALSE(RectContains(r, {30, 39}));
  EXPECT_FALSE(RectContains(r, {29, 40}));
  EXPECT_FALSE(RectContains({10, 20, 10, 40}, {10, 20})) << "an empty rectangle holds nothing";
}

TEST(RectRules, TouchingRectanglesDoNotIntersect) {
  const Rect a{0, 0, 10, 10};
  EXPECT_FALSE(RectsIntersect(a, {10, 0, 20, 10}));
  EXPECT_FALSE(RectsIntersect(a, {0, 10, 10, 20}));
  EXPECT_TRUE(RectsIntersect(a, {9, 9, 20, 20}));
  EXPECT_TRUE(RectsIntersect(a, {2, 2, 3, 3}));
  EXPECT_FALSE(RectsIntersect(a, {5, 5, 5, 8})) << "an empty rectangle meets nothing";
}

TEST(RectRules, UnionIgnoresEmptyRectangles) {
  const Rect a{5, 5, 10, 10};
  EXPECT_EQ(UnionRect(a, {20, 1, 30, 7}), (Rect{5, 1, 30, 10}));
  EXPECT_EQ(UnionRect(a, {100, 100, 100, 200}), a);
  EXPECT_EQ(UnionRect({-50, -50, -60, -40}, a), a);
  EXPECT_EQ(UnionRect({3, 3, 3, 3}, {9, 9, 1, 1}), (Rect{0, 0, 0, 0}));
  EXPECT_EQ(InflateRect(a, 2, 3), (Rect{3, 2, 12, 13}));
  EXPECT_EQ(OffsetRect(a, -5, 1), (Rect{0, 6, 5, 11}));
}

TEST(Midpoint, IsTheFloorOfTheMean) {
  EXPECT_EQ(Midpoint({0, 0}, {5, 5}), (Point{2, 2}));
  EXPECT_EQ(Midpoint({-5, -5}, {0, 0}), (Point{-3, -3}));
  EXPECT_EQ(Midpoint({7, -1}, {2, 4}), (Point{4, 1}));
}

TEST(Distance, TruncatesTheEuclideanDistance) {
  EXPECT_EQ(Distance({0, 0}, {3, 4}), 5);
  EXPECT_EQ(Distance({0, 0}, {1, 1}), 1);
  EXPECT_EQ(Distance({0, 0}, {-2147483647, 0}), 2147483647) << "no overflow on the squares";
}

TEST(PointToward, GoesAlongTheLineBothWays) {
  EXPECT_EQ(PointToward({0, 0}, {10, 0}, 4), (Point{4, 0}));
  EXPECT_EQ(PointToward({0, 0}, {10, 0}, 15), (Point{15, 0}));
  EXPECT_EQ(PointToward({0, 0}, {10, 0}, -3), (Point{-3, 0}));
  EXPECT_EQ(PointToward({0, 0}, {3, 4}, 10), (Point{6, 8}));
  for (int d : {-7, 0, 5, 1000}) EXPECT_EQ(PointToward({4, 9}, {4, 9}, d), (Point{4, 9}));
}

TEST(PointAtPercent, WorksInSinglePrecision) {
  EXPECT_EQ(PointAtPercent({0, 0}, {100, -50}, 25), (Point{25, -12}));
  EXPECT_EQ(PointAtPercent({10, 10}, {20, 20}, 33), (Point{13, 13}));
  // 0.7f is slightly above 0.7 once multiplied in single precision: 10 * 0.7f gives 7, not 6.
  EXPECT_EQ(PointAtPercent({0, 0}, {10, 0}, 70), (Point{7, 0}));
}

TEST(RotatePoint, TruncatesTheRadiusFirst) {
  EXPECT_EQ(RotatePoint(false, {0, 0}, {10, 0}, kHalfPi), (Point{0, 10}));
  EXPECT_EQ(RotatePoint(false, {0, 0}, {1, 1}, 0), (Point{0, 0})) << "radius 1.41 becomes 1";
  EXPECT_EQ(RotatePoint(false, {5, 5}, {15, 5}, kPi), (Point{-5, 5}));
}

TEST(RotatePoint, ReflectsPointsLeftOfTheCentreWhenAsked) {
  EXPECT_EQ(RotatePoint(true, {0, 0}, {-10, 0}, 0), (Point{10, 0}));
  EXPECT_EQ(RotatePoint(false, {0, 0}, {-10, 0}, 0), (Point{-10, 0}));
  EXPECT_EQ(RotatePoint(true, {0, 0}, {10, 0}, 0), (Point{10, 0})) << "points right of the centre stay";
}

TEST(Perpendiculars, StandOffTheLineByAQuarterTurn) {
  // y grows downward, so +pi/2 from the direction left to right points down.
  EXPECT_EQ(PerpendicularAtMidpoint({0, 0}, {20, 0}, 5), (Point{10, 5}));
  EXPECT_EQ(PerpendicularAtMidpoint({0, 0}, {20, 0}, 0), (Point{10, 0}));
  EXPECT_EQ(PerpendicularAt({0, 0}, {10, 0}, 5, true), (Point{10, 5}));
  EXPECT_EQ(PerpendicularAt({0, 0}, {10, 0}, 5, false), (Point{10, -5}));
  EXPECT_EQ(PerpendicularAt({0, 0}, {10, 0}, -10, true), (Point{10, -10})) << "t = 0 turns a about b";
}

TEST(RotateRectangle, AtAngleZeroKeepsTheCornersAndAllowsForRounding) {
  std::array<Point, 4> corners{{{0, 0}, {10, 0}, {10, 4}, {0, 4}}};
  const RotatedBounds bounds = RotateRectangle(corners, 0);
  EXPECT_EQ(corners, (std::array<Point, 4>{{{0, 0}, {10, 0}, {10, 4}, {0, 4}}}));
  EXPECT_EQ(bounds.shift, (Point{0, 0}));
  EXPECT_EQ(bounds.width, 11);
  EXPECT_EQ(bounds.height, 5);
}

TEST(RotateRectangle, TracksTheBoundsBeforeTruncation) {
  std::array<Point, 4> corners{{{0, 0}, {10, 0}, {10, 4}, {0, 4}}};
  const RotatedBounds bounds = RotateRectangle(corners, kHalfPi);
  // y' = y cos - x sin: the far corner lands a hair above -10 and truncates to -9.
  EXPECT_EQ(corners, (std::array<Point, 4>{{{0, 0}, {0, -10}, {4, -9}, {4, 0}}}));
  EXPECT_EQ(bounds.shift, (Point{0, 10}));
  EXPECT_EQ(bounds.width, 5);
  EXPECT_EQ(bounds.height, 11);
}

TEST(NearerPoint, TheSecondWinsTies) {
  EXPECT_EQ(NearerPoint({0, 0}, {3, 0}, {0, 5}), (Point{3, 0}));
  EXPECT_EQ(NearerPoint({0, 0}, {3, 0}, {0, 3}), (Point{0, 3}));
  EXPECT_EQ(NearerPoint({0, 0}, {3, 0}, {0, -3}), (Point{0, -3}));
}

TEST(FootOfPerpendicular, MayLieOutsideTheSegment) {
  EXPECT_EQ(FootOfPerpendicular({5, 5}, {0, 0}, {10, 0}), (Point{5, 0}));
  EXPECT_EQ(FootOfPerpendicular({-5, 3}, {0, 0}, {10, 0}), (Point{-5, 0}));
  EXPECT_EQ(FootOfPerpendicular({30, -9}, {0, 0}, {10, 0}), (Point{30, 0}));
  EXPECT_EQ(FootOfPerpendicular({0, 7}, {0, 0}, {10, 0}), (Point{0, 0}));
  EXPECT_EQ(FootOfPerpendicular({8, 8}, {2, 3}, {2, 3}), (Point{2, 3})) << "no line: the point itself";
}

TEST(NearSegment, AcceptsThreePixelsBeyondTheTolerance) {
  const Point a{0, 0}, b{10, 0};
  EXPECT_TRUE(NearSegment(0, {5, 3}, a, b));
  EXPECT_TRUE(NearSegment(0, {5, -3}, a, b));
  EXPECT_FALSE(NearSegment(0, {5, 4}, a, b));
  EXPECT_TRUE(NearSegment(2, {5, 5}, a, b));
  EXPECT_FALSE(NearSegment(2, {5, 6}, a, b));
  EXPECT_TRUE(NearSegment(0, {13, 0}, a, b));
  EXPECT_FALSE(NearSegment(0, {14, 0}, a, b)) << "outside the grown bounding box";
}

TEST(NearSegment, AcceptsPointsExactlyOnASlantedSegment) {
  // Rounding takes the squared distance of these points a hair below zero.
  EXPECT_TRUE(NearSegment(0, {1, 2}, {0, 0}, {3, 6}));
  EXPECT_TRUE(NearSegment(0, {3, 1}, {0, 0}, {9, 3}));
  EXPECT_TRUE(NearSegment(0, {2, 2}, {0, 0}, {7, 7}));
}

TEST(NearSegment, ADegenerateSegmentAcceptsOnlyItsOwnPoint) {
  EXPECT_TRUE(NearSegment(0, {4, 4}, {4, 4}, {4, 4}));
  EXPECT_FALSE(NearSegment(10, {5, 4}, {4, 4}, {4, 4}));
}

TEST(IntersectSegments, CrossingsInsideBothSegmentsOrUnbounded) {
  EXPECT_EQ(IntersectSegments(false, {0, 0}, {10, 10}, {0, 10}, {10, 0}), (Point{5, 5}));
  EXPECT_EQ(IntersectSegments(false, {0, 0}, {10, 0}, {10, -5}, {10, 5}), (Point{10, 0})) << "an end counts";
  EXPECT_EQ(IntersectSegments(false, {0, 0}, {1, 1}, {0, 10}, {10, 0}), std::nullopt);
  EXPECT_EQ(IntersectSegments(true, {0, 0}, {1, 1}, {0, 10}, {10, 0}), (Point{5, 5}));
  EXPECT_EQ(IntersectSegments(false, {0, 0}, {7, 0}, {3, -2}, {4, 1}), (Point{3, 0})) << "truncated";
}

TEST(IntersectSegments, ParallelAndCollinearSegmentsFail) {
  EXPECT_EQ(IntersectSegments(true, {0, 0}, {10, 0}, {0, 5}, {10, 5}), std::nullopt);
  EXPECT_EQ(IntersectSegments(false, {0, 0}, {10, 0}, {5, 0}, {15, 0}), std::nullopt);
  EXPECT_EQ(IntersectSegments(true, {0, 0}, {10, 10}, {2, 2}, {3, 3}), std::nullopt);
}

TEST(RectanglePoints, ClosedOutlineOrEightHandles) {
  const Rect r{0, 0, 11, 5};
  const RectanglePointList outline = RectanglePoints(r, kClosedOutline);
  ASSERT_EQ(outline.count, 5);
  EXPECT_EQ(outline.points[0], (Point{0, 0}));
  EXPECT_EQ(outline.points[1], (Point{11, 0}));
  EXPECT_EQ(outline.points[2], (Point{11, 5}));
  EXPECT_EQ(outline.points[3], (Point{0, 5}));
  EXPECT_EQ(outline.points[4], (Point{0, 0}));

  const RectanglePointList handles = RectanglePoints(r, 0);
  ASSERT_EQ(handles.count, 8);
  EXPECT_EQ(handles.points[4], (Point{5, 0}));
  EXPECT_EQ(handles.points[5], (Point{11, 2}));
  EXPECT_EQ(handles.points[6], (Point{5, 5}));
  EXPECT_EQ(handles.points[7], (Point{0, 2}));
}

TEST(DistanceRatio, IsNotClamped) {
  EXPECT_EQ(DistanceRatio({0, 0}, {10, 0}, {5, 0}), 50);
  EXPECT_EQ(DistanceRatio({0, 0}, {10, 0}, {0, 15}), 150);
  EXPECT_EQ(DistanceRatio({0, 0}, {3, 0}, {1, 0}), 33);
  EXPECT_EQ(DistanceRatio({2, 2}, {2, 2}, {9, 9}), 1);
}

TEST(PercentAlong, RunsEitherWayAndGivesOneForEqualBounds) {
  EXPECT_EQ(PercentAlong(5, 0, 10), 50);
  EXPECT_EQ(PercentAlong(-3, 0, 10), 0);
  EXPECT_EQ(PercentAlong(12, 0, 10), 100);
  EXPECT_EQ(PercentAlong(1, 0, 3), 33);
  EXPECT_EQ(PercentAlong(7, 10, 0), 30);
  EXPECT_EQ(PercentAlong(-1, 10, 0), 100);
  EXPECT_EQ(PercentAlong(10, 10, 0), 0);
  EXPECT_EQ(PercentAlong(4, 4, 4), 1);
  EXPECT_EQ(PercentAlong(0, 4, 4), 1);
}

TEST(RadiansToDegrees, UsesTheLibrarysPi) {
  EXPECT_DOUBLE_EQ(RadiansToDegrees(4 * std::atan(1.0)), 180);
  EXPECT_NEAR(RadiansToDegrees(kHalfPi), 90, 1e-8);
}

TEST(EllipseFoci, LieOnTheLongerAxis) {
  EXPECT_EQ(EllipseFoci({50, 50}, 10, 6), (std::array<Point, 2>{{{46, 50}, {54, 50}}}));
  EXPECT_EQ(EllipseFoci({50, 50}, 6, 10), (std::array<Point, 2>{{{50, 46}, {50, 54}}}));
  EXPECT_EQ(EllipseFoci({50, 50}, 7, 7), (std::array<Point, 2>{{{50, 50}, {50, 50}}}));
  // Half sizes in floating point: sqrt(3.5^2 - 2.5^2) = 2.45 gives 2.
  EXPECT_EQ(EllipseFoci({0, 0}, 7, 5), (std::array<Point, 2>{{{-2, 0}, {2, 0}}}));
}

}  // namespace
}  // namespace ravelo
