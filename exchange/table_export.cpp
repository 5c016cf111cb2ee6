#include "exchange/table_export.h"

#include <algorithm>

#include "model/cp932.h"

namespace ravelo {

namespace {

std::string ImageCell(const DiagramObject& node) {
  return node.DefImage > 0 ? std::to_string(node.DefImage) : std::string();
}

std::string MemoCell(std::string_view memo, MemoLines memos) {
  std::string cell(memo);
  // Only the line feed goes: a carriage return in front of it stays in the text.
  if (memos == MemoLines::FeedsAsSpaces) std::replace(cell.begin(), cell.end(), '\n', ' ');
  return cell;
}

void AppendNode(CellRow& row, const DiagramObject& node, MemoLines memos) {
  row.push_back(ImageCell(node));
  row.emplace_back(FieldText(node.Title));
  row.push_back(MemoCell(FieldText(node.MemoText), memos));
}

}  // namespace

std::vector<LinkTriple> CollectOutgoingLinks(const Diagram& diagram, int node) {
  std::vector<LinkTriple> links;
  const int32_t serial = diagram.object(node).Serial;
  for (int i = 0; i < diagram.count() && links.size() < kMaxLinkTriples; ++i) {
    const DiagramObject& arc = diagram.object(i);
    if (!IsLinkArc(arc) || arc.Serial != serial) continue;
    const int target = FindBySerial(diagram, arc.ToSerial);
    links.push_back({target < 0 ? std::string() : std::string(FieldText(diagram.object(target).Title)),
                     std::string(FieldText(arc.Title)), std::string(FieldText(arc.MemoText))});
  }
  return links;
}

std::vector<CellRow> ExportRows(const Diagram& diagram, MemoLines memos, Progress& progress) {
  std::vector<CellRow> rows;
  progress.SetRange(diagram.count());
  for (int i = 0; i < diagram.count(); ++i) {
    progress.SetPosition(i);
    const DiagramObject& node = diagram.object(i);
    if (!IsNode(node)) continue;
    std::vector<int> parents;
    for (int k = 0; k < std::clamp(node.ParentCount, 0, kMaxParents); ++k) {
      if (node.ParentSerials[k] == -1) continue;
      const int parent = FindBySerial(diagram, node.ParentSerials[k]);
      if (parent >= 0) parents.push_back(parent);
    }
    // A top-level parent node appears only in the rows of its children.
    if (parents.empty() && node.IsEndNode == 0) continue;

    const std::size_t first = rows.size();
    if (parents.empty()) {
      rows.push_back(CellRow(3));
      AppendNode(rows.back(), node, memos);
    }
    for (int parent : parents) {
      rows.emplace_back();
      AppendNode(rows.back(), diagram.object(parent), memos);
      AppendNode(rows.back(), node, memos);
    }
    for (const LinkTriple& link : CollectOutgoingLinks(diagram, i)) {
      CellRow& row = rows[first];
      row.push_back(link.target);
      row.push_back(link.title);
      row.push_back(MemoCell(link.memo, memos));
    }
  }
  return rows;
}

}  // namespace ravelo
