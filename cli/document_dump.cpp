#include "cli/document_dump.h"

#include "cli/json_writer.h"
#include "model/cp932.h"

namespace ravelo::cli {

namespace {

class Dumper {
 public:
  explicit Dumper(std::ostream& out) : json(out) {}

  template <std::size_t N>
  void Ints(std::string_view key, const int32_t (&values)[N]) {
    json.BeginArray(key);
    for (const int32_t v : values) json.Int({}, v);
    json.EndArray();
  }
  template <std::size_t N>
  void Text(std::string_view key, const char (&field)[N]) {
    json.String(key, Cp932ToUtf8(FieldText(field)));
  }
  void PointValue(std::string_view key, const Point& p) {
    json.BeginObject(key);
    json.Int("X", p.X);
    json.Int("Y", p.Y);
    json.EndObject();
  }
  template <std::size_t N>
  void Points(std::string_view key, const Point (&points)[N]) {
    json.BeginArray(key);
    for (const Point& p : points) PointValue({}, p);
    json.EndArray();
  }

  void Header(const DocumentHeader& h);
  void Headline(const HeadlineStyle& s);
  void Relation(const RelationArcStyle& s);
  // The record's fields in an object left open for what the dump adds to it.
  void Object(const DiagramObject& o, std::size_t imageBytes);
  void ChartPlace(const DiagramObject& o, const ObjectState& state, int chart);
  void MemoBlock(const MemoStyle& m);
  void ArcBlock(const ArcStyle& a);
  void EndBlock(const ArcEnd& e);

