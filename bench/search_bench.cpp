// Search and bulk replacement over a full diagram: 2000 objects, each with a title and a 500-byte
// memo of mixed Japanese and ASCII text; the phrase is in every fourth memo.
#include <benchmark/benchmark.h>

#include <memory>

#include "model/cp932.h"
#include "search/search_pane.h"

namespace ravelo {
namespace {

class AnswerYes final : public Messages {
 public:
  MessageAnswer Show(std::string_view, MessageIcon, MessageButtons buttons) override {
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
  }
};

class NoView final : public SearchHost {
 public:
  void TakeUndoSnapshot() override {}
  void DocumentChanged() override {}
  Size ViewSize() const override { return {}; }
  Size ClientSize() const override { return {}; }
  void ScrollTo(Point) override {}
  void Redraw() override {}
  void BringSelectionToFront() override {}
};

class NoSettings final : public SettingsStore {
 public:
  int ReadInt(std::string_view, std::string_view, int fallback) const override { return fallback; }
  std::string ReadString(std::string_view, std::string_view, std::string_view fallback) const override {
    return std::string(fallback);
  }
  void WriteInt(std::string_view, std::string_view, int) override {}
  void WriteString(std::string_view, std::string_view, std::string_view) override {}
};

std::unique_ptr<Diagram> FullDiagram() {
  auto d = std::make_unique<Diagram>();
  const std::string filler = Utf8ToCp932("関係図の記事 memo text ソ表示 Abc ").text;
  for (int i = 0; i < kMaxObjects; ++i) {
    DiagramObject& o = d->object(i);
    o.Kind = Node;
    o.Serial = i + 1;
    SetFieldText(o.Title, Utf8ToCp932("ノード " + std::to_string(i)).text, kTitleBytes);
    std::string memo;
    while (memo.size() < kMemoBytes) memo += filler;
    memo = TruncateBytes(memo, kMemoBytes - 8);
    if (i % 4 == 0) memo += Utf8ToCp932("東京").text;
    SetFieldText(o.MemoText, memo, kMemoBytes);
  }
  d->header.ObjectCount = kMaxObjects;
  return d;
}

struct Fixture {
  std::unique_ptr<Diagram> diagram = FullDiagram();
  AnswerYes messages;
  NoView view;
  NoSettings settings;
  SearchPane pane{*diagram, settings, messages, view};
};

void BM_Search(benchmark::State& state) {
  Fixture f;
  f.pane.SetSearchText("東京");
  for (auto _ : state) f.pane.Search();
  state.counters["hits"] = f.pane.counters().hits;
}
BENCHMARK(BM_Search)->Unit(benchmark::kMillisecond);

// Each run replaces the phrase in 500 memos; the next run puts it back, so every run does the same work.
void BM_ReplaceByPhrase(benchmark::State& state) {
  Fixture f;
  f.pane.searchScreen = false;
  bool forward = true;
  for (auto _ : state) {
    f.pane.SetSearchText(forward ? "東京" : "大阪");
    f.pane.SetReplacementText(forward ? "大阪" : "東京");
    f.pane.ReplaceByPhrase();
    forward = !forward;
  }
  state.counters["replacements"] = static_cast<double>(f.pane.counters().replacements);
}
BENCHMARK(BM_ReplaceByPhrase)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ravelo
