#include "search/dictionary.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "model/cp932.h"
#include "search/dictionary_folder.h"
#include "tests/support/recording_messages.h"
#include "tests/support/scratch_folder.h"

namespace ravelo {
namespace {

using testing::ReadFileBytes;
using testing::RecordingMessages;
using testing::ScratchFolder;
using testing::WriteFileBytes;

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).text; }
PhrasePair Pair(const char* before, const char* after) { return {Sjis(before), Sjis(after)}; }

TEST(ParseDictionary, PairsSplitAtTheFirstTab) {
  const ParsedDictionary parsed = ParseDictionary(Sjis("東京\t東京都\r\nno tab\r\na\tb\tc\r\n\r\nlast\tline"));
  ASSERT_EQ(parsed.fault, DictionaryFault::None);
  EXPECT_EQ(parsed.pairs, (std::vector<PhrasePair>{Pair("東京", "東京都"), Pair("a", "b\tc"), Pair("last", "line")}));
  EXPECT_TRUE(ParseDictionary("").pairs.empty());
}

TEST(ParseDictionary, OnlyTheFirstFiveHundredLinesCount) {
  std::string bytes;
  for (int line = 1; line <= 600; ++line) bytes += "p" + std::to_string(line) + (line % 2 ? "\tx\r\n" : "\r\n");
  const ParsedDictionary parsed = ParseDictionary(bytes);
  ASSERT_EQ(parsed.pairs.size(), 250u);
  EXPECT_EQ(parsed.pairs.back().before, "p499");
}

TEST(ParseDictionary, FaultsNameTheirLine) {
  const ParsedDictionary longLine = ParseDictionary("a\tb\r\n" + std::string(10000, 'x') + "\tb\r\n");
  EXPECT_EQ(longLine.fault, DictionaryFault::LineTooLong);
  EXPECT_EQ(longLine.faultLine, 2);
  const ParsedDictionary broken = ParseDictionary("a\tb\r\nc\td\r\n\x83\r\n");
  EXPECT_EQ(broken.fault, DictionaryFault::NotCp932);
  EXPECT_EQ(broken.faultLine, 3);
  EXPECT_TRUE(broken.pairs.empty());
  // UTF-8 Japanese that happens to be well-formed cp932 is still recognised.
  const ParsedDictionary utf8 = ParseDictionary("東京\t東京都\r\n");
  EXPECT_EQ(utf8.fault, DictionaryFault::NotCp932);
  // A line beyond the 500th is never looked at.
  std::string tail;
  for (int line = 0; line < 500; ++line) tail += "a\tb\r\n";
  EXPECT_EQ(ParseDictionary(tail + std::string(5000, '\xFF')).fault, DictionaryFault::None);
}

TEST(DictionaryFile, RewriteRoundTripsByteForByte) {
  ScratchFolder folder;
  const std::string path = folder / "d";
  const std::string bytes = Sjis("東京都庁\t都庁\r\n東京\t東京都\r\nｶﾀｶﾅ\tカタカナ\t全角\r\n");
  WriteFileBytes(path, bytes);
  RecordingMessages messages;
  const auto pairs = ReadDictionaryFile(path, "d", messages);
  ASSERT_TRUE(pairs);
  EXPECT_EQ(FormatDictionary(*pairs), bytes);
  // Adding a pair and deleting it again gives the same file back.
  ASSERT_TRUE(WriteDictionaryPair(path, Pair("大阪", "大坂"), std::nullopt, messages));
  EXPECT_EQ(ReadFileBytes(path), bytes + Sjis("大阪\t大坂\r\n"));
  ASSERT_TRUE(DeleteDictionaryPair(path, Pair("大阪", "大坂"), messages));
  EXPECT_EQ(ReadFileBytes(path), bytes);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(testing::FolderEntries(folder.path()), std::vector<std::string>{"d"});
}

