#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <cstdint>
#include <ctime>

#include "platform/cab/gcab_cabinet.h"
#include "tests/support/scratch_folder.h"

namespace ravelo {
namespace {

using testing::FolderEntries;
using testing::Quoted;
using testing::ReadFileBytes;
using testing::RunTool;
using testing::ScratchFolder;
using testing::WriteFileBytes;

// Bytes that compress a little, like the pictures and records of a real document.
std::string MixedBytes(std::size_t size, uint32_t seed) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) {
    seed = seed * 1103515245u + 12345u;
    bytes[i] = (i / 64) % 4 == 0 ? static_cast<char>('A' + i % 7) : static_cast<char>(seed >> 16);
  }
  return bytes;
}

uint16_t Le16(const std::string& bytes, std::size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
}

uint32_t Le32(const std::string& bytes, std::size_t at) {
  return Le16(bytes, at) | static_cast<uint32_t>(Le16(bytes, at + 2)) << 16;
}

// Offsets of the fixed cabinet header and the entries that follow it (no reserved areas).
constexpr std::size_t kCabinetSize = 8, kFirstFileEntry = 16, kFolderCount = 26, kFileCount = 28, kFlags = 30,
                      kSetId = 32, kFirstFolderEntry = 36;

constexpr uint64_t kAnySize = UINT64_MAX;

class GcabCabinetTest : public ::testing::Test {
 protected:
  // Packs bytes held in a source file under memberName and returns the cabinet's bytes.
  std::string PackBytes(const std::string& bytes, const std::string& memberName) {
    WriteFileBytes(scratch / "source", bytes);
    EXPECT_TRUE(cabinet.Pack(scratch / "source", memberName, scratch / "packed.cab"));
    return ReadFileBytes(scratch / "packed.cab");
  }

  ScratchFolder scratch;
  GcabCabinet cabinet;
};

TEST_F(GcabCabinetTest, PacksOneMszipFolderWithOneStampedMemberThatCabextractRestores) {
  const std::string body = MixedBytes(100000, 7);  // several 32 kB data blocks
  WriteFileBytes(scratch / "body", body);
  std::tm local{};
  local.tm_year = 2023 - 1900;
  local.tm_mon = 3;
  local.tm_mday = 5;
  local.tm_hour = 6;
  local.tm_min = 7;
  local.tm_sec = 8;
  local.tm_isdst = -1;
  const utimbuf times{std::mktime(&local), std::mktime(&local)};
  ASSERT_EQ(utime((scratch / "body").c_str(), &times), 0);
  WriteFileBytes(scratch / "b.rvl", std::string(300000, 'x'));  // longer than the cabinet

  ASSERT_TRUE(cabinet.Pack(scratch / "body", "b.rvl", scratch / "b.rvl"));

  const std::string cab = ReadFileBytes(scratch / "b.rvl");
  ASSERT_GT(cab.size(), 60u);
  EXPECT_EQ(cab.substr(0, 4), "MSCF");
  EXPECT_EQ(Le32(cab, kCabinetSize), cab.size()) << "the old contents were replaced, not overwritten";
  EXPECT_EQ(Le16(cab, kFolderCount), 1);
  EXPECT_EQ(Le16(cab, kFileCount), 1);
  EXPECT_EQ(Le16(cab, kFlags), 0) << "no reserved areas, no chained cabinets";
  EXPECT_EQ(Le16(cab, kSetId), 0);
  EXPECT_EQ(Le16(cab, kFirstFolderEntry + 6), 1) << "MSZIP";
  EXPECT_LT(Le32(cab, kFirstFolderEntry), cab.size());
  const std::size_t file = Le32(cab, kFirstFileEntry);
  EXPECT_EQ(Le32(cab, file), body.size());
  EXPECT_EQ(Le16(cab, file + 10), (2023 - 1980) << 9 | 4 << 5 | 5) << "DOS date, local time";
  EXPECT_EQ(Le16(cab, file + 12), 6 << 11 | 7 << 5 | 8 / 2) << "DOS time, local time";
  EXPECT_EQ(Le16(cab, file + 14), 0x20) << "archive bit only";
  EXPECT_EQ(cab.substr(file + 16, 6), std::string("b.rvl\0", 6));

  const auto listing = RunTool("cabextract -l " + Quoted(scratch / "b.rvl"));
  EXPECT_EQ(listing.status, 0) << listing.output;
  EXPECT_NE(listing.output.find("05.04.2023 06:07:08 | b.rvl"), std::string::npos) << listing.output;
  EXPECT_EQ(RunTool("cabextract -t " + Quoted(scratch / "b.rvl")).status, 0);
  const auto extracted = RunTool("cabextract -q -p " + Quoted(scratch / "b.rvl"));
  EXPECT_EQ(extracted.status, 0);
  EXPECT_TRUE(extracted.output == body) << "cabextract gives back other bytes";
}

