// Builds the bundled sample document: make_sample OUT.rvl
// A small family-and-work diagram in Japanese with nested boxes, memos, pictures, link arcs and a
// headline, made through the same operations the editor uses.
#include <filesystem>
#include <iostream>
#include <string>

#include "cli/console_messages.h"
#include "cli/fallback_settings.h"
#include "model/cp932.h"
#include "model/document_file.h"
#include "model/object_defaults.h"
#include "output/object_pictures.h"
#include "platform/cab/gcab_cabinet.h"
#include "platform/codec/document_picture_codec.h"
#include "platform/files.h"

namespace ravelo {
namespace {

struct Builder {
  Diagram& diagram;
  ObjectServices& services;

  int Node(const char* title, int x, int y, int picture = -1) {
    NewObject request;
    const std::string text = Utf8ToCp932(title).text;
    request.title = text;
    request.positions[BoxChart] = {x, y};
    request.builtInPicture = picture;
    CreateObject(diagram, request, services);
    return diagram.count() - 1;
  }
  void Memo(int index, const char* text) {
    SetFieldText(diagram.object(index).MemoText, Utf8ToCp932(text).text, kMemoBytes);
    std::fill(std::begin(diagram.object(index).ShowMemo), std::end(diagram.object(index).ShowMemo), 1);
  }
  void Parent(int child, int parent) { AddParent(diagram, services.messages, child, parent); }
  int Arc(int from, int to, const char* title, int type) {
    NewObject request;
    request.kind = LinkArc;
    request.fromIndex = from;
    request.toIndex = to;
    const std::string text = Utf8ToCp932(title).text;
    request.title = text;
    CreateObject(diagram, request, services);
    const int arc = diagram.count() - 1;
    for (ArcStyle& style : diagram.object(arc).Arc) {
      style.ArcType = type;
      WriteDefaultShapeRow(style);
    }
    return arc;
  }
};

int Make(const std::string& out) {
  cli::ConsoleMessages messages;
  cli::FallbackSettings settings;
  RandomSource random(2024);
  auto diagram = std::make_unique<Diagram>();
  ResetToNewDocument(*diagram, random, 2024);
  PictureServices pictureServices{messages, settings};
  ObjectServices services{settings, messages, random, {}, {}, {}};
  services.setBuiltInPicture = [&](Diagram& d, int index, int number) {
    return SetObjectBuiltInPicture(d, index, number, pictureServices);
  };
  Builder b{*diagram, services};
  Diagram& d = *diagram;

  SetFieldText(d.header.Headline[BoxChart].Text, Utf8ToCp932("山田家と職場の関係図").text, kTitleBytes);
  d.header.Headline[BoxChart].X = 420;
  d.header.Headline[BoxChart].Y = 60;
  d.header.ViewWidth[BoxChart] = 1000;
  d.header.ViewHeight[BoxChart] = 760;

  const int father = b.Node("父@太郎", 140, 200, 1);
  const int mother = b.Node("母@花子", 300, 200, 2);
  const int son = b.Node("長男 一郎", 140, 330, 3);
  const int daughter = b.Node("長女 さくら", 300, 330, 4);
  const int family = b.Node("山田家", 0, 0);
  for (int member : {father, mother, son, daughter}) b.Parent(member, family);
  b.Memo(father, "釣りが趣味\n毎週末は海へ");

  const int boss = b.Node("部長 佐藤", 620, 220);
  const int colleague = b.Node("同僚 鈴木", 600, 380);
  const int junior = b.Node("後輩 田中", 760, 380);
  const int team = b.Node("営業一課", 0, 0);
  b.Parent(colleague, team);
  b.Parent(junior, team);
  const int company = b.Node("株式会社みらい", 0, 0);
  b.Parent(boss, company);
  b.Parent(team, company);
  b.Memo(junior, "新人研修中");

  const int house = b.Node("自宅", 220, 560, 7);
  const int office = b.Node("本社ビル", 680, 560, 6);

  b.Arc(father, boss, "上司", 1);
  b.Arc(father, house, "", 3);
  b.Arc(boss, office, "勤務", 7);
  b.Arc(mother, colleague, "友人", 13);
  d.header.CurrentObject = -1;
  for (int i = 0; i < d.count(); ++i) d.state(i).Selected = 0;

  NoProgress progress;
  DocumentPictureCodec codec;
  GcabCabinet cabinet;
  DocumentServices documents{messages, progress, codec, settings, cabinet, files::DefaultWorkRoot()};
  return SaveDocument(d, std::filesystem::absolute(out).string(), {0, 0}, documents) ? 0 : 1;
}

}  // namespace
}  // namespace ravelo

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_sample OUT.rvl\n";
    return 2;
  }
  return ravelo::Make(argv[1]);
}
