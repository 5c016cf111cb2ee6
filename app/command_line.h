// The editor's command line: an optional document path (the first argument that is not an
// option), and the options of the window's smoke tests.
#pragma once

#include <optional>
#include <string>

namespace ravelo {

struct CommandLine {
  std::optional<std::string> document;  // absolute
  std::string testScript;               // --test-script FILE
  std::string testLog;                  // --test-log FILE: the test hook is on when this is given
};

// Arguments starting with "-" that are none of the above belong to the toolkit and are passed over.
CommandLine ParseCommandLine(int argc, const char* const* argv, const std::string& workingFolder);

}  // namespace ravelo