TEST_F(GcabCabinetTest, MarksANonAsciiMemberNameAsUtf8) {
  PackBytes("body", "関係図.rvl");
  const auto listing = RunTool("cabextract -l " + Quoted(scratch / "packed.cab"));
  EXPECT_NE(listing.output.find("| 関係図.rvl"), std::string::npos) << listing.output;
}

TEST_F(GcabCabinetTest, PackFailsWithoutSourceOrWritableTarget) {
  WriteFileBytes(scratch / "source", "body");
  std::filesystem::create_directory(scratch / "folder");
  EXPECT_FALSE(cabinet.Pack(scratch / "missing", "a.rvl", scratch / "a.cab"));
  EXPECT_FALSE(cabinet.Pack(scratch / "folder", "a.rvl", scratch / "a.cab"));
  EXPECT_FALSE(cabinet.Pack(scratch / "source", "a.rvl", scratch / "no/such/folder/a.cab"));
  EXPECT_FALSE(cabinet.Pack(scratch / "source", "a.rvl", scratch / "folder"));
}

struct ForeignCabinet {
  const char* name;
  const char* gcabOptions;
  const char* memberPath;  // as given to the gcab command, relative to the scratch folder
};

void PrintTo(const ForeignCabinet& c, std::ostream* out) { *out << c.name; }

class ForeignCabinetTest : public GcabCabinetTest, public ::testing::WithParamInterface<ForeignCabinet> {};

TEST_P(ForeignCabinetTest, ExtractsTheMemberUnderOurOwnName) {
  const ForeignCabinet& c = GetParam();
  const std::string body = MixedBytes(70000, 3);
  std::filesystem::create_directories(std::filesystem::path(scratch / c.memberPath).parent_path());
  WriteFileBytes(scratch / c.memberPath, body);
  const auto made = RunTool("cd " + Quoted(scratch.path()) + " && gcab -c " + c.gcabOptions +
                            " foreign.cab " + Quoted(c.memberPath));
  ASSERT_EQ(made.status, 0) << made.output;
  std::filesystem::create_directory(scratch / "out");

  ASSERT_TRUE(cabinet.ExtractFirst(scratch / "foreign.cab", scratch / "out/body", kAnySize));

  EXPECT_TRUE(ReadFileBytes(scratch / "out/body") == body);
  EXPECT_EQ(FolderEntries(scratch / "out"), std::vector<std::string>{"body"});
}

