#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/cairo/cairo_surface.h"
#include "render/font.h"

namespace ravelo {
namespace {

constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kGreen = Rgb(180, 230, 180);

Font Face(std::string face, int height = -20, int escapement = 0) {
  return Font{.face = std::move(face), .height = height, .escapement = escapement};
}
Font Vertical(std::string face = "@Meiryo UI", int height = -20) {
  return Face(std::move(face), height, 2700);
}

// A picture of the ink of a drawing: which pixels differ from the background, cropped to them.
struct Mask {
  int width = 0, height = 0;
  std::vector<bool> ink;
  bool at(int x, int y) const { return ink[static_cast<std::size_t>(y * width + x)]; }
};

class CairoTextTest : public ::testing::Test {
 protected:
  void SetUp() override { Clear(); }

  void Clear() {
    surface_ = CairoSurface::CreateImage(160, 120);
    ASSERT_NE(surface_, nullptr);
    surface_->FillRect({0, 0, 160, 120}, kGreen);
    surface_->SetTransparentBackground(true);
    surface_->SetTextColour(kBlack);
  }

  std::vector<Colour> Pixels() {
    std::vector<Colour> pixels;
    for (int y = 0; y < 120; ++y) {
      for (int x = 0; x < 160; ++x) pixels.push_back(surface_->PixelAt({x, y}));
    }
    return pixels;
  }

  // Pixels covered at least half by ink count.
  bool Inked(int x, int y) {
    const Colour c = surface_->PixelAt({x, y});
    return RedOf(c) + GreenOf(c) + BlueOf(c) < (RedOf(kGreen) + GreenOf(kGreen) + BlueOf(kGreen)) / 2;
  }

  Rect Ink() {
    Rect ink{160, 120, 0, 0};
    for (int y = 0; y < 120; ++y) {
      for (int x = 0; x < 160; ++x) {
        if (!Inked(x, y)) continue;
        ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
               std::max(ink.bottom, y + 1)};
      }
    }
    return ink;
  }

  Mask InkMask() {
    const Rect box = Ink();
    Mask mask{box.right - box.left, box.bottom - box.top, {}};
    for (int y = box.top; y < box.bottom; ++y) {
      for (int x = box.left; x < box.right; ++x) mask.ink.push_back(Inked(x, y));
    }
    return mask;
  }

  std::unique_ptr<CairoSurface> surface_;
};

Mask QuarterTurn(const Mask& m) {  // clockwise
  Mask turned{m.height, m.width, std::vector<bool>(m.ink.size())};
  for (int y = 0; y < m.height; ++y) {
    for (int x = 0; x < m.width; ++x)
      turned.ink[static_cast<std::size_t>(x * turned.width + (m.height - 1 - y))] = m.at(x, y);
  }
  return turned;
}

// The share of pixels on which two masks agree, over the larger of their boxes.
double Agreement(const Mask& a, const Mask& b) {
  const int width = std::max(a.width, b.width), height = std::max(a.height, b.height);
  int same = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool inA = x < a.width && y < a.height && a.at(x, y);
      const bool inB = x < b.width && y < b.height && b.at(x, y);
      same += inA == inB ? 1 : 0;
    }
  }
  return static_cast<double>(same) / (width * height);
}

TEST_F(CairoTextTest, WindowsJapaneseFacesDrawInTheInstalledJapaneseFace) {
  const std::string text = "Ravelo 関係図 123";
  surface_->SetFont(Face("IPAexGothic"));
  surface_->DrawText({5, 5}, text);
  const std::vector<Colour> expected = Pixels();
  for (const char* face : {"Meiryo UI", "ＭＳ ゴシック", "ＭＳ Ｐゴシック", "MS UI Gothic", "ＭＳ 明朝"}) {
    Clear();
    surface_->SetFont(Face(face));
    surface_->DrawText({5, 5}, text);
    EXPECT_EQ(Pixels(), expected) << face;
  }
  Clear();
  surface_->SetFont(Face("DejaVu Sans"));
  surface_->DrawText({5, 5}, text);
  EXPECT_NE(Pixels(), expected) << "a face of its own draws differently";
}

TEST_F(CairoTextTest, ExtentsArePixelsOfTheFontHeightOnOneLine) {
  surface_->SetFont(MakeFont(*surface_, "", 12, 1.0f, false, false, false));  // 16 pixels at 96 dpi
  const Size one = surface_->TextExtent("図");
  EXPECT_EQ(one.width, 16);
  EXPECT_GE(one.height, 16);
  EXPECT_LE(one.height, 24);
  EXPECT_EQ(surface_->TextExtent("図図").width, 32);
  EXPECT_EQ(surface_->TextExtent("図\n図"), (Size{32, one.height})) << "line feeds do not break the line";
  EXPECT_EQ(surface_->TextExtent(""), (Size{0, 0}));
  surface_->SetFont(MakeFont(*surface_, "", 24, 1.0f, false, false, false));
  EXPECT_EQ(surface_->TextExtent("図").width, 32) << "a new font measures anew";
  surface_->SetFont(MakeFont(*surface_, "", 12, 1.0f, false, false, false));
  EXPECT_EQ(surface_->TextExtent("図"), one);

  surface_->SetFont(Vertical("@Meiryo UI", -16));
  EXPECT_EQ(surface_->TextExtent("図図").width, 32) << "measured along the column";
}

TEST_F(CairoTextTest, AVerticalTitleRunsDownLeftOfItsPoint) {
  surface_->SetFont(Vertical());
  surface_->DrawText({80, 10}, "関係図の例");
  const Rect ink = Ink();
  EXPECT_GT(ink.bottom - ink.top, 3 * (ink.right - ink.left)) << "taller than wide";
  EXPECT_LE(ink.right, 80);
  EXPECT_GE(ink.left, 80 - 24);
  EXPECT_GE(ink.top, 10);
}

