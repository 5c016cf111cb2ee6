#include "exchange/table_import.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <string>
#include <vector>

#include "model/cp932.h"
#include "model/string_table.h"

namespace ravelo {

namespace {

// A node made by the import, by the cell text that named it.
struct NamedNode {
  std::string_view title;
  int index;
};

int Find(const std::vector<NamedNode>& nodes, std::string_view title) {
  for (const NamedNode& node : nodes)
    if (node.title == title) return node.index;
  return -1;
}

// The decimal number at the start of a cell: leading blanks and one sign allowed, reading stops at
// the first other character; 0 when no digit follows.
int LeadingNumber(std::string_view cell) {
  std::size_t i = 0;
  while (i < cell.size() && std::isspace(static_cast<unsigned char>(cell[i]))) ++i;
  bool negative = false;
  if (i < cell.size() && (cell[i] == '+' || cell[i] == '-')) negative = cell[i++] == '-';
  long long value = 0;
  for (; i < cell.size() && std::isdigit(static_cast<unsigned char>(cell[i])); ++i)
    value = std::min<long long>(value * 10 + (cell[i] - '0'), INT_MAX);
  return static_cast<int>(negative ? -value : value);
}

class ImportPasses {
 public:
  ImportPasses(Diagram& diagram, const CellTable& table, int firstRowNumber, const ImportPassServices& services)
      : diagram_(diagram),
        table_(table),
        firstRowNumber_(firstRowNumber),
        services_(services),
        rows_(static_cast<int>(table.rows.size())),
        rowNodes_(table.rows.size(), -1) {}

  void Run() {
    services_.progress.SetRange(3 * rows_);
    ParentPass();
    ChildPass();
    LinkPass();
    services_.progress.SetPosition(0);
  }

 private:
  std::string_view Cell(int row, int column) const { return table_.Cell(row, column); }
  Messages& messages() { return services_.objects.messages; }

  void ReportRow(int row, int id) {
    const std::string prefix = std::to_string(firstRowNumber_ + row) + "行目\n";
    ShowResourceMessage(messages(), prefix, id, MessageIcon::Information);
  }

  int CreateNode(std::string_view title, std::string_view picture, bool isEndNode, std::string_view memo) {
    NewObject request;
    request.kind = Node;
    request.title = title;
    request.isEndNode = isEndNode;
    request.builtInPicture = LeadingNumber(picture);
    request.interactive = false;
    if (!CreateObject(diagram_, request, services_.objects)) return -1;
    const int index = diagram_.count() - 1;
    if (!memo.empty()) SetFieldText(diagram_.object(index).MemoText, memo, kMemoBytes);
    return index;
  }

  // Attaches the parent unless that would make the node its own ancestor, which the hierarchy
  // cannot hold.
  void AttachParent(int row, int child, int parent) {
    if (child == parent || IsAncestor(diagram_, parent, child, false)) {
      ReportRow(row, kMsgParentCycle);
      return;
    }
    AddParent(diagram_, messages(), child, parent);
  }

  void ParentPass() {
    for (int row = 0; row < rows_; ++row) {
      services_.progress.SetPosition(row);
      const std::string_view parent = Cell(row, kParentTitleColumn);
      if (parent.empty()) continue;
      if (Cell(row, kChildTitleColumn).empty()) {
        ReportRow(row, kMsgRowWithoutChildTitle);
        continue;
      }
      if (Find(parents_, parent) >= 0) continue;
      const int index = CreateNode(parent, Cell(row, kParentImageColumn), false, Cell(row, kParentMemoColumn));
      if (index < 0) return;
      parents_.push_back({parent, index});
    }
  }

  void ChildPass() {
    for (int row = 0; row < rows_; ++row) {
      services_.progress.SetPosition(rows_ + row);
      const std::string_view child = Cell(row, kChildTitleColumn);
      if (child.empty()) {
        ReportRow(row, kMsgRowWithoutChildTitle);
        continue;
      }
      const std::string_view parentTitle = Cell(row, kParentTitleColumn);
      const int parent = parentTitle.empty() ? -1 : Find(parents_, parentTitle);
      const std::string_view memo = Cell(row, kChildMemoColumn);
      int node = Find(parents_, child);
      if (node >= 0) {
        // A parent that is itself a child: its memo from this row goes in front of the one it has,
        // on a line of its own, unless it stands there already (as in a table this program wrote).
        if (parent >= 0) {
          DiagramObject& nested = diagram_.object(node);
          const std::string_view current = FieldText(nested.MemoText);
          if (!memo.empty() && !current.starts_with(memo)) {
            const std::string joined =
                current.empty() ? std::string(memo) : std::string(memo) + "\n" + std::string(current);
            SetFieldText(nested.MemoText, joined, kMemoBytes);
          }
          AttachParent(row, node, parent);
        }
      } else {
        node = Find(children_, child);
        if (node < 0) {
          node = CreateNode(child, Cell(row, kChildImageColumn), true, memo);
          if (node < 0) return;
          children_.push_back({child, node});
        }
        if (parent >= 0) AttachParent(row, node, parent);
      }
      rowNodes_[static_cast<std::size_t>(row)] = node;
    }
  }

  void LinkPass() {
    for (int row = 0; row < rows_; ++row) {
      services_.progress.SetPosition(2 * rows_ + row);
      // A row whose child title was missing, or that the child pass never reached, has no node
      // for its arcs to start from.
      const int source = rowNodes_[static_cast<std::size_t>(row)];
      if (source < 0) continue;
      for (int k = 0; k < kMaxLinkTriples; ++k) {
        const int column = kFirstLinkColumn + 3 * k;
        const std::string_view name = Cell(row, column);
        if (name.empty()) break;
        int target = Find(parents_, name);
        if (target < 0) target = Find(children_, name);
        if (target < 0) continue;
        NewObject request;
        request.kind = LinkArc;
        request.fromIndex = source;
        request.toIndex = target;
        request.title = Cell(row, column + 1);
        request.interactive = false;
        if (!CreateObject(diagram_, request, services_.objects)) return;
        const std::string_view memo = Cell(row, column + 2);
        if (!memo.empty()) {
          // The memo is kept but hidden until the user shows it.
          DiagramObject& arc = diagram_.object(diagram_.count() - 1);
          SetFieldText(arc.MemoText, memo, kMemoBytes);
          std::fill(std::begin(arc.ShowMemo), std::end(arc.ShowMemo), 0);
        }
      }
    }
  }

  Diagram& diagram_;
  const CellTable& table_;
  int firstRowNumber_;
  const ImportPassServices& services_;
  int rows_;
  std::vector<NamedNode> parents_;
  std::vector<NamedNode> children_;
  std::vector<int> rowNodes_;  // the node each row's column E resolved to, -1 for none
};

}  // namespace

void RunImportPasses(Diagram& diagram, const CellTable& table, int firstRowNumber, const ImportPassServices& services) {
  ImportPasses(diagram, table, firstRowNumber, services).Run();
}

}  // namespace ravelo
