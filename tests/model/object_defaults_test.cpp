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

TEST(ColourSettings, MinusOneMeansNoneAndAnEmptyValueOnlyForAFill) {
  EXPECT_EQ(ParseColourSetting(""), 0) << "an empty line colour is the number it reads as";
  EXPECT_EQ(ParseFillSetting(""), kNoColour);
  EXPECT_EQ(ParseFillSetting("-1"), kNoColour);
  EXPECT_EQ(ParseFillSetting("255"), 255);
  EXPECT_EQ(ParseColourSetting("-1"), kNoColour);
  EXPECT_EQ(ParseColourSetting("0"), 0);
  EXPECT_EQ(ParseColourSetting("8388608"), Rgb(0, 0, 128));
}

}  // namespace
}  // namespace ravelo

namespace ravelo {
namespace {

struct SetAsDefaultsTest : CreateObjectTest {};

TEST_F(SetAsDefaultsTest, AnArcWithoutFillGivesTheNextArcNoFill) {
  testing::AddNode(d, 1);
  testing::AddNode(d, 2);
  NewObject request;
  request.kind = LinkArc;
  request.fromIndex = 0;
  request.toIndex = 1;
  Create(request);
  DiagramObject& arc = d.object(2);
  arc.refMen = kNoColour;
  arc.Arc[BoxChart].ArcType = 7;
  arc.Arc[BoxChart].Rad = 2.9;
  arc.Arc[BoxChart].End[1].EndMen = Rgb(1, 2, 3);
  settings.WriteString("ArcDef", "refMen", "255");
  ASSERT_TRUE(SetObjectAsDefaults(d, settings, messages));
  EXPECT_EQ(messages.shown.front().buttons, MessageButtons::YesNo);
  EXPECT_EQ(messages.shown.back().text, "リンクアークの初期値に設定しました");
  EXPECT_EQ(settings.ReadString("ArcDef", "Rad", ""), "2");

  const DiagramObject& next = Create(request);
  EXPECT_EQ(next.refMen, kNoColour);
  EXPECT_EQ(next.Arc[StarChart].ArcType, 7);
  EXPECT_EQ(next.Arc[FlowChart].End[1].EndMen, Rgb(1, 2, 3));
}

TEST_F(SetAsDefaultsTest, ANodesStyleRoundTripsThroughTheSettings) {
  settings.WriteInt("SYS", "BkColRnd", 0);
  NewObject request;
  request.isEndNode = false;
  Create(request);
  DiagramObject& box = d.object(0);
  SetFieldText(box.FontName, Utf8ToCp932("ＭＳ ゴシック").text, kFontFaceBytes);
  box.FontSize = 20;
  box.refMen = Rgb(10, 20, 30);
  box.WakuMa[2] = 44;
  box.FontTate[BoxChart] = 1;
  box.SetIn = 0;
  box.ShowMemo[BoxChart] = 1;
  box.Arc[BoxChart].ArcType = 9;
  box.Arc[BoxChart].End[0].EndSize = 6;
  ASSERT_TRUE(SetObjectAsDefaults(d, settings, messages));
  EXPECT_EQ(settings.ReadInt("BoxDef", "ArcType", 0), 9) << "the arc values go to the box's own section";
  EXPECT_EQ(settings.ReadInt("BoxDef", "EndSize1", 0), 6);
  EXPECT_EQ(settings.ReadInt("ArcDef", "ArcType", -1), -1) << "the link-arc defaults stay as they were";
  EXPECT_EQ(settings.ReadString("ArcDef", "Rad", "none"), "none");
  EXPECT_EQ(messages.shown.back().text, "ボックスの初期値に設定しました");
  const DiagramObject& next = Create(request);
  EXPECT_EQ(Cp932ToUtf8(FieldText(next.FontName)), "ＭＳ ゴシック");
  EXPECT_EQ(next.FontSize, 20);
  EXPECT_EQ(next.refMen, Rgb(10, 20, 30));
  EXPECT_EQ(next.WakuMa[2], 44);
  EXPECT_EQ(next.FontTate[FlowChart], 1);
  EXPECT_EQ(next.SetIn, 1) << "SetIn is not written";
  EXPECT_EQ(next.ShowMemo[BoxChart], 0) << "ShowMemo is not written";
  EXPECT_EQ(Create({}).FontSize, 11) << "end nodes keep their own section";
}

TEST_F(SetAsDefaultsTest, DecliningOrNothingSelectedWritesNothing) {
  Create({});
  messages.answer = MessageAnswer::No;
  EXPECT_FALSE(SetObjectAsDefaults(d, settings, messages));
  EXPECT_FALSE(SetMemoAsDefaults(d, settings, messages));
  d.header.CurrentObject = -1;
  messages.answer = MessageAnswer::Yes;
  EXPECT_FALSE(SetObjectAsDefaults(d, settings, messages));
  EXPECT_TRUE(settings.values.empty());
}

TEST_F(SetAsDefaultsTest, AMemoStyleBecomesTheMemoDefaults) {
  Create({});
  MemoStyle& memo = d.object(0).Memo;
  memo.MemoPos[BoxChart] = {-30, 70};
  memo.refMen = Rgb(200, 100, 0);
  memo.AlineChar = 2;
  ASSERT_TRUE(SetMemoAsDefaults(d, settings, messages));
  EXPECT_EQ(messages.shown.back().text, "記事の初期値に設定しました");
  const MemoStyle& next = Create({}).Memo;
  EXPECT_EQ(next.MemoPos[ActionChart], (Point{-30, 70}));
  EXPECT_EQ(next.refMen, Rgb(200, 100, 0));
  EXPECT_EQ(next.AlineChar, 2);
}

TEST_F(SetAsDefaultsTest, ArcDefaultsAreReappliedToSelectedArcsOfTheCurrentChart) {
  testing::AddNode(d, 1);
  testing::AddNode(d, 2);
  const int arc = testing::AddArc(d, 1, 2);
  const int other = testing::AddArc(d, 2, 1);
  d.state(arc).Selected = 1;
  d.state(0).Selected = 1;  // a node is not touched
  d.header.CurrentChart = StarChart;
  settings.WriteInt("ArcDef", "ArcType", 5);
  EXPECT_EQ(ApplyArcDefaultsToSelection(d, services), 1);
  EXPECT_EQ(d.object(arc).Arc[StarChart].ArcType, 5);
  EXPECT_EQ(d.object(arc).Arc[BoxChart].ArcType, 0);
  EXPECT_EQ(d.object(other).Arc[StarChart].ArcType, 0);
  EXPECT_EQ(d.object(0).Arc[StarChart].ArcType, 0);
}

}  // namespace
}  // namespace ravelo
