// The one open document of the editor: its diagram, where it lives on disk and whether it holds
// unsaved changes, with the file commands of the frame (new, open, open recent, save, save as) and
// the question about unsaved changes that comes before a document is replaced or closed.
#pragma once

#include <optional>
#include <string>

#include "app/recent_files.h"
#include "model/document_file.h"
#include "model/object_defaults.h"
#include "model/undo_history.h"
#include "output/object_pictures.h"

namespace ravelo {

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The document chosen to open, starting in folder; nothing when the user cancelled.
  virtual std::optional<std::string> ChooseDocumentToOpen(const std::string& folder) = 0;
  // Where to save, starting in folder with suggestedName offered; nothing when the user cancelled.
  // The session itself asks before an existing file is replaced.
  virtual std::optional<std::string> ChooseDocumentToSave(const std::string& folder,
                                                          const std::string& suggestedName) = 0;
  // A picture file to set into an object; nothing when the user cancelled.
  virtual std::optional<std::string> ChoosePictureToOpen() = 0;
};

// What a command did to the document shown.
enum class CommandOutcome {
  Cancelled,  // nothing changed
  Done,
  Failed,  // the user has been told why; a new, empty document took the place of the old one
};

class DocumentSession {
 public:
  DocumentSession(Diagram& diagram, RandomSource& random, const Clock& clock, DocumentServices& services,
                  RecentFileList& recent, FileDialogs& dialogs);

  Diagram& diagram() { return diagram_; }
  const std::string& path() const { return path_; }
  bool modified() const { return modified_; }
  void MarkModified() { modified_ = true; }
  // Where the file dialogs start for a document without a path; ends with "/".
  void SetDocumentsFolder(std::string folder) { documentsFolder_ = std::move(folder); }
  // The document's name: its file name, or "無題" before it has one.
  std::string Title() const;
  // The main window's caption: the document's name, then the program's.
  std::string WindowTitle() const;

  void New();
  // Opens path without asking anything; on failure a new document is shown instead.
  bool Open(const std::string& path);

  // Asks whether to save a modified document: Yes saves (false when that failed or was cancelled),
  // No discards, Cancel gives false. True at once for an unmodified document.
  bool SaveModified(Point scroll);

  CommandOutcome NewCommand(Point scroll);
  CommandOutcome OpenCommand(Point scroll);
  // Opens entry index of the recent list; an entry that does not open is taken off the list.
  CommandOutcome OpenRecentCommand(std::size_t index, Point scroll);
  // Saves to the document's path, or asks for one first when it has none.
  bool SaveCommand(Point scroll);
  // Asks for a path (given the document extension when it has none) and saves there; an existing
  // file is replaced only after the user agreed.
  bool SaveAsCommand(Point scroll);

  // The edit history of the document shown; emptied whenever another document takes its place.
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  // Taken by every edit before it changes the diagram.
  void TakeSnapshot() { history_.TakeSnapshot(diagram_); }
  // Bring back the state before the last edit (after the last undo); the main selection becomes
  // the lowest selected object and the document counts as modified. False when there was nothing.
  bool Undo();
  bool Redo();

  // The defaults commands of the main selection: set the object's or its memo's style as the
  // defaults of new objects, and give the selected link arcs the arc defaults again (an edit).
  bool SetObjectAsDefaultsCommand();
  bool SetMemoAsDefaultsCommand();
  bool ApplyArcDefaultsCommand(const ObjectServices& services);

  // The picture commands. From a file: for the main selection, after asking; the file's type comes
  // from its extension. Built-in: for every selected object. From the clipboard: into every selected
  // object. Each is an edit; false when nothing changed.
  bool SetPictureFromFileCommand(const std::string& path, const PictureServices& services);
  bool SetBuiltInPictureCommand(int number, const PictureServices& services);
  bool PastePictureCommand(Clipboard& clipboard);

 private:
  bool SaveTo(const std::string& path, Point scroll);
  CommandOutcome Replace(const std::string& path, Point scroll);

  Diagram& diagram_;
  RandomSource& random_;
  const Clock& clock_;
  DocumentServices& services_;
  RecentFileList& recent_;
  FileDialogs& dialogs_;
  std::string documentsFolder_;
  std::string path_;
  bool modified_ = false;
  UndoHistory history_;
};

// The path a save goes to: a name without the document extension gets ".rvl", so that the file
// written can always be opened again.
std::string WithDocumentExtension(const std::string& path);

}  // namespace ravelo