INSTANTIATE_TEST_SUITE_P(Writers, ForeignCabinetTest,
                         ::testing::Values(ForeignCabinet{"MszipOtherName", "-z -n", "other-name.dat"},
                                           ForeignCabinet{"Uncompressed", "-n", "plain.bin"},
                                           ForeignCabinet{"MszipMemberInSubfolders", "-z", "sub/dir/x.rvl"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GcabCabinetTest, ExtractsOnlyTheFirstOfSeveralMembers) {
  WriteFileBytes(scratch / "first.bin", "first member");
  WriteFileBytes(scratch / "second.bin", "second member");
  ASSERT_EQ(
      RunTool("cd " + Quoted(scratch.path()) + " && gcab -c -z -n many.cab first.bin second.bin").status, 0);
  std::filesystem::create_directory(scratch / "out");

  ASSERT_TRUE(cabinet.ExtractFirst(scratch / "many.cab", scratch / "out/body", kAnySize));

  EXPECT_EQ(ReadFileBytes(scratch / "out/body"), "first member");
  EXPECT_EQ(FolderEntries(scratch / "out"), std::vector<std::string>{"body"});
}

TEST_F(GcabCabinetTest, NeverLetsAMemberNameWriteOutsideTheDestination) {
  const std::string outside = scratch.path() + "-escaped.rvl";  // beside the scratch folder, in /tmp
  const std::string hostileNames[] = {"../../escape.rvl", "..\\..\\escape.rvl", outside, "sub/../../x.rvl"};
  for (const std::string& hostile : hostileNames) {
    SCOPED_TRACE(hostile);
    const std::string placeholder(hostile.size(), 'n');
    std::string cab = PackBytes("body bytes", placeholder);
    const std::size_t name = cab.find(placeholder);
    ASSERT_NE(name, std::string::npos);
    cab.replace(name, hostile.size(), hostile);  // names carry no checksum
    WriteFileBytes(scratch / "hostile.cab", cab);
    std::filesystem::create_directories(scratch / "inner/deep");

    ASSERT_TRUE(cabinet.ExtractFirst(scratch / "hostile.cab", scratch / "inner/deep/body", kAnySize));

    EXPECT_EQ(ReadFileBytes(scratch / "inner/deep/body"), "body bytes");
    EXPECT_EQ(FolderEntries(scratch / "inner/deep"), std::vector<std::string>{"body"});
    EXPECT_EQ(FolderEntries(scratch / "inner"), std::vector<std::string>{"deep"});
    EXPECT_FALSE(std::filesystem::exists(scratch / "escape.rvl"));
    EXPECT_FALSE(std::filesystem::exists(scratch / "x.rvl"));
    EXPECT_FALSE(std::filesystem::exists(outside));
    std::filesystem::remove(outside);
  }
}

TEST_F(GcabCabinetTest, RefusesAMemberLargerThanAllowedBeforeWritingAnyOfIt) {
  std::string cab = PackBytes(MixedBytes(70000, 5), "a.rvl");
  std::filesystem::create_directory(scratch / "out");
  EXPECT_FALSE(cabinet.ExtractFirst(scratch / "packed.cab", scratch / "out/body", 69999));
  EXPECT_TRUE(FolderEntries(scratch / "out").empty());
  EXPECT_TRUE(cabinet.ExtractFirst(scratch / "packed.cab", scratch / "out/body", 70000));

  // A member that declares 4 GiB (the size carries no checksum) is refused without a byte written.
  const std::size_t file = Le32(cab, kFirstFileEntry);
  cab.replace(file, 4, "\xF0\xFF\xFF\xFF");
  WriteFileBytes(scratch / "huge.cab", cab);
  std::filesystem::remove(scratch / "out/body");
  EXPECT_FALSE(cabinet.ExtractFirst(scratch / "huge.cab", scratch / "out/body", uint64_t{1} << 31));
  EXPECT_TRUE(FolderEntries(scratch / "out").empty());
}

TEST_F(GcabCabinetTest, RefusesWhatIsNoWholeCabinet) {
  const std::string cab = PackBytes(MixedBytes(90000, 11), "a.rvl");
  const std::size_t data = Le32(cab, kFirstFolderEntry);
  std::vector<std::pair<std::string, std::string>> damaged = {
      {"missing", ""},
      {"empty", ""},
      {"text", "this is not a cabinet"},
      {"no members", cab.substr(0, kFileCount) + std::string(2, '\0') + cab.substr(kFileCount + 2)},
  };
  for (std::size_t length :
       {1ul, 4ul, 20ul, 36ul, 44ul, data, data + 4, data + 100, cab.size() / 2, cab.size() - 1})
    damaged.push_back({"cut at " + std::to_string(length), cab.substr(0, length)});
  for (std::size_t at = data; at < cab.size(); at += 1999) {
    std::string flipped = cab;
    flipped[at] = static_cast<char>(flipped[at] ^ 0x10);
    damaged.push_back({"flipped at " + std::to_string(at), flipped});
  }
  std::filesystem::create_directory(scratch / "out");
  for (const auto& [name, bytes] : damaged) {
    SCOPED_TRACE(name);
    if (name != "missing") WriteFileBytes(scratch / "damaged.cab", bytes);
    EXPECT_FALSE(cabinet.ExtractFirst(scratch / (name == "missing" ? "none.cab" : "damaged.cab"),
                                      scratch / "out/body", kAnySize));
  }
}

}  // namespace
}  // namespace ravelo
