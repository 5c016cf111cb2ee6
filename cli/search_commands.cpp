#include "cli/search_commands.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/fallback_settings.h"
#include "model/document_file.h"
#include "platform/cab/gcab_cabinet.h"
#include "platform/codec/document_picture_codec.h"
#include "platform/files.h"
#include "search/search_pane.h"

namespace ravelo::cli {
namespace {

// Every question is answered yes (a dictionary runs forward); what the pane reports goes to stdout,
// its failures to stderr.
class ScriptMessages final : public Messages {
 public:
  MessageAnswer Show(std::string_view text, MessageIcon icon, MessageButtons buttons) override {
    if (buttons != MessageButtons::Ok) return MessageAnswer::Yes;
    failed = failed || icon == MessageIcon::Stop;
    (icon == MessageIcon::Stop ? std::cerr : std::cout) << text << '\n';
    return MessageAnswer::Ok;
  }
  bool failed = false;
};

// No window: nothing to scroll, redraw or undo.
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

struct SearchSession {
  ScriptMessages messages;
  NoProgress progress;
  DocumentPictureCodec codec;
  FallbackSettings settings;
  GcabCabinet cabinet;
  DocumentServices services{messages, progress, codec, settings, cabinet, files::DefaultWorkRoot()};
  NoView view;
  std::unique_ptr<Diagram> diagram = std::make_unique<Diagram>();
  SearchPane pane{*diagram, settings, messages, view};
};

constexpr const char* kUsage =
    "usage: ravelo-cli find FILE.rvl TEXT [--in all|titles|memos] [--match-case]\n"
    "       ravelo-cli replace IN.rvl OUT.rvl (--from A --to B | --dictionary FILE) [--in all|titles|memos] "
    "[--match-case]\n";

struct Options {
  std::vector<std::string> positional;
  std::optional<std::string> from, to, dictionary;
};

// Reads the options shared by both commands into the pane; false after telling what is wrong.
bool ParseOptions(int argc, char** argv, SearchPane& pane, Options& options) {
  for (int i = 2; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--match-case") {
      pane.letterCase = LetterCase::Match;
      continue;
    }
    if (argument.rfind("--", 0) != 0) {
      options.positional.emplace_back(argument);
      continue;
    }
    if (i + 1 >= argc) {
      std::cerr << argument << ": a value must follow\n";
      return false;
    }
    const std::string value = argv[++i];
    if (argument == "--in") {
      if (value != "all" && value != "titles" && value != "memos") {
        std::cerr << value << ": --in takes all, titles or memos\n";
        return false;
      }
      pane.target = value == "all" ? SearchTarget::All : value == "titles" ? SearchTarget::Titles : SearchTarget::Memos;
    } else if (argument == "--from") {
      options.from = value;
    } else if (argument == "--to") {
      options.to = value;
    } else if (argument == "--dictionary") {
      options.dictionary = value;
    } else {
      std::cerr << argument << ": unknown option\n";
      return false;
    }
  }
  return true;
}

bool Open(SearchSession& session, const std::string& path) {
  if (OpenDocument(*session.diagram, std::filesystem::absolute(path).string(), session.services)) return true;
  if (!HasDocumentExtension(path)) std::cerr << path << ": not a .rvl document\n";
  return false;
}

}  // namespace

int FindCommand(int argc, char** argv) {
  SearchSession session;
  Options options;
  if (!ParseOptions(argc, argv, session.pane, options) || options.positional.size() != 2 || options.from ||
      options.to || options.dictionary) {
    std::cerr << kUsage;
    return 2;
  }
  if (!Open(session, options.positional[0])) return 1;
  session.pane.SetSearchText(options.positional[1]);
  if (session.pane.searchText().empty()) {
    std::cerr << "find: the text to find is empty\n";
    return 2;
  }
  session.pane.Search();
  for (const ResultLine& line : session.pane.list(0).lines) std::cout << line.text << '\n';
  return session.messages.failed ? 1 : 0;
}

int ReplaceCommand(int argc, char** argv) {
  SearchSession session;
  Options options;
  if (!ParseOptions(argc, argv, session.pane, options) || options.positional.size() != 2 ||
      (options.dictionary ? options.from || options.to : !options.from || !options.to)) {
    std::cerr << kUsage;
    return 2;
  }
  if (!Open(session, options.positional[0])) return 1;
  SearchPane& pane = session.pane;
  pane.searchScreen = false;
  if (options.dictionary) {
    pane.ReplaceByDictionaryFile(*options.dictionary, std::filesystem::path(*options.dictionary).filename().string());
  } else {
    pane.SetSearchText(*options.from);
    pane.SetReplacementText(*options.to);
    if (pane.searchText().empty() || pane.replacementText() != *options.to) {
      std::cerr << "replace: --from must not be empty, and --to must not hold a line break\n";
      return 2;
    }
    pane.ReplaceByPhrase();
  }
  if (session.messages.failed) return 1;
  const Diagram& diagram = *session.diagram;
  const int chart = diagram.header.CurrentChart;
  const Point scroll = chart >= 0 && chart < kChartCount ? diagram.header.Scroll[chart] : Point{0, 0};
  return SaveDocument(*session.diagram, std::filesystem::absolute(options.positional[1]).string(), scroll,
                      session.services)
             ? 0
             : 1;
}

}  // namespace ravelo::cli
