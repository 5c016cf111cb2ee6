#include "model/body_io.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <sstream>

#include "tests/support/diagram_builder.h"
#include "tests/support/recording_messages.h"
#include "tests/support/recording_progress.h"

namespace ravelo {
namespace {

using testing::RecordingMessages;
using testing::RecordingProgress;

// Refuses picture data that starts with "BAD", as a decoder refuses a damaged file.
class PickyCodec final : public PictureCodec {
 public:
  std::unique_ptr<Picture> Decode(std::span<const uint8_t> bytes, PictureBudget& budget) const override {
    if (bytes.size() >= 3 && std::memcmp(bytes.data(), "BAD", 3) == 0) return nullptr;
    return OpaquePictureCodec().Decode(bytes, budget);
  }
  std::vector<uint8_t> Encode(const Picture& picture) const override { return picture.fileBytes; }
};

struct BodyTest : ::testing::Test {
  RecordingMessages messages;
  RecordingProgress progress;
  PickyCodec codec;
  BodyServices services{messages, progress, codec};

  std::string Write(const Diagram& d) {
    std::ostringstream out;
    EXPECT_TRUE(WriteBody(out, d, services));
    return out.str();
  }
  bool Read(const std::string& bytes, Diagram& d) {
    std::istringstream in(bytes);
    return ReadBody(in, d, services);
  }
  std::string LastMessage() const { return messages.shown.empty() ? "" : messages.shown.back().text; }
};

std::unique_ptr<Picture> PictureOf(const std::string& bytes) {
  auto p = std::make_unique<Picture>();
  p->fileBytes.assign(bytes.begin(), bytes.end());
  return p;
}

// Three objects with every byte of their records (reserved ones too) set at random, the middle one
// without picture.
Diagram ScrambledDiagram() {
  Diagram d;
  std::mt19937 random(7);
  auto* header = reinterpret_cast<unsigned char*>(&d.header);
  for (std::size_t i = 0; i < sizeof(DocumentHeader); ++i) header[i] = static_cast<unsigned char>(random());
  d.header.ObjectCount = 3;
  for (int i = 0; i < 3; ++i) {
    auto* bytes = reinterpret_cast<unsigned char*>(&d.object(i));
    for (std::size_t k = 0; k < sizeof(DiagramObject); ++k) bytes[k] = static_cast<unsigned char>(random());
  }
  SetPicture(d, 0, PictureOf("first picture"));
  SetPicture(d, 1, nullptr);
  SetPicture(d, 2, PictureOf("third"));
  return d;
}

TEST_F(BodyTest, WrittenAndReadBackIsTheSameByteForByte) {
  const Diagram original = ScrambledDiagram();
  const std::string bytes = Write(original);
  ASSERT_EQ(bytes.substr(0, 10), "RVL001    ");
  ASSERT_EQ(bytes.size(), 1126u + 3 * 1528 + (4 + 13) + (4 + 5));
  EXPECT_EQ(bytes.substr(1126 + 3 * 1528, 4), std::string("\0\0\0\x0D", 4)) << "big-endian length";

  Diagram read;
  ASSERT_TRUE(Read(bytes, read));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(std::memcmp(&read.header, &original.header, sizeof(DocumentHeader)), 0);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(std::memcmp(&read.object(i), &original.object(i), sizeof(DiagramObject)), 0) << i;
  ASSERT_NE(read.table.pictures[0], nullptr);
  EXPECT_EQ(read.table.pictures[1], nullptr);
  EXPECT_EQ(Write(read), bytes);
}

TEST_F(BodyTest, DrivesTheProgressBar) {
  Write(ScrambledDiagram());
  EXPECT_EQ(progress.calls, (std::vector<std::string>{"range 3", "pos 0", "pos 1", "pos 2", "pos 3",
                                                      "pause 100", "pos 0"}));
  progress.calls.clear();
  Diagram d;
  ASSERT_TRUE(Read(Write(Diagram{}), d));
  EXPECT_EQ(progress.calls.front(), "range 3") << "the write of the fixture comes first";
  EXPECT_EQ(std::vector<std::string>(progress.calls.end() - 6, progress.calls.end()),
            (std::vector<std::string>{"range 2", "pos 0", "pos 1", "pos 2", "pause 100", "pos 0"}));
}

TEST_F(BodyTest, AnEmptyDocumentIsTheMagicAndTheHeader) {
  Diagram empty;
  RandomSource random;
  ResetToNewDocument(empty, random, 3);
  const std::string bytes = Write(empty);
  ASSERT_EQ(bytes.size(), 1126u);
  Diagram read;
  ASSERT_TRUE(Read(bytes, read));
  EXPECT_EQ(read.count(), 0);
  EXPECT_EQ(std::memcmp(&read.header, &empty.header, sizeof(DocumentHeader)), 0);
}

TEST_F(BodyTest, VersionsOneAndTwoAreReadOthersRefused) {
  const std::string body = Write(Diagram{});
  struct Case {
    const char* version;
    bool accepted;
  };
  for (const Case c : {Case{"001", true}, Case{"002", true}, Case{"000", false}, Case{"003", false},
                       Case{"01a", false}}) {
    std::string bytes = body;
    bytes.replace(3, 3, c.version);
    Diagram d;
    messages.shown.clear();
    EXPECT_EQ(Read(bytes, d), c.accepted) << c.version;
    if (!c.accepted) {
      EXPECT_EQ(LastMessage(), std::string("ver ") + c.version + "\nこのドキュメントバージョンには対応できません");
    }
  }
}

TEST_F(BodyTest, AnythingButRvlMagicIsAnotherFormat) {
  for (const std::string& bytes : {std::string("PK\3\4 not a body at all, longer than ten"), std::string("RV")}) {
    Diagram d;
    EXPECT_FALSE(Read(bytes, d));
    EXPECT_EQ(LastMessage(), "ファイル形式が異なります");
    EXPECT_EQ(messages.shown.back().icon, MessageIcon::Stop);
  }
}

TEST_F(BodyTest, AtMost2000ObjectsAreAccepted) {
  Diagram full;
  for (int i = 0; i < 2000; ++i) testing::AddNode(full, i + 1);
  std::string bytes = Write(full);
  Diagram d;
  ASSERT_TRUE(Read(bytes, d));
  EXPECT_EQ(d.count(), 2000);

  const int32_t tooMany = 2001;
  std::memcpy(&bytes[10 + offsetof(DocumentHeader, ObjectCount)], &tooMany, 4);
  bytes += std::string(1528, '\0');
  Diagram refused;
  EXPECT_FALSE(Read(bytes, refused));
  EXPECT_EQ(LastMessage(), "2001 > 2000\nオブジェクトの最大セット件数を超えました");
  EXPECT_EQ(refused.count(), 0);
  EXPECT_EQ(refused.header.ViewWidth[0], full.header.ViewWidth[0]) << "the header read stays";
}

TEST_F(BodyTest, ANegativeObjectCountIsRefused) {
  std::string bytes = Write(Diagram{});
  const int32_t negative = -4;
  std::memcpy(&bytes[10 + offsetof(DocumentHeader, ObjectCount)], &negative, 4);
  Diagram d;
  EXPECT_FALSE(Read(bytes, d));
  EXPECT_EQ(d.count(), 0);
}

TEST_F(BodyTest, AnyNonZeroImageFieldAnnouncesABlob) {
  Diagram d;
  testing::AddNode(d, 1);
  testing::AddNode(d, 2);
  SetPicture(d, 0, PictureOf("pic"));
  std::string bytes = Write(d);
  const int32_t handle = 0x12345678;
  std::memcpy(&bytes[1126 + offsetof(DiagramObject, Image)], &handle, 4);
  Diagram read;
  ASSERT_TRUE(Read(bytes, read));
  EXPECT_EQ(read.object(0).Image, 1);
  EXPECT_EQ(read.table.pictures[0]->fileBytes, std::vector<uint8_t>({'p', 'i', 'c'}));
  EXPECT_EQ(read.object(1).Image, 0);
}

TEST_F(BodyTest, ABlobThatDoesNotDecodeLeavesThatObjectWithoutPictureOnly) {
  Diagram d;
  for (int i = 0; i < 3; ++i) testing::AddNode(d, i + 1);
  SetPicture(d, 0, PictureOf("BAD data"));
  SetPicture(d, 1, PictureOf(""));  // a picture that cannot be serialised: stored as an empty blob
  SetPicture(d, 2, PictureOf("good"));
  Diagram read;
  ASSERT_TRUE(Read(Write(d), read));
  EXPECT_EQ(read.object(0).Image, 0);
  EXPECT_EQ(read.object(1).Image, 0);
  ASSERT_EQ(read.object(2).Image, 1);
  EXPECT_EQ(read.table.pictures[2]->fileBytes, std::vector<uint8_t>({'g', 'o', 'o', 'd'}));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(BodyTest, ALyingBlobLengthAllocatesNothingAndGivesNoPicture) {
  Diagram d;
  testing::AddNode(d, 1);
  SetPicture(d, 0, PictureOf("tiny"));
  std::string bytes = Write(d);
  bytes.replace(1126 + 1528, 4, "\xFF\xFF\xFF\xF0");
  Diagram read;
  ASSERT_TRUE(Read(bytes, read));
  EXPECT_EQ(read.object(0).Image, 0);
  EXPECT_EQ(read.table.pictures[0], nullptr);
}

// Every cut of a body either is refused with a message (header or records incomplete) or reads
// with the pictures that are whole.
TEST_F(BodyTest, EveryTruncationIsRefusedOrReadWithoutTheCutPictures) {
  const std::string bytes = Write(ScrambledDiagram());
  const std::size_t records = 1126 + 3 * 1528;
  // Every length around the boundaries and through the blobs, and a sample inside the records.
  std::set<std::size_t> lengths;
  for (std::size_t boundary : {std::size_t{0}, std::size_t{10}, std::size_t{1126}, records})
    for (std::size_t near = boundary >= 3 ? boundary - 3 : 0; near <= boundary + 3; ++near) lengths.insert(near);
  for (std::size_t length = 0; length < records; length += 61) lengths.insert(length);
  for (std::size_t length = records; length < bytes.size(); ++length) lengths.insert(length);
  for (const std::size_t length : lengths) {
    Diagram d;
    messages.shown.clear();
    const bool read = Read(bytes.substr(0, length), d);
    if (length < records) {
      EXPECT_FALSE(read) << length;
      EXPECT_EQ(messages.shown.size(), 1u) << length;
      EXPECT_EQ(d.count(), 0) << length;
    } else {
      ASSERT_TRUE(read) << length;
      EXPECT_EQ(d.count(), 3);
      EXPECT_EQ(d.object(2).Image, 0) << "the last picture is cut at " << length;
      EXPECT_EQ(d.object(0).Image, length >= records + 17 ? 1 : 0) << length;
    }
  }
}

}  // namespace
}  // namespace ravelo
