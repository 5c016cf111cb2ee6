#include "model/undo_history.h"

#include <cstdio>
#include <fstream>

#include "model/body_io.h"
#include "platform/files.h"

namespace ravelo {

namespace {

void DeleteFile(const std::string& path) {
  if (!path.empty()) std::remove(path.c_str());
}

}  // namespace

UndoHistory::UndoHistory(std::string workFolder, const PictureCodec& codec)
    : workFolder_(std::move(workFolder)), codec_(codec) {}

std::string UndoHistory::WriteSnapshotFile(const Diagram& diagram) const {
  if (!files::EnsurePrivateFolder(workFolder_)) return {};
  const std::string path = files::CreateUniqueFile(workFolder_ + "/RVL", files::FileAccess::Private);
  if (path.empty()) return {};
  SilentMessages messages;
  NoProgress progress;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const bool written = out && WriteSnapshot(out, diagram, {messages, progress, codec_});
  out.close();
  if (!written || !out) {
    DeleteFile(path);
    return {};
  }
  return path;
}

bool UndoHistory::ReadSnapshotFile(const std::string& path, Diagram& diagram) const {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  // Read aside, so that a damaged snapshot leaves the diagram as it is; the run-time states (and
  // with them the selection) are not part of a snapshot and stay.
  auto restored = std::make_unique<Diagram>();
  SilentMessages messages;
  NoProgress progress;
  if (!ReadSnapshot(in, *restored, {messages, progress, codec_})) return false;
  diagram.header = restored->header;
  diagram.table.objects = std::move(restored->table.objects);
  diagram.table.pictures = std::move(restored->table.pictures);
  return true;
}

void UndoHistory::Push(std::vector<std::string>& list, std::string path) {
  list.push_back(std::move(path));
  if (static_cast<int>(list.size()) == kSlots) {
    DeleteFile(list.front());
    list.erase(list.begin());
  }
}

void UndoHistory::TakeSnapshot(const Diagram& diagram) {
  std::string path = WriteSnapshotFile(diagram);
  if (path.empty()) return;
  for (const std::string& redo : redo_) DeleteFile(redo);
  redo_.clear();
  Push(undo_, std::move(path));
}

bool UndoHistory::Step(Diagram& diagram, std::vector<std::string>& from, std::vector<std::string>& to) {
  if (from.empty()) return false;
  std::string current = WriteSnapshotFile(diagram);
  const std::string newest = from.back();
  from.pop_back();
  if (ReadSnapshotFile(newest, diagram)) DeleteFile(newest);
  // A state that could not be saved cannot be stepped back to; the step is lost, as any failed
  // snapshot is.
  if (!current.empty()) Push(to, std::move(current));
  return true;
}

bool UndoHistory::Undo(Diagram& diagram) { return Step(diagram, undo_, redo_); }
bool UndoHistory::Redo(Diagram& diagram) { return Step(diagram, redo_, undo_); }

void UndoHistory::Clear() {
  undo_.clear();
  redo_.clear();
}

void SelectLowestSelected(Diagram& diagram) {
  diagram.header.CurrentObject = -1;
  for (int i = 0; i < diagram.count(); ++i) {
    if (diagram.state(i).Selected) {
      diagram.header.CurrentObject = i;
      return;
    }
  }
}

}  // namespace ravelo
