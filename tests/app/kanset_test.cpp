#include "app/kanset.h"

#include <gtest/gtest.h>

#include "tests/support/memory_settings.h"

namespace ravelo {
namespace {

using testing::MemorySettings;

class Kanset : public ::testing::Test {
 protected:
  bool Stored(const char* key) const { return settings.values.count({"SYS", key}) == 1; }
  std::string Value(const char* key) const { return settings.values.at({"SYS", key}); }

  MemorySettings settings;
  SystemSettings held;
};

TEST_F(Kanset, IsFilledFromTheStoreAndTheHeldValues) {
  settings.values[{"SYS", "FirstOpen"}] = "1";
  settings.values[{"SYS", "MakeBackup"}] = "0";
  held.PlayAnime = 6;
  held.SpeedAnime = 4;
  held.SelPart = 2;
  held.DspGuide = 0;
  const KansetValues v = LoadKanset(settings, held);
  EXPECT_TRUE(v.FirstOpen);
  EXPECT_TRUE(v.BkColRnd) << "default 1";
  EXPECT_FALSE(v.MakeBackup);
  EXPECT_TRUE(v.PlayAnime);
  EXPECT_EQ(v.AnimeCount, 6);
  EXPECT_EQ(v.SpeedAnime, 4);
  EXPECT_EQ(v.SelPart, 2);
  EXPECT_FALSE(v.DspGuide);
}

TEST_F(Kanset, AnimationOffShowsThreeAndOutOfRangeChoicesShowTheFirst) {
  held.PlayAnime = 0;
  held.SpeedAnime = 7;
  held.SelPart = -1;
  const KansetValues v = LoadKanset(settings, held);
  EXPECT_FALSE(v.PlayAnime);
  EXPECT_EQ(v.AnimeCount, 3);
  EXPECT_EQ(v.SpeedAnime, 0);
  EXPECT_EQ(v.SelPart, 0);
}

TEST_F(Kanset, TheTypedAnimationCountIsLimitedToOneToTen) {
  const std::pair<const char*, int> cases[] = {
      {"0", 1}, {"1", 1}, {"7", 7},  {"10", 10}, {"25", 10},
      {"", 1},  {"x", 1}, {"-3", 1}, {"007", 7}, {"99999999999999999999", 10}};
  for (const auto& [typed, expected] : cases) EXPECT_EQ(ParseAnimeCount(typed), expected) << typed;
}

TEST_F(Kanset, ConfirmingWritesTheThreeFlagsAlwaysAndTheHeldValuesOnlyWhenChanged) {
  KansetValues v = LoadKanset(settings, held);
  SaveKanset(settings, held, v);
  EXPECT_EQ(Value("FirstOpen"), "0");
  EXPECT_EQ(Value("BkColRnd"), "1");
  EXPECT_EQ(Value("MakeBackup"), "1");
  for (const char* unchanged : {"PlayAnime", "SpeedAnime", "SelPart", "DspGuide"})
    EXPECT_FALSE(Stored(unchanged)) << unchanged;

  v.AnimeCount = 25;
  v.SpeedAnime = 3;
  v.SelPart = 1;
  v.DspGuide = false;
  SaveKanset(settings, held, v);
  EXPECT_EQ(Value("PlayAnime"), "10");
  EXPECT_EQ(Value("SpeedAnime"), "3");
  EXPECT_EQ(Value("SelPart"), "1");
  EXPECT_EQ(Value("DspGuide"), "0");
  EXPECT_EQ(held.PlayAnime, 10) << "the held copy takes the new values at once";
  EXPECT_EQ(held.SpeedAnime, 3);
  EXPECT_EQ(held.SelPart, 1);
  EXPECT_EQ(held.DspGuide, 0);
}

TEST_F(Kanset, AnUntickedAnimationStoresZeroWhateverTheCount) {
  KansetValues v = LoadKanset(settings, held);
  v.PlayAnime = false;
  v.AnimeCount = 8;
  SaveKanset(settings, held, v);
  EXPECT_EQ(Value("PlayAnime"), "0");
  EXPECT_EQ(held.PlayAnime, 0);
}

TEST_F(Kanset, AValueChangedOnlyInMemoryIsComparedWithTheHeldCopy) {
  // F2 switched the guide off in memory; the dialog shows it off and writes nothing for it.
  held.DspGuide = 0;
  settings.values[{"SYS", "DspGuide"}] = "1";
  SaveKanset(settings, held, LoadKanset(settings, held));
  EXPECT_EQ(Value("DspGuide"), "1");
}

}  // namespace
}  // namespace ravelo
