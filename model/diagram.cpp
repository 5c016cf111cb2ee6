#include "model/diagram.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "model/cp932.h"
#include "model/string_table.h"

namespace ravelo {

ObjectTable::ObjectTable() : objects(kTableSlots), states(kTableSlots), pictures(kTableSlots) {
  std::memset(objects.data(), 0, objects.size() * sizeof(DiagramObject));
  std::memset(states.data(), 0, states.size() * sizeof(ObjectState));
}

void SetPicture(Diagram& diagram, int index, std::unique_ptr<Picture> picture) {
  diagram.object(index).Image = picture ? 1 : 0;
  diagram.table.pictures[static_cast<std::size_t>(index)] = std::move(picture);
}

namespace {

// The meaningful entries of a parent list; a damaged count is clamped to the list's size.
int ParentEntries(const DiagramObject& object) { return std::clamp(object.ParentCount, 0, kMaxParents); }

HeadlineStyle NewHeadline(int viewWidth) {
  HeadlineStyle h{};
  SetFieldText(h.FontName, "Meiryo UI", kFontFaceBytes);
  h.FontSize = 48;
  h.refText = Rgb(0, 0, 0);
  h.refMen = kNoColour;
  h.Marumi = 3;
  h.refLine = kNoColour;
  std::fill(std::begin(h.Margin), std::end(h.Margin), 3);
  SetFieldText(h.Text, Utf8ToCp932("無題の見出し").text, kTitleBytes);
  h.Show = 1;
  h.X = viewWidth / 2;
  h.Y = 100;
  return h;
}

}  // namespace

void ResetToNewDocument(Diagram& diagram, RandomSource& random, uint32_t seed) {
  diagram.table = ObjectTable();
  diagram.LevelCount = 1;
  random.Seed(seed);

  DocumentHeader& h = diagram.header;
  int32_t keptAlign[kChartCount];
  for (int c = 0; c < kChartCount; ++c) keptAlign[c] = h.Headline[c].AlineChar;
  h = DocumentHeader{};
  h.ConsoleX = 79;
  h.ConsoleY = 79;
  h.ConsoleShown = 1;
  h.ObjectCount = 0;
  h.CurrentObject = -1;
  h.CurrentChart = BoxChart;
  for (int c = 0; c < kChartCount; ++c) {
    h.Scroll[c] = {0, 0};
    h.Zoom[c] = 1.0f;
    h.ViewWidth[c] = 1500;
    h.ViewHeight[c] = 1500;
    h.ViewBackColor[c] = RandomPastel(random, 255);
    h.ViewFrameColor[c] = Rgb(72, 90, 123);
    h.ShowArcs[c] = 1;
    h.ShowChildMark[c] = 1;
    SetFieldText(h.ChildMark[c], "S", kChildMarkBytes);
    h.ShowImages[c] = 1;
    h.Headline[c] = NewHeadline(h.ViewWidth[c]);
    h.Headline[c].AlineChar = keptAlign[c];  // the headline alignment survives a new document

    RelationArcStyle& r = h.Relation[c];
    r.Type = c == FlowChart ? 4 : 0;
    r.FillColor = Rgb(165, 214, 239);
    r.FrameColor = Rgb(33, 107, 156);
    r.Width = (c == 0 || c == 2) ? 5 : 1;
    r.FrameStyle = 0;
    r.BendPercent = 50;
    r.Connect = 1;
  }
  h.StarFirstRing = 25;
  h.StarMinRadius = 100;
  h.CircleColor = Rgb(0, 80, 128);
  h.CircleWidth = 1;
  h.CircleStyle = 0;
  std::fill(std::begin(h.ActMargin), std::end(h.ActMargin), 5);
  h.MoveRectColor = Rgb(165, 165, 165);
  h.MoveRectSpeed = 5;
  h.SetDirection = 1;
  h.InitHGap = 20;
  h.InitVGap = 50;
  h.GridMode = -1;
}

int32_t NewSerial(const Diagram& diagram) {
  int32_t highest = 0;
  for (int i = 0; i < diagram.count(); ++i)
    if (IsNode(diagram.object(i))) highest = std::max(highest, diagram.object(i).Serial);
  return highest + 1;
}

int FindBySerial(const Diagram& diagram, int32_t serial) {
  for (int i = 0; i < diagram.count(); ++i) {
    const DiagramObject& o = diagram.object(i);
    if (IsNode(o) && o.Serial == serial) return i;
  }
  return -1;
}

// Walks the parents breadth-first, each node once, so that a damaged document whose parent lists form
// cycles or share ancestors costs no more than one pass over the table.
bool IsAncestor(const Diagram& diagram, int node, int candidate, bool directOnly) {
  if (node == candidate) return false;
  const DiagramObject& c = diagram.object(candidate);
  if (IsLinkArc(diagram.object(node)) || IsLinkArc(c)) return false;
  std::vector<bool> visited(static_cast<std::size_t>(diagram.count()), false);
  std::vector<int> pending{node};
  visited[static_cast<std::size_t>(node)] = true;
  for (std::size_t next = 0; next < pending.size(); ++next) {
    const DiagramObject& n = diagram.object(pending[next]);
    for (int k = 0; k < ParentEntries(n); ++k)
      if (n.ParentSerials[k] == c.Serial) return true;
    if (directOnly) return false;
    for (int k = 0; k < ParentEntries(n); ++k) {
      const int parent = FindBySerial(diagram, n.ParentSerials[k]);
      if (parent < 0 || visited[static_cast<std::size_t>(parent)]) continue;
      visited[static_cast<std::size_t>(parent)] = true;
      pending.push_back(parent);
    }
  }
  return false;
}

int CountChildren(const Diagram& diagram, int node, bool directOnly) {
  int children = 0;
  for (int i = 0; i < diagram.count(); ++i)
    if (i != node && IsAncestor(diagram, i, node, directOnly)) ++children;
  return children;
}

bool AddParent(Diagram& diagram, Messages& messages, int child, int parent) {
  DiagramObject& c = diagram.object(child);
  if (c.ParentCount >= kMaxParents) {
    const std::string prefix = "『" + Cp932ToUtf8(FieldText(c.Title)) + "』の";
    ShowResourceMessage(messages, prefix, kMsgTooManyParents, MessageIcon::Information);
    return false;
  }
  for (int k = 0; k < ParentEntries(c); ++k)
    if (FindBySerial(diagram, c.ParentSerials[k]) == parent) return false;
  c.ParentSerials[std::max(c.ParentCount, 0)] = diagram.object(parent).Serial;
  c.ParentCount = std::max(c.ParentCount, 0) + 1;
  diagram.object(parent).IsEndNode = 0;
  return true;
}

bool RemoveParent(Diagram& diagram, int child, int parent, bool inherit) {
  DiagramObject& c = diagram.object(child);
  if (c.ParentCount <= 0) return false;
  std::vector<int32_t> kept;
  bool found = false;
  for (int k = 0; k < ParentEntries(c); ++k) {
    const int32_t serial = c.ParentSerials[k];
    if (serial == -1) continue;
    const int resolved = FindBySerial(diagram, serial);
    if (resolved < 0) continue;
    if (resolved == parent) {
      found = true;
      continue;
    }
    kept.push_back(serial);
  }
  if (!found) return false;
  if (inherit) {
    const DiagramObject& p = diagram.object(parent);
    for (int k = 0; k < ParentEntries(p) && kept.size() < kMaxParents; ++k)
      if (std::find(kept.begin(), kept.end(), p.ParentSerials[k]) == kept.end())
        kept.push_back(p.ParentSerials[k]);
  }
  for (int k = 0; k < kMaxParents; ++k)
    c.ParentSerials[k] = k < static_cast<int>(kept.size()) ? kept[static_cast<std::size_t>(k)] : 0;
  c.ParentCount = static_cast<int32_t>(kept.size());
  return true;
}

void DetachObject(Diagram& diagram, int index) {
  DiagramObject& o = diagram.object(index);
  const int chart = std::clamp(diagram.header.CurrentChart, 0, kChartCount - 1);
  const float zoom = diagram.header.Zoom[chart];
  for (int k = 0; k < ParentEntries(o); ++k) {
    if (o.ParentSerials[k] == -1) continue;
    const int parent = FindBySerial(diagram, o.ParentSerials[k]);
    if (parent >= 0 && CountChildren(diagram, parent, true) == 1) {
      DiagramObject& p = diagram.object(parent);
      const Rect& r = diagram.state(parent).ObjectRect;
      p.IsEndNode = 1;
      if (zoom > 0) {
        p.Pos[BoxChart].X = static_cast<int32_t>(static_cast<float>((r.left + r.right) / 2) / zoom);
        p.Pos[BoxChart].Y = static_cast<int32_t>(static_cast<float>((r.top + r.bottom) / 2) / zoom);
      }
    }
    o.ParentSerials[k] = 0;
  }
  o.ParentCount = 0;
  if (o.IsEndNode == 1) return;
  for (int i = 0; i < diagram.count(); ++i)
    if (i != index && IsAncestor(diagram, i, index, true)) RemoveParent(diagram, i, index, true);
}

Colour RandomPastel(RandomSource& random, int full) {
  int channel[3];
  for (int& value : channel) value = (31 - random.Next() % 8) * 8;
  channel[random.Next() % 3] = full;
  return Rgb(channel[0], channel[1], channel[2]);
}

ObjectStatistics CountObjects(const Diagram& diagram) {
  ObjectStatistics s;
  for (int i = 0; i < diagram.count(); ++i) {
    const DiagramObject& o = diagram.object(i);
    const int withImage = o.Image != 0 ? 1 : 0;
    if (IsLinkArc(o)) {
      ++s.arcs;
      s.arcsWithImage += withImage;
    } else if (o.IsEndNode == 1) {
      ++s.endNodes;
      s.endNodesWithImage += withImage;
    } else {
      ++s.parentNodes;
      s.parentNodesWithImage += withImage;
    }
  }
  s.objects = diagram.count();
  return s;
}

namespace {
std::string Format(const char* pattern, int a, int b = 0) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, pattern, a, b);
  return buffer;
}
}  // namespace

std::string ArcCountText(const ObjectStatistics& s) { return Format("Arc %d(%d)", s.arcs, s.arcsWithImage); }
std::string ParentNodeCountText(const ObjectStatistics& s) {
  return Format("P-Node %d(%d)", s.parentNodes, s.parentNodesWithImage);
}
std::string EndNodeCountText(const ObjectStatistics& s) {
  return Format("E-Node %d(%d)", s.endNodes, s.endNodesWithImage);
}
std::string ObjectCountText(const ObjectStatistics& s) { return Format("Object %d", s.objects); }

}  // namespace ravelo
