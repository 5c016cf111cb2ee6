// ravelo-cli: the headless tool beside the editor, for scripts and tests.
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

#include "cli/console_messages.h"
#include "cli/document_dump.h"
#include "cli/fallback_settings.h"
#include "model/diagram.h"
#include "model/document_file.h"
#include "platform/cab/gcab_cabinet.h"
#include "platform/codec/document_picture_codec.h"
#include "platform/files.h"

namespace ravelo::cli {
namespace {

constexpr const char* kUsage =
    "usage: ravelo-cli info FILE.rvl\n"
    "       ravelo-cli dump FILE.rvl\n"
    "       ravelo-cli convert IN.rvl OUT.rvl\n";

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

int Run(int argc, char** argv) {
  const std::string_view command = argc > 1 ? argv[1] : "";
  const bool twoPaths = command == "convert";
  if (argc != (twoPaths ? 4 : 3) || (command != "info" && command != "dump" && !twoPaths)) {
    std::cerr << kUsage;
    return 2;
  }
  Session session;
  auto diagram = std::make_unique<Diagram>();
  if (!OpenDocument(*diagram, Absolute(argv[2]), session.services)) {
    // The open refuses other names without a word; the tool still says why it failed.
    if (!HasDocumentExtension(argv[2])) std::cerr << argv[2] << ": not a .rvl document\n";
    return 1;
  }
  if (command == "info") {
    const ObjectStatistics s = CountObjects(*diagram);
    std::cout << ArcCountText(s) << ' ' << ParentNodeCountText(s) << ' ' << EndNodeCountText(s) << ' '
              << ObjectCountText(s) << '\n';
  } else if (command == "dump") {
    DumpDiagram(std::cout, *diagram, session.codec);
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
