#include "model/object_defaults.h"

#include <gtest/gtest.h>

#include "model/cp932.h"
#include "tests/support/diagram_builder.h"
#include "tests/support/memory_settings.h"
#include "tests/support/recording_messages.h"

namespace ravelo {
namespace {

struct CreateObjectTest : ::testing::Test {
  testing::MemorySettings settings;
  testing::RecordingMessages messages;
  RandomSource random{5};
  ObjectServices services{settings, messages, random, {}, {}, {}};
  Diagram d;

  const DiagramObject& Create(NewObject request) {
    EXPECT_TRUE(CreateObject(d, request, services));
    return d.object(d.count() - 1);
  }
};

TEST_F(CreateObjectTest, ANodeFromEmptyDefaults) {
  NewObject request;
  request.title = "A";
  const DiagramObject& o = Create(request);
  EXPECT_EQ(o.Kind, Node);
  EXPECT_EQ(o.Serial, 1);
  EXPECT_EQ(o.ToSerial, -1);
  EXPECT_EQ(o.IsEndNode, 1);
  EXPECT_EQ(o.Pos[3], kUnsetPoint);
  EXPECT_EQ(o.TitlePos, 2);
  EXPECT_EQ(o.TitleAline, 1);
  EXPECT_EQ(FieldText(o.FontName), "Meiryo UI");
  EXPECT_EQ(o.FontSize, 11);
  EXPECT_EQ(o.refText, 0);
  EXPECT_EQ(o.refLine, Rgb(0, 0, 128));
  EXPECT_EQ(o.Futosa, 1);
  EXPECT_EQ(o.Marumi, 3);
  EXPECT_EQ(o.WakuW, 5);
  EXPECT_EQ(o.ImageW[2], 35);
  EXPECT_EQ(o.ImageH[1], 35);
  EXPECT_EQ(o.TransColor, kNoColour);
  EXPECT_EQ(o.RoundR, 90);
  EXPECT_EQ(o.SetIn, 1);
  EXPECT_EQ(o.Memo.FontSize, 9);
  EXPECT_EQ(o.Memo.MemoPos[2], (Point{0, 50}));
  EXPECT_EQ(o.Memo.refMen, kNoColour);
  EXPECT_EQ(o.Memo.Futosa, 0);
  EXPECT_EQ(o.Arc[1].ArcType, 1);
  EXPECT_EQ(o.Arc[1].End[0].EndStyle, 2);
  EXPECT_EQ(o.Arc[1].End[1].EndStyle, 1);
  EXPECT_EQ(o.Arc[1].End[0].EndMen, Rgb(166, 202, 240));
  EXPECT_EQ(o.Arc[1].Rad, 2.0);
  EXPECT_EQ(o.Arc[1].Haba, 3);
  EXPECT_EQ(o.Arc[1].Shape[0], 51);
  EXPECT_EQ(d.state(0).Selected, 1);
  EXPECT_EQ(d.header.CurrentObject, 0);
}

TEST_F(CreateObjectTest, RandomFillsWinOverTheSectionsFill) {
  settings.WriteString("NodeDef", "refMen", "255");
  const Colour first = Create({}).refMen;
  const Colour second = Create({}).refMen;
  EXPECT_NE(first, 255);
  EXPECT_NE(first, second);

  settings.WriteInt("SYS", "BkColRnd", 0);
  EXPECT_EQ(Create({}).refMen, 255);
  settings.WriteString("NodeDef", "refMen", "");
  EXPECT_EQ(Create({}).refMen, kDefaultNodeFill);
}

TEST_F(CreateObjectTest, ALinkArcTakesItsEndsSerialsAndTheArcSection) {
  testing::AddNode(d, 4);
  testing::AddNode(d, 9);
  settings.WriteString("ArcDef", "refMen", "-1");
  settings.WriteInt("ArcDef", "Margin2", 17);
  settings.WriteInt("ArcDef", "ArcType", 16);
  settings.WriteString("ArcDef", "Rad", "3");
  NewObject request;
  request.kind = LinkArc;
  request.fromIndex = 0;
  request.toIndex = 1;
  const DiagramObject& arc = Create(request);
  EXPECT_EQ(arc.Serial, 4);
  EXPECT_EQ(arc.ToSerial, 9);
  EXPECT_EQ(arc.refMen, kNoColour);
  EXPECT_EQ(arc.Futosa, 0);
  EXPECT_EQ(arc.Margin[2], 17) << "made by dragging: the margins come from ArcDef";
  EXPECT_EQ(arc.Arc[0].ArcType, 16);
  EXPECT_EQ(arc.Arc[0].Rad, 3.0);
  EXPECT_EQ(arc.Arc[3].Shape[2], 3);
}

TEST_F(CreateObjectTest, ImportedObjectsHaveAllMarginsAtFive) {
  settings.WriteInt("NodeDef", "Margin0", 40);
  settings.WriteInt("NodeDef", "WakuMa3", 40);
  settings.WriteInt("NodeDef", "WakuW", 40);
  NewObject request;
  request.interactive = false;
  const DiagramObject& o = Create(request);
  EXPECT_EQ(o.Margin[0], 5);
  EXPECT_EQ(o.WakuMa[3], 5);
  EXPECT_EQ(o.WakuW, 5);
}

TEST_F(CreateObjectTest, ParentNodesReadTheBoxSection) {
  settings.WriteInt("BoxDef", "TitlePos", 4);
  NewObject request;
  request.isEndNode = false;
  EXPECT_EQ(Create(request).TitlePos, 4);
  EXPECT_EQ(Create({}).TitlePos, 2);
}

TEST_F(CreateObjectTest, ATitleIsCutWithoutSplittingACharacter) {
  const std::string title = std::string(49, 'x') + Utf8ToCp932("関").text;
  NewObject request;
  request.title = title;
  EXPECT_EQ(FieldText(Create(request).Title), std::string(49, 'x'));
}

TEST_F(CreateObjectTest, PictureNumbersAndTheImageFrame) {
  std::vector<int> asked;
  services.setBuiltInPicture = [&](Diagram&, int, int number) {
    asked.push_back(number);
    return number <= 17;
  };
  settings.WriteString("NodeDef", "refImgLine", "-1");
  settings.WriteInt("NodeDef", "DefImage", 3);
  EXPECT_EQ(Create({}).DefImage, 0) << "the picture routine sets DefImage itself";
  NewObject numbered;
  numbered.builtInPicture = 40;
  Create(numbered);
  NewObject none;
  none.builtInPicture = -2;
  const DiagramObject& plain = Create(none);
  EXPECT_EQ(asked, (std::vector<int>{3, 40}));
  EXPECT_EQ(plain.DefImage, -2);
  EXPECT_EQ(plain.Image, 0);
  EXPECT_EQ(plain.refImgLine, 0) << "a stored -1 frame becomes black";
}

TEST_F(CreateObjectTest, AFullTableRefusesWithAMessage) {
  for (int i = 0; i < kMaxObjects; ++i) testing::AddNode(d, i + 1);
  EXPECT_FALSE(CreateObject(d, {}, services));
  EXPECT_EQ(d.count(), kMaxObjects);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "オブジェクトの数が制限(2,000)を超えました\nこれ以上、セットできません");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Stop);
}

TEST_F(CreateObjectTest, OnlyUserActionsNotifyTheEditor) {
  std::vector<int> created;
  services.objectCreated = [&](int index) { created.push_back(index); };
  Create({});
  NewObject imported;
  imported.interactive = false;
  Create(imported);
  EXPECT_EQ(created, std::vector<int>{0});
}

TEST(ColourSettings, EmptyAndMinusOneMeanNone) {
  EXPECT_EQ(ParseColourSetting(""), kNoColour);
  EXPECT_EQ(ParseColourSetting("-1"), kNoColour);
  EXPECT_EQ(ParseColourSetting("0"), 0);
  EXPECT_EQ(ParseColourSetting("8388608"), Rgb(0, 0, 128));
}

}  // namespace
}  // namespace ravelo
