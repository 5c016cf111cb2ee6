// A new document with in-memory settings and recorded messages, and helpers to import rows
// written in UTF-8 and to find the objects they made.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "exchange/table_import.h"
#include "model/cp932.h"
#include "tests/support/memory_settings.h"
#include "tests/support/recording_messages.h"

namespace ravelo::testing {

using Rows = std::vector<std::vector<std::string>>;

inline CellTable Cp932Table(const Rows& utf8) {
  CellTable table;
  for (const auto& row : utf8) {
    CellRow& cells = table.rows.emplace_back();
    for (const std::string& cell : row) cells.push_back(Utf8ToCp932(cell).text);
  }
  return table;
}

class ExchangeFixture : public ::testing::Test {
 protected:
  ExchangeFixture() { ResetToNewDocument(d, random, 1); }

  void ImportRows(const Rows& rows, int firstRowNumber = 1) {
    RunImportPasses(d, Cp932Table(rows), firstRowNumber, {objects, progress});
  }

  // The index of the first object with this title (UTF-8), -1 when none.
  int Find(const std::string& title, ObjectKind kind = Node) const {
    const std::string wanted = Utf8ToCp932(title).text;
    for (int i = 0; i < d.count(); ++i)
      if (d.object(i).Kind == kind && FieldText(d.object(i).Title) == wanted) return i;
    return -1;
  }
  int Count(ObjectKind kind) const {
    int n = 0;
    for (int i = 0; i < d.count(); ++i) n += d.object(i).Kind == kind;
    return n;
  }
  std::string Title(int index) const { return Cp932ToUtf8(FieldText(d.object(index).Title)); }
  std::string Memo(int index) const { return Cp932ToUtf8(FieldText(d.object(index).MemoText)); }
  // The titles of the node's parents, in list order.
  std::vector<std::string> Parents(int index) const {
    std::vector<std::string> titles;
    const DiagramObject& o = d.object(index);
    for (int k = 0; k < o.ParentCount; ++k) titles.push_back(Title(FindBySerial(d, o.ParentSerials[k])));
    return titles;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const RecordedMessage& m : messages.shown) texts.push_back(m.text);
    return texts;
  }

  std::unique_ptr<Diagram> owned = std::make_unique<Diagram>();
  Diagram& d = *owned;
  RandomSource random;
  MemorySettings settings;
  RecordingMessages messages;
  NoProgress progress;
  // Built-in pictures 1 to 17 exist; any other number fails as the real one does.
  ObjectServices objects{settings,
                         messages,
                         random,
                         {},
                         [this](Diagram& diagram, int index, int number) {
                           if (number > 17) {
                             messages.Show("イメージの読込みに失敗しました", MessageIcon::Information,
                                           MessageButtons::Ok);
                             return false;
                           }
                           diagram.object(index).DefImage = number;
                           return true;
                         },
                         {}};
};

}  // namespace ravelo::testing
