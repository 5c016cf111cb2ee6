// ravelo-cli: the headless tool beside the editor, for scripts and tests.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "cli/chart_image.h"
#include "cli/console_messages.h"
#include "cli/document_dump.h"
#include "cli/exchange_command.h"
#include "cli/fallback_settings.h"
#include "model/diagram.h"
#include "model/document_file.h"
#include "platform/cab/gcab_cabinet.h"
#include "platform/codec/document_picture_codec.h"
#include "platform/files.h"
#include "platform/image_file.h"

namespace ravelo::cli {
namespace {

constexpr const char* kUsage =
    "usage: ravelo-cli info FILE.rvl\n"
    "       ravelo-cli dump FILE.rvl\n"
    "       ravelo-cli convert IN.rvl OUT.rvl\n"
    "       ravelo-cli convert IN.csv|IN.xlsx|IN.xls OUT.rvl --header|--no-header\n"
    "       ravelo-cli convert IN.rvl OUT.csv|OUT.xlsx\n"
    "       ravelo-cli render FILE.rvl -o OUT.png [--chart box] [--zoom Z]\n";

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
      if (value != "box") {
        std::cerr << value << ": only the box chart can be drawn so far\n";
        return std::nullopt;
      }
      arguments.request.chart = BoxChart;
    } else if (option == "--zoom") {
      char* end = nullptr;
      arguments.request.zoom = std::strtof(value.c_str(), &end);
      if (value.empty() || *end != '\0') {
        std::cerr << value << ": not a zoom factor\n";
        return std::nullopt;
      }
    } else {
      std::cerr << option << ": unknown option\n";
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
  const std::string& output = arguments->output;
  const std::string extension = std::filesystem::path(output).extension().string();
  const ImageFormat format = ImageFormatOfExtension(extension.empty() ? "" : extension.substr(1));
  if (format == ImageFormat::Unknown) {
    std::cerr << output << ": name the image .png, .bmp, .jpg, .gif or .tiff\n";
    return 1;
  }
  Session session;
  auto diagram = std::make_unique<Diagram>();
  if (!Open(session, *diagram, arguments->document)) return 1;
  std::string error;
  const std::optional<Picture> image = cli::DrawChartImage(*diagram, arguments->request, error);
  if (!image) {
    std::cerr << arguments->document << ": " << error << '\n';
    return 1;
  }
  const std::vector<uint8_t> bytes = EncodeImageFile(*image, format);
  std::ofstream file;
  if (!bytes.empty()) file.open(output, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (bytes.empty() || !file) {
    std::cerr << output << ": the image could not be written\n";
    return 1;
  }
  return 0;
}

int Run(int argc, char** argv) {
  const std::string_view command = argc > 1 ? argv[1] : "";
  if (command == "render") return Render(argc, argv);
  if (command == "convert" && IsTableConversion(argc, argv)) return ConvertTable(argc, argv);
  const bool twoPaths = command == "convert";
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
