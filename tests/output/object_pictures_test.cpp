#include "output/object_pictures.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>

#include "model/document_file.h"
#include "platform/cab/gcab_cabinet.h"
#include "platform/codec/document_picture_codec.h"
#include "platform/image_file.h"
#include "tests/support/diagram_builder.h"
#include "tests/support/memory_settings.h"
#include "tests/support/recording_messages.h"
#include "tests/support/scratch_folder.h"

namespace ravelo {
namespace {


Picture Filled(int width, int height, Colour colour, uint8_t alpha = 255) {
  Picture p;
  p.width = width;
  p.height = height;
  for (int i = 0; i < width * height; ++i)
    p.bgra.insert(p.bgra.end(), {static_cast<uint8_t>(BlueOf(colour)), static_cast<uint8_t>(GreenOf(colour)),
                                 static_cast<uint8_t>(RedOf(colour)), alpha});
  return p;
}

void SetPixel(Picture& p, int x, int y, Colour colour, uint8_t alpha) {
  uint8_t* px = p.bgra.data() + (y * p.width + x) * 4;
  px[0] = static_cast<uint8_t>(BlueOf(colour));
  px[1] = static_cast<uint8_t>(GreenOf(colour));
  px[2] = static_cast<uint8_t>(RedOf(colour));
  px[3] = alpha;
}

Colour PixelColour(const Picture& p, int x, int y) {
  const uint8_t* px = p.bgra.data() + (y * p.width + x) * 4;
  return Rgb(px[2], px[1], px[0]);
}

// Inserts a background chunk of the colour after the header chunk of a PNG file.
std::vector<uint8_t> WithBackgroundChunk(std::vector<uint8_t> png, Colour colour) {
  std::vector<uint8_t> chunk = {0, 0, 0, 6, 'b', 'K', 'G', 'D', 0, static_cast<uint8_t>(RedOf(colour)), 0,
                                static_cast<uint8_t>(GreenOf(colour)), 0, static_cast<uint8_t>(BlueOf(colour))};
  const uLong crc = crc32(0, chunk.data() + 4, static_cast<uInt>(chunk.size() - 4));
  for (int shift = 24; shift >= 0; shift -= 8) chunk.push_back(static_cast<uint8_t>(crc >> shift));
  png.insert(png.begin() + 33, chunk.begin(), chunk.end());  // signature 8 + header chunk 25
  return png;
}

class PictureTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::AddNode(d, 1); }

  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = folder_ + "/" + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  const Picture& ObjectPicture() { return *d.table.pictures[0]; }

  testing::ScratchFolder scratch_;
  const std::string folder_ = scratch_.path();
  Diagram d;
  testing::RecordingMessages messages;
  testing::MemorySettings settings;
  PictureServices services{messages, settings};
};

TEST_F(PictureTest, FileTypesByExtension) {
  struct Case {
    const char* path;
    const char* type;
  };
  for (const Case c : {Case{"/a/b.JPG", "jpeg"}, Case{"x.jpeg", "jpeg"}, Case{"x.gif", "gif"}, Case{"x.Bmp", "bmp"},
                       Case{"x.png", "png"}, Case{"x.tif", "tiff"}, Case{"x.TIFF", "tiff"}}) {
    EXPECT_EQ(ImageTypeOfPath(c.path, messages), c.type) << c.path;
  }
  EXPECT_TRUE(messages.shown.empty());
  for (const char* refused : {"x.webp", "noextension", "x.jpg.txt"}) EXPECT_EQ(ImageTypeOfPath(refused, messages), "");
  ASSERT_EQ(messages.shown.size(), 3u);
  EXPECT_EQ(messages.shown[0].text, "このファイルタイプはセットできません");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
}

TEST_F(PictureTest, AWideOpaquePngBecomesA200PixelJpegShown35Wide) {
  const std::string path = Write("wide.png", EncodeImageFile(Filled(400, 300, Rgb(10, 200, 30)), ImageFormat::Png));
  ASSERT_TRUE(SetObjectPictureFromFile(d, 0, path, "png", services));
  EXPECT_EQ(DetectImageFormat(ObjectPicture().fileBytes), ImageFormat::Jpeg);
  EXPECT_EQ(ObjectPicture().width, 200);
  EXPECT_EQ(ObjectPicture().height, 150);
  EXPECT_EQ(d.object(0).TransColor, kNoColour);
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(d.object(0).ImageW[c], 35);
    EXPECT_EQ(d.object(0).ImageH[c], 26);
  }
  EXPECT_EQ(d.object(0).Image, 1);
}

