// The chart written as each kind of the image save and read back by decoders this project does not
// write (ImageMagick, pngcheck, djpeg, giftext, tiffinfo), and the pieces around the writers.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "model/cp932.h"
#include "output/chart_export.h"
#include "platform/cairo/cairo_targets.h"
#include "tests/codec/picture_files.h"
#include "tests/support/diagram_builder.h"

namespace ravelo {
namespace {

using Bytes = std::vector<uint8_t>;
using testing::DecodeWithImageMagick;
using testing::LargestDifference;

// What a tool prints, standard error included.
std::string RunTool(const std::string& command) {
  std::string output;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, got);
  pclose(pipe);
  return output;
}

uint32_t Little32(const Bytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// A chart of odd size (rows need padding) with pastel nodes, a Japanese title, a link arc, a
// selected node and a zoom of 150 %.
class ChartExport : public ::testing::Test {
 protected:
  void SetUp() override {
    RandomSource random;
    ResetToNewDocument(diagram, random, 1);
    DocumentHeader& h = diagram.header;
    h.ViewWidth[BoxChart] = 301;
    h.ViewHeight[BoxChart] = 203;
    h.ViewBackColor[BoxChart] = Rgb(230, 240, 200);
    h.ViewFrameColor[BoxChart] = kNoColour;
    h.Headline[BoxChart].Show = 0;
    h.Zoom[BoxChart] = 1.5f;
    const Colour fills[] = {Rgb(250, 200, 100), Rgb(200, 220, 250), Rgb(255, 190, 220)};
    for (int n = 0; n < 3; ++n) {
      const int node = testing::AddNode(diagram, n + 1, {}, Utf8ToCp932("山田" + std::to_string(n)).text);
      DiagramObject& o = diagram.object(node);
      o.Pos[BoxChart] = {20 + 90 * n, 40 + 40 * n};
      o.FontSize = 10;
      o.refMen = fills[n];
      o.refLine = Rgb(0, 0, 128);
      o.Futosa = 1;
      std::fill(std::begin(o.Margin), std::end(o.Margin), 6);
    }
    testing::AddArc(diagram, 1, 3);
    diagram.state(1).Selected = 1;
  }

  Picture Draw(float zoom, bool whiteBackground = false) {
    ChartScene scene(diagram, {});
    std::optional<Picture> picture = DrawChartPicture(scene, targets, zoom, whiteBackground);
    EXPECT_TRUE(picture);
    return picture ? *picture : Picture{};
  }

  std::string Write(const std::string& name, const Bytes& bytes) {
    EXPECT_FALSE(bytes.empty()) << name;
    const std::string path = folder_.File(name).string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  Diagram diagram;
  CairoTargets targets;
  testing::ScratchFolder folder_;
};

TEST_F(ChartExport, DrawsTheWholeViewAtTheZoomWithoutSelectionAndRestoresTheChart) {
  const Picture atZoom = Draw(1.5f);
  EXPECT_EQ(atZoom.width, 451);
  EXPECT_EQ(atZoom.height, 304);
  const Picture natural = Draw(1.0f, true);
  EXPECT_EQ(natural.width, 301);
  EXPECT_EQ(natural.height, 203);
  EXPECT_EQ(natural.bgra[0], 255) << "the transparent GIF's background is drawn white";
  EXPECT_EQ(natural.bgra[2], 255);
  EXPECT_EQ(atZoom.bgra[2], 230) << "else the chart's own background";
  EXPECT_EQ(diagram.header.Zoom[BoxChart], 1.5f);
  EXPECT_EQ(diagram.header.ViewBackColor[BoxChart], Rgb(230, 240, 200));
  for (int i = 0; i < diagram.count(); ++i) EXPECT_EQ(diagram.state(i).Selected, 0) << i;
}

struct KindCase {
  ImageKind kind;
  std::string extension;
  std::string identified;  // ImageMagick: format, depth
  int bits;                // BMP only
  uint32_t compression;    // BMP only
};

TEST_F(ChartExport, EveryBmpKindHasItsHeaderPaletteAndPixels) {
  const Picture picture = Draw(1.0f);
  const KindCase cases[] = {
      {ImageKind::Bmp1, "bmp", "BMP3 1", 1, 0},    {ImageKind::Bmp4, "bmp", "BMP3 4", 4, 0},
      {ImageKind::Bmp4Rle, "bmp", "BMP3 4", 4, 2}, {ImageKind::Bmp8, "bmp", "BMP3 8", 8, 0},
      {ImageKind::Bmp8Rle, "bmp", "BMP3 8", 8, 1}, {ImageKind::Bmp16, "bmp", "BMP3 8", 16, 3},
      {ImageKind::Bmp24, "bmp", "BMP3 8", 24, 0},  {ImageKind::Bmp32, "bmp", "BMP3 8", 32, 3},
  };
  for (const KindCase& c : cases) {
    SCOPED_TRACE(c.bits * 10 + static_cast<int>(c.compression));
    const Bytes file = EncodeChartImage(picture, c.kind, 100);
    ASSERT_GT(file.size(), 54u);
    const uint32_t offset = Little32(file, 10);
    EXPECT_EQ(Little32(file, 2), file.size()) << "file size field";
    EXPECT_EQ(Little32(file, 14), 40u) << "info header";
    EXPECT_EQ(file[28], c.bits);
    EXPECT_EQ(Little32(file, 30), c.compression);
    EXPECT_EQ(Little32(file, 34), file.size() - offset) << "pixel data size: the stream for RLE";
    const uint32_t infoSize = c.bits <= 8 ? 40 + 4 * (1u << c.bits) : (c.compression == 3 ? 52 : 40);
    EXPECT_EQ(offset, 14 + infoSize);
    if (c.compression == 0 && c.bits != 24) {
      EXPECT_EQ(file.size() - offset, (c.bits * 301u + 31) / 32 * 4 * 203);
    }
    if (c.bits == 16) {
      EXPECT_EQ(Little32(file, 54), 0xF800u);
      EXPECT_EQ(Little32(file, 58), 0x07E0u);
      EXPECT_EQ(Little32(file, 62), 0x001Fu);
    }
    if (c.bits == 32) {
      EXPECT_EQ(Little32(file, 54), 0x00FF0000u);
      EXPECT_EQ(Little32(file, 58), 0x0000FF00u);
      EXPECT_EQ(Little32(file, 62), 0x000000FFu);
    }
    const std::string path = Write("chart.bmp", file);
    EXPECT_EQ(RunTool("identify -format '%m %z %w %h' " + path), c.identified + " 301 203");
    const std::optional<Picture> read = DecodeWithImageMagick(path);
    ASSERT_TRUE(read);
    const int colours = std::stoi(RunTool("identify -format '%k' " + path));
    if (c.bits <= 8) {
      EXPECT_LE(colours, 1 << c.bits);
      EXPECT_GE(colours, 2);
      // With 16 colours and more, the background, the colour of most pixels, keeps a palette entry
      // of its own.
      if (c.bits == 1) {
        EXPECT_EQ(Little32(file, 54), 0u) << "black";
        EXPECT_EQ(Little32(file, 58), 0x00FFFFFFu) << "white";
        EXPECT_EQ(RunTool("convert " + path + " -format '%[hex:p{0,0}]' info:"), "FFFFFF");
        // The dark outline of the first node stays black.
        EXPECT_EQ(colours, 2);
      }
      if (c.bits >= 4) {
        EXPECT_EQ(RunTool("convert " + path + " -format '%[hex:p{0,0}]' info:"), "E6F0C8");
      }
    } else {
      EXPECT_LE(LargestDifference(*read, picture), c.bits == 16 ? 7 : 0);
    }
  }
}

TEST_F(ChartExport, RleStreamsDecodeToTheSamePixelsAsTheirUncompressedKinds) {
  const Picture picture = Draw(1.0f);
  for (const auto& [plain, rle, name] : {std::tuple{ImageKind::Bmp4, ImageKind::Bmp4Rle, "rle4"},
                                         std::tuple{ImageKind::Bmp8, ImageKind::Bmp8Rle, "rle8"}}) {
    SCOPED_TRACE(name);
    const std::string plainPath = Write("plain.bmp", EncodeChartImage(picture, plain, 100));
    const std::string rlePath = Write("rle.bmp", EncodeChartImage(picture, rle, 100));
    EXPECT_NE(RunTool("identify -verbose " + rlePath).find("Compression: RLE"), std::string::npos);
    EXPECT_LT(std::filesystem::file_size(rlePath), std::filesystem::file_size(plainPath));
    EXPECT_EQ(RunTool("compare -metric AE " + plainPath + " " + rlePath + " null:"), "0");
  }
}

TEST_F(ChartExport, JpegGifPngAndTiffReadBackInTheirLibrariesTools) {
  const Picture picture = Draw(1.0f);
  const std::string png = Write("chart.png", EncodeChartImage(picture, ImageKind::Png, 100));
  EXPECT_NE(RunTool("pngcheck " + png).find("OK: "), std::string::npos);
  EXPECT_EQ(LargestDifference(*DecodeWithImageMagick(png), picture), 0);

  const std::string tiff = Write("chart.tiff", EncodeChartImage(picture, ImageKind::Tiff, 100));
  EXPECT_NE(RunTool("tiffinfo " + tiff).find("Image Width: 301 Image Length: 203"), std::string::npos);
  EXPECT_EQ(LargestDifference(*DecodeWithImageMagick(tiff), picture), 0);

  const std::string best = Write("best.jpeg", EncodeChartImage(picture, ImageKind::Jpeg, 100));
  const std::string low = Write("low.jpeg", EncodeChartImage(picture, ImageKind::Jpeg, 10));
  EXPECT_EQ(RunTool("djpeg -pnm " + best + " | head -c 2"), "P6");
  EXPECT_EQ(RunTool("identify -format '%w %h %Q' " + best), "301 203 100");
  EXPECT_EQ(RunTool("identify -format '%Q' " + low), "10");
  EXPECT_LT(std::filesystem::file_size(low), std::filesystem::file_size(best));

  const std::string gif = Write("chart.gif", EncodeChartImage(picture, ImageKind::Gif, 100));
  EXPECT_NE(RunTool("giftext " + gif).find("Transparency on: no"), std::string::npos);
  EXPECT_EQ(RunTool("identify -format '%w %h' " + gif), "301 203");
}

TEST_F(ChartExport, TransparentGifMarksTheWhiteBackgroundAsItsTransparentIndex) {
  const Picture picture = Draw(1.0f, true);
  const Bytes file = EncodeChartImage(picture, ImageKind::TransparentGif, 100);
  const std::string path = Write("clear.gif", file);
  const std::string text = RunTool("giftext " + path);
  std::smatch index;
  ASSERT_TRUE(
      std::regex_search(text, index, std::regex("Transparency on: yes\\s+DelayTime: 0\\s+Transparent Index: ([0-9]+)")))
      << text;
  const std::size_t entry = 13 + 3 * std::stoul(index[1]);
  EXPECT_EQ(file[entry], 255);
  EXPECT_EQ(file[entry + 1], 255);
  EXPECT_EQ(file[entry + 2], 255);
  EXPECT_EQ(RunTool("convert " + path + " -format '%[fx:p{0,0}.a]' info:"), "0");
}

TEST(MakeGifTransparent, FindsTheTableAndTheControlExtensionOrLeavesTheBytes) {
  // Header and screen descriptor, the flags byte at 10.
  const Bytes screen = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0};
  const Bytes control = {0x21, 0xF9, 4, 0, 0, 0, 0, 0};
  const Bytes table = {0, 0, 0, 250, 250, 250};  // black, near white
  const auto join = [](std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    all.resize(std::max<std::size_t>(all.size(), 40), 0);
    return all;
  };
  // Global table: flags 0x80, two entries; the extension follows the table.
  Bytes global = join({screen, {0x80, 0, 0}, table, control});
  ASSERT_TRUE(MakeGifTransparent(global, {255, 255, 255}));
  EXPECT_EQ(global[19 + 3], 1) << "transparent flag";
  EXPECT_EQ(global[19 + 6], 1) << "index of the nearest colour";

  // No global table: the extension at 13, then an image descriptor whose flags byte at 30 names a
  // local table of two entries.
  const Bytes descriptor = {0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0x80};
  Bytes local = join({screen, {0, 0, 0}, control, descriptor, {250, 250, 250, 0, 0, 0}});
  ASSERT_TRUE(MakeGifTransparent(local, {0, 0, 0}));
  EXPECT_EQ(local[13 + 3], 1);
  EXPECT_EQ(local[13 + 6], 1);

  Bytes noExtension = join({screen, {0x80, 0, 0}, table, {0x2C}});
  const Bytes before = noExtension;
  EXPECT_FALSE(MakeGifTransparent(noExtension, {255, 255, 255}));
  EXPECT_EQ(noExtension, before);
  Bytes truncated(12, 0x80);
  EXPECT_FALSE(MakeGifTransparent(truncated, {255, 255, 255}));
}

TEST(WriteFileReplacing, ReplacesTheFileOrLeavesWhatWasThere) {
  testing::ScratchFolder folder;
  const std::string path = folder.File("out.png").string();
  std::ofstream(path) << "old";
  const Bytes bytes = {'n', 'e', 'w'};
  ASSERT_TRUE(WriteFileReplacing(path, bytes));
  EXPECT_EQ(testing::ReadFileBytes(path), bytes);

  // A folder in the way cannot be replaced by a file: it stays, and no temporary file is left.
  const std::string blocked = folder.File("blocked.png").string();
  std::filesystem::create_directory(blocked);
  std::ofstream(blocked + "/inside") << "kept";
  EXPECT_FALSE(WriteFileReplacing(blocked, bytes));
  EXPECT_TRUE(std::filesystem::exists(blocked + "/inside"));
  EXPECT_FALSE(WriteFileReplacing(folder.File("missing/out.png").string(), bytes));
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.File("."))) ++entries;
  EXPECT_EQ(entries, 2u);
}

TEST(ImageKinds, TheSaveDialogsThirteenKindsThenTheVectors) {
  ASSERT_EQ(ImageKinds().size(), 15u);
  EXPECT_EQ(ImageKinds()[0].filter, "モノクロ BITMAPファイル(*.bmp)|*.bmp|");
  EXPECT_EQ(ImageKinds()[8].filter, "JPEGファイル(*.jpeg)|*.jpeg|");
  EXPECT_EQ(ImageKinds()[12].filter, "TIFFファイル(*.tiff)|*.tiff|");
  EXPECT_EQ(ImageSaveFilter().substr(ImageSaveFilter().size() - 2), "||");
  EXPECT_EQ(ImageKindOfName("tgif"), ImageKind::TransparentGif);
  EXPECT_EQ(ImageKindOfName("gif2"), std::nullopt);
  EXPECT_EQ(ImageKindOfExtension("JPG"), ImageKind::Jpeg);
  EXPECT_EQ(ImageKindOfExtension("bmp"), ImageKind::Bmp24);
  EXPECT_EQ(ImageKindOfExtension("svg"), ImageKind::Svg);
  EXPECT_EQ(ImageKindOfExtension("txt"), std::nullopt);
}

}  // namespace
}  // namespace ravelo
