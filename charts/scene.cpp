#include "charts/scene.h"

#include <algorithm>
#include <array>

#include "geometry/geometry.h"
#include "charts/box/box_chart.h"
#include "drawing/node_drawing.h"
#include "drawing/outlines.h"
#include "drawing/text_layout.h"
#include "model/cp932.h"

namespace ravelo {
namespace {

constexpr Colour kWhite = Rgb(255, 255, 255);

// The grid's colours from the background: the fine lines 64 darker, the every-fifth and
// every-tenth lines 128 darker where the background is light enough; grey on black or none.
struct GridColours {
  Colour fine;
  Colour coarse;
};
GridColours GridColoursFor(Colour back) {
  if (back == 0 || back == kNoColour) return {Rgb(128, 128, 128), Rgb(128, 128, 128)};
  const auto fine = [](int c) { return std::max(0, c - 64); };
  const auto coarse = [](int c) { return c >= 128 ? c - 128 : 0; };
  return {Rgb(fine(RedOf(back)), fine(GreenOf(back)), fine(BlueOf(back))),
          Rgb(coarse(RedOf(back)), coarse(GreenOf(back)), coarse(BlueOf(back)))};
}

void DrawLine(Surface& surface, Point from, Point to, Colour colour, DashStyle dash) {
  const std::array<Point, 2> points{from, to};
  surface.DrawPolyline(points, Pen{colour, 1, dash});
}

}  // namespace

Rect ViewRect(const DocumentHeader& header) {
  const int chart = DrawnChart(header);
  const float zoom = header.Zoom[chart];
  return {0, 0, ZoomedLength(header.ViewWidth[chart], zoom), ZoomedLength(header.ViewHeight[chart], zoom)};
}

void DrawGrid(RenderContext& context) {
  const DocumentHeader& header = context.diagram.header;
  const int mode = header.GridMode;
  if (mode < 1 || mode > 5) return;
  const Rect view = ViewRect(context.diagram.header);
  const GridColours colours = GridColoursFor(header.ViewBackColor[context.chart]);
  Surface& surface = context.surface;
  const int right = view.right - 1, bottom = view.bottom - 1;
  if (mode == 5) {
    DrawLine(surface, {view.right / 2, 0}, {view.right / 2, bottom}, colours.fine, DashStyle::Solid);
    DrawLine(surface, {0, view.bottom / 2}, {right, view.bottom / 2}, colours.fine, DashStyle::Solid);
    return;
  }
  // Dotted lines first, then every fifth dashed, then every tenth solid over them.
  const int spacing = mode * 30 - 20;
  struct Kind {
    bool (*includes)(int i);
    Colour colour;
    DashStyle dash;
  };
  const std::array<Kind, 3> kinds{{
      {[](int i) { return i % 5 != 0; }, colours.fine, DashStyle::Dot},
      {[](int i) { return i % 5 == 0 && i % 10 != 0; }, colours.coarse, DashStyle::Dash},
      {[](int i) { return i % 10 == 0; }, colours.coarse, DashStyle::Solid},
  }};
  for (const Kind& kind : kinds) {
    for (int i = 1; i * spacing < view.right; ++i) {
      if (kind.includes(i))
        DrawLine(surface, {i * spacing, 0}, {i * spacing, bottom}, kind.colour, kind.dash);
    }
    for (int i = 1; i * spacing < view.bottom; ++i) {
      if (kind.includes(i)) DrawLine(surface, {0, i * spacing}, {right, i * spacing}, kind.colour, kind.dash);
    }
  }
}

void DrawHeadline(RenderContext& context) {
  const HeadlineStyle& headline = context.diagram.header.Headline[context.chart];
  ViewState& view = context.view;
  const bool vertical = headline.FontTate != 0;
  const std::string_view text = FieldText(headline.Text);
  LayoutHeadline(context);
  if (view.editTarget == ViewState::kEditHeadline) {
    DrawEditFrame(context);
    return;
  }
  const Rect& rect = view.headlineRect;
  const int corner = context.CornerOf(headline.Marumi);
  if (view.headlineSelected) {
    DrawSelectionMark(context, rect, corner, headline.refMen != kNoColour || headline.Futosa >= 1, true);
  }
  if (headline.refMen != kNoColour) DrawRectFigure(context, rect, corner, headline.refMen, kNoColour, 0, 1);
  if (headline.Futosa >= 1) {
    context.random.Seed(static_cast<uint32_t>(corner + 1));  // the random-colour styles repeat on redraw
    DrawRectFigure(context, rect, corner, kNoColour, headline.refLine, headline.LineStyle, headline.Futosa);
  }
  context.surface.SetTextColour(headline.refText);
  DrawTextBlock(context, view.headlineTextRect, text, vertical, headline.AlineChar);
}

void RenderScene(RenderContext& context, const OtherCharts& others) {
  if (!(context.zoom >= 0.1f)) return;
  const DocumentHeader& header = context.diagram.header;
  Surface& surface = context.surface;
  surface.SetTransparentBackground(true);

  const Rect view = ViewRect(context.diagram.header);
  const Colour back = header.ViewBackColor[context.chart];
  const Colour frame = header.ViewFrameColor[context.chart];
  if (frame == kNoColour) {
    surface.FillRect(view, back);
  } else {
    surface.DrawRectangle(view, Pen{frame, 1, DashStyle::Solid}, Brush::Solid(back));
  }

  const HeadlineStyle& headline = header.Headline[context.chart];
  if (!context.settings.gridInFront) DrawGrid(context);
  if (headline.Show == 1 && headline.Topmost == 0) DrawHeadline(context);
  if (header.ObjectCount >= 1) {
    const ChartDrawing* drawing = nullptr;
    switch (context.chart) {
      case StarChart:
        drawing = &others.star;
        break;
      case ActionChart:
        drawing = &others.action;
        break;
      case FlowChart:
        drawing = &others.flow;
        break;
      default:
        DrawBoxChart(context);
    }
    if (drawing != nullptr && *drawing) (*drawing)(context);
  }
  if (headline.Show == 1 && headline.Topmost == 1) DrawHeadline(context);
  if (context.settings.gridInFront) DrawGrid(context);
}

void PaintCanvas(RenderContext& context, const Rect& visible, const OtherCharts& others) {
  // The part of the canvas beyond the view rectangle is white, right of it and below it, and so is
  // a view without background colour.
  const bool sceneShown = context.zoom >= 0.1f;
  const Rect view = sceneShown ? ViewRect(context.diagram.header) : Rect{};
  Surface& surface = context.surface;
  if (!sceneShown || context.diagram.header.ViewBackColor[context.chart] == kNoColour) {
    surface.FillRect(visible, kWhite);
  } else {
    surface.FillRect({std::max(visible.left, view.right), visible.top, visible.right, visible.bottom},
                     kWhite);
    surface.FillRect({visible.left, std::max(visible.top, view.bottom), std::min(visible.right, view.right),
                      visible.bottom},
                     kWhite);
  }
  RenderScene(context, others);
}

}  // namespace ravelo
