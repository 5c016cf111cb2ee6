// What pictures may cost in memory: the budget's rule, and a document of picture bombs (small files
// that decode to gigabytes) that opens within it.
#include "platform/picture_budget.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include "model/document_file.h"
#include "model/string_table.h"
#include "platform/cab/gcab_cabinet.h"
#include "platform/codec/document_picture_codec.h"
#include "platform/image_file.h"
#include "tests/support/diagram_builder.h"
#include "tests/support/memory_settings.h"
#include "tests/support/recording_messages.h"
#include "tests/support/scratch_folder.h"

namespace ravelo {
namespace {

TEST(PictureBudget, BoundsEachPictureAndAllPicturesOfADocument) {
  PictureBudget budget;
  EXPECT_TRUE(budget.Take(10000, 10000)) << "a 100-megapixel photograph";
  EXPECT_FALSE(budget.Take(10001, 10000)) << "more than one picture may be";
  EXPECT_TRUE(budget.refused());
  EXPECT_TRUE(budget.Take(10000, 10000));
  EXPECT_FALSE(budget.Take(8192, 8354)) << "more than the document has left";
  EXPECT_TRUE(budget.Take(8192, 8353));
  EXPECT_FALSE(budget.Take(100, 77)) << "7,680 pixels are left";
  EXPECT_TRUE(budget.Take(96, 80));
  EXPECT_FALSE(budget.Take(1, 1));
  EXPECT_FALSE(PictureBudget().Take(0, 5));
  EXPECT_FALSE(PictureBudget().refused());
}

void AppendChunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
  const auto size = static_cast<uint32_t>(data.size());
  for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<uint8_t>(size >> shift));
  const std::size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  const uLong crc = crc32(0, png.data() + start, static_cast<uInt>(png.size() - start));
  for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<uint8_t>(crc >> shift));
}

// A valid 1-bit grey PNG of kMaxImageSide x kMaxImageSide black pixels: about 33 kB that decode to
// 1 GiB of pixels.
std::vector<uint8_t> PictureBomb() {
  constexpr uint32_t side = kMaxImageSide;
  const std::vector<uint8_t> rows(static_cast<std::size_t>(side) * (1 + side / 8), 0);  // filter 0, zeros
  uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
  std::vector<uint8_t> packed(packedSize);
  EXPECT_EQ(compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()), 9), Z_OK);
  packed.resize(packedSize);
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  const std::vector<uint8_t> header = {side >> 24,
                                       (side >> 16) & 0xFF,
                                       (side >> 8) & 0xFF,
                                       side & 0xFF,
                                       side >> 24,
                                       (side >> 16) & 0xFF,
                                       (side >> 8) & 0xFF,
                                       side & 0xFF,
                                       1,
                                       0,
                                       0,
                                       0,
                                       0};  // 1 bit, grey
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", packed);
  AppendChunk(png, "IEND", {});
  return png;
}

TEST(PictureBomb, ADocumentOfThemOpensWithinTheBudgetAndKeepsEveryOtherObject) {
  const std::vector<uint8_t> bomb = PictureBomb();
  ASSERT_LT(bomb.size(), 40000u);
  constexpr int kBombs = 36;
  const std::vector<uint8_t> photo =
      EncodeImageFile(Picture{64, 48, std::vector<uint8_t>(64 * 48 * 4, 200), {}}, ImageFormat::Png);

  testing::ScratchFolder scratch;
  testing::RecordingMessages messages;
  testing::MemorySettings settings;
  NoProgress progress;
  GcabCabinet cabinet;
  const std::string path = scratch / "bombs.rvl";
  {
    Diagram d;
    RandomSource random;
    ResetToNewDocument(d, random, 1);
    for (int i = 0; i < kBombs; ++i) {
      const int node = testing::AddNode(d, i + 1);
      auto picture = std::make_unique<Picture>();
      picture->fileBytes = bomb;
      SetPicture(d, node, std::move(picture));
    }
    const int kept = testing::AddNode(d, kBombs + 1, {1}, "kept");
    auto picture = std::make_unique<Picture>();
    picture->fileBytes = photo;
    SetPicture(d, kept, std::move(picture));
    testing::AddArc(d, 1, kBombs + 1);
    const OpaquePictureCodec opaque;
    ASSERT_TRUE(
        SaveDocument(d, path, {0, 0}, {messages, progress, opaque, settings, cabinet, scratch / "work"}));
  }

  // Opened in a child, whose peak memory the parent reads once it has ended.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    testing::RecordingMessages told;
    const DocumentPictureCodec codec;
    Diagram d;
    const bool opened = OpenDocument(d, path, {told, progress, codec, settings, cabinet, scratch / "work"});
    int withPicture = 0;
    for (const auto& picture : d.table.pictures) withPicture += picture != nullptr;
    const bool toldOnce = told.shown.size() == 1 && told.shown[0].text == ResourceText(kMsgSizeTooLarge);
    const bool kept = d.count() == kBombs + 2 && withPicture == 1 && d.object(kBombs).Image == 1 &&
                      FieldText(d.object(kBombs).Title) == "kept" && IsLinkArc(d.object(kBombs + 1));
    _exit(opened ? (toldOnce ? (kept ? 0 : 3) : 2) : 1);
  }
  int status = 0;
  rusage usage{};
  ASSERT_EQ(wait4(child, &status, 0, &usage), child);
  ASSERT_TRUE(WIFEXITED(status)) << "the opening process ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: not opened, 2: not told exactly once, 3: objects lost";
  EXPECT_LT(usage.ru_maxrss, 1024L * 1024) << "peak memory in KiB";
}

}  // namespace
}  // namespace ravelo
