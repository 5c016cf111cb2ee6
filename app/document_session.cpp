#include "app/document_session.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "model/levels.h"
#include "model/string_table.h"

namespace ravelo {

namespace {

constexpr std::string_view kUntitled = "無題";
constexpr std::string_view kProgramTitle = "ラヴェロ";
constexpr std::string_view kDocumentExtension = ".rvl";

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool EndsWithDocumentExtension(const std::string& path) {
  if (path.size() < kDocumentExtension.size()) return false;
  return std::equal(kDocumentExtension.begin(), kDocumentExtension.end(),
                    path.end() - static_cast<std::ptrdiff_t>(kDocumentExtension.size()),
                    [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

}  // namespace

std::string WithDocumentExtension(const std::string& path) {
  return EndsWithDocumentExtension(path) ? path : path + std::string(kDocumentExtension);
}

DocumentSession::DocumentSession(Diagram& diagram, RandomSource& random, const Clock& clock,
                                 DocumentServices& services, RecentFileList& recent, FileDialogs& dialogs)
    : diagram_(diagram),
      random_(random),
      clock_(clock),
      services_(services),
      recent_(recent),
      dialogs_(dialogs),
      history_(services.workRoot, services.codec) {}

std::string DocumentSession::Title() const {
  return path_.empty() ? std::string(kUntitled) : FileNameOf(path_);
}

std::string DocumentSession::WindowTitle() const { return Title() + " - " + std::string(kProgramTitle); }

void DocumentSession::New() {
  NewDocument(diagram_, random_, clock_);
  history_.Clear();
  path_.clear();
  modified_ = false;
}

bool DocumentSession::Open(const std::string& path) {
  if (!OpenDocument(diagram_, path, services_)) {
    New();
    return false;
  }
  ComputeLevels(diagram_, &services_.progress);
  history_.Clear();
  path_ = path;
  modified_ = false;
  recent_.Add(path);
  return true;
}

bool DocumentSession::Undo() {
  if (!history_.Undo(diagram_)) return false;
  ComputeLevels(diagram_);  // the snapshot may hold another hierarchy
  SelectLowestSelected(diagram_);
  modified_ = true;
  return true;
}

bool DocumentSession::Redo() {
  if (!history_.Redo(diagram_)) return false;
  ComputeLevels(diagram_);
  SelectLowestSelected(diagram_);
  modified_ = true;
  return true;
}

bool DocumentSession::SetObjectAsDefaultsCommand() {
  return SetObjectAsDefaults(diagram_, services_.settings, services_.messages);
}

bool DocumentSession::SetMemoAsDefaultsCommand() {
  return SetMemoAsDefaults(diagram_, services_.settings, services_.messages);
}

bool DocumentSession::SetPictureFromFileCommand(const std::string& path, const PictureServices& services) {
  const int index = diagram_.header.CurrentObject;
  if (index < 0 || index >= diagram_.count()) return false;
  Messages& messages = services_.messages;
  const std::string type = ImageTypeOfPath(path, messages);
  if (type.empty()) {
    messages.Show("イメージファイル以外は処理できません", MessageIcon::Information, MessageButtons::Ok);
    return false;
  }
  if (messages.Show("現在セットされているイメージを変更しますか", MessageIcon::Question, MessageButtons::YesNo) !=
      MessageAnswer::Yes)
    return false;
  TakeSnapshot();
  SetObjectPictureFromFile(diagram_, index, path, type, services);
  modified_ = true;  // also when the load failed: the old picture is gone
  return true;
}

bool DocumentSession::SetBuiltInPictureCommand(int number, const PictureServices& services) {
  PictureServices withHistory = services;
  withHistory.undo = &history_;
  bool changed = false;
  for (int i = 0; i < diagram_.count(); ++i)
    if (diagram_.state(i).Selected && SetObjectBuiltInPicture(diagram_, i, number, withHistory)) changed = true;
  if (changed) modified_ = true;
  return changed;
}

bool DocumentSession::PastePictureCommand(Clipboard& clipboard) {
  if (!PasteClipboardPicture(diagram_, clipboard, &history_, services_.messages)) return false;
  modified_ = true;
  return true;
}

bool DocumentSession::ApplyArcDefaultsCommand(const ObjectServices& services) {
  if (!HasSelectedLinkArc(diagram_)) return false;
  TakeSnapshot();
  ApplyArcDefaultsToSelection(diagram_, services);
  modified_ = true;
  return true;
}

bool DocumentSession::SaveModified(Point scroll) {
  if (!modified_) return true;
  const std::string question = Title() + " への変更を保存しますか?";
  switch (services_.messages.Show(question, MessageIcon::Question, MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes:
      return SaveCommand(scroll);
    case MessageAnswer::No:
      return true;
    case MessageAnswer::Ok:
    case MessageAnswer::Cancel:
      break;
  }
  return false;
}

CommandOutcome DocumentSession::NewCommand(Point scroll) {
  if (!SaveModified(scroll)) return CommandOutcome::Cancelled;
  New();
  return CommandOutcome::Done;
}

CommandOutcome DocumentSession::Replace(const std::string& path, Point scroll) {
  if (!SaveModified(scroll)) return CommandOutcome::Cancelled;
  return Open(path) ? CommandOutcome::Done : CommandOutcome::Failed;
}

CommandOutcome DocumentSession::OpenCommand(Point scroll) {
  const std::optional<std::string> chosen = dialogs_.ChooseDocumentToOpen(documentsFolder_);
  if (!chosen) return CommandOutcome::Cancelled;
  return Replace(*chosen, scroll);
}

CommandOutcome DocumentSession::OpenRecentCommand(std::size_t index, Point scroll) {
  if (index >= recent_.entries().size()) return CommandOutcome::Cancelled;
  const std::string path = recent_.entries()[index];
  const CommandOutcome outcome = Replace(path, scroll);
  if (outcome == CommandOutcome::Failed) {
    const auto& entries = recent_.entries();
    const auto found = std::find(entries.begin(), entries.end(), path);
    if (found != entries.end()) recent_.Remove(static_cast<std::size_t>(found - entries.begin()));
  }
  return outcome;
}

bool DocumentSession::SaveCommand(Point scroll) {
  return path_.empty() ? SaveAsCommand(scroll) : SaveTo(path_, scroll);
}

bool DocumentSession::SaveAsCommand(Point scroll) {
  const std::string start = path_.empty() ? documentsFolder_ : FolderOf(path_);
  const std::optional<std::string> chosen =
      dialogs_.ChooseDocumentToSave(start, WithDocumentExtension(Title()));
  if (!chosen) return false;
  const std::string path = WithDocumentExtension(*chosen);
  std::error_code error;
  if (std::filesystem::exists(path, error)) {
    const std::string question = path + " は既に存在します。\n上書きしますか?";
    if (services_.messages.Show(question, MessageIcon::Warning, MessageButtons::YesNo) != MessageAnswer::Yes)
      return false;
  }
  return SaveTo(path, scroll);
}

bool DocumentSession::SaveTo(const std::string& path, Point scroll) {
  if (!SaveDocument(diagram_, path, scroll, services_)) return false;
  path_ = path;
  modified_ = false;
  recent_.Add(path);
  return true;
}

}  // namespace ravelo
