// The start-up sequence of the editor, free of any toolkit: the checks that may end the program and
// the order in which the frame, the document and the settings come into being. The answers that
// only the windowing system can give come through StartupPlatform.
#pragma once

#include <optional>
#include <string>

#include "model/program_settings.h"
#include "platform/messages.h"
#include "platform/settings_store.h"

namespace ravelo {

enum class PrinterCheck {
  Ready,          // the default printer took the stored paper size and orientation
  NotConfigured,  // the system has no notion of a default printer here; nothing to check
  Failed,         // a default printer should exist but could not be set up
};

class StartupPlatform {
 public:
  virtual ~StartupPlatform() = default;
  // Claims the one-instance lock; false when another instance holds it or it cannot be taken.
  virtual bool ClaimSingleInstance() = 0;
  // Bits per pixel of the display; 0 when the system cannot tell.
  virtual int ColourDepth() = 0;
  // Creates the object table of the document; false when the memory is not there.
  virtual bool AllocateDocument() = 0;
  virtual PrinterCheck PrepareDefaultPrinter(int paperSize, int orientation) = 0;
  // Creates the main frame with its ribbon and panes; false (after telling the user) when it failed.
  virtual bool CreateMainFrame() = 0;
  virtual void NewDocument() = 0;
  // Opens a document (absolute path); false after the open told the user why.
  virtual bool OpenDocument(const std::string& path) = 0;
  virtual void ShowMainWindow(bool maximised) = 0;
  virtual int RibbonCategoryCount() = 0;
};

struct StartupState {
  SystemSettings held;          // the SYS values the application holds while it runs
  std::string documentsFolder;  // starting folder of the file dialogs, with a trailing "/"
};

// Runs the sequence; false when the program must end (the reason has been shown). documentPath is
// the document named on the command line, already made absolute.
bool RunStartup(StartupPlatform& platform, SettingsStore& store, Messages& messages,
                const std::optional<std::string>& documentPath, const std::string& documentsFolder,
                StartupState& state);

}  // namespace ravelo
