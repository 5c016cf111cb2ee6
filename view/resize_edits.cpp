#include "view/resize_edits.h"

#include <algorithm>
#include <cstdlib>

#include "drawing/render_context.h"
#include "geometry/geometry.h"
#include "model/hierarchy.h"

namespace ravelo {
namespace {

constexpr int kSmallestSide = 10;
constexpr int kSmallestChange = 3;
constexpr int kLargestMargin = 200;
constexpr int kSmallestView = 500;
constexpr int kLargestView = 5000;

bool MovesLeft(int h) { return h == 0 || h == 3 || h == 7; }
bool MovesRight(int h) { return h == 1 || h == 2 || h == 5; }
bool MovesTop(int h) { return h == 0 || h == 1 || h == 4; }
bool MovesBottom(int h) { return h == 2 || h == 3 || h == 6; }

double Unzoomed(double pixels, float zoom) { return pixels / static_cast<double>(zoom); }

}  // namespace

Rect DraggedRect(const DocumentHeader& header, const Rect& r, int handle, Point p) {
  const int chart = DrawnChart(header);
  const int width = ZoomedLength(header.ViewWidth[chart], header.Zoom[chart]);
  const int height = ZoomedLength(header.ViewHeight[chart], header.Zoom[chart]);
  p = {std::clamp(p.X, 0, std::max(0, width)), std::clamp(p.Y, 0, std::max(0, height))};
  Rect n = r;
  if (MovesLeft(handle)) n.left = std::min(p.X, r.right - kSmallestSide);
  if (MovesRight(handle)) n.right = std::max(p.X, r.left + kSmallestSide);
  if (MovesTop(handle)) n.top = std::min(p.Y, r.bottom - kSmallestSide);
  if (MovesBottom(handle)) n.bottom = std::max(p.Y, r.top + kSmallestSide);
  return n;
}

void ScaleBoxContents(Diagram& diagram, int box, const Rect& oldOuter, const Rect& newOuter) {
  if (IsEmptyRect(oldOuter) || IsEmptyRect(newOuter)) return;
  const int chart = DrawnChart(diagram.header);
  const float zoom = diagram.header.Zoom[chart];
  const double sx = static_cast<double>(newOuter.right - newOuter.left) / (oldOuter.right - oldOuter.left);
  const double sy = static_cast<double>(newOuter.bottom - newOuter.top) / (oldOuter.bottom - oldOuter.top);
  const double oldX = Unzoomed((oldOuter.left + oldOuter.right) / 2, zoom);
  const double oldY = Unzoomed((oldOuter.top + oldOuter.bottom) / 2, zoom);
  const double newX = Unzoomed((newOuter.left + newOuter.right) / 2, zoom);
  const double newY = Unzoomed((newOuter.top + newOuter.bottom) / 2, zoom);
  for (int node : ChildLists(diagram).DescendantsOf(box)) {
    Point& pos = diagram.object(node).Pos[chart];
    pos = {TruncToInt(newX + sx * (pos.X - oldX)), TruncToInt(newY + sy * (pos.Y - oldY))};
  }
}

void ChangeBoxMargins(Diagram& diagram, const ChartRules& rules, const Rect& oldFrame, const Rect& newFrame) {
  const float zoom = diagram.header.Zoom[DrawnChart(diagram.header)];
  const int outward[4] = {oldFrame.left - newFrame.left, oldFrame.top - newFrame.top, newFrame.right - oldFrame.right,
                          newFrame.bottom - oldFrame.bottom};
  int change[4];
  for (int k = 0; k < 4; ++k) {
    change[k] = TruncToInt(Unzoomed(outward[k], zoom));
    if (std::abs(change[k]) < kSmallestChange) change[k] = 0;
  }
  for (int i = 0; i < diagram.count(); ++i) {
    DiagramObject& object = diagram.object(i);
    if (diagram.state(i).Selected == 0 || !rules.IsBox(object)) continue;
    for (int k = 0; k < 4; ++k) object.WakuMa[k] = std::clamp(object.WakuMa[k] + change[k], 0, kLargestMargin);
  }
}

int DraggedPictureWidth(const Rect& picture, int x, float zoom) {
  return std::clamp(2 * x - picture.left - picture.right, ZoomedLength(20, zoom), ZoomedLength(200, zoom));
}

void ResizeSelectedPictures(Diagram& diagram, int widthPixels) {
  const int chart = DrawnChart(diagram.header);
  const float zoom = diagram.header.Zoom[chart];
  for (int i = 0; i < diagram.count(); ++i) {
    const Picture* picture = diagram.table.pictures[static_cast<std::size_t>(i)].get();
    if (diagram.state(i).Selected == 0 || picture == nullptr || picture->width == 0) continue;
    DiagramObject& object = diagram.object(i);
    object.ImageW[chart] = TruncToInt(Unzoomed(widthPixels, zoom));
    const float q = static_cast<float>(object.ImageW[chart]) / static_cast<float>(picture->width);
    object.ImageH[chart] = TruncToInt(q * static_cast<float>(picture->height));
  }
}

int DraggedViewEdge(int pixel, float zoom) {
  return std::clamp(pixel, ZoomedLength(kSmallestView, zoom), ZoomedLength(kLargestView, zoom));
}

bool ResizeViewArea(Diagram& diagram, const ChartRules& rules, bool width, int pixels, int autoMent) {
  DocumentHeader& header = diagram.header;
  const int chart = DrawnChart(header);
  const float zoom = header.Zoom[chart];
  pixels = DraggedViewEdge(pixels, zoom);
  if (autoMent == 0) {
    // Only the margin changes: the area keeps covering every object.
    for (int i = 0; i < diagram.count(); ++i) {
      const Rect& body = diagram.state(i).BodyRect;
      if (!IsEmptyRect(body)) pixels = std::max(pixels, width ? body.right : body.bottom);
    }
  }
  int32_t& size = width ? header.ViewWidth[chart] : header.ViewHeight[chart];
  const int newSize = TruncToInt(Unzoomed(pixels, zoom));
  if (newSize == size || size <= 0) return false;
  const int oldSize = size;
  size = newSize;
  if (autoMent != 1) return true;
  HeadlineStyle& headline = header.Headline[chart];
  int32_t& along = width ? headline.X : headline.Y;
  along = std::clamp(along, 0, newSize);
  const float ratio = static_cast<float>(newSize) / static_cast<float>(oldSize);
  for (int i = 0; i < diagram.count(); ++i) {
    DiagramObject& object = diagram.object(i);
    if (IsLinkArc(object) || rules.IsBox(object)) continue;
    int32_t& coordinate = width ? object.Pos[chart].X : object.Pos[chart].Y;
    coordinate = TruncToInt(static_cast<float>(coordinate) * ratio);
  }
  return true;
}

}  // namespace ravelo
