#include "platform/image_file.h"

#include <gtest/gtest.h>

#include "platform/codec/document_picture_codec.h"
#include "tests/codec/picture_files.h"

namespace ravelo {
namespace {

using Bytes = std::vector<uint8_t>;
using testing::ReadFixture;

TEST(DetectImageFormat, ReadsTheMagicBytes) {
  const std::pair<Bytes, ImageFormat> cases[] = {
      {{'B', 'M', 0, 0}, ImageFormat::Bmp},
      {{0xFF, 0xD8, 0xFF, 0xE0}, ImageFormat::Jpeg},
      {{'G', 'I', 'F', '8', '7', 'a'}, ImageFormat::Gif},
      {{'G', 'I', 'F', '8', '9', 'a'}, ImageFormat::Gif},
      {{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, ImageFormat::Png},
      {{'I', 'I', 42, 0}, ImageFormat::Tiff},
      {{'M', 'M', 0, 42}, ImageFormat::Tiff},
      {{'I', 'I', 43, 0}, ImageFormat::Tiff},
      {{'G', 'I', 'F', '8', '8', 'a'}, ImageFormat::Unknown},
      {{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A}, ImageFormat::Unknown},
      {{0xFF, 0xD8}, ImageFormat::Unknown},
      {{'B'}, ImageFormat::Unknown},
      {{}, ImageFormat::Unknown},
  };
  for (const auto& [bytes, format] : cases)
    EXPECT_EQ(DetectImageFormat(bytes), format) << bytes.size() << " bytes";
}

TEST(ImageFormatNames, ExtensionsAnyCaseEncoderNamesExactly) {
  const std::pair<const char*, ImageFormat> extensions[] = {
      {"jpg", ImageFormat::Jpeg},  {"JPEG", ImageFormat::Jpeg},   {"Gif", ImageFormat::Gif},
      {"bmp", ImageFormat::Bmp},   {"PNG", ImageFormat::Png},     {"tif", ImageFormat::Tiff},
      {"TIFF", ImageFormat::Tiff}, {"jpe", ImageFormat::Unknown}, {".png", ImageFormat::Unknown},
      {"", ImageFormat::Unknown},
  };
  for (const auto& [extension, format] : extensions)
    EXPECT_EQ(ImageFormatOfExtension(extension), format) << extension;

  for (const ImageFormat format :
       {ImageFormat::Bmp, ImageFormat::Jpeg, ImageFormat::Gif, ImageFormat::Png, ImageFormat::Tiff}) {
    EXPECT_EQ(ImageFormatOfEncoderName(ImageFormatName(format)), format);
  }
  EXPECT_EQ(ImageFormatName(ImageFormat::Jpeg), "jpeg");
  EXPECT_EQ(ImageFormatName(ImageFormat::Tiff), "tiff");
  EXPECT_EQ(ImageFormatName(ImageFormat::Unknown), "");
  for (const char* notAnEncoder : {"jpg", "tif", "PNG", "image/png", ""}) {
    EXPECT_EQ(ImageFormatOfEncoderName(notAnEncoder), ImageFormat::Unknown) << notAnEncoder;
  }
}

TEST(PictureChecks, PixelDataAndTransparency) {
  Picture picture = testing::MakeTestPicture(3, 2, false);
  EXPECT_TRUE(HasPixelData(picture));
  EXPECT_FALSE(HasTransparency(picture));
  picture.bgra[4 * 5 + 3] = 254;
  EXPECT_TRUE(HasTransparency(picture));
  picture.height = 3;
  EXPECT_FALSE(HasPixelData(picture));
  EXPECT_FALSE(HasPixelData(Picture{}));
}

TEST(DocumentPictureCodec, KeepsJpegBytesVerbatimAndWritesThemBack) {
  const DocumentPictureCodec codec;
  PictureBudget budget;
  const Bytes jpeg = ReadFixture("jpeg-420.jpg");
  const std::unique_ptr<Picture> picture = codec.Decode(jpeg, budget);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->fileBytes, jpeg);
  EXPECT_EQ(picture->width, 32);
  EXPECT_EQ(picture->height, 24);
  EXPECT_EQ(codec.Encode(*picture), jpeg);
}

TEST(DocumentPictureCodec, KeepsFilesVerbatimAndWritesPicturesOfPixelsAsBmpOf24Or32Bits) {
  const DocumentPictureCodec codec;
  PictureBudget budget;
  for (const auto& [file, bits] : {std::pair{"png-rgb.png", 24}, std::pair{"gif-plain.gif", 24},
                                   std::pair{"png-rgba.png", 32}, std::pair{"tiff-rgba.tif", 32}}) {
    const Bytes original = ReadFixture(file);
    std::unique_ptr<Picture> picture = codec.Decode(original, budget);
    ASSERT_TRUE(picture) << file;
    EXPECT_EQ(codec.Encode(*picture), original) << file << ": a decoded file is written back as it came";
    picture->fileBytes.clear();  // as after a change of its pixels
    const Bytes stored = codec.Encode(*picture);
    ASSERT_EQ(DetectImageFormat(stored), ImageFormat::Bmp) << file;
    EXPECT_EQ(stored[28], bits) << file;
    const std::unique_ptr<Picture> reread = codec.Decode(stored, budget);
    ASSERT_TRUE(reread) << file;
    EXPECT_EQ(reread->bgra, picture->bgra) << file << ": alpha and the colour of clear pixels survive";
  }
}

TEST(DocumentPictureCodec, RefusesWhatDoesNotDecodeAndWritesNothingForAnEmptyPicture) {
  const DocumentPictureCodec codec;
  PictureBudget budget;
  EXPECT_FALSE(codec.Decode({}, budget));
  EXPECT_FALSE(codec.Decode(Bytes{'B', 'M', 1, 2, 3}, budget));
  EXPECT_FALSE(codec.Decode(Bytes(100, 0x55), budget));
  EXPECT_TRUE(codec.Encode(Picture{}).empty());
  Picture bytesOnly;
  bytesOnly.fileBytes = {1, 2, 3};
  EXPECT_EQ(codec.Encode(bytesOnly), (Bytes{1, 2, 3}));
}

}  // namespace
}  // namespace ravelo
