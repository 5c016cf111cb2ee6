#include "app/test_script.h"

#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/dialog.h>
#include <wx/gdicmn.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <filesystem>
#include <sstream>

#include "app/chart_view.h"
#include "app/commands.h"
#include "app/main_frame.h"
#include "app/search_pane_window.h"
#include "app/wx_text.h"
#include "view/zoom.h"

namespace ravelo {

namespace {

using namespace command;

// How often a waiting script looks again.
constexpr int kStepMs = 20;
// How long no event must have come for the program to count as at rest: longer than a frame of the
// toolkit's drawing, which may follow the events that asked for it.
constexpr auto kQuietTime = std::chrono::milliseconds(50);
// The longest a script waits for a file, and for the program to come to rest.
constexpr long kLongestWaitMs = 30000;
constexpr long kLongestRestMs = 10000;

struct NamedCommand {
  const char* name;
  int id;
};

const NamedCommand kCommands[] = {
    {"ID_FILE_NEW", ID_FILE_NEW},
    {"ID_UNDO", ID_UNDO},
    {"ID_REDO", ID_REDO},
    {"SET_PICTURE_FROM_FILE", kSetPictureFromFile},
    {"SET_BUILT_IN_PICTURE", kSetBuiltInPicture},
    {"PASTE_COPIED_PICTURE", kPasteCopiedPicture},
    {"ID_FILE_OPEN", ID_FILE_OPEN},
    {"ID_FILE_SAVE", ID_FILE_SAVE},
    {"ID_FILE_SAVE_AS", ID_FILE_SAVE_AS},
    {"ID_FILE_MRU_FILE1", ID_FILE_MRU_FILE1},
    {"ID_APP_ABOUT", ID_APP_ABOUT},
    {"ID_VIEW_BOX", ID_VIEW_BOX},
    {"ID_VIEW_STAR", ID_VIEW_STAR},
    {"ID_VIEW_ACT", ID_VIEW_ACT},
    {"ID_VIEW_FLOW", ID_VIEW_FLOW},
    {"ID_REPLACE", ID_REPLACE},
    {"ID_GAMEN_SIZE_ACT", ID_GAMEN_SIZE_ACT},
    {"ID_FIRST_POS_FLOW", ID_FIRST_POS_FLOW},
    {"ID_KAN_SET", ID_KAN_SET},
    {"ID_RECENT_KANRI", ID_RECENT_KANRI},
    {"ID_VIEW_PROPATY_PANE", ID_VIEW_PROPATY_PANE},
    {"ID_VIEW_SEARCH_PANE", ID_VIEW_SEARCH_PANE},
    {"ID_VIEW_FULLSCREEN", ID_VIEW_FULLSCREEN},
    {"ID_SHOW_MENU", ID_SHOW_MENU},
    {"ID_STYLE_215", kStyleOffice2007Blue},
    {"ID_STYLE_219", kStyleWindows7},
    {"ID_ZOOM_DEF", zoom_command::kResetConsole},
    {"ZOOM_200", zoom_command::kZoom200},
    {"ZOOM_FIT", zoom_command::kFitToWindow},
    {"ZOOM_ALWAYS_SHOW", zoom_command::kAlwaysShowConsole},
    {"ID_GRID_BTN", grid_command::kToggle},
    {"ID_GRID_2", grid_command::k40},
    {"SELECT_ALL", kSelectAll},
    {"ID_FILE_IMAGE", ID_FILE_IMAGE},
    {"ID_IMPORT_OBJ", ID_IMPORT_OBJ},
    {"ID_EXPORT_OBJ", ID_EXPORT_OBJ},
    {"ID_IMPORT_F1", ID_IMPORT_F1},
};

const char* IconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Stop:
      return "stop";
    case MessageIcon::Information:
      return "information";
    case MessageIcon::Question:
      return "question";
    case MessageIcon::Warning:
      return "warning";
    case MessageIcon::None:
      break;
  }
  return "none";
}

const char* AnswerName(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::Yes:
      return "yes";
    case MessageAnswer::No:
      return "no";
    case MessageAnswer::Cancel:
      return "cancel";
    case MessageAnswer::Ok:
      break;
  }
  return "ok";
}

// Line feeds written as "\n", so that one message stays on one line of the log.
std::string OneLine(std::string_view text) {
  std::string line;
  for (char c : text) line += c == '\n' ? std::string("\\n") : std::string(1, c);
  return line;
}

