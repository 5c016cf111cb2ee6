#include "app/command_line.h"

#include <filesystem>
#include <string_view>

namespace ravelo {

CommandLine ParseCommandLine(int argc, const char* const* argv, const std::string& workingFolder) {
  CommandLine line;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == "--test-script" && hasValue) {
      line.testScript = argv[++i];
    } else if (argument == "--test-log" && hasValue) {
      line.testLog = argv[++i];
    } else if (!argument.empty() && argument[0] != '-' && !line.document) {
      const std::filesystem::path path(argument);
      line.document = (path.is_absolute() ? path : std::filesystem::path(workingFolder) / path)
                          .lexically_normal()
                          .string();
    }
  }
  return line;
}

}  // namespace ravelo
