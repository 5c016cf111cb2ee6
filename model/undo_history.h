// Undo and redo over whole-diagram snapshots kept as files in the work folder ("RVL" plus a unique
// suffix; the folder is made, private to the user, when missing). A snapshot is the document body without its magic. At most 19 steps stay available in
// each direction. Failures to write or read a snapshot are silent and never touch the diagram.
#pragma once

#include <string>
#include <vector>

#include "model/diagram.h"
#include "platform/picture_codec.h"

namespace ravelo {

class UndoHistory {
 public:
  static constexpr int kSlots = 20;

  UndoHistory(std::string workFolder, const PictureCodec& codec);

  // Called before an edit changes the diagram; empties the redo list.
  void TakeSnapshot(const Diagram& diagram);

  // Bring back the newest undo (redo) state. False when the list was empty; true otherwise, even
  // when the snapshot could not be read (the step is then lost and the diagram left as it was).
  bool Undo(Diagram& diagram);
  bool Redo(Diagram& diagram);

  // Forgets both lists (a new or opened document); the files stay until the clean-up at exit.
  void Clear();

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  int UndoCount() const { return static_cast<int>(undo_.size()); }
  int RedoCount() const { return static_cast<int>(redo_.size()); }

 private:
  std::string WriteSnapshotFile(const Diagram& diagram) const;  // its path, empty on failure
  bool ReadSnapshotFile(const std::string& path, Diagram& diagram) const;
  bool Step(Diagram& diagram, std::vector<std::string>& from, std::vector<std::string>& to);
  static void Push(std::vector<std::string>& list, std::string path);

  std::string workFolder_;
  const PictureCodec& codec_;
  std::vector<std::string> undo_;
  std::vector<std::string> redo_;
};

// After an undo or redo step: the main selection becomes the lowest selected object, or -1.
void SelectLowestSelected(Diagram& diagram);

}  // namespace ravelo