TEST_F(PictureTest, ASmallGifKeepsItsSize) {
  const std::string path = Write("tall.gif", EncodeImageFile(Filled(30, 60, Rgb(0, 0, 255)), ImageFormat::Gif));
  ASSERT_TRUE(SetObjectPictureFromFile(d, 0, path, "gif", services));
  EXPECT_EQ(d.object(0).ImageW[2], 30);
  EXPECT_EQ(d.object(0).ImageH[2], 60);
}

TEST_F(PictureTest, APngWithAlphaIsKeyedOnItsBackgroundChunk) {
  Picture p = Filled(4, 2, Rgb(0, 0, 255));
  SetPixel(p, 0, 0, Rgb(0, 0, 0), 0);           // transparent
  SetPixel(p, 1, 0, Rgb(0, 0, 255), 128);       // half transparent blue edge
  SetPixel(p, 2, 0, Rgb(255, 0, 0), 255);       // opaque pure red
  const std::string path = Write("alpha.png", WithBackgroundChunk(EncodeImageFile(p, ImageFormat::Png), Rgb(255, 0, 0)));
  d.object(0).ImgFutosa = 3;
  ASSERT_TRUE(SetObjectPictureFromFile(d, 0, path, "png", services));
  EXPECT_EQ(d.object(0).TransColor, Rgb(255, 0, 0));
  EXPECT_EQ(d.object(0).ImgFutosa, 0);
  const Picture& stored = ObjectPicture();
  EXPECT_EQ(DetectImageFormat(PictureToBytes(stored)), ImageFormat::Bmp);
  EXPECT_EQ(PixelColour(stored, 0, 0), Rgb(255, 0, 0));
  const Colour edge = PixelColour(stored, 1, 0);
  EXPECT_NEAR(RedOf(edge), 127, 1) << "blended towards red";
  EXPECT_EQ(BlueOf(edge), 128);
  EXPECT_EQ(PixelColour(stored, 2, 0), Rgb(255, 8, 0)) << "an opaque red pixel must stay visible";
  EXPECT_EQ(PixelColour(stored, 3, 1), Rgb(0, 0, 255));
}

TEST_F(PictureTest, APngOrGifNamedJpgKeepsItsTransparencyColour) {
  Picture p = Filled(4, 2, Rgb(0, 0, 255));
  SetPixel(p, 0, 0, Rgb(0, 0, 0), 0);
  for (const auto& [name, bytes] :
       {std::pair{"clear.jpg", EncodeImageFile(p, ImageFormat::Png)},
        std::pair{"keyed.jpg", EncodeImageFile(Filled(4, 2, Rgb(0, 0, 255)), ImageFormat::Gif,
                                               {100, RgbColour{0, 0, 255}})}}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(SetObjectPictureFromFile(d, 0, Write(name, bytes), "jpeg", services));
    EXPECT_NE(d.object(0).TransColor, kNoColour) << "clear areas must not show as black";
    EXPECT_NE(DetectImageFormat(PictureToBytes(ObjectPicture())), DetectImageFormat(bytes))
        << "not kept verbatim as if it were a JPEG";
  }
}

TEST_F(PictureTest, A32BitBmpTakesItsTransparencyFromTheFirstClearPixel) {
  Picture p = Filled(3, 2, Rgb(50, 60, 70));
  SetPixel(p, 1, 1, Rgb(0, 0, 255), 0);
  SetPixel(p, 2, 1, Rgb(0, 255, 0), 0);
  const std::vector<uint8_t> bmp = EncodeImageFile(p, ImageFormat::Bmp);
  ASSERT_EQ(bmp[28], 32);
  ASSERT_TRUE(SetObjectPictureFromFile(d, 0, Write("keyed.bmp", bmp), "bmp", services));
  // Bottom-up rows: the last row of the picture is read first.
  EXPECT_EQ(d.object(0).TransColor, Rgb(0, 0, 255));
  EXPECT_EQ(PixelColour(ObjectPicture(), 2, 1), Rgb(0, 255, 0)) << "the pixels are kept as they are";
}

TEST_F(PictureTest, BrokenBitmapFilesAreToldAndGiveNoPicture) {
  ASSERT_FALSE(SetObjectPictureFromFile(d, 0, Write("fake.bmp", {'N', 'O', 'T', 'B', 'M', 'P'}), "bmp", services));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "形式判別エラー\nビットマップファイルの情報取得に失敗しました");
  EXPECT_EQ(d.object(0).Image, 0);
  EXPECT_FALSE(SetObjectPictureFromFile(d, 0, folder_ + "/missing.bmp", "bmp", services));
  EXPECT_EQ(messages.shown.back().text, "ファイルオープンエラー\nビットマップファイルの情報取得に失敗しました");
  EXPECT_FALSE(SetObjectPictureFromFile(d, 0, Write("junk.png", {1, 2, 3}), "png", services));
  EXPECT_EQ(messages.shown.size(), 2u) << "a PNG that does not decode is not told";
}