wxDialog* ModalDialog() {
  for (auto node = wxTopLevelWindows.GetFirst(); node != nullptr; node = node->GetNext()) {
    auto* dialog = dynamic_cast<wxDialog*>(node->GetData());
    if (dialog != nullptr && dialog->IsModal()) return dialog;
  }
  return nullptr;
}

void Send(wxWindow& control, wxEventType type) {
  wxCommandEvent event(type, control.GetId());
  event.SetEventObject(&control);
  control.ProcessWindowEvent(event);
}

std::string ControlValue(wxWindow& window) {
  if (auto* box = dynamic_cast<wxCheckBox*>(&window)) return box->GetValue() ? "1" : "0";
  if (auto* radio = dynamic_cast<wxRadioButton*>(&window)) return radio->GetValue() ? "1" : "0";
  if (auto* text = dynamic_cast<wxTextCtrl*>(&window)) return Utf8Of(text->GetValue());
  return {};
}

void CollectControls(wxWindow& parent, std::vector<std::string>& lines) {
  for (wxWindow* child : parent.GetChildren()) {
    const bool named = dynamic_cast<wxCheckBox*>(child) || dynamic_cast<wxRadioButton*>(child) ||
                       dynamic_cast<wxTextCtrl*>(child);
    if (named) lines.push_back("control " + Utf8Of(child->GetName()) + " " + ControlValue(*child));
    CollectControls(*child, lines);
  }
}

// "ctrl+shift+tab", "f10", "ctrl+s": the key and its modifiers; key 0 when not understood.
std::pair<int, int> ParseKey(const std::string& keys) {
  int modifiers = wxMOD_NONE;
  std::string rest = keys;
  for (std::size_t plus; (plus = rest.find('+')) != std::string::npos; rest = rest.substr(plus + 1)) {
    const std::string modifier = rest.substr(0, plus);
    if (modifier == "ctrl") modifiers |= wxMOD_CONTROL;
    if (modifier == "shift") modifiers |= wxMOD_SHIFT;
    if (modifier == "alt") modifiers |= wxMOD_ALT;
  }
  if (rest.size() == 1) return {rest[0], modifiers};
  if (rest == "tab") return {WXK_TAB, modifiers};
  if (rest.size() >= 2 && rest[0] == 'f') {
    const int n = std::atoi(rest.c_str() + 1);
    if (n >= 1 && n <= 12) return {WXK_F1 + n - 1, modifiers};
  }
  return {0, modifiers};
}

}  // namespace

TestScript::TestScript(const std::string& scriptPath, const std::string& logPath) : log_(logPath) {
  std::ifstream script(scriptPath);
  for (std::string line; std::getline(script, line);)
    if (!line.empty() && line[0] != '#') lines_.push_back(line);
  wxEvtHandler::AddFilter(this);
}

TestScript::~TestScript() { wxEvtHandler::RemoveFilter(this); }

void TestScript::Log(const std::string& line) { log_ << line << std::endl; }

MessageAnswer TestScript::AnswerMessage(std::string_view text, MessageIcon icon, MessageButtons buttons) {
  MessageAnswer answer = MessageAnswer::Ok;
  if (buttons != MessageButtons::Ok) {
    // Unless the script says otherwise a question is declined, which leaves everything as it was.
    answer = buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
    if (!answers_.empty()) {
      answer = answers_.front();
      answers_.pop_front();
    }
  }
  Log(std::string("message ") + IconName(icon) + " " + AnswerName(answer) + " " + OneLine(text));
  return answer;
}

std::optional<std::string> TestScript::NextFileChoice(const std::string& what) {
  std::optional<std::string> choice;
  if (!fileChoices_.empty()) {
    choice = fileChoices_.front();
    fileChoices_.pop_front();
  }
  Log("file-dialog " + what + " -> " + choice.value_or("(cancelled)"));
  return choice;
}

void TestScript::Start(MainFrame& frame) {
  frame_ = &frame;
  Log("started");
  StartOnce(kStepMs);
}

// A line runs once the program is at rest: every event the lines before caused has been handled
// (input sent to the X server included), none has come for a while and nothing is animated. While
// a line runs, the next waits, unless the line has opened a modal dialog: then the lines after it
// are what closes it.
void TestScript::Notify() {
  StartOnce(kStepMs);
  if (running_ && ModalDialog() == dialogBeforeLine_) return;
  if (!AtRest()) return;
  if (next_ >= lines_.size()) {
    Finish();
    return;
  }
  const std::string line = lines_[next_];
  std::istringstream words(line);
  std::string verb, argument;
  words >> verb >> argument;
  if (verb == "wait-file" && !std::filesystem::exists(argument)) {
    if (waitedMs_ < kLongestWaitMs) {
      waitedMs_ += kStepMs;
      return;
    }
    Log("waited-too-long " + line);
  }
  waitedMs_ = 0;
  ++next_;
  if (verb == "sleep") StartOnce(std::max(std::atoi(argument.c_str()), 1));
  const bool outerRunning = running_;
  wxDialog* const outerDialog = dialogBeforeLine_;
  running_ = true;
  dialogBeforeLine_ = ModalDialog();
  RunLine(line);
  running_ = outerRunning;
  dialogBeforeLine_ = outerDialog;
  atRest_ = checking_ = false;
}

