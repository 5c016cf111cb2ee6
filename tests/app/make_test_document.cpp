// Writes the document that the window's smoke tests open: a parent node with three end nodes, one
// of them with a picture, a link arc between two of them, and a known background colour of the Box
// chart (RGB 200, 220, 120), so that the counts are "Arc 1(0)", "P-Node 1(0)", "E-Node 3(1)",
// "Object 5". With --spread the three end nodes stand apart in a row with plain 12-point titles,
// for the tests that click them. usage: make_test_document OUT.rvl [--scrolled | --spread]
#include <iostream>
#include <string_view>

#include "model/document_file.h"
#include "platform/cab/gcab_cabinet.h"
#include "platform/files.h"
#include "resources/builtin_pictures.h"
#include "tests/support/diagram_builder.h"
#include "tests/support/memory_settings.h"
#include "tests/support/recording_messages.h"

int main(int argc, char** argv) {
  using namespace ravelo;
  const bool scrolled = argc == 3 && std::string_view(argv[2]) == "--scrolled";
  const bool spread = argc == 3 && std::string_view(argv[2]) == "--spread";
  if (argc != 2 && !scrolled && !spread) {
    std::cerr << "usage: make_test_document OUT.rvl [--scrolled | --spread]\n";
    return 2;
  }
  Diagram d;
  RandomSource random;
  ResetToNewDocument(d, random, 1);
  d.header.ViewBackColor[BoxChart] = Rgb(200, 220, 120);
  testing::AddNode(d, 1, {}, "group");
  testing::AddNode(d, 2, {1}, "a");
  testing::AddNode(d, 3, {1}, "b");
  const int withPicture = testing::AddNode(d, 4, {1}, "c");
  auto picture = std::make_unique<Picture>();
  const auto png = BuiltInPicturePng(1);
  picture->fileBytes.assign(png.begin(), png.end());
  SetPicture(d, withPicture, std::move(picture));
  testing::AddArc(d, 2, 3);
  if (spread) {  // the end nodes at (200, 200), (400, 200) and (600, 200), each a framed title
    for (int i = 1; i <= 3; ++i) {
      DiagramObject& o = d.object(i);
      for (Point& p : o.Pos) p = {200 * i, 200};
      o.FontSize = 12;
      o.refText = Rgb(0, 0, 0);
      o.refMen = Rgb(255, 255, 255);
      o.refLine = Rgb(0, 0, 128);
      o.Futosa = 1;
      o.TitleAline = 1;
      for (int32_t& m : o.Margin) m = 6;
    }
    d.object(0).TitlePos = 2;
    d.object(0).FontSize = 12;
    for (int32_t& m : d.object(0).WakuMa) m = 20;
  }
  if (scrolled) {  // the Box chart left at 200 %, scrolled right and down
    d.header.Zoom[BoxChart] = 2.0f;
    d.header.Scroll[BoxChart] = {900, 250};
  }

  testing::RecordingMessages messages;
  NoProgress progress;
  OpaquePictureCodec codec;
  testing::MemorySettings settings;
  GcabCabinet cabinet;
  const DocumentServices services{messages, progress, codec, settings, cabinet, files::DefaultWorkRoot()};
  if (SaveDocument(d, argv[1], d.header.Scroll[BoxChart], services)) return 0;
  for (const auto& m : messages.shown) std::cerr << m.text << '\n';
  return 1;
}
