#include "app/manual_location.h"

#include <filesystem>

namespace ravelo {

std::string ManualPath(const std::string& program) {
  // RAVELO_MANUAL_FROM_PROGRAM is the manual's first page relative to the installed program's folder, set by
  // the build from the install layout.
  const std::filesystem::path folder = std::filesystem::path(program).parent_path();
  return (folder / RAVELO_MANUAL_FROM_PROGRAM).lexically_normal().string();
}

}  // namespace ravelo