TEST(DictionaryFile, NewPairGoesBeforeTheFirstPairItContains) {
  ScratchFolder folder;
  const std::string path = folder / "d";
  WriteFileBytes(path, Sjis("東京\t東京都\r\n"));
  RecordingMessages messages;
  ASSERT_TRUE(WriteDictionaryPair(path, Pair("東京都庁", "都庁"), std::nullopt, messages));
  EXPECT_EQ(ReadFileBytes(path), Sjis("東京都庁\t都庁\r\n東京\t東京都\r\n"));
}

TEST(DictionaryFile, SameBeforeTextIsRefusedAndTheFileStays) {
  ScratchFolder folder;
  const std::string path = folder / "d";
  const std::string bytes = Sjis("東京\t東京都\r\nhand edited line\r\n");
  WriteFileBytes(path, bytes);
  RecordingMessages messages;
  EXPECT_FALSE(WriteDictionaryPair(path, Pair("東京", "首都"), std::nullopt, messages));
  EXPECT_EQ(messages.shown.back().text, "『東京』は、既に登録されています");
  // Modifying only the after-text is refused the same way.
  EXPECT_FALSE(WriteDictionaryPair(path, Pair("東京", "首都"), Pair("東京", "東京都"), messages));
  EXPECT_EQ(ReadFileBytes(path), bytes);
  // A new before-text replaces the old pair; the line without a TAB is dropped.
  ASSERT_TRUE(WriteDictionaryPair(path, Pair("江戸", "東京"), Pair("東京", "東京都"), messages));
  EXPECT_EQ(ReadFileBytes(path), Sjis("江戸\t東京\r\n"));
}

TEST(DictionaryFile, FiveHundredPairsAreTheMost) {
  ScratchFolder folder;
  const std::string path = folder / "d";
  std::string bytes;
  for (int i = 0; i < 500; ++i) bytes += "p" + std::to_string(i) + "\tx\r\n";
  WriteFileBytes(path, bytes);
  RecordingMessages messages;
  EXPECT_FALSE(WriteDictionaryPair(path, Pair("new", "x"), std::nullopt, messages));
  EXPECT_EQ(messages.shown.back().text, "置換辞書に登録できる語句は500件までです");
  EXPECT_EQ(ReadFileBytes(path), bytes);
}

TEST(DictionaryFile, BadFilesAreRefusedWithTheirReason) {
  ScratchFolder folder;
  RecordingMessages messages;
  std::filesystem::create_directory(folder / "dir");
  ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);  // opening must not wait for a writer
  WriteFileBytes(folder / "long", std::string(10000, 'a') + "\tb\r\n");
  WriteFileBytes(folder / "binary", std::string("a\tb\r\n\xFF\xFE\x00\x01", 9));
  EXPECT_FALSE(ReadDictionaryFile(folder / "dir", "dir", messages));
  EXPECT_EQ(messages.shown.back().text, "『dir』\n置換辞書のファイルではありません");
  EXPECT_FALSE(ReadDictionaryFile(folder / "fifo", "fifo", messages));
  EXPECT_EQ(messages.shown.back().text, "『fifo』\n置換辞書のファイルではありません");
  EXPECT_FALSE(ReadDictionaryFile(folder / "long", "long", messages));
  EXPECT_EQ(messages.shown.back().text, "『long』の1行目が長すぎるため(1行1024バイトまで)、この置換辞書は使えません");
  EXPECT_FALSE(ReadDictionaryFile(folder / "binary", "binary", messages));
  EXPECT_EQ(messages.shown.back().text.rfind("『binary』の2行目がシフトJIS", 0), 0u);
  EXPECT_FALSE(WriteDictionaryPair(folder / "missing", Pair("a", "b"), std::nullopt, messages));
  EXPECT_EQ(messages.shown.back().text, folder / "missing" + "\n置換辞書ファイルが見つかりません");
  // A bad file is never rewritten.
  EXPECT_FALSE(WriteDictionaryPair(folder / "long", Pair("x", "y"), std::nullopt, messages));
  EXPECT_EQ(ReadFileBytes(folder / "long").size(), 10004u);
}

