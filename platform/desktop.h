// The desktop around the program: its file browser and the applications it opens files with.
#pragma once

#include <string>

namespace ravelo {

class Desktop {
 public:
  virtual ~Desktop() = default;
  // Shows the folder in the desktop's file browser; false when no browser could be started.
  virtual bool ShowFolder(const std::string& folder) = 0;
  // Opens the file with the application the desktop gives its type; false when none started.
  virtual bool OpenWithDefaultApplication(const std::string& path) = 0;
};

}  // namespace ravelo