TEST_F(PictureTest, AJpegIsStoredByteForByte) {
  const std::vector<uint8_t> jpeg = EncodeImageFile(Filled(16, 8, Rgb(90, 80, 70)), ImageFormat::Jpeg);
  ASSERT_TRUE(SetObjectPictureFromFile(d, 0, Write("photo.jpg", jpeg), "jpeg", services));
  EXPECT_EQ(PictureToBytes(ObjectPicture()), jpeg);
  DocumentPictureCodec codec;
  PictureBudget budget;
  const auto reread = codec.Decode(codec.Encode(ObjectPicture()), budget);
  ASSERT_NE(reread, nullptr);
  EXPECT_EQ(codec.Encode(*reread), jpeg);
}

TEST_F(PictureTest, AJpegReplacingATransparentPictureLeavesNoTransparency) {
  d.object(0).TransColor = Rgb(255, 255, 255);
  const std::vector<uint8_t> jpeg = EncodeImageFile(Filled(8, 8, Rgb(1, 2, 3)), ImageFormat::Jpeg);
  ASSERT_TRUE(SetObjectPictureFromFile(d, 0, Write("p.jpeg", jpeg), "jpeg", services));
  EXPECT_EQ(d.object(0).TransColor, kNoColour);
}

TEST_F(PictureTest, BuiltInPicturesAreWhiteKeyedAndSizedByTheirKindsDefaults) {
  DocumentPictureCodec codec;
  UndoHistory undo(folder_, codec);
  services.undo = &undo;
  settings.WriteInt("BoxDef", "ImageW", 48);
  ASSERT_TRUE(SetObjectBuiltInPicture(d, 0, 5, services));
  EXPECT_EQ(d.object(0).DefImage, 5);
  EXPECT_EQ(d.object(0).TransColor, Rgb(255, 255, 255));
  EXPECT_EQ(d.object(0).ImageW[1], 35);
  EXPECT_EQ(d.object(0).ImageH[3], 35);
  EXPECT_EQ(ObjectPicture().width, 85);
  EXPECT_EQ(undo.UndoCount(), 1);

  d.object(0).IsEndNode = 0;
  ASSERT_TRUE(SetObjectBuiltInPicture(d, 0, 17, services));
  EXPECT_EQ(d.object(0).ImageW[0], 48);

  EXPECT_FALSE(SetObjectBuiltInPicture(d, 0, 18, services));
  EXPECT_EQ(messages.shown.back().text, "イメージの読込みに失敗しました");
  EXPECT_EQ(d.object(0).DefImage, 0);
  EXPECT_EQ(d.object(0).Image, 0);
}

TEST_F(PictureTest, ADuplicateOwnsItsOwnEqualPicture) {
  ASSERT_TRUE(SetObjectBuiltInPicture(d, 0, 2, services));
  testing::AddNode(d, 2);
  d.object(1) = d.object(0);
  d.table.pictures[1] = std::make_unique<Picture>(ObjectPicture());
  DuplicatePicture(d, 1);
  ASSERT_NE(d.table.pictures[1], nullptr);
  EXPECT_NE(d.table.pictures[1].get(), d.table.pictures[0].get());
  EXPECT_EQ(d.table.pictures[1]->bgra, ObjectPicture().bgra);
}

TEST_F(PictureTest, SavedBitmapsAreScaledAndKeyed) {
  Picture p = Filled(10, 10, Rgb(255, 255, 255));
  SetPixel(p, 5, 5, Rgb(200, 0, 0), 255);
  const std::string path = folder_ + "/icon.png";
  ASSERT_TRUE(SaveBitmapWithKeyColour(p, 20, 20, path, "PNG", Rgb(255, 255, 255), messages));
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto decoded = DecodeImageFile(bytes);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->width, 20);
  EXPECT_EQ(decoded->bgra[3], 0) << "white is transparent";

  EXPECT_FALSE(SaveBitmapAsFile(p, 5, 5, folder_ + "/x.webp", "webp", 100, messages));
  EXPECT_EQ(messages.shown.back().text, "メモリの確保に失敗しました");
}

}  // namespace
}  // namespace ravelo