TEST(DictionaryFolder, ListsRegularFilesAndMakesItselfWhenMissing) {
  ScratchFolder documents;
  RecordingMessages messages;
  const DictionaryFolder folder(documents.path() + "/");
  EXPECT_EQ(folder.path(), documents / "dic");
  EXPECT_FALSE(folder.Exists());
  ASSERT_TRUE(folder.Ensure(messages));
  EXPECT_TRUE(folder.Exists());
  WriteFileBytes(folder.PathOf("Tokyo.txt"), "");
  WriteFileBytes(folder.PathOf(".hidden"), "");
  std::filesystem::create_directory(folder.PathOf("sub"));
  ASSERT_EQ(mkfifo(folder.PathOf("pipe").c_str(), 0600), 0);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"Tokyo.txt"});
  EXPECT_EQ(FindByPrefix(folder.Names(), "tok"), 0);  // the prefix search ignores case
  EXPECT_EQ(FindByPrefix(folder.Names(), "kyo"), -1);

  ASSERT_TRUE(folder.Create("大阪", messages));
  EXPECT_FALSE(folder.Create("大阪", messages));
  EXPECT_EQ(messages.shown.back().text, "ファイルの作成に失敗\nアクセス権がない可能性があります");
  EXPECT_FALSE(folder.Rename("大阪", "Tokyo.txt", messages));  // never over another file
  EXPECT_EQ(messages.shown.back().text, "変更に失敗しました。他で使用している可能性があります");
  ASSERT_TRUE(folder.Rename("大阪", "京都", messages));
  messages.answer = MessageAnswer::No;
  EXPECT_FALSE(folder.Delete("京都", messages));
  EXPECT_EQ(messages.shown.back().text, "『京都』を削除してもよろしいですか\n※ 元に戻せませんのでご注意ください");
  messages.answer = MessageAnswer::Yes;
  ASSERT_TRUE(folder.Delete("京都", messages));
  EXPECT_EQ(testing::FolderEntries(folder.path()), (std::vector<std::string>{".hidden", "Tokyo.txt", "pipe", "sub"}));
}

TEST(DictionaryFolder, FolderThatCannotBeMadeIsReported) {
  ScratchFolder documents;
  WriteFileBytes(documents / "dic", "a file in the way");
  RecordingMessages messages;
  EXPECT_FALSE(DictionaryFolder(documents.path() + "/").Ensure(messages));
  EXPECT_EQ(messages.shown.back().text, "置換辞書管理用フォルダの作成に失敗しました");
}

TEST(DictionaryName, RefusedNamesAndTheirMessages) {
  struct NameCase {
    std::string name;
    const char* message;  // empty: accepted
  };
  const std::string invalid = "\nファイル名に使用できない文字のチェック(\\/:*?\"<>|)";
  const NameCase cases[] = {
      {"地名.txt", ""},
      {"ソ表", ""},  // characters whose cp932 trail byte is a backslash are fine in a file name
      {"", "テキストが入力されていません"},
      {std::string(20, 'a'), "文字数が既定の長さを超えています"},
      {"a:b", ""},
      {"../up", ""},
      {"a\\b", ""},
      {"..", "この名前は置換辞書名に使えません\n(「.」で始まる名前、「..」、制御文字は使えません)"},
      {"a..b", "この名前は置換辞書名に使えません\n(「.」で始まる名前、「..」、制御文字は使えません)"},
      {".hidden", "この名前は置換辞書名に使えません\n(「.」で始まる名前、「..」、制御文字は使えません)"},
      {"tab\there", "この名前は置換辞書名に使えません\n(「.」で始まる名前、「..」、制御文字は使えません)"},
  };
  for (const NameCase& c : cases) {
    RecordingMessages messages;
    const bool accepted = CheckDictionaryName(c.name, 20, messages);
    std::string expected = c.message;
    if (c.name == "a:b") expected = ":" + invalid;
    if (c.name == "../up") expected = "/" + invalid;
    if (c.name == "a\\b") expected = "\\" + invalid;
    EXPECT_EQ(accepted, expected.empty()) << c.name;
    EXPECT_EQ(messages.shown.empty() ? "" : messages.shown.back().text, expected) << c.name;
  }
}

}  // namespace
}  // namespace ravelo
