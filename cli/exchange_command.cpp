#include "cli/exchange_command.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "arcs/shape_defaults.h"
#include "cli/console_messages.h"
#include "cli/fallback_settings.h"
#include "exchange/arrange_import.h"
#include "exchange/export_file.h"
#include "exchange/import_file.h"
#include "model/document_file.h"
#include "output/object_pictures.h"
#include "platform/cab/gcab_cabinet.h"
#include "platform/cairo/cairo_surface.h"
#include "platform/clock.h"
#include "platform/codec/document_picture_codec.h"
#include "platform/files.h"
#include "platform/xlsx/xlsx_spreadsheets.h"

namespace ravelo::cli {

namespace {

constexpr const char* kUsage =
    "usage: ravelo-cli convert IN.csv|IN.xlsx|IN.xls OUT.rvl --header|--no-header\n"
    "       ravelo-cli convert IN.rvl OUT.csv|OUT.xlsx\n";

std::string LowerExtension(std::string_view path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

bool IsTable(std::string_view path) {
  const std::string extension = LowerExtension(path);
  return extension == ".csv" || extension == ".xlsx" || extension == ".xls";
}

struct Tools {
  ConsoleMessages messages;
  NoProgress progress;
  DocumentPictureCodec codec;
  FallbackSettings settings;
  GcabCabinet cabinet;
  XlsxSpreadsheets spreadsheets;
  SystemClock clock;
  RandomSource random;
  DocumentServices documents{messages, progress, codec, settings, cabinet, files::DefaultWorkRoot()};
};

int Import(Tools& tools, const std::string& input, const std::string& output, HeaderRow header) {
  auto diagram = std::make_unique<Diagram>();
  NewDocument(*diagram, tools.random, tools.clock);
  const PictureServices pictures{tools.messages, tools.settings, nullptr, 24, {}};
  const ObjectServices objects{
      tools.settings,
      tools.messages,
      tools.random,
      [](Diagram& d, int index, int chart) { ResetShapeParams(d, index, true, chart); },
      [&](Diagram& d, int index, int number) { return SetObjectBuiltInPicture(d, index, number, pictures); },
      {}};
  // The nodes are measured as the editor would lay them out; the surface is never shown.
  const auto surface = CairoSurface::CreateImage(1, 1);
  ViewState view;
  RenderContext context(*diagram, *surface, view, tools.random);
  const ImportServices services{objects,
                                tools.progress,
                                tools.spreadsheets,
                                tools.settings,
                                header,
                                [&] { diagram->header.CurrentChart = BoxChart; },
                                [&](std::string_view baseName) {
                                  context.chart = BoxChart;
                                  context.zoom = diagram->header.Zoom[BoxChart];
                                  ArrangeImportedBoxes(context, baseName, {tools.clock, {}});
                                }};
  if (!ImportFromFile(*diagram, input, services)) return 1;
  return SaveDocument(*diagram, output, diagram->header.Scroll[BoxChart], tools.documents) ? 0 : 1;
}

int Export(Tools& tools, const std::string& input, const std::string& output) {
  auto diagram = std::make_unique<Diagram>();
  if (!OpenDocument(*diagram, input, tools.documents)) {
    if (!HasDocumentExtension(input)) std::cerr << input << ": not a .rvl document\n";
    return 1;
  }
  const bool written = LowerExtension(output) == ".csv"
                           ? WriteCsvExport(*diagram, output, tools.messages, tools.progress)
                           : WriteExcelExport(*diagram, output, tools.spreadsheets, tools.messages, tools.progress);
  return written ? 0 : 1;
}

}  // namespace

bool IsTableConversion(int argc, char** argv) { return argc >= 4 && (IsTable(argv[2]) || IsTable(argv[3])); }

int ConvertTable(int argc, char** argv) {
  const std::string input = std::filesystem::absolute(argv[2]).string();
  const std::string output = std::filesystem::absolute(argv[3]).string();
  Tools tools;
  if (IsTable(argv[2]) && HasDocumentExtension(output) && argc == 5) {
    const std::string_view option = argv[4];
    if (option == "--header" || option == "--no-header")
      return Import(tools, input, output, option == "--header" ? HeaderRow::Yes : HeaderRow::No);
  }
  const std::string extension = LowerExtension(output);
  if (argc == 4 && HasDocumentExtension(input) && (extension == ".csv" || extension == ".xlsx"))
    return Export(tools, input, output);
  std::cerr << kUsage;
  return 2;
}

}  // namespace ravelo::cli