namespace ravelo {
namespace {

TEST_F(PictureTest, PicturesSurviveADocumentSavedAndOpenedAgain) {
  const std::vector<uint8_t> jpeg = EncodeImageFile(Filled(24, 12, Rgb(200, 100, 50)), ImageFormat::Jpeg);
  ASSERT_TRUE(SetObjectPictureFromFile(d, 0, Write("photo.jpg", jpeg), "jpeg", services));
  testing::AddNode(d, 2);
  auto damaged = std::make_unique<Picture>();
  damaged->fileBytes = {'B', 'M', 1, 2, 3};
  SetPicture(d, 1, std::move(damaged));
  testing::AddNode(d, 3);
  ASSERT_TRUE(SetObjectBuiltInPicture(d, 2, 9, services));

  DocumentPictureCodec codec;
  NoProgress progress;
  GcabCabinet cabinet;
  DocumentServices documents{messages, progress, codec, settings, cabinet, folder_ + "/work"};
  ASSERT_TRUE(SaveDocument(d, folder_ + "/pictures.rvl", {0, 0}, documents));
  Diagram opened;
  ASSERT_TRUE(OpenDocument(opened, folder_ + "/pictures.rvl", documents));
  ASSERT_EQ(opened.count(), 3);
  ASSERT_NE(opened.table.pictures[0], nullptr);
  EXPECT_EQ(PictureToBytes(*opened.table.pictures[0]), jpeg);
  EXPECT_EQ(opened.object(1).Image, 0) << "a picture that does not decode is dropped";
  ASSERT_NE(opened.table.pictures[2], nullptr) << "and the one after it is still read";
  EXPECT_EQ(opened.table.pictures[2]->width, 85);
  EXPECT_EQ(PictureToBytes(*opened.table.pictures[2]), PictureToBytes(*d.table.pictures[2]));
}

}  // namespace
}  // namespace ravelo

namespace ravelo {
namespace {

class FakeClipboard final : public Clipboard {
 public:
  bool HasPicture() override { return picture.result == ClipboardRead::Done; }
  ClipboardPicture ReadPicture() override { return picture; }
  ClipboardPicture picture;
};

TEST_F(PictureTest, AClipboardPictureGoesAsJpegIntoEverySelectedObjectKeepingTheirSizes) {
  testing::AddNode(d, 2);
  testing::AddNode(d, 3);
  d.state(0).Selected = 1;
  d.state(2).Selected = 1;
  d.object(2).ImageW[0] = 77;
  d.object(2).TransColor = Rgb(255, 255, 255);
  d.object(2).DefImage = 4;
  FakeClipboard clipboard;
  clipboard.picture.result = ClipboardRead::Done;
  clipboard.picture.pixels = Filled(640, 480, Rgb(30, 60, 90));
  DocumentPictureCodec codec;
  UndoHistory undo(folder_, codec);
  ASSERT_TRUE(PasteClipboardPicture(d, clipboard, &undo, messages));
  EXPECT_EQ(undo.UndoCount(), 1);
  EXPECT_EQ(d.object(1).Image, 0) << "not selected";
  for (int i : {0, 2}) {
    ASSERT_NE(d.table.pictures[static_cast<std::size_t>(i)], nullptr);
    EXPECT_EQ(DetectImageFormat(d.table.pictures[static_cast<std::size_t>(i)]->fileBytes), ImageFormat::Jpeg);
    EXPECT_EQ(d.table.pictures[static_cast<std::size_t>(i)]->width, 640) << "no fitting to 200 pixels";
  }
  EXPECT_NE(d.table.pictures[0].get(), d.table.pictures[2].get());
  EXPECT_EQ(d.object(2).ImageW[0], 77);
  EXPECT_EQ(d.object(2).TransColor, kNoColour);
  EXPECT_EQ(d.object(2).DefImage, 0);
}

TEST_F(PictureTest, AClipboardWithoutPictureIsToldAndChangesNothing) {
  d.state(0).Selected = 1;
  FakeClipboard clipboard;
  struct Case {
    ClipboardRead result;
    const char* prefix;
  };
  for (const Case c : {Case{ClipboardRead::CannotOpen, "クリップボードオープンエラー\n"},
                       Case{ClipboardRead::NoBitmap, "クリップボードからの取得エラー\n"},
                       Case{ClipboardRead::CannotConvert, "DIBへの変換エラー\n"}}) {
    clipboard.picture.result = c.result;
    EXPECT_FALSE(PasteClipboardPicture(d, clipboard, nullptr, messages));
    EXPECT_EQ(messages.shown.back().text, std::string(c.prefix) + "クリップボードからのイメージ取得に失敗しました");
    EXPECT_EQ(messages.shown.back().icon, MessageIcon::Stop);
  }
  EXPECT_EQ(d.object(0).Image, 0);
}

}  // namespace
}  // namespace ravelo
