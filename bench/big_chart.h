// The chart the benchmarks of a full chart work on: 2000 objects in the Box chart, 1000 of them link
// arcs of all 22 types. 20 boxes hold 4 boxes each, which hold 11 nodes each, and one node more;
// every fifth node has a memo, every other arc a title.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "arcs/arc_painter.h"
#include "arcs/shape_defaults.h"
#include "cli/console_messages.h"
#include "cli/fallback_settings.h"
#include "model/cp932.h"
#include "model/levels.h"
#include "model/object_defaults.h"

namespace ravelo {

constexpr int kArcs = 1000;

struct Chart {
  std::unique_ptr<Diagram> diagram = std::make_unique<Diagram>();
  LinkArcPainter arcs;
};

inline std::unique_ptr<Chart> BigChartWithArcs() {
  cli::ConsoleMessages messages;
  cli::FallbackSettings settings;
  RandomSource random(2000);
  auto chart = std::make_unique<Chart>();
  Diagram& d = *chart->diagram;
  ResetToNewDocument(d, random, 2000);
  d.header.ViewWidth[BoxChart] = 3840;
  d.header.ViewHeight[BoxChart] = 2160;
  ObjectServices services{settings, messages, random, {}, {}, {}};
  services.resetShapeParams = [](Diagram& diagram, int index, int c) {
    ResetShapeParams(diagram, index, true, c);
  };
  const auto create = [&](NewObject request, const std::string& titleUtf8) {
    const std::string title = Utf8ToCp932(titleUtf8).text;
    request.title = title;
    request.builtInPicture = -1;
    CreateObject(d, request, services);
    d.state(d.count() - 1).Selected = 0;
    return d.count() - 1;
  };
  const auto node = [&](const std::string& title, Point at, bool endNode) {
    NewObject request;
    request.positions[BoxChart] = at;
    request.isEndNode = endNode;
    return create(request, title);
  };

  std::vector<int> ends;
  int nodes = 0;
  for (int outer = 0; outer < 20; ++outer) {
    const int ox = (outer % 5) * 700 + 40, oy = (outer / 5) * 520 + 40;
    const int box = node("部署 " + std::to_string(outer + 1), {-1, -1}, false);
    for (int inner = 0; inner < 4; ++inner) {
      const int ix = ox + 40 + (inner % 2) * 320, iy = oy + 60 + (inner / 2) * 230;
      const int group = node("課 " + std::to_string(inner + 1), {-1, -1}, false);
      AddParent(d, messages, group, box);
      for (int k = 0; k < 11; ++k) {
        const int n = node("担当者" + std::to_string(++nodes), {ix + (k % 3) * 100, iy + (k / 3) * 50}, true);
        AddParent(d, messages, n, group);
        ends.push_back(n);
        if (nodes % 5 == 0) {
          SetFieldText(d.object(n).MemoText, Utf8ToCp932("記事\n二行目").text, kMemoBytes);
          for (int32_t& shown : d.object(n).ShowMemo) shown = 1;
          d.object(n).Memo.MemoPos[BoxChart] = {0, 22};
        }
      }
    }
    ends.push_back(node("顧問" + std::to_string(outer + 1), {ox + 660, oy + 80}, true));
  }

  // Arcs between neighbours, most within a group, some across groups, every type in turn.
  for (int i = 0; d.count() < kMaxObjects; ++i) {
    const std::size_t from = static_cast<std::size_t>(i) % ends.size();
    const std::size_t to = (from + (i % 4 == 0 ? 11 : 1 + i % 3)) % ends.size();
    NewObject request;
    request.kind = LinkArc;
    request.fromIndex = ends[from];
    request.toIndex = ends[to];
    const int arc = create(request, i % 2 == 0 ? "関係" : "");
    ArcStyle& style = d.object(arc).Arc[BoxChart];
    style.ArcType = 1 + i % 22;
    ResetShapeParams(d, arc, true, BoxChart);
  }
  d.header.CurrentObject = -1;
  ComputeLevels(d);
  return chart;
}

}  // namespace ravelo
