#include "model/object_defaults.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "model/cp932.h"
#include "model/string_table.h"

namespace ravelo {

namespace {

std::string Key(std::string_view name, int n) { return std::string(name) + std::to_string(n); }

Colour ReadColour(const SettingsStore& s, std::string_view section, std::string_view key,
                  std::string_view fallback) {
  return ParseColourSetting(s.ReadString(section, key, fallback));
}

// A font face from the settings (UTF-8) as the record's cp932 text.
void ReadFontFace(char (&field)[32], const SettingsStore& s, std::string_view section) {
  SetFieldText(field, Utf8ToCp932(s.ReadString(section, "FontName", "Meiryo UI")).text, kFontFaceBytes);
}

void ReadArcEnd(ArcEnd& end, int n, const SettingsStore& s) {
  end.EndStyle = s.ReadInt(kArcDefaults, Key("EndStyle", n), n == 1 ? 2 : 1);
  end.EndLen = s.ReadInt(kArcDefaults, Key("EndLen", n), 3);
  end.EndSize = s.ReadInt(kArcDefaults, Key("EndSize", n), 3);
  end.EndMen = ReadColour(s, kArcDefaults, Key("EndMen", n), "15780518");
  end.EndLine = ReadColour(s, kArcDefaults, Key("EndLine", n), "8388608");
  end.EndFutosa = s.ReadInt(kArcDefaults, Key("EndFutosa", n), 1);
  end.EndLineStyle = s.ReadInt(kArcDefaults, Key("EndLineStyle", n), 0);
}

}  // namespace

std::string_view DefaultsSectionOf(const DiagramObject& object) {
  if (IsLinkArc(object)) return kArcDefaults;
  return object.IsEndNode == 1 ? kNodeDefaults : kBoxDefaults;
}

Colour ParseColourSetting(std::string_view text) {
  return static_cast<Colour>(std::strtoll(std::string(text).c_str(), nullptr, 10));
}

Colour ParseFillSetting(std::string_view text) { return text.empty() ? kNoColour : ParseColourSetting(text); }

void WriteDefaultShapeRow(ArcStyle& arc) {
  static constexpr uint16_t kRow[6] = {51, 21, 50, 51, 80, 91};
  static constexpr uint16_t kZigzagBreak[6] = {51, 5, 70, 51, 80, 91};
  static constexpr uint16_t kWaves[6] = {30, 30, 3, 51, 80, 91};
  const uint16_t* row = kRow;
  if (arc.ArcType == 11) row = kZigzagBreak;
  if (arc.ArcType >= 16 && arc.ArcType <= 19) row = kWaves;
  std::copy(row, row + 6, arc.Shape);
}

void ApplyArcDefaults(Diagram& diagram, int index, int chart, const ObjectServices& services) {
  const SettingsStore& s = services.settings;
  ArcStyle& arc = diagram.object(index).Arc[chart];
  arc.ArcType = s.ReadInt(kArcDefaults, "ArcType", 1);
  arc.refArcLine = ReadColour(s, kArcDefaults, "refArcLine", "8388608");
  arc.ArcFutosa = s.ReadInt(kArcDefaults, "ArcFutosa", 1);
  arc.ArcLineStyle = s.ReadInt(kArcDefaults, "ArcLineStyle", 0);
  arc.Haba = s.ReadInt(kArcDefaults, "Haba", 3);
  ReadArcEnd(arc.End[0], 1, s);
  ReadArcEnd(arc.End[1], 2, s);
  arc.Rad = std::atoi(s.ReadString(kArcDefaults, "Rad", "2").c_str());
  if (services.resetShapeParams)
    services.resetShapeParams(diagram, index, chart);
  else
    WriteDefaultShapeRow(arc);
}

void ApplyMemoDefaults(Diagram& diagram, int index, const SettingsStore& s) {
  MemoStyle& memo = diagram.object(index).Memo;
  const Point place{s.ReadInt(kMemoDefaults, "SizeX", 0), s.ReadInt(kMemoDefaults, "SizeY", 50)};
  std::fill(std::begin(memo.MemoPos), std::end(memo.MemoPos), place);
  ReadFontFace(memo.FontName, s, kMemoDefaults);
  memo.FontSize = s.ReadInt(kMemoDefaults, "FontSize", 9);
  memo.FontBold = s.ReadInt(kMemoDefaults, "FontBold", 0);
  memo.FontItalic = s.ReadInt(kMemoDefaults, "FontItalic", 0);
  memo.refText = ReadColour(s, kMemoDefaults, "refText", "0");
  std::fill(std::begin(memo.FontTate), std::end(memo.FontTate), s.ReadInt(kMemoDefaults, "FontTate", 0));
  memo.refMen = ParseFillSetting(s.ReadString(kMemoDefaults, "refMen", ""));
  memo.Marumi = s.ReadInt(kMemoDefaults, "Marumi", 3);
  memo.refLine = ReadColour(s, kMemoDefaults, "refLine", "8388608");
  memo.Futosa = s.ReadInt(kMemoDefaults, "Futosa", 0);
  memo.LineStyle = s.ReadInt(kMemoDefaults, "LineStyle", 0);
  for (int k = 0; k < 4; ++k) memo.Margin[k] = s.ReadInt(kMemoDefaults, Key("Margin", k), 5);
  memo.AlineChar = s.ReadInt(kMemoDefaults, "AlineChar", 0);
}

bool CreateObject(Diagram& diagram, const NewObject& request, const ObjectServices& services) {
  if (diagram.count() >= kMaxObjects) {
    ShowResourceMessage(services.messages, "", kMsgObjectLimit, MessageIcon::Stop);
    return false;
  }
  const SettingsStore& s = services.settings;
  const int n = diagram.count();
  DiagramObject& o = diagram.object(n);
  o = DiagramObject{};
  diagram.state(n) = ObjectState{};
  diagram.table.pictures[static_cast<std::size_t>(n)].reset();
  o.Kind = request.kind;

  const bool arc = request.kind == LinkArc;
  if (arc) {
    o.Serial = diagram.object(request.fromIndex).Serial;
    o.ToSerial = diagram.object(request.toIndex).Serial;
  } else {
    o.Serial = NewSerial(diagram);
    o.ToSerial = -1;
  }
  o.IsEndNode = request.isEndNode ? 1 : 0;
  const std::string_view section = arc ? kArcDefaults : (request.isEndNode ? kNodeDefaults : kBoxDefaults);

  SetFieldText(o.Title, request.title, kTitleBytes);
  std::copy(std::begin(request.positions), std::end(request.positions), o.Pos);

  o.TitlePos = s.ReadInt(section, "TitlePos", 2);
  o.TitleAline = s.ReadInt(section, "TitleAline", 1);
  ReadFontFace(o.FontName, s, section);
  o.FontSize = s.ReadInt(section, "FontSize", 11);
  o.FontBold = s.ReadInt(section, "FontBold", 0);
  o.FontItalic = s.ReadInt(section, "FontItalic", 0);
  o.refText = ReadColour(s, section, "refText", "0");
  std::fill(std::begin(o.FontTate), std::end(o.FontTate), s.ReadInt(section, "FontTate", 0));
  const std::string fill = s.ReadString(section, "refMen", "");
  if (arc)
    o.refMen = ParseFillSetting(fill);
  else if (s.ReadInt("SYS", "BkColRnd", 1) == 1)
    o.refMen = RandomPastel(services.random, 255);
  else
    o.refMen = fill.empty() ? kDefaultNodeFill : ParseColourSetting(fill);
  o.refLine = ReadColour(s, section, "refLine", "8388608");
  o.Futosa = s.ReadInt(section, "Futosa", arc ? 0 : 1);
  o.LineStyle = s.ReadInt(section, "LineStyle", 0);
  o.Marumi = s.ReadInt(section, "Marumi", 3);
  for (int k = 0; k < 4; ++k) {
    o.Margin[k] = request.interactive ? s.ReadInt(section, Key("Margin", k), 5) : 5;
    o.WakuMa[k] = request.interactive ? s.ReadInt(section, Key("WakuMa", k), 5) : 5;
  }
  o.WakuW = request.interactive ? s.ReadInt(section, "WakuW", 5) : 5;

  ApplyMemoDefaults(diagram, n, s);
  std::fill(std::begin(o.ShowMemo), std::end(o.ShowMemo), s.ReadInt(section, "ShowMemo", 0));
  for (int chart = 0; chart < kChartCount; ++chart) ApplyArcDefaults(diagram, n, chart, services);

  const int picture = request.builtInPicture != 0 ? request.builtInPicture : s.ReadInt(section, "DefImage", 0);
  if (picture > 0) {
    if (!services.setBuiltInPicture || !services.setBuiltInPicture(diagram, n, picture)) {
      SetPicture(diagram, n, nullptr);
      diagram.object(n).DefImage = 0;
    }
  } else {
    o.Image = 0;
    o.TransColor = kNoColour;
    const Colour frame = ReadColour(s, section, "refImgLine", "0");
    o.refImgLine = frame == kNoColour ? 0 : frame;
    o.ImgFutosa = s.ReadInt(section, "ImgFutosa", 1);
    o.ImgLineStyle = s.ReadInt(section, "ImgLineStyle", 0);
    const int width = s.ReadInt(section, "ImageW", 35);
    std::fill(std::begin(o.ImageW), std::end(o.ImageW), width);
    std::fill(std::begin(o.ImageH), std::end(o.ImageH), width);
    o.DefImage = picture;
  }
  for (int k = 0; k < 4; ++k) o.ImgMargin[k] = s.ReadInt(section, Key("ImgMargin", k), 5);
  o.SetIn = s.ReadInt(section, "SetIn", 1);
  o.AlineV = s.ReadInt(section, "AlineV", 1);
  o.AlineH = s.ReadInt(section, "AlineH", 1);
  o.RoundR = s.ReadInt(section, "RoundR", 90);

  o.ActDistance = 0;
  diagram.state(n).Selected = 1;
  diagram.header.CurrentObject = n;
  diagram.header.ObjectCount = n + 1;
  if (request.interactive && services.objectCreated) services.objectCreated(n);
  return true;
}


namespace {

void WriteColour(SettingsStore& s, std::string_view section, std::string_view key, Colour colour) {
  s.WriteString(section, key, std::to_string(colour));
}

int CurrentChart(const Diagram& diagram) { return std::clamp(diagram.header.CurrentChart, 0, kChartCount - 1); }

void WriteArcEnd(SettingsStore& s, std::string_view section, const ArcEnd& end, int n) {
  s.WriteInt(section, Key("EndStyle", n), end.EndStyle);
  s.WriteInt(section, Key("EndLen", n), end.EndLen);
  s.WriteInt(section, Key("EndSize", n), end.EndSize);
  WriteColour(s, section, Key("EndMen", n), end.EndMen);
  WriteColour(s, section, Key("EndLine", n), end.EndLine);
  s.WriteInt(section, Key("EndFutosa", n), end.EndFutosa);
  s.WriteInt(section, Key("EndLineStyle", n), end.EndLineStyle);
}

std::string KindName(const DiagramObject& o, int chart) {
  if (IsLinkArc(o)) return "リンクアーク";
  if (o.IsEndNode == 1) return "ノード";
  return chart == BoxChart ? "ボックス" : "親ノード";
}

}  // namespace

bool SetObjectAsDefaults(const Diagram& diagram, SettingsStore& s, Messages& messages) {
  const int index = diagram.header.CurrentObject;
  if (index < 0 || index >= diagram.count()) return false;
  if (messages.Show("このオブジェクトの設定を初期値にしてもよろしいですか\n※ オブジェクトの新規作成時に適用されます",
                    MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
    return false;
  const DiagramObject& o = diagram.object(index);
  const int c = CurrentChart(diagram);
  const std::string_view section = DefaultsSectionOf(o);
  s.WriteInt(section, "TitlePos", o.TitlePos);
  s.WriteInt(section, "TitleAline", o.TitleAline);
  s.WriteString(section, "FontName", Cp932ToUtf8(FieldText(o.FontName)));
  s.WriteInt(section, "FontSize", o.FontSize);
  s.WriteInt(section, "FontBold", o.FontBold);
  s.WriteInt(section, "FontItalic", o.FontItalic);
  WriteColour(s, section, "refText", o.refText);
  s.WriteInt(section, "FontTate", o.FontTate[c]);
  WriteColour(s, section, "refMen", o.refMen);
  WriteColour(s, section, "refLine", o.refLine);
  s.WriteInt(section, "Futosa", o.Futosa);
  s.WriteInt(section, "LineStyle", o.LineStyle);
  s.WriteInt(section, "Marumi", o.Marumi);
  for (int k = 0; k < 4; ++k) {
    s.WriteInt(section, Key("Margin", k), o.Margin[k]);
    s.WriteInt(section, Key("WakuMa", k), o.WakuMa[k]);
    s.WriteInt(section, Key("ImgMargin", k), o.ImgMargin[k]);
  }
  s.WriteInt(section, "WakuW", o.WakuW);
  s.WriteInt(section, "DefImage", o.DefImage);
  WriteColour(s, section, "refImgLine", o.refImgLine);
  s.WriteInt(section, "ImgFutosa", o.ImgFutosa);
  s.WriteInt(section, "ImgLineStyle", o.ImgLineStyle);
  s.WriteInt(section, "ImageW", o.ImageW[c]);
  s.WriteInt(section, "AlineV", o.AlineV);
  s.WriteInt(section, "AlineH", o.AlineH);
  s.WriteInt(section, "RoundR", o.RoundR);

  // The arc values go to the object's own section too: a node's never replace the link-arc defaults.
  const ArcStyle& arc = o.Arc[c];
  s.WriteInt(section, "ArcType", arc.ArcType);
  WriteColour(s, section, "refArcLine", arc.refArcLine);
  s.WriteInt(section, "ArcFutosa", arc.ArcFutosa);
  s.WriteInt(section, "ArcLineStyle", arc.ArcLineStyle);
  s.WriteInt(section, "Haba", arc.Haba);
  WriteArcEnd(s, section, arc.End[0], 1);
  WriteArcEnd(s, section, arc.End[1], 2);
  const double angle = std::isfinite(arc.Rad) ? std::clamp(arc.Rad, -1e9, 1e9) : 0.0;
  s.WriteString(section, "Rad", std::to_string(static_cast<long long>(angle)));

  messages.Show(KindName(o, c) + "の初期値に設定しました", MessageIcon::Information, MessageButtons::Ok);
  return true;
}

bool SetMemoAsDefaults(const Diagram& diagram, SettingsStore& s, Messages& messages) {
  const int index = diagram.header.CurrentObject;
  if (index < 0 || index >= diagram.count()) return false;
  if (messages.Show("この記事の設定を初期値にしてもよろしいですか\n※ 記事の新規作成時に適用されます",
                    MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
    return false;
  const MemoStyle& m = diagram.object(index).Memo;
  const int c = CurrentChart(diagram);
  s.WriteInt(kMemoDefaults, "SizeX", m.MemoPos[c].X);
  s.WriteInt(kMemoDefaults, "SizeY", m.MemoPos[c].Y);
  s.WriteString(kMemoDefaults, "FontName", Cp932ToUtf8(FieldText(m.FontName)));
  s.WriteInt(kMemoDefaults, "FontSize", m.FontSize);
  s.WriteInt(kMemoDefaults, "FontBold", m.FontBold);
  s.WriteInt(kMemoDefaults, "FontItalic", m.FontItalic);
  WriteColour(s, kMemoDefaults, "refText", m.refText);
  s.WriteInt(kMemoDefaults, "FontTate", m.FontTate[c]);
  WriteColour(s, kMemoDefaults, "refMen", m.refMen);
  s.WriteInt(kMemoDefaults, "Marumi", m.Marumi);
  WriteColour(s, kMemoDefaults, "refLine", m.refLine);
  s.WriteInt(kMemoDefaults, "Futosa", m.Futosa);
  s.WriteInt(kMemoDefaults, "LineStyle", m.LineStyle);
  for (int k = 0; k < 4; ++k) s.WriteInt(kMemoDefaults, Key("Margin", k), m.Margin[k]);
  s.WriteInt(kMemoDefaults, "AlineChar", m.AlineChar);
  messages.Show("記事の初期値に設定しました", MessageIcon::Information, MessageButtons::Ok);
  return true;
}

bool HasSelectedLinkArc(const Diagram& diagram) {
  for (int i = 0; i < diagram.count(); ++i)
    if (diagram.state(i).Selected && IsLinkArc(diagram.object(i))) return true;
  return false;
}

int ApplyArcDefaultsToSelection(Diagram& diagram, const ObjectServices& services) {
  const int c = CurrentChart(diagram);
  int changed = 0;
  for (int i = 0; i < diagram.count(); ++i) {
    if (!diagram.state(i).Selected || !IsLinkArc(diagram.object(i))) continue;
    ApplyArcDefaults(diagram, i, c, services);
    ++changed;
  }
  return changed;
}

}  // namespace ravelo
