// ravelo-cli: the headless tool beside the editor, for scripts and tests.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "cli/chart_image.h"
#include "cli/chart_layout.h"
#include "cli/console_messages.h"
#include "cli/document_dump.h"
#include "cli/exchange_command.h"
#include "cli/fallback_settings.h"
#include "cli/print_command.h"
#include "cli/search_commands.h"
#include "model/diagram.h"
#include "model/document_file.h"
#include "platform/cab/gcab_cabinet.h"
#include "platform/codec/document_picture_codec.h"
#include "platform/files.h"

namespace ravelo::cli {
namespace {

constexpr const char* kUsage =
    "usage: ravelo-cli info FILE.rvl\n"
    "       ravelo-cli dump FILE.rvl [--chart box|star|action|flow]\n"
    "       ravelo-cli convert IN.rvl OUT.rvl\n"
    "       ravelo-cli convert IN.csv|IN.xlsx|IN.xls OUT.rvl --header|--no-header\n"
    "       ravelo-cli convert IN.rvl OUT.csv|OUT.xlsx\n"
    "       ravelo-cli render FILE.rvl -o OUT.png [--chart box|star|action|flow] [--zoom Z] [--kind K] [--quality Q]\n"
    "       ravelo-cli print FILE.rvl -o OUT.pdf [--chart box|star|action|flow] [--paper A4|A3|B4|B5|Letter] [--landscape]\n"
    "                  [--margins L,T,R,B] [--one-page]\n"
    "       ravelo-cli find FILE.rvl TEXT [--in all|titles|memos] [--match-case]\n"
    "       ravelo-cli replace IN.rvl OUT.rvl (--from A --to B | --dictionary FILE) [--in ...] [--match-case]\n";

// What opening and saving documents needs, set up once for the tool.
struct Session {
  ConsoleMessages messages;
  NoProgress progress;
  DocumentPictureCodec codec;
  FallbackSettings settings;
  GcabCabinet cabinet;
  DocumentServices services{messages, progress, codec, settings, cabinet, files::DefaultWorkRoot()};
};

std::string Absolute(const std::string& path) { return std::filesystem::absolute(path).string(); }

bool Open(Session& session, Diagram& diagram, const std::string& path) {
  if (OpenDocument(diagram, Absolute(path), session.services)) return true;
  // The open refuses other names without a word; the tool still says why it failed.
  if (!HasDocumentExtension(path)) std::cerr << path << ": not a .rvl document\n";
  return false;
}

struct RenderArguments {
  std::string document;
  std::string output;
  cli::ChartImageRequest request;
};

// render FILE.rvl -o OUT [--chart box] [--zoom Z]; none after telling what is wrong.
std::optional<RenderArguments> ParseRender(int argc, char** argv) {
  RenderArguments arguments;
  if (argc < 3) return std::nullopt;
  arguments.document = argv[2];
  for (int i = 3; i < argc; i += 2) {
    const std::string_view option = argv[i];
    if (i + 1 >= argc) {
      std::cerr << option << ": a value must follow\n";
      return std::nullopt;
    }
    const std::string value = argv[i + 1];
    if (option == "-o") {
      arguments.output = value;
    } else if (option == "--chart") {
      const std::optional<int> chart = ChartByName(value);
      if (!chart) {
        std::cerr << value << ": not a chart that can be drawn\n";
        return std::nullopt;
      }
      arguments.request.chart = *chart;
    } else if (option == "--zoom") {
      char* end = nullptr;
      arguments.request.zoom = std::strtof(value.c_str(), &end);
      if (value.empty() || *end != '\0') {
        std::cerr << value << ": not a zoom factor\n";
        return std::nullopt;
      }
    } else if (!ParseImageOption(option, value, arguments.request)) {
      return std::nullopt;
    }
  }
  if (arguments.output.empty()) {
    std::cerr << "render: the image file must be named with -o\n";
    return std::nullopt;
  }
  return arguments;
}

int Render(int argc, char** argv) {
  const std::optional<RenderArguments> arguments = ParseRender(argc, argv);
  if (!arguments) {
    std::cerr << kUsage;
    return 2;
  }
  Session session;
  auto diagram = std::make_unique<Diagram>();
  if (!Open(session, *diagram, arguments->document)) return 1;
  std::string error;
  if (!cli::WriteChartImage(*diagram, arguments->request, arguments->output, error)) {
    std::cerr << arguments->document << ": " << error << '\n';
    return 1;
  }
  return 0;
}

int Run(int argc, char** argv) {
  const std::string_view command = argc > 1 ? argv[1] : "";
  if (command == "render") return Render(argc, argv);
  if (command == "convert" && IsTableConversion(argc, argv)) return ConvertTable(argc, argv);
  if (command == "find") return FindCommand(argc, argv);
  if (command == "replace") return ReplaceCommand(argc, argv);
  if (command == "print") {
    Session session;
    return cli::Print(argc, argv,
                      [&](Diagram& diagram, const std::string& path) { return Open(session, diagram, path); });
  }
  const bool twoPaths = command == "convert";
  // dump FILE.rvl --chart NAME lays that chart out first.
  std::optional<int> dumpChart;
  if (command == "dump" && argc == 5 && std::string_view(argv[3]) == "--chart") {
    dumpChart = ChartByName(argv[4]);
    if (!dumpChart) {
      std::cerr << argv[4] << ": not a chart that can be laid out\n";
      return 2;
    }
    argc = 3;
  }
  if (argc != (twoPaths ? 4 : 3) || (command != "info" && command != "dump" && !twoPaths)) {
    std::cerr << kUsage;
    return 2;
  }
  Session session;
  auto diagram = std::make_unique<Diagram>();
  if (!Open(session, *diagram, argv[2])) return 1;
  if (command == "info") {
    const ObjectStatistics s = CountObjects(*diagram);
    std::cout << ArcCountText(s) << ' ' << ParentNodeCountText(s) << ' ' << EndNodeCountText(s) << ' '
              << ObjectCountText(s) << '\n';
  } else if (command == "dump") {
    if (dumpChart) LayOutChart(*diagram, *dumpChart);
    DumpDiagram(std::cout, *diagram, session.codec, dumpChart);
  } else {
    const int chart = diagram->header.CurrentChart;
    const Point scroll = chart >= 0 && chart < kChartCount ? diagram->header.Scroll[chart] : Point{0, 0};
    if (!SaveDocument(*diagram, Absolute(argv[3]), scroll, session.services)) return 1;
  }
  return 0;
}

}  // namespace
}  // namespace ravelo::cli

int main(int argc, char** argv) { return ravelo::cli::Run(argc, argv); }
