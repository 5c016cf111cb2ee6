#include "platform/wx/wx_desktop.h"

#include <wx/utils.h>

namespace ravelo {

bool WxDesktop::ShowFolder(const std::string& folder) { return wxLaunchDefaultApplication(wxString::FromUTF8(folder)); }

bool WxDesktop::OpenWithDefaultApplication(const std::string& path) {
  return wxLaunchDefaultApplication(wxString::FromUTF8(path));
}

}  // namespace ravelo
