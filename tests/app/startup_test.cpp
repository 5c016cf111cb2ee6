#include "app/startup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/memory_settings.h"
#include "tests/support/recording_messages.h"

namespace ravelo {
namespace {

using ::testing::ElementsAre;
using testing::MemorySettings;
using testing::RecordingMessages;

// Answers the start-up questions as set up by a test and records each step asked for.
class ScriptedPlatform final : public StartupPlatform {
 public:
  bool ClaimSingleInstance() override { return Log("instance", !otherInstance); }
  int ColourDepth() override {
    calls.push_back("depth");
    return depth;
  }
  bool AllocateDocument() override { return Log("allocate", allocates); }
  PrinterCheck PrepareDefaultPrinter(int paperSize, int orientation) override {
    calls.push_back("printer " + std::to_string(paperSize) + " " + std::to_string(orientation));
    return printer;
  }
  bool CreateMainFrame() override { return Log("frame", frameCreated); }
  void NewDocument() override { calls.push_back("new"); }
  bool OpenDocument(const std::string& path) override { return Log("open " + path, path != unopenable); }
  void ShowMainWindow(bool maximised) override { calls.push_back(maximised ? "show maximised" : "show"); }
  int RibbonCategoryCount() override {
    calls.push_back("ribbon");
    return ribbonCategories;
  }

  bool otherInstance = false;
  int depth = 24;
  bool allocates = true;
  PrinterCheck printer = PrinterCheck::NotConfigured;
  bool frameCreated = true;
  std::string unopenable;
  int ribbonCategories = 1;
  std::vector<std::string> calls;

 private:
  bool Log(std::string call, bool result) {
    calls.push_back(std::move(call));
    return result;
  }
};

class Startup : public ::testing::Test {
 protected:
  bool Run(std::optional<std::string> documentPath = std::nullopt) {
    return RunStartup(platform, settings, messages, documentPath, "/home/u/Documents", state);
  }
  void Store(const char* section, const char* key, const std::string& value) {
    settings.values[{section, key}] = value;
  }

  ScriptedPlatform platform;
  MemorySettings settings;
  RecordingMessages messages;
  StartupState state;
};

TEST_F(Startup, RunsEveryStepInOrderAndEndsWithANewDocument) {
  EXPECT_TRUE(Run());
  EXPECT_THAT(platform.calls,
              ElementsAre("instance", "depth", "allocate", "printer 9 1", "frame", "new", "show", "ribbon"));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(state.documentsFolder, "/home/u/Documents/");
}

TEST_F(Startup, ASecondInstanceIsToldAndEndsBeforeTouchingAnything) {
  platform.otherInstance = true;
  Store("SYS", "PlayAnime", "7");
  EXPECT_FALSE(Run());
  EXPECT_THAT(platform.calls, ElementsAre("instance"));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "既に起動しています");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Stop);
  EXPECT_EQ(settings.values.size(), 1u) << "nothing may be written by the second instance";
}

struct FailureCase {
  const char* name;
  void (*arrange)(ScriptedPlatform&);
  const char* lastCall;
  const char* text;  // empty: the step told the user itself
  MessageIcon icon;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

const FailureCase kFailures[] = {
    {"ColourDepth8", [](ScriptedPlatform& p) { p.depth = 8; }, "depth",
     "現在のモニタ色深度は、8ビットです\nこのソフトは、16, 24, 32ビット以外では正常に動作しません",
     MessageIcon::Information},
    {"ColourDepth15", [](ScriptedPlatform& p) { p.depth = 15; }, "depth",
     "現在のモニタ色深度は、15ビットです\nこのソフトは、16, 24, 32ビット以外では正常に動作しません",
     MessageIcon::Information},
    {"NoMemory", [](ScriptedPlatform& p) { p.allocates = false; }, "allocate", "メモリの確保に失敗しました",
     MessageIcon::Stop},
    {"PrinterFailed", [](ScriptedPlatform& p) { p.printer = PrinterCheck::Failed; }, "printer 9 1",
     "プリンタの初期化に失敗しました", MessageIcon::Stop},
    {"FrameNotCreated", [](ScriptedPlatform& p) { p.frameCreated = false; }, "frame", "", MessageIcon::None},
    {"RibbonWithoutCategory", [](ScriptedPlatform& p) { p.ribbonCategories = 0; }, "ribbon",
     "リボンメニューの初期化に失敗しました", MessageIcon::Stop},
};

class StartupFailure : public Startup, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(StartupFailure, EndsAtTheFailingStepWithItsMessage) {
  GetParam().arrange(platform);
  EXPECT_FALSE(Run());
  ASSERT_FALSE(platform.calls.empty());
  EXPECT_EQ(platform.calls.back(), GetParam().lastCall);
  if (*GetParam().text == '\0') {
    EXPECT_TRUE(messages.shown.empty());
  } else {
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, GetParam().text);
    EXPECT_EQ(messages.shown[0].icon, GetParam().icon);
  }
}

