// Writes the chart of the PNG benchmark twice: as a document (1400 nodes on a 4100 × 3300 Box chart,
// 600 link arcs between them) and as a Graphviz graph with the same nodes, positions, labels and
// edges on the same canvas (dpi 72, so one point is one pixel), for `neato -n2 -Tpng`.
// usage: make_big_chart OUT.rvl OUT.dot
#include <fstream>
#include <iostream>
#include <string>

#include "cli/console_messages.h"
#include "cli/fallback_settings.h"
#include "model/cp932.h"
#include "model/document_file.h"
#include "model/object_defaults.h"
#include "platform/cab/gcab_cabinet.h"
#include "platform/files.h"

int main(int argc, char** argv) {
  using namespace ravelo;
  if (argc != 3) {
    std::cerr << "usage: make_big_chart OUT.rvl OUT.dot\n";
    return 2;
  }
  constexpr int kWidth = 4100, kHeight = 3300, kNodes = 1400, kArcs = 600, kColumns = 40;
  cli::ConsoleMessages messages;
  cli::FallbackSettings settings;
  RandomSource random(1400);
  auto diagram = std::make_unique<Diagram>();
  Diagram& d = *diagram;
  ResetToNewDocument(d, random, 1400);
  d.header.ViewWidth[BoxChart] = kWidth;
  d.header.ViewHeight[BoxChart] = kHeight;
  const ObjectServices services{settings, messages, random, {}, {}, {}};

  std::ofstream dot(argv[2]);
  dot << "digraph big {\n  graph [dpi=72, pad=0, bb=\"0,0," << kWidth << ',' << kHeight << "\"];\n"
      << "  node [shape=box, style=filled, fillcolor=\"#ffffe0\", fontname=\"IPAexGothic\", fontsize=9];\n"
      << "  corner0 [pos=\"0,0\", shape=point, width=0.01];\n"
      << "  corner1 [pos=\"" << kWidth << ',' << kHeight << "\", shape=point, width=0.01];\n";
  for (int n = 0; n < kNodes; ++n) {
    const int x = 20 + (n % kColumns) * 102, y = 20 + (n / kColumns) * 93;
    const std::string title = "担当者" + std::to_string(n + 1);
    NewObject request;
    const std::string cp932 = Utf8ToCp932(title).text;
    request.title = cp932;
    request.positions[BoxChart] = {x, y};
    request.builtInPicture = -1;
    request.interactive = false;
    if (!CreateObject(d, request, services)) return 1;
    d.state(d.count() - 1).Selected = 0;
    dot << "  n" << n << " [label=\"" << title << "\", pos=\"" << x + 30 << ',' << kHeight - y - 10 << "\"];\n";
  }
  for (int a = 0; a < kArcs; ++a) {
    const int from = (a * 7) % kNodes, to = (a * 7 + 41 + a % 5) % kNodes;
    NewObject request;
    request.kind = LinkArc;
    request.fromIndex = from;
    request.toIndex = to;
    request.interactive = false;
    if (!CreateObject(d, request, services)) return 1;
    d.state(d.count() - 1).Selected = 0;
    dot << "  n" << from << " -> n" << to << ";\n";
  }
  dot << "}\n";
  if (!dot) return 1;

  NoProgress progress;
  OpaquePictureCodec codec;
  GcabCabinet cabinet;
  const DocumentServices documentServices{messages, progress, codec, settings, cabinet, files::DefaultWorkRoot()};
  return SaveDocument(d, argv[1], {0, 0}, documentServices) ? 0 : 1;
}
