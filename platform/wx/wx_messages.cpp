#include "platform/wx/wx_messages.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

namespace ravelo {

namespace {

wxString Utf8(std::string_view text) { return wxString::FromUTF8(text.data(), text.size()); }

long IconStyle(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Stop:
      return wxICON_ERROR;
    case MessageIcon::Information:
      return wxICON_INFORMATION;
    case MessageIcon::Question:
      return wxICON_QUESTION;
    case MessageIcon::Warning:
      return wxICON_WARNING;
    case MessageIcon::None:
      break;
  }
  return wxICON_NONE;
}

long ButtonStyle(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::YesNo:
      return wxYES_NO;
    case MessageButtons::YesNoCancel:
      return wxYES_NO | wxCANCEL;
    case MessageButtons::Ok:
      break;
  }
  return wxOK;
}

}  // namespace

MessageAnswer WxMessages::Show(std::string_view text, MessageIcon icon, MessageButtons buttons) {
  if (observer_) return observer_(text, icon, buttons);

  wxMessageDialog dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, Utf8(text), Utf8("Ravelo"),
                         ButtonStyle(buttons) | IconStyle(icon));
  const wxString yes = Utf8("はい(&Y)"), no = Utf8("いいえ(&N)"), cancel = Utf8("キャンセル");
  dialog.SetOKLabel(Utf8("OK"));
  if (buttons == MessageButtons::YesNoCancel) dialog.SetYesNoCancelLabels(yes, no, cancel);
  if (buttons == MessageButtons::YesNo) dialog.SetYesNoLabels(yes, no);
  switch (dialog.ShowModal()) {
    case wxID_YES:
      return MessageAnswer::Yes;
    case wxID_NO:
      return MessageAnswer::No;
    case wxID_CANCEL:
      return MessageAnswer::Cancel;
    default:
      break;
  }
  return MessageAnswer::Ok;
}

}  // namespace ravelo
