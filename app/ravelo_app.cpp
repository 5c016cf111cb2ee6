// The editor program: the application object, which owns everything that lives for the whole run,
// answers the start-up questions for the windowing system and runs the start-up sequence.
#include <langinfo.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/display.h>
#include <wx/image.h>
#include <wx/snglinst.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <new>

#include "app/command_line.h"
#include "app/editor_context.h"
#include "app/main_frame.h"
#include "app/print_command.h"
#include "app/startup.h"
#include "app/test_script.h"
#include "app/wx_text.h"
#include "model/string_table.h"
#include "platform/cab/gcab_cabinet.h"
#include "platform/codec/document_picture_codec.h"
#include "platform/files.h"
#include "platform/store/key_file_settings.h"
#include "platform/wx/wx_messages.h"

namespace ravelo {

namespace {

// The folder of the single-instance lock: the user's runtime folder, else the temporary folder.
wxString LockFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  return runtime != nullptr && runtime[0] == '/' ? U(runtime) : U("/tmp");
}

}  // namespace

class RaveloApp final : public wxApp, private StartupPlatform {
 public:
  explicit RaveloApp(CommandLine commandLine) : commandLine_(std::move(commandLine)) {}

  bool OnInit() override {
    wxImage::AddHandler(new wxPNGHandler);  // the built-in pictures are PNG files
    if (!commandLine_.testLog.empty()) {
      script_ = std::make_unique<TestScript>(commandLine_.testScript, commandLine_.testLog);
      messages_.TakeOver([this](std::string_view text, MessageIcon icon, MessageButtons buttons) {
        return script_->AnswerMessage(text, icon, buttons);
      });
    }
    store_ = std::make_unique<KeyFileSettings>(DefaultSettingsPath());
    if (!store_->keptAsidePath().empty())
      ShowResourceMessage(messages_, store_->keptAsidePath() + "\n", kMsgSettingsKeptAside,
                          MessageIcon::Warning);
    recent_ = std::make_unique<RecentFileList>(*store_);

    const std::string documents = Utf8Of(wxStandardPaths::Get().GetDocumentsDir());
    if (!RunStartup(*this, *store_, messages_, commandLine_.document, documents, state_)) {
      if (frame_ != nullptr) frame_->Destroy();
      return false;
    }
    frame_->SetDocumentsFolder(state_.documentsFolder);
    if (script_) script_->Start(*frame_);
    return true;
  }

 private:
  bool ClaimSingleInstance() override {
    instance_ = std::make_unique<wxSingleInstanceChecker>();
    return instance_->Create(U("ravelo-") + wxGetUserId(), LockFolder()) && !instance_->IsAnotherRunning();
  }

  int ColourDepth() override { return wxDisplayDepth(); }

  bool AllocateDocument() override {
    try {
      diagram_ = std::make_unique<Diagram>();
    } catch (const std::bad_alloc&) {
      return false;
    }
    return true;
  }

  PrinterCheck PrepareDefaultPrinter(int paperSize, int orientation) override {
    // The desktop has no default printer to ask for; the print data stand in for it.
    return PrepareApplicationPrinter(paperSize, orientation) ? PrinterCheck::Ready : PrinterCheck::NotConfigured;
  }

  bool CreateMainFrame() override {
    context_ = std::make_unique<EditorContext>(EditorContext{*store_, state_.held, messages_, *recent_,
                                                             *diagram_, random_, clock_, cabinet_, codec_,
                                                             files::DefaultWorkRoot(), script_.get()});
    frame_ = new MainFrame(*context_);
    if (frame_->Build()) return true;
    frame_->Destroy();
    frame_ = nullptr;
    return false;
  }

  void NewDocument() override { frame_->StartWithNewDocument(); }
  bool OpenDocument(const std::string& path) override { return frame_->StartWithDocument(path); }

  void ShowMainWindow(bool maximised) override {
    if (maximised) frame_->Maximize();
    frame_->Show();
    frame_->Update();
  }

  int RibbonCategoryCount() override { return frame_->RibbonCategoryCount(); }

  CommandLine commandLine_;
  std::unique_ptr<TestScript> script_;
  WxMessages messages_;
  std::unique_ptr<KeyFileSettings> store_;
  std::unique_ptr<RecentFileList> recent_;
  StartupState state_;
  std::unique_ptr<wxSingleInstanceChecker> instance_;
  std::unique_ptr<Diagram> diagram_;
  RandomSource random_;
  SystemClock clock_;
  GcabCabinet cabinet_;
  DocumentPictureCodec codec_;
  std::unique_ptr<EditorContext> context_;
  MainFrame* frame_ = nullptr;
};

}  // namespace ravelo

namespace {

// Every text of the program is UTF-8: the character type must be UTF-8 whatever the locale says,
// also after the toolkit sets the locale from the environment.
void UseUtf8Characters() {
  std::setlocale(LC_ALL, "");
  if (std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) return;
  const char* all = std::getenv("LC_ALL");
  setenv(all != nullptr && all[0] != '\0' ? "LC_ALL" : "LC_CTYPE", "C.UTF-8", 1);
  std::setlocale(LC_ALL, "");
}

std::string WorkingFolder() {
  std::error_code error;
  return std::filesystem::current_path(error).string();
}

}  // namespace

int main(int argc, char** argv) {
  UseUtf8Characters();
  wxApp::SetInstance(new ravelo::RaveloApp(ravelo::ParseCommandLine(argc, argv, WorkingFolder())));
  return wxEntry(argc, argv);
}
