// The Box chart with one link arc of every type between two rows of nodes, drawn by the real
// renderer into an image that is also written out (all_arc_types.png in the test's build folder)
// for looking at.
#include <cairo.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "arcs/arc_painter.h"
#include "arcs/arc_path.h"
#include "arcs/arc_types.h"
#include "arcs/shape_defaults.h"
#include "charts/scene.h"
#include "model/cp932.h"
#include "model/object_defaults.h"
#include "platform/cairo/cairo_surface.h"
#include "tests/support/memory_settings.h"
#include "tests/support/recording_messages.h"

namespace ravelo {
namespace {

constexpr Colour kArcColour = Rgb(200, 0, 0);
constexpr int kColumns = 11;
constexpr int kColumnWidth = 150;

class AllArcTypesPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    RandomSource seed(7);
    ResetToNewDocument(d, seed, 7);
    d.header.ViewWidth[BoxChart] = 80 + kColumns * kColumnWidth;
    d.header.ViewHeight[BoxChart] = 720;
    d.header.ViewBackColor[BoxChart] = Rgb(255, 255, 255);
    d.header.GridMode = -1;
    d.header.Headline[BoxChart].Show = 0;
    services.resetShapeParams = [](Diagram& diagram, int index, int chart) {
      ResetShapeParams(diagram, index, true, chart);
    };
    for (int type = 1; type <= kArcTypeCount; ++type) {
      const int column = (type - 1) % kColumns;
      const int top = type <= kColumns ? 80 : 440;
      const int x = 90 + column * kColumnWidth;
      const int from = Node("上" + std::to_string(type), {x, top});
      const int to = Node("下" + std::to_string(type), {x + 60, top + 200});
      arcs[type] = Arc(from, to, type);
    }
    // Lay out once so that the boxes' title rectangles exist, then give the curves their shapes
    // from the laid-out ends, as setting the type in the editor does.
    Render();
    for (int type = 1; type <= kArcTypeCount; ++type) ResetShapeParams(d, arcs[type], false, BoxChart);
    for (int i = 0; i < d.count(); ++i) d.state(i).Selected = 0;
    for (int type : {kArcLightning, kArcBreak, kArcTwoCurves, kArcRail}) d.state(arcs[type]).Selected = 1;
    d.header.CurrentObject = arcs[kArcLightning];
    Render();
  }

  int Node(const std::string& title, Point at) {
    const std::string text = Utf8ToCp932(title).text;
    NewObject request;
    request.title = text;
    request.positions[BoxChart] = at;
    request.builtInPicture = -1;
    EXPECT_TRUE(CreateObject(d, request, services));
    return d.count() - 1;
  }

  int Arc(int from, int to, int type) {
    const std::string text = std::to_string(type);
    NewObject request;
    request.kind = LinkArc;
    request.fromIndex = from;
    request.toIndex = to;
    request.title = text;
    EXPECT_TRUE(CreateObject(d, request, services));
    const int arc = d.count() - 1;
    ArcStyle& style = d.object(arc).Arc[BoxChart];
    style.ArcType = type;
    style.refArcLine = kArcColour;
    style.Haba = 4;
    style.End[0].EndStyle = kEndCircle;
    style.End[1].EndStyle = type % 3 == 0 ? kEndSquare : kEndArrow;
    d.object(arc).Pos[BoxChart] = {0, -14};  // the number a little above the arc's middle
    return arc;
  }

  void Render() {
    surface = CairoSurface::CreateImage(d.header.ViewWidth[BoxChart], d.header.ViewHeight[BoxChart]);
    ASSERT_NE(surface, nullptr);
    ViewState view;
    RandomSource random;
    LinkArcPainter painter;
    RenderContext context(d, *surface, view, random, {}, &painter);
    PaintCanvas(context, ViewRect(d.header));
  }

  // How many pixels of the arc colour lie in the rectangle.
  int ArcPixels(const Rect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) n += surface->PixelAt({x, y}) == kArcColour;
    }
    return n;
  }

  std::unique_ptr<Diagram> diagram = std::make_unique<Diagram>();
  Diagram& d = *diagram;
  testing::MemorySettings settings;
  testing::RecordingMessages messages;
  RandomSource random{3};
  ObjectServices services{settings, messages, random, {}, {}, {}};
  std::unique_ptr<CairoSurface> surface;
  int arcs[kArcTypeCount + 1] = {};
};

TEST_F(AllArcTypesPicture, EveryTypeIsDrawnBetweenItsNodes) {
  const std::string path = std::string(RAVELO_BINARY_DIR) + "/tests/arcs/all_arc_types.png";
  ASSERT_EQ(cairo_surface_write_to_png(surface->Target(), path.c_str()), CAIRO_STATUS_SUCCESS);

  for (int type = 1; type <= kArcTypeCount; ++type) {
    const ObjectState& s = d.state(arcs[type]);
    ASSERT_GE(ArcPointCount(s), 2) << "type " << type;
    // Every arc stays near its own column and leaves a good stretch of its colour there.
    const Rect body = s.BodyRect;
    EXPECT_GT(ArcPixels(body), 60) << "type " << type;
    EXPECT_LT(body.right - body.left, 2 * kColumnWidth) << "type " << type;
    EXPECT_EQ(s.ChartPos.Y, (s.ArcPoints[0].Y + s.ArcPoints[ArcPointCount(s) - 1].Y) / 2 - 14)
        << "type " << type << ": the title anchor is the middle plus the title offset";
  }
}

}  // namespace
}  // namespace ravelo
