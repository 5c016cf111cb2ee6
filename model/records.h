// The persistent records of a diagram: the document header and the object record, laid out byte for
// byte as they stand in a document body. Every field is naturally aligned, so the structs carry no
// padding; the static_asserts below pin each size and offset, since the layout is the file format.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ravelo {

// Colour value: red in the low byte, then green, then blue; -1 means no colour.
using Colour = int32_t;
constexpr Colour kNoColour = -1;
constexpr Colour Rgb(int red, int green, int blue) {
  return static_cast<Colour>(static_cast<uint32_t>(red) | (static_cast<uint32_t>(green) << 8) |
                             (static_cast<uint32_t>(blue) << 16));
}
constexpr int RedOf(Colour c) { return static_cast<int>(static_cast<uint32_t>(c) & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((static_cast<uint32_t>(c) >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((static_cast<uint32_t>(c) >> 16) & 0xFF); }

enum ChartKind : int32_t { BoxChart = 0, StarChart = 1, ActionChart = 2, FlowChart = 3 };
constexpr int kChartCount = 4;

enum ObjectKind : int32_t { LinkArc = 1, Node = 2 };

constexpr int kMaxObjects = 2000;
constexpr int kTableSlots = kMaxObjects + 1;  // the last slot is scratch space for exchanges
constexpr int kMaxParents = 10;
constexpr int kTitleBytes = 50;
constexpr int kMemoBytes = 500;
constexpr int kFontFaceBytes = 31;
constexpr int kChildMarkBytes = 4;

struct Point {
  int32_t X;
  int32_t Y;
  friend bool operator==(const Point&, const Point&) = default;
};
constexpr Point kUnsetPoint{-1, -1};

// A rectangle; right and bottom are exclusive.
struct Rect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct MemoStyle {
  Point MemoPos[4];
  char FontName[32];
  int32_t FontSize;
  int32_t FontBold;
  int32_t FontItalic;
  Colour refText;
  int32_t FontTate[4];
  Colour refMen;
  int32_t Marumi;
  Colour refLine;
  int32_t Futosa;
  int32_t LineStyle;
  int32_t Margin[4];
  int32_t AlineChar;
};

struct ArcEnd {
  int32_t EndStyle;  // 0 none, 1 arrow, 2 circle, 3 square
  int32_t EndLen;
  int32_t EndSize;
  Colour EndMen;
  Colour EndLine;
  int32_t EndFutosa;
  int32_t EndLineStyle;
};

struct ArcStyle {
  int32_t ArcType;
  Colour refArcLine;
  int32_t ArcFutosa;
  int32_t ArcLineStyle;
  uint16_t Shape[6];
  ArcEnd End[2];
  uint8_t reserved1[4];
  double Rad;
  int32_t Haba;
  uint8_t reserved2[12];
};

struct DiagramObject {
  int32_t Kind;
  int32_t Serial;
  int32_t ToSerial;
  int32_t ParentCount;
  int32_t ParentSerials[kMaxParents];
  int32_t IsEndNode;
  char Title[52];
  Point Pos[4];
  int32_t TitlePos;
  int32_t TitleAline;
  int32_t ImageW[4];
  int32_t ImageH[4];
  char FontName[32];
  int32_t FontSize;
  int32_t FontBold;
  int32_t FontItalic;
  Colour refText;
  int32_t FontTate[4];
  Colour refMen;
  int32_t Marumi;
  Colour refLine;
  int32_t Futosa;
  int32_t LineStyle;
  int32_t Margin[4];
  int32_t WakuMa[4];
  int32_t WakuW;
  char MemoText[504];
  MemoStyle Memo;
  uint8_t reserved1[16];
  int32_t ShowMemo[4];
  ArcStyle Arc[4];
  int32_t Image;  // in memory 0 or 1: whether the object's picture (kept beside the record) exists
  Colour TransColor;
  Colour refImgLine;
  int32_t ImgFutosa;
  int32_t ImgLineStyle;
  uint8_t reserved2[8];
  int32_t DefImage;
  int32_t ImgMargin[4];
  int32_t SetIn;
  int32_t AlineV;
  int32_t AlineH;
  int32_t RoundR;
  int32_t ActDistance;
  Point ActStart;
  Point ActCurrent;
  Point ActTarget;
  uint8_t reserved3[12];
};

struct HeadlineStyle {
  char FontName[32];
  int32_t FontSize;
  int32_t FontBold;
  int32_t FontItalic;
  Colour refText;
  int32_t FontTate;
  Colour refMen;
  int32_t Marumi;
  Colour refLine;
  int32_t Futosa;
  int32_t LineStyle;
  int32_t Margin[4];
  char Text[52];
  int32_t Show;
  int32_t Topmost;
  int32_t X;
  int32_t Y;
  int32_t AlineChar;
  uint8_t reserved[4];
};

struct RelationArcStyle {
  int32_t Type;
  Colour FillColor;
  Colour FrameColor;
  int32_t Width;
  int32_t FrameStyle;
  int32_t BendPercent;
  int32_t Connect;
  uint8_t reserved[8];
};

struct DocumentHeader {
  int32_t ConsoleX;
  int32_t ConsoleY;
  int32_t ConsoleShown;
  int32_t ObjectCount;
  int32_t CurrentObject;
  int32_t CurrentChart;
  Point Scroll[4];
  float Zoom[4];
  int32_t ViewWidth[4];
  int32_t ViewHeight[4];
  Colour ViewBackColor[4];
  Colour ViewFrameColor[4];
  int32_t ShowArcs[4];
  int32_t ShowChildMark[4];
  char ChildMark[4][5];
  int32_t ShowImages[4];
  HeadlineStyle Headline[4];
  RelationArcStyle Relation[4];
  int32_t StarFirstRing;
  int32_t StarMinRadius;
  int32_t ActCenterX;
  int32_t ActCenterY;
  int32_t ActCenterObject;
  int32_t ActRingCount;
  int32_t ActRingStepX;
  int32_t ActRingStepY;
  Colour CircleColor;
  int32_t CircleWidth;
  int32_t CircleStyle;
  int32_t ActMargin[4];
  Colour MoveRectColor;
  int32_t MoveRectSpeed;
  uint8_t reserved1[12];
  int32_t SetDirection;
  int32_t InitHGap;
  int32_t InitVGap;
  int32_t GridMode;
  uint8_t reserved2[16];
};

// Run-time companion of each object, filled by the chart layouts in canvas pixels; never saved.
struct ObjectState {
  int32_t Selected;
  Point ChartPos;
  Rect ObjectRect;
  Rect ImageRect;
  Rect MemoRect;
  Rect BodyRect;
  Rect BoxOuterRect;
  Rect BoxFrameRect;
  Point ArcPoints[15];  // a parent node's first 8 entries are its OuterHandles
  Point FrameHandles[8];
  Point FromBase;
  Point ToBase;
  Point ArcHandles[6];
  Point ArcExtraSegments[4];
  Rect ChildMarkRect;
  int32_t ReceivedParent;
  Rect TitleBands[4];
  double ActAngle;
  int32_t Level;
  int32_t LevelSeq;
};

static_assert(sizeof(Point) == 8 && sizeof(Rect) == 16);

static_assert(sizeof(MemoStyle) == 136);
static_assert(offsetof(MemoStyle, FontName) == 32);
static_assert(offsetof(MemoStyle, FontSize) == 64);
static_assert(offsetof(MemoStyle, FontBold) == 68);
static_assert(offsetof(MemoStyle, FontItalic) == 72);
static_assert(offsetof(MemoStyle, refText) == 76);
static_assert(offsetof(MemoStyle, FontTate) == 80);
static_assert(offsetof(MemoStyle, refMen) == 96);
static_assert(offsetof(MemoStyle, Marumi) == 100);
static_assert(offsetof(MemoStyle, refLine) == 104);
static_assert(offsetof(MemoStyle, Futosa) == 108);
static_assert(offsetof(MemoStyle, LineStyle) == 112);
static_assert(offsetof(MemoStyle, Margin) == 116);
static_assert(offsetof(MemoStyle, AlineChar) == 132);

static_assert(sizeof(ArcEnd) == 28);
static_assert(offsetof(ArcEnd, EndLineStyle) == 24);

static_assert(sizeof(ArcStyle) == 112);
static_assert(offsetof(ArcStyle, refArcLine) == 4);
static_assert(offsetof(ArcStyle, ArcFutosa) == 8);
static_assert(offsetof(ArcStyle, ArcLineStyle) == 12);
static_assert(offsetof(ArcStyle, Shape) == 16);
static_assert(offsetof(ArcStyle, End) == 28);
static_assert(offsetof(ArcStyle, reserved1) == 84);
static_assert(offsetof(ArcStyle, Rad) == 88);
static_assert(offsetof(ArcStyle, Haba) == 96);
static_assert(offsetof(ArcStyle, reserved2) == 100);

static_assert(sizeof(DiagramObject) == 1528);
static_assert(offsetof(DiagramObject, Serial) == 4);
static_assert(offsetof(DiagramObject, ToSerial) == 8);
static_assert(offsetof(DiagramObject, ParentCount) == 12);
static_assert(offsetof(DiagramObject, ParentSerials) == 16);
static_assert(offsetof(DiagramObject, IsEndNode) == 56);
static_assert(offsetof(DiagramObject, Title) == 60);
static_assert(offsetof(DiagramObject, Pos) == 112);
static_assert(offsetof(DiagramObject, TitlePos) == 144);
static_assert(offsetof(DiagramObject, TitleAline) == 148);
static_assert(offsetof(DiagramObject, ImageW) == 152);
static_assert(offsetof(DiagramObject, ImageH) == 168);
static_assert(offsetof(DiagramObject, FontName) == 184);
static_assert(offsetof(DiagramObject, FontSize) == 216);
static_assert(offsetof(DiagramObject, FontBold) == 220);
static_assert(offsetof(DiagramObject, FontItalic) == 224);
static_assert(offsetof(DiagramObject, refText) == 228);
static_assert(offsetof(DiagramObject, FontTate) == 232);
static_assert(offsetof(DiagramObject, refMen) == 248);
static_assert(offsetof(DiagramObject, Marumi) == 252);
static_assert(offsetof(DiagramObject, refLine) == 256);
static_assert(offsetof(DiagramObject, Futosa) == 260);
static_assert(offsetof(DiagramObject, LineStyle) == 264);
static_assert(offsetof(DiagramObject, Margin) == 268);
static_assert(offsetof(DiagramObject, WakuMa) == 284);
static_assert(offsetof(DiagramObject, WakuW) == 300);
static_assert(offsetof(DiagramObject, MemoText) == 304);
static_assert(offsetof(DiagramObject, Memo) == 808);
static_assert(offsetof(DiagramObject, reserved1) == 944);
static_assert(offsetof(DiagramObject, ShowMemo) == 960);
static_assert(offsetof(DiagramObject, Arc) == 976);
static_assert(offsetof(DiagramObject, Image) == 1424);
static_assert(offsetof(DiagramObject, TransColor) == 1428);
static_assert(offsetof(DiagramObject, refImgLine) == 1432);
static_assert(offsetof(DiagramObject, ImgFutosa) == 1436);
static_assert(offsetof(DiagramObject, ImgLineStyle) == 1440);
static_assert(offsetof(DiagramObject, reserved2) == 1444);
static_assert(offsetof(DiagramObject, DefImage) == 1452);
static_assert(offsetof(DiagramObject, ImgMargin) == 1456);
static_assert(offsetof(DiagramObject, SetIn) == 1472);
static_assert(offsetof(DiagramObject, AlineV) == 1476);
static_assert(offsetof(DiagramObject, AlineH) == 1480);
static_assert(offsetof(DiagramObject, RoundR) == 1484);
static_assert(offsetof(DiagramObject, ActDistance) == 1488);
static_assert(offsetof(DiagramObject, ActStart) == 1492);
static_assert(offsetof(DiagramObject, ActCurrent) == 1500);
static_assert(offsetof(DiagramObject, ActTarget) == 1508);
static_assert(offsetof(DiagramObject, reserved3) == 1516);

static_assert(sizeof(HeadlineStyle) == 164);
static_assert(offsetof(HeadlineStyle, FontSize) == 32);
static_assert(offsetof(HeadlineStyle, FontBold) == 36);
static_assert(offsetof(HeadlineStyle, FontItalic) == 40);
static_assert(offsetof(HeadlineStyle, refText) == 44);
static_assert(offsetof(HeadlineStyle, FontTate) == 48);
static_assert(offsetof(HeadlineStyle, refMen) == 52);
static_assert(offsetof(HeadlineStyle, Marumi) == 56);
static_assert(offsetof(HeadlineStyle, refLine) == 60);
static_assert(offsetof(HeadlineStyle, Futosa) == 64);
static_assert(offsetof(HeadlineStyle, LineStyle) == 68);
static_assert(offsetof(HeadlineStyle, Margin) == 72);
static_assert(offsetof(HeadlineStyle, Text) == 88);
static_assert(offsetof(HeadlineStyle, Show) == 140);
static_assert(offsetof(HeadlineStyle, Topmost) == 144);
static_assert(offsetof(HeadlineStyle, X) == 148);
static_assert(offsetof(HeadlineStyle, Y) == 152);
static_assert(offsetof(HeadlineStyle, AlineChar) == 156);
static_assert(offsetof(HeadlineStyle, reserved) == 160);

static_assert(sizeof(RelationArcStyle) == 36);
static_assert(offsetof(RelationArcStyle, FillColor) == 4);
static_assert(offsetof(RelationArcStyle, FrameColor) == 8);
static_assert(offsetof(RelationArcStyle, Width) == 12);
static_assert(offsetof(RelationArcStyle, FrameStyle) == 16);
static_assert(offsetof(RelationArcStyle, BendPercent) == 20);
static_assert(offsetof(RelationArcStyle, Connect) == 24);
static_assert(offsetof(RelationArcStyle, reserved) == 28);

static_assert(sizeof(DocumentHeader) == 1116);
static_assert(offsetof(DocumentHeader, ConsoleY) == 4);
static_assert(offsetof(DocumentHeader, ConsoleShown) == 8);
static_assert(offsetof(DocumentHeader, ObjectCount) == 12);
static_assert(offsetof(DocumentHeader, CurrentObject) == 16);
static_assert(offsetof(DocumentHeader, CurrentChart) == 20);
static_assert(offsetof(DocumentHeader, Scroll) == 24);
static_assert(offsetof(DocumentHeader, Zoom) == 56);
static_assert(offsetof(DocumentHeader, ViewWidth) == 72);
static_assert(offsetof(DocumentHeader, ViewHeight) == 88);
static_assert(offsetof(DocumentHeader, ViewBackColor) == 104);
static_assert(offsetof(DocumentHeader, ViewFrameColor) == 120);
static_assert(offsetof(DocumentHeader, ShowArcs) == 136);
static_assert(offsetof(DocumentHeader, ShowChildMark) == 152);
static_assert(offsetof(DocumentHeader, ChildMark) == 168);
static_assert(offsetof(DocumentHeader, ShowImages) == 188);
static_assert(offsetof(DocumentHeader, Headline) == 204);
static_assert(offsetof(DocumentHeader, Relation) == 860);
static_assert(offsetof(DocumentHeader, StarFirstRing) == 1004);
static_assert(offsetof(DocumentHeader, StarMinRadius) == 1008);
static_assert(offsetof(DocumentHeader, ActCenterX) == 1012);
static_assert(offsetof(DocumentHeader, ActCenterY) == 1016);
static_assert(offsetof(DocumentHeader, ActCenterObject) == 1020);
static_assert(offsetof(DocumentHeader, ActRingCount) == 1024);
static_assert(offsetof(DocumentHeader, ActRingStepX) == 1028);
static_assert(offsetof(DocumentHeader, ActRingStepY) == 1032);
static_assert(offsetof(DocumentHeader, CircleColor) == 1036);
static_assert(offsetof(DocumentHeader, CircleWidth) == 1040);
static_assert(offsetof(DocumentHeader, CircleStyle) == 1044);
static_assert(offsetof(DocumentHeader, ActMargin) == 1048);
static_assert(offsetof(DocumentHeader, MoveRectColor) == 1064);
static_assert(offsetof(DocumentHeader, MoveRectSpeed) == 1068);
static_assert(offsetof(DocumentHeader, reserved1) == 1072);
static_assert(offsetof(DocumentHeader, SetDirection) == 1084);
static_assert(offsetof(DocumentHeader, InitHGap) == 1088);
static_assert(offsetof(DocumentHeader, InitVGap) == 1092);
static_assert(offsetof(DocumentHeader, GridMode) == 1096);
static_assert(offsetof(DocumentHeader, reserved2) == 1100);

}  // namespace ravelo
