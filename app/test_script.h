// A hook for the window's smoke tests: started with --test-log FILE (and --test-script FILE), the
// program shows no message box and no file dialog but records each in the log and answers as the
// script said, and it runs the script's lines one by one through the event loop, writing what it
// observes to the log. Nothing here runs in normal use.
#pragma once

#include <wx/timer.h>
#include <wx/weakref.h>

#include <deque>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/document_session.h"
#include "platform/messages.h"

namespace ravelo {

class MainFrame;

class TestScript final : private wxTimer {
 public:
  TestScript(const std::string& scriptPath, const std::string& logPath);

  void Log(const std::string& line);
  MessageAnswer AnswerMessage(std::string_view text, MessageIcon icon, MessageButtons buttons);
  std::optional<std::string> NextFileChoice(const std::string& what);

  // Starts running the lines once the frame is up.
  void Start(MainFrame& frame);

 private:
  void Notify() override;
  void RunLine(const std::string& line);
  void Finish();

  std::vector<std::string> lines_;
  std::size_t next_ = 0;
  std::ofstream log_;
  std::deque<MessageAnswer> answers_;
  std::deque<std::optional<std::string>> fileChoices_;
  wxWeakRef<MainFrame> frame_;
  long waitedMs_ = 0;
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
