#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace ravelo {
namespace {

CommandLine Parse(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "ravelo");
  return ParseCommandLine(static_cast<int>(arguments.size()), arguments.data(), "/home/u/work");
}

TEST(CommandLine, TheFirstPlainArgumentIsTheDocumentMadeAbsolute) {
  EXPECT_FALSE(Parse({}).document);
  EXPECT_EQ(Parse({"a.rvl"}).document, "/home/u/work/a.rvl");
  EXPECT_EQ(Parse({"../x/./b.rvl", "c.rvl"}).document, "/home/u/x/b.rvl");
  EXPECT_EQ(Parse({"/d/文書.rvl"}).document, "/d/文書.rvl");
}

TEST(CommandLine, TestOptionsTakeTheirValuesAndOtherOptionsArePassedOver) {
  const CommandLine line = Parse({"--sync", "--test-script", "s.txt", "--test-log", "/t/log", "doc.rvl"});
  EXPECT_EQ(line.testScript, "s.txt");
  EXPECT_EQ(line.testLog, "/t/log");
  EXPECT_EQ(line.document, "/home/u/work/doc.rvl");
  EXPECT_EQ(Parse({"--test-log"}).testLog, "") << "an option without its value is no option";
}

}  // namespace
}  // namespace ravelo
