#include "cli/print_command.h"

#include <cstdio>
#include <ctime>
#include <iostream>
#include <optional>
#include <string_view>
#include <vector>

#include "charts/chart_modules.h"
#include "cli/chart_image.h"
#include "cli/chart_layout.h"
#include "cli/fallback_settings.h"
#include "output/page_layout.h"
#include "platform/cairo/cairo_targets.h"

namespace ravelo::cli {

namespace {

constexpr const char* kPrintUsage =
    "usage: ravelo-cli print FILE.rvl -o OUT.pdf [--chart box|star|action|flow] [--paper A4|A3|B4|B5|Letter]\n"
    "                        [--landscape] [--margins L,T,R,B] [--one-page]\n";

struct PrintArguments {
  std::string document;
  std::string output;
  int chart = BoxChart;
  int paperCode = kPaperA4;
  Orientation orientation = Orientation::Portrait;
  Margins margins;
  bool onePage = false;
};

std::optional<int> PaperCodeOfName(std::string_view name) {
  struct Named {
    std::string_view name;
    int code;
  };
  constexpr Named kNames[] = {{"A4", 9}, {"A3", 8}, {"B4", 12}, {"B5", 13}, {"Letter", 1}};
  for (const Named& named : kNames) {
    if (named.name == name) return named.code;
  }
  return std::nullopt;
}

// Four margins in whole millimetres from 0 to 50, as the print dialog allows.
std::optional<Margins> MarginsOf(const std::string& text) {
  int values[4];
  char tail = 0;
  if (std::sscanf(text.c_str(), "%d,%d,%d,%d%c", &values[0], &values[1], &values[2], &values[3], &tail) != 4)
    return std::nullopt;
  for (const int value : values) {
    if (value < 0 || value > 50) return std::nullopt;
  }
  return Margins{values[0], values[1], values[2], values[3]};
}

std::optional<PrintArguments> ParsePrint(int argc, char** argv) {
  if (argc < 3) return std::nullopt;
  PrintArguments arguments;
  arguments.document = argv[2];
  for (int i = 3; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "--landscape") {
      arguments.orientation = Orientation::Landscape;
      continue;
    }
    if (option == "--one-page") {
      arguments.onePage = true;
      continue;
    }
    if (i + 1 >= argc) {
      std::cerr << option << ": a value must follow\n";
      return std::nullopt;
    }
    const std::string value = argv[++i];
    if (option == "-o") {
      arguments.output = value;
    } else if (option == "--chart") {
      const std::optional<int> chart = ChartByName(value);
      if (!chart) {
        std::cerr << value << ": not a chart (box, star, action, flow)\n";
        return std::nullopt;
      }
      arguments.chart = *chart;
    } else if (option == "--paper") {
      const std::optional<int> code = PaperCodeOfName(value);
      if (!code) {
        std::cerr << value << ": not a paper (A4, A3, B4, B5, Letter)\n";
        return std::nullopt;
      }
      arguments.paperCode = *code;
    } else if (option == "--margins") {
      const std::optional<Margins> margins = MarginsOf(value);
      if (!margins) {
        std::cerr << value << ": the margins are four whole millimetres from 0 to 50, as L,T,R,B\n";
        return std::nullopt;
      }
      arguments.margins = *margins;
    } else {
      std::cerr << option << ": unknown option\n";
      return std::nullopt;
    }
  }
  if (arguments.output.empty()) {
    std::cerr << "print: the PDF file must be named with -o\n";
    return std::nullopt;
  }
  return arguments;
}

}  // namespace

int Print(int argc, char** argv, const OpenDocumentFn& open) {
  const std::optional<PrintArguments> arguments = ParsePrint(argc, argv);
  if (!arguments) {
    std::cerr << kPrintUsage;
    return 2;
  }
  auto diagram = std::make_unique<Diagram>();
  if (!open(*diagram, arguments->document)) return 1;
  std::string error;
  if (!PrepareChart(*diagram, arguments->chart, 1.0f, error)) {
    std::cerr << arguments->document << ": " << error << '\n';
    return 1;
  }
  const FallbackSettings settings;
  ChartScene scene(*diagram, ReadSceneSettings(settings), ChartDrawings(static_cast<uint32_t>(std::time(nullptr))));
  const Size chart = scene.SizeAt(1.0f);
  const PrintSheet sheet = SheetOf(*PaperOfCode(arguments->paperCode), arguments->orientation, arguments->margins);
  const PageGrid grid = ComputePageGrid(sheet, chart.width, chart.height, arguments->onePage);
  std::vector<VectorPage> pages;
  for (int page = 1; page <= grid.count(); ++page) {
    pages.push_back({PaperPoints(sheet), PlacePage(sheet, chart.width, chart.height, arguments->onePage, grid, page)});
  }
  CairoTargets targets;
  const std::vector<uint8_t> pdf =
      targets.DrawVectorFile(VectorFormat::Pdf, pages, [&](Surface& surface, int) { scene.Draw(surface, 1.0f); });
  if (pdf.empty() || !WriteFileReplacing(arguments->output, pdf)) {
    std::cerr << arguments->output << ": the PDF file could not be written\n";
    return 1;
  }
  return 0;
}

}  // namespace ravelo::cli
