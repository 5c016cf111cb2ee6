// The desktop through wxWidgets: folders and files are opened with xdg-open, as the desktop's
// file browser and default applications are set up.
#pragma once

#include "platform/desktop.h"

namespace ravelo {

class WxDesktop final : public Desktop {
 public:
  bool ShowFolder(const std::string& folder) override;
  bool OpenWithDefaultApplication(const std::string& path) override;
};

}  // namespace ravelo