bool TestScript::AtRest() {
  if (atRest_) {
    busyMs_ = 0;
    return true;
  }
  if (busyMs_ >= kLongestRestMs) {
    Log("never-at-rest");
    busyMs_ = 0;
    return true;
  }
  busyMs_ += kStepMs;
  // Asking where the pointer is makes a round trip to the X server: when the answer has come, the
  // events of all input sent before are queued, and the event loop goes idle only after handling them.
  wxGetMousePosition();
  checking_ = true;
  wxWakeUpIdle();
  return false;
}

int TestScript::FilterEvent(wxEvent& event) {
  const wxEventType type = event.GetEventType();
  const auto now = std::chrono::steady_clock::now();
  if (type == wxEVT_IDLE) {
    MainFrame* frame = frame_.get();
    if (checking_ && event.GetEventObject() == wxTheApp && now - lastEvent_ >= kQuietTime &&
        (frame == nullptr || !frame->Animating())) {
      atRest_ = true;
      checking_ = false;
    }
  } else if (type != wxEVT_UPDATE_UI) {
    // Idle time asks the controls to update themselves; anything else is the program at work.
    lastEvent_ = now;
    atRest_ = false;
  }
  return Event_Skip;
}

void TestScript::RunLine(const std::string& line) {
  std::istringstream words(line);
  std::string verb, argument;
  words >> verb >> argument;
  std::string rest;
  std::getline(words >> std::ws, rest);
  MainFrame* frame = frame_.get();
  if (frame == nullptr) {
    Log("no-frame " + line);
    return;
  }

  if (verb == "command") {
    for (const NamedCommand& c : kCommands) {
      if (argument != c.name) continue;
      const int id = c.id;
      frame->CallAfter([frame, id] {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(frame);
        frame->ProcessWindowEvent(event);
      });
      return;
    }
    Log("unknown-command " + argument);
  } else if (verb == "key") {
    const auto [key, modifiers] = ParseKey(argument);
    if (key == 0) {
      Log("unknown-key " + argument);
      return;
    }
    // Without a window manager the keyboard follows the pointer: put it over the view first.
    frame->Raise();
    frame->view().SetFocus();
    wxUIActionSimulator input;
    const wxRect view = frame->view().GetScreenRect();
    input.MouseMove(view.GetLeft() + view.GetWidth() / 2, view.GetTop() + view.GetHeight() / 2);
    input.Char(key, modifiers);
  } else if (verb == "answer") {
    answers_.push_back(argument == "yes"      ? MessageAnswer::Yes
                       : argument == "no"     ? MessageAnswer::No
                       : argument == "cancel" ? MessageAnswer::Cancel
                                              : MessageAnswer::Ok);
  } else if (verb == "file") {
    fileChoices_.push_back(argument == "cancel" ? std::nullopt : std::optional<std::string>(argument));
  } else if (verb == "dialog-set" || verb == "dialog-press" || verb == "dialog-log") {
    wxDialog* dialog = ModalDialog();
    if (dialog == nullptr) {
      Log("no-dialog " + line);
    } else if (verb == "dialog-log") {
      std::vector<std::string> lines{"dialog " + Utf8Of(dialog->GetTitle())};
      CollectControls(*dialog, lines);
      for (const std::string& l : lines) Log(l);
    } else if (verb == "dialog-press") {
      wxWindow* button = dialog->FindWindow(argument == "ok" ? wxID_OK : wxID_CANCEL);
      if (button == nullptr) {
        Log("no-button " + argument);
      } else {
        Send(*button, wxEVT_BUTTON);
      }
    } else if (wxWindow* control = dialog->FindWindow(U(argument)); control == nullptr) {
      Log("no-control " + argument);
    } else if (auto* box = dynamic_cast<wxCheckBox*>(control)) {
      box->SetValue(rest == "1");
      Send(*box, wxEVT_CHECKBOX);
    } else if (auto* radio = dynamic_cast<wxRadioButton*>(control)) {
      radio->SetValue(true);
      Send(*radio, wxEVT_RADIOBUTTON);
    } else if (auto* text = dynamic_cast<wxTextCtrl*>(control)) {
      text->SetValue(U(rest));
    }
  } else if (verb == "log-status") {
    const char* names[kStatusPaneCount] = {"progress", "arc",     "p-node", "e-node",
                                           "object",   "message", "cursor"};
    for (int pane = 0; pane < kStatusPaneCount; ++pane)
      Log(std::string("status ") + names[pane] + " " + frame->StatusText(static_cast<StatusPane>(pane)));
  } else if (verb == "log-title") {
    Log("title " + Utf8Of(frame->GetTitle()));
  } else if (verb == "log-panes") {
    Log(std::string("pane properties ") + (frame->PaneShown(kPropertiesPaneId) ? "shown" : "hidden"));
    Log(std::string("pane search ") + (frame->PaneShown(kSearchPaneId) ? "shown" : "hidden"));
  } else if (verb == "log-view") {
    const wxRect view = frame->view().GetScreenRect();
    const Point scroll = frame->view().ScrollPosition();
    Log("view " + std::to_string(view.x) + " " + std::to_string(view.y) + " " + std::to_string(view.width) +
        " " + std::to_string(view.height) + " scroll " + std::to_string(scroll.X) + " " +
        std::to_string(scroll.Y) + " chart " +
        std::to_string(frame->session().diagram().header.CurrentChart));
  } else if (verb == "log-window") {
    // Where a control is on the screen, for input sent from outside (xdotool).
    const wxWindow* window = wxWindow::FindWindowByName(U(argument), frame);
    const wxRect r = window == nullptr ? wxRect() : window->GetScreenRect();
    Log("window " + argument + " " + std::to_string(r.x) + " " + std::to_string(r.y) + " " + std::to_string(r.width) +
        " " + std::to_string(r.height) + (window != nullptr && window->IsShownOnScreen() ? " shown" : " hidden"));
  } else if (verb == "log-search") {
    if (const auto* pane = dynamic_cast<SearchPaneWindow*>(wxWindow::FindWindowByName(U("search-pane"), frame)))
      for (const std::string& l : pane->ShownResultLines()) Log("result " + l);
  } else if (verb == "screenshot") {
    frame->Update();
    const wxSize screen = wxGetDisplaySize();
    wxBitmap shot(screen.GetWidth(), screen.GetHeight(), 24);
    wxMemoryDC memory(shot);
    wxScreenDC source;
    memory.Blit(0, 0, screen.GetWidth(), screen.GetHeight(), &source, 0, 0);
    memory.SelectObject(wxNullBitmap);
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
    Log(std::string("screenshot ") + (shot.SaveFile(U(argument), wxBITMAP_TYPE_PNG) ? "saved" : "failed"));
  } else if (verb == "log-selection") {
    // The view's selection: the main selection, the selected objects and the properties pane's type.
    const Diagram& d = frame->session().diagram();
    std::string selected;
    for (int i = 0; i < d.count(); ++i)
      if (d.state(i).Selected != 0) selected += " " + std::to_string(i);
    Log("selection main " + std::to_string(d.header.CurrentObject) + " pane " +
        std::to_string(frame->propertiesPaneType()) + " selected" + selected);
  } else if (verb == "log-rect") {
    // An object's title rectangle as the last paint left it, in the view's client coordinates.
    const int index = std::atoi(argument.c_str());
    const Diagram& d = frame->session().diagram();
    if (index < 0 || index >= d.count()) {
      Log("no-object " + argument);
      return;
    }
    const Rect r = d.state(index).ObjectRect;
    const Point scroll = frame->view().ScrollPosition();
    Log("rect " + argument + " " + std::to_string(r.left - scroll.X) + " " + std::to_string(r.top - scroll.Y) +
        " " + std::to_string(r.right - scroll.X) + " " + std::to_string(r.bottom - scroll.Y));
  } else if (verb == "quit") {
    frame->CallAfter([frame] { frame->Close(); });
  } else if (verb != "wait-file" && verb != "sleep") {
    Log("unknown " + line);
  }
}

void TestScript::Finish() {
  Stop();
  Log("end");
  // Whatever the script left open is closed, so that a run always ends.
  if (wxDialog* dialog = ModalDialog()) {
    Log("dialog-left-open " + Utf8Of(dialog->GetTitle()));
    dialog->EndModal(wxID_CANCEL);
    StartOnce(kStepMs);
    return;
  }
  if (MainFrame* frame = frame_.get()) frame->Close(true);
}

}  // namespace ravelo