INSTANTIATE_TEST_SUITE_P(Steps, StartupFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Startup, ColourDepthsTheProgramWorksWithOrCannotKnowPass) {
  for (int depth : {0, 16, 24, 32}) {
    platform.depth = depth;
    EXPECT_TRUE(Run()) << depth;
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Startup, APrinterThatIsNotConfiguredPassesAndAReadyOneGetsTheStoredPaper) {
  platform.printer = PrinterCheck::Ready;
  Store("Insatu", "PaperSize", "8");
  Store("Insatu", "Orientation", "2");
  EXPECT_TRUE(Run());
  EXPECT_EQ(platform.calls[3], "printer 8 2");
}

TEST_F(Startup, AnOrientationOtherThanPortraitOrLandscapeIsPortrait) {
  for (const char* stored : {"3", "0", "-1"}) {
    platform.calls.clear();
    Store("Insatu", "Orientation", stored);
    EXPECT_TRUE(Run());
    EXPECT_EQ(platform.calls[3], "printer 9 1") << stored;
  }
}

TEST_F(Startup, TheHeldSystemValuesAreReadBeforeTheFrameExists) {
  Store("SYS", "PlayAnime", "7");
  Store("SYS", "DspGuide", "0");
  platform.frameCreated = false;
  EXPECT_FALSE(Run());
  // A frame closed by this failure writes back what was read, not blank values.
  EXPECT_EQ(state.held.PlayAnime, 7);
  EXPECT_EQ(state.held.DspGuide, 0);
  EXPECT_EQ(state.held.GridFoward, 1);
}

TEST_F(Startup, ACommandLineDocumentIsOpenedInsteadOfANewOne) {
  EXPECT_TRUE(Run("/d/a.rvl"));
  EXPECT_THAT(platform.calls, ElementsAre("instance", "depth", "allocate", "printer 9 1", "frame",
                                          "open /d/a.rvl", "show", "ribbon"));
}

TEST_F(Startup, ACommandLineDocumentThatDoesNotOpenEndsTheProgram) {
  platform.unopenable = "/d/bad.rvl";
  EXPECT_FALSE(Run("/d/bad.rvl"));
  EXPECT_EQ(platform.calls.back(), "open /d/bad.rvl");
}

TEST_F(Startup, MaximisedWhenTheLastSessionSaysSo) {
  Store("Last", "Zoomed", "1");
  EXPECT_TRUE(Run());
  EXPECT_EQ(platform.calls[6], "show maximised");
}

TEST_F(Startup, FirstOpenOpensTheMostRecentDocumentAfterTheRibbonCheck) {
  Store("SYS", "FirstOpen", "1");
  Store("Recent File List", "File1", "/d/recent.rvl");
  Store("Recent File List", "File2", "/d/older.rvl");
  EXPECT_TRUE(Run());
  EXPECT_THAT(platform.calls, ElementsAre("instance", "depth", "allocate", "printer 9 1", "frame", "new",
                                          "show", "ribbon", "open /d/recent.rvl"));
}

TEST_F(Startup, FirstOpenWithAnEmptyRecentListStartsWithANewDocumentAndNoMessage) {
  Store("SYS", "FirstOpen", "1");
  EXPECT_TRUE(Run());
  EXPECT_EQ(platform.calls.back(), "ribbon");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Startup, FirstOpenGivesWayToTheCommandLine) {
  Store("SYS", "FirstOpen", "1");
  Store("Recent File List", "File1", "/d/recent.rvl");
  EXPECT_TRUE(Run("/d/named.rvl"));
  EXPECT_EQ(platform.calls[5], "open /d/named.rvl");
  EXPECT_EQ(platform.calls.back(), "ribbon");
}

TEST_F(Startup, ARecentDocumentThatNoLongerOpensLeavesTheProgramRunning) {
  Store("SYS", "FirstOpen", "1");
  Store("Recent File List", "File1", "/d/gone.rvl");
  platform.unopenable = "/d/gone.rvl";
  EXPECT_TRUE(Run());
  EXPECT_EQ(platform.calls.back(), "open /d/gone.rvl");
}

TEST_F(Startup, FirstOpenIsOnlyTakenWhenItIsOne) {
  Store("SYS", "FirstOpen", "2");
  Store("Recent File List", "File1", "/d/recent.rvl");
  EXPECT_TRUE(Run());
  EXPECT_EQ(platform.calls.back(), "ribbon");
}

}  // namespace
}  // namespace ravelo