  JsonWriter json;
};

void Dumper::Header(const DocumentHeader& h) {
  json.BeginObject("header");
  json.Int("ConsoleX", h.ConsoleX);
  json.Int("ConsoleY", h.ConsoleY);
  json.Int("ConsoleShown", h.ConsoleShown);
  json.Int("ObjectCount", h.ObjectCount);
  json.Int("CurrentObject", h.CurrentObject);
  json.Int("CurrentChart", h.CurrentChart);
  Points("Scroll", h.Scroll);
  json.BeginArray("Zoom");
  for (const float z : h.Zoom) json.Number({}, z);
  json.EndArray();
  Ints("ViewWidth", h.ViewWidth);
  Ints("ViewHeight", h.ViewHeight);
  Ints("ViewBackColor", h.ViewBackColor);
  Ints("ViewFrameColor", h.ViewFrameColor);
  Ints("ShowArcs", h.ShowArcs);
  Ints("ShowChildMark", h.ShowChildMark);
  json.BeginArray("ChildMark");
  for (const auto& mark : h.ChildMark) json.String({}, Cp932ToUtf8(FieldText(mark)));
  json.EndArray();
  Ints("ShowImages", h.ShowImages);
  json.BeginArray("Headline");
  for (const HeadlineStyle& s : h.Headline) Headline(s);
  json.EndArray();
  json.BeginArray("Relation");
  for (const RelationArcStyle& s : h.Relation) Relation(s);
  json.EndArray();
  json.Int("StarFirstRing", h.StarFirstRing);
  json.Int("StarMinRadius", h.StarMinRadius);
  json.Int("ActCenterX", h.ActCenterX);
  json.Int("ActCenterY", h.ActCenterY);
  json.Int("ActCenterObject", h.ActCenterObject);
  json.Int("ActRingCount", h.ActRingCount);
  json.Int("ActRingStepX", h.ActRingStepX);
  json.Int("ActRingStepY", h.ActRingStepY);
  json.Int("CircleColor", h.CircleColor);
  json.Int("CircleWidth", h.CircleWidth);
  json.Int("CircleStyle", h.CircleStyle);
  Ints("ActMargin", h.ActMargin);
  json.Int("MoveRectColor", h.MoveRectColor);
  json.Int("MoveRectSpeed", h.MoveRectSpeed);
  json.Int("SetDirection", h.SetDirection);
  json.Int("InitHGap", h.InitHGap);
  json.Int("InitVGap", h.InitVGap);
  json.Int("GridMode", h.GridMode);
  json.EndObject();
}

void Dumper::Headline(const HeadlineStyle& s) {
  json.BeginObject();
  Text("FontName", s.FontName);
  json.Int("FontSize", s.FontSize);
  json.Int("FontBold", s.FontBold);
  json.Int("FontItalic", s.FontItalic);
  json.Int("refText", s.refText);
  json.Int("FontTate", s.FontTate);
  json.Int("refMen", s.refMen);
  json.Int("Marumi", s.Marumi);
  json.Int("refLine", s.refLine);
  json.Int("Futosa", s.Futosa);
  json.Int("LineStyle", s.LineStyle);
  Ints("Margin", s.Margin);
  Text("Text", s.Text);
  json.Int("Show", s.Show);
  json.Int("Topmost", s.Topmost);
  json.Int("X", s.X);
  json.Int("Y", s.Y);
  json.Int("AlineChar", s.AlineChar);
  json.EndObject();
}

void Dumper::Relation(const RelationArcStyle& s) {
  json.BeginObject();
  json.Int("Type", s.Type);
  json.Int("FillColor", s.FillColor);
  json.Int("FrameColor", s.FrameColor);
  json.Int("Width", s.Width);
  json.Int("FrameStyle", s.FrameStyle);
  json.Int("BendPercent", s.BendPercent);
  json.Int("Connect", s.Connect);
  json.EndObject();
}

void Dumper::MemoBlock(const MemoStyle& m) {
  json.BeginObject("Memo");
  Points("MemoPos", m.MemoPos);
  Text("FontName", m.FontName);
  json.Int("FontSize", m.FontSize);
  json.Int("FontBold", m.FontBold);
  json.Int("FontItalic", m.FontItalic);
  json.Int("refText", m.refText);
  Ints("FontTate", m.FontTate);
  json.Int("refMen", m.refMen);
  json.Int("Marumi", m.Marumi);
  json.Int("refLine", m.refLine);
  json.Int("Futosa", m.Futosa);
  json.Int("LineStyle", m.LineStyle);
  Ints("Margin", m.Margin);
  json.Int("AlineChar", m.AlineChar);
  json.EndObject();
}

void Dumper::EndBlock(const ArcEnd& e) {
  json.BeginObject();
  json.Int("EndStyle", e.EndStyle);
  json.Int("EndLen", e.EndLen);
  json.Int("EndSize", e.EndSize);
  json.Int("EndMen", e.EndMen);
  json.Int("EndLine", e.EndLine);
  json.Int("EndFutosa", e.EndFutosa);
  json.Int("EndLineStyle", e.EndLineStyle);
  json.EndObject();
}

void Dumper::ArcBlock(const ArcStyle& a) {
  json.BeginObject();
  json.Int("ArcType", a.ArcType);
  json.Int("refArcLine", a.refArcLine);
  json.Int("ArcFutosa", a.ArcFutosa);
  json.Int("ArcLineStyle", a.ArcLineStyle);
  json.BeginArray("Shape");
  for (const uint16_t v : a.Shape) json.Int({}, v);
  json.EndArray();
  json.BeginArray("End");
  for (const ArcEnd& e : a.End) EndBlock(e);
  json.EndArray();
  json.Number("Rad", a.Rad);
  json.Int("Haba", a.Haba);
  json.EndObject();
}

void Dumper::Object(const DiagramObject& o, std::size_t imageBytes) {
  json.BeginObject();
  json.Int("Kind", o.Kind);
  json.Int("Serial", o.Serial);
  json.Int("ToSerial", o.ToSerial);
  json.Int("ParentCount", o.ParentCount);
  Ints("ParentSerials", o.ParentSerials);
  json.Int("IsEndNode", o.IsEndNode);
  Text("Title", o.Title);
  Points("Pos", o.Pos);
  json.Int("TitlePos", o.TitlePos);
  json.Int("TitleAline", o.TitleAline);
  Ints("ImageW", o.ImageW);
  Ints("ImageH", o.ImageH);
  Text("FontName", o.FontName);
  json.Int("FontSize", o.FontSize);
  json.Int("FontBold", o.FontBold);
  json.Int("FontItalic", o.FontItalic);
  json.Int("refText", o.refText);
  Ints("FontTate", o.FontTate);
  json.Int("refMen", o.refMen);
  json.Int("Marumi", o.Marumi);
  json.Int("refLine", o.refLine);
  json.Int("Futosa", o.Futosa);
  json.Int("LineStyle", o.LineStyle);
  Ints("Margin", o.Margin);
  Ints("WakuMa", o.WakuMa);
  json.Int("WakuW", o.WakuW);
  Text("MemoText", o.MemoText);
  MemoBlock(o.Memo);
  Ints("ShowMemo", o.ShowMemo);
  json.BeginArray("Arc");
  for (const ArcStyle& a : o.Arc) ArcBlock(a);
  json.EndArray();
  json.Bool("Image", o.Image != 0);
  json.Int("ImageBytes", static_cast<long long>(imageBytes));
  json.Int("TransColor", o.TransColor);
  json.Int("refImgLine", o.refImgLine);
  json.Int("ImgFutosa", o.ImgFutosa);
  json.Int("ImgLineStyle", o.ImgLineStyle);
  json.Int("DefImage", o.DefImage);
  Ints("ImgMargin", o.ImgMargin);
  json.Int("SetIn", o.SetIn);
  json.Int("AlineV", o.AlineV);
  json.Int("AlineH", o.AlineH);
  json.Int("RoundR", o.RoundR);
  json.Int("ActDistance", o.ActDistance);
  PointValue("ActStart", o.ActStart);
  PointValue("ActCurrent", o.ActCurrent);
  PointValue("ActTarget", o.ActTarget);
}

void Dumper::ChartPlace(const DiagramObject& o, const ObjectState& state, int chart) {
  PointValue("ChartPos", chart == ActionChart ? o.ActCurrent : o.Pos[chart]);
  json.Int("Level", state.Level);
  json.Int("LevelSeq", state.LevelSeq);
}

}  // namespace

void DumpDiagram(std::ostream& out, const Diagram& diagram, const PictureCodec& codec,
                 std::optional<int> laidOutChart) {
  Dumper dumper(out);
  dumper.json.BeginObject();
  dumper.Header(diagram.header);
  dumper.json.BeginArray("objects");
  for (int i = 0; i < diagram.count(); ++i) {
    const Picture* picture = diagram.table.pictures[static_cast<std::size_t>(i)].get();
    dumper.Object(diagram.object(i), picture ? codec.Encode(*picture).size() : 0);
    if (laidOutChart && IsNode(diagram.object(i))) dumper.ChartPlace(diagram.object(i), diagram.state(i), *laidOutChart);
    dumper.json.EndObject();
  }
  dumper.json.EndArray();
  dumper.json.EndObject();
  out << '\n';
}

}  // namespace ravelo::cli
