#include "charts/box/scatter_placement.h"

namespace ravelo {

namespace {

bool Intersects(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A draw from 0 .. span - 1 of the 15-bit generator, stretched over spans wider than its range.
int Draw(RandomSource& random, int span) {
  if (span <= 1) return 0;
  const long long value = (static_cast<long long>(random.Next()) << 15) | random.Next();
  return static_cast<int>(value % span);
}

}  // namespace

void ScatterAround(RenderContext& context, int node, Point target, int factor, uint32_t seed) {
  constexpr int kPasses = 19, kCandidates = 100;
  Diagram& diagram = context.diagram;
  const Rect body = diagram.state(node).BodyRect;
  const int width = body.right - body.left;
  const int height = body.bottom - body.top;
  context.random.Seed(seed);
  for (int pass = 1; pass <= kPasses; ++pass) {
    const int spanX = factor * width * pass;
    const int spanY = factor * height * pass;
    for (int candidate = 0; candidate < kCandidates; ++candidate) {
      const int x = target.X - spanX / 2 + Draw(context.random, spanX);
      const int y = target.Y - spanY / 2 + Draw(context.random, spanY);
      const Rect placed{x - width / 2, y - height / 2, x - width / 2 + width, y - height / 2 + height};
      bool free = true;
      for (int i = 0; i < node && free; ++i) {
        const DiagramObject& other = diagram.object(i);
        free = !(IsNode(other) && other.IsEndNode != 0 && Intersects(placed, diagram.state(i).BodyRect));
      }
      if (free) {
        diagram.object(node).Pos[context.chart] = {context.Unzoomed(x), context.Unzoomed(y)};
        return;
      }
    }
  }
}

}  // namespace ravelo
