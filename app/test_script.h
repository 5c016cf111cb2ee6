// A hook for the window's smoke tests: started with --test-log FILE (and --test-script FILE), the
// program shows no message box and no file dialog but records each in the log and answers as the
// script said, and it runs the script's lines one by one through the event loop, writing what it
// observes to the log. Each line runs only once the program has come to rest after the one before
// (see TestScript::Notify), so a script needs no pauses however slow the machine. Nothing here runs
// in normal use.
#pragma once

#include <wx/eventfilter.h>
#include <wx/timer.h>
#include <wx/weakref.h>

#include <chrono>
#include <deque>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/document_session.h"
#include "platform/messages.h"

class wxDialog;

namespace ravelo {

class MainFrame;

class TestScript final : private wxTimer, private wxEventFilter {
 public:
  TestScript(const std::string& scriptPath, const std::string& logPath);
  ~TestScript() override;

  void Log(const std::string& line);
  MessageAnswer AnswerMessage(std::string_view text, MessageIcon icon, MessageButtons buttons);
  std::optional<std::string> NextFileChoice(const std::string& what);

  // Starts running the lines once the frame is up.
  void Start(MainFrame& frame);

 private:
  void Notify() override;
  int FilterEvent(wxEvent& event) override;
  // Whether the line due may run now; asks the X server for the input sent so far otherwise.
  bool AtRest();
  void RunLine(const std::string& line);
  void Finish();

  std::vector<std::string> lines_;
  std::size_t next_ = 0;
  std::ofstream log_;
  std::deque<MessageAnswer> answers_;
  std::deque<std::optional<std::string>> fileChoices_;
  wxWeakRef<MainFrame> frame_;
  long waitedMs_ = 0;
  bool running_ = false;
  wxDialog* dialogBeforeLine_ = nullptr;
  long busyMs_ = 0;
  // The last event the program handled, and whether the event loop has since been found idle,
  // quiet for long enough, after a round trip to the X server.
  std::chrono::steady_clock::time_point lastEvent_;
  bool checking_ = false;
  bool atRest_ = false;
};

class ScriptedFileDialogs final : public FileDialogs {
 public:
  explicit ScriptedFileDialogs(TestScript& script) : script_(script) {}
  std::optional<std::string> ChooseDocumentToOpen(const std::string& folder) override {
    return script_.NextFileChoice("open " + folder);
  }
  std::optional<std::string> ChooseDocumentToSave(const std::string& folder,
                                                  const std::string& suggestedName) override {
    return script_.NextFileChoice("save " + folder + " " + suggestedName);
  }
  std::optional<std::string> ChoosePictureToOpen() override { return script_.NextFileChoice("picture"); }

 private:
  TestScript& script_;
};

}  // namespace ravelo
