// ravelo-cli: the headless tool beside the editor, for scripts and tests.
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "cli/console_messages.h"
#include "cli/document_dump.h"
#include "model/body_io.h"
#include "model/diagram.h"

namespace ravelo::cli {
namespace {

constexpr const char* kUsage =
    "usage: ravelo-cli info FILE\n"
    "       ravelo-cli dump FILE\n";

bool LoadDocument(const std::string& path, Diagram& diagram, Messages& messages, const PictureCodec& codec) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    messages.Show(path + "\nファイルが見つかりません", MessageIcon::Stop, MessageButtons::Ok);
    return false;
  }
  NoProgress progress;
  return ReadBody(in, diagram, {messages, progress, codec});
}

int Run(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << kUsage;
    return 2;
  }
  const std::string_view command = argv[1];
  ConsoleMessages messages;
  OpaquePictureCodec codec;
  Diagram diagram;
  if (command != "info" && command != "dump") {
    std::cerr << kUsage;
    return 2;
  }
  if (!LoadDocument(argv[2], diagram, messages, codec)) return 1;
  if (command == "info") {
    const ObjectStatistics s = CountObjects(diagram);
    std::cout << ArcCountText(s) << ' ' << ParentNodeCountText(s) << ' ' << EndNodeCountText(s) << ' '
              << ObjectCountText(s) << '\n';
  } else {
    DumpDiagram(std::cout, diagram, codec);
  }
  return 0;
}

}  // namespace
}  // namespace ravelo::cli

int main(int argc, char** argv) { return ravelo::cli::Run(argc, argv); }