TEST_F(CairoTextTest, VerticalCjkGlyphsStayUprightAndLatinTurnsSideways) {
  surface_->SetFont(Face("Meiryo UI", -40));
  surface_->DrawText({10, 10}, "係");
  const Mask across = InkMask();
  Clear();
  surface_->SetFont(Vertical("@Meiryo UI", -40));
  surface_->DrawText({100, 10}, "係");
  const Mask down = InkMask();
  EXPECT_GT(Agreement(down, across), 0.9);
  EXPECT_GT(Agreement(down, across), Agreement(down, QuarterTurn(across)) + 0.05);

  Clear();
  surface_->SetFont(Vertical("@Meiryo UI", -40));
  surface_->DrawText({100, 10}, "I");
  const Rect sideways = Ink();
  EXPECT_GT(sideways.right - sideways.left, 2 * (sideways.bottom - sideways.top)) << "an I lies on its side";
}

TEST_F(CairoTextTest, VerticalWritingUsesTheVerticalFormsOfPunctuation) {
  surface_->SetFont(Face("Meiryo UI", -40));
  surface_->DrawText({10, 10}, "ー");
  const Rect bar = Ink();
  EXPECT_GT(bar.right - bar.left, 3 * (bar.bottom - bar.top)) << "across the page the bar lies flat";
  Clear();
  surface_->SetFont(Vertical("@Meiryo UI", -40));
  surface_->DrawText({100, 10}, "ー");
  const Rect upright = Ink();
  EXPECT_GT(upright.bottom - upright.top, 3 * (upright.right - upright.left)) << "down the page it stands";

  // The comma moves from the lower left of its square to the upper right.
  Clear();
  surface_->SetFont(Vertical("@Meiryo UI", -40));
  const Size cell = surface_->TextExtent("、");
  surface_->DrawText({100, 10}, "、");
  const Rect comma = Ink();
  EXPECT_GT(comma.left + comma.right, 2 * 100 - cell.height) << "in the right half of the column";
  EXPECT_LT(comma.top + comma.bottom, 2 * 10 + cell.width) << "in the upper half of its square";
}

TEST_F(CairoTextTest, TextIsSmoothWhileShapesAreCrispAndTakesTheTextColour) {
  surface_->SetTextColour(Rgb(200, 0, 0));
  surface_->SetFont(Face("Meiryo UI", -30));
  surface_->DrawText({10, 10}, "関係図");
  int blended = 0, full = 0;
  for (Colour c : Pixels()) {
    if (c == Rgb(200, 0, 0)) ++full;
    if (c != kGreen && c != Rgb(200, 0, 0)) ++blended;
  }
  EXPECT_GT(full, 20);
  EXPECT_GT(blended, 20);
}

TEST_F(CairoTextTest, AnOpaqueBackgroundPaintsTheCellWhite) {
  surface_->SetFont(Face("Meiryo UI"));
  surface_->DrawText({10, 10}, "図");
  EXPECT_EQ(surface_->PixelAt({11, 11}), kGreen) << "transparent";
  surface_->SetTransparentBackground(false);
  surface_->DrawText({10, 50}, "図");
  EXPECT_EQ(surface_->PixelAt({11, 51}), kWhite);
}

TEST_F(CairoTextTest, TextInARectangleAlignsAndCentresVertically) {
  surface_->SetFont(Face("Meiryo UI"));
  const Rect box{10, 10, 150, 60};
  surface_->DrawTextInRect(box, "図", {TextAlign::Left, TextLines::SingleLine, true});
  const Rect left = Ink();
  EXPECT_LE(left.left, 13);
  EXPECT_NEAR((left.top + left.bottom) / 2.0, 35, 3);
  Clear();
  surface_->DrawTextInRect(box, "図", {TextAlign::Centre, TextLines::SingleLine, false});
  const Rect centre = Ink();
  EXPECT_NEAR((centre.left + centre.right) / 2.0, 80, 2);
  EXPECT_LE(centre.top, 14) << "at the top without vertical centring";
  Clear();
  surface_->DrawTextInRect(box, "図", {TextAlign::Right, TextLines::WordBreak, false});
  const Rect right = Ink();
  EXPECT_GE(right.right, 147);
  EXPECT_LE(right.right, 150);
}

TEST_F(CairoTextTest, WordBreakWrapsAtTheWidthAndSingleLineIsCutAtTheEdge) {
  surface_->SetFont(Face("Meiryo UI", -16));
  const std::string text = "関係図関係図";  // 96 pixels
  surface_->DrawTextInRect({10, 10, 50, 110}, text, {TextAlign::Left, TextLines::WordBreak, false});
  const Rect wrapped = Ink();
  EXPECT_GT(wrapped.bottom - wrapped.top, 2 * 16) << "three lines";
  EXPECT_LE(wrapped.right, 50);
  Clear();
  surface_->DrawTextInRect({10, 10, 50, 110}, text, {TextAlign::Left, TextLines::SingleLine, false});
  const Rect line = Ink();
  EXPECT_LT(line.bottom - line.top, 20) << "one line";
  EXPECT_EQ(line.right, 50) << "cut off at the rectangle";
  Clear();
  surface_->DrawTextInRect({10, 10, 150, 110}, "図\n図", {TextAlign::Left, TextLines::WordBreak, false});
  EXPECT_GT(Ink().bottom - Ink().top, 16) << "a line feed starts a line";
}

}  // namespace
}  // namespace ravelo
