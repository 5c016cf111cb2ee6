#include "render/font.h"

#include <gtest/gtest.h>

#include "model/cp932.h"
#include "tests/support/recording_surface.h"

namespace ravelo {
namespace {

using testing::RecordingSurface;

TEST(MakeFont, ScalesTheSizeByTheZoomOnADisplay) {
  RecordingSurface display;
  EXPECT_EQ(MakeFont(display, "", 12, 1.0f, false, false, false).height, -16);
  EXPECT_EQ(MakeFont(display, "", 12, 0.5f, false, false, false).height, -8);
  EXPECT_EQ(MakeFont(display, "", 11, 1.0f, false, false, false).height, -15) << "14.67 rounds up";
  EXPECT_EQ(MakeFont(display, "", 12, 0.1f, false, false, false).height, -3) << "at least 2 points";
}

TEST(MakeFont, KeepsTheStoredSizeOnAPrinter) {
  RecordingSurface printer;
  printer.caps = {true, 600, 600};
  EXPECT_EQ(MakeFont(printer, "", 12, 0.5f, false, false, false).height, -100);
  EXPECT_EQ(MakeFont(printer, "", 12, 3.0f, false, false, false).height, -100);
}

TEST(MakeFont, NamesTheFaceInUtf8AndWritesVerticallyWithTheAtFace) {
  RecordingSurface display;
  const Font plain = MakeFont(display, "", 9, 1.0f, true, true, false);
  EXPECT_EQ(plain.face, "Meiryo UI");
  EXPECT_TRUE(plain.bold);
  EXPECT_TRUE(plain.italic);
  EXPECT_EQ(plain.escapement, 0);

  const std::string gothic = Utf8ToCp932("ＭＳ ゴシック").text;
  const Font vertical = MakeFont(display, gothic, 9, 1.0f, false, false, true);
  EXPECT_EQ(vertical.face, "@ＭＳ ゴシック");
  EXPECT_EQ(vertical.escapement, 2700);
  EXPECT_FALSE(vertical.bold);
  EXPECT_EQ(MakeFont(display, "", 9, 1.0f, false, false, true).face, "@Meiryo UI");
}

TEST(MakeFont, BoundsTheSizeOfADamagedDocument) {
  RecordingSurface display;
  EXPECT_EQ(MakeFont(display, "", 2000000000, 4.0f, false, false, false).height, -1333);
}

}  // namespace
}  // namespace ravelo
