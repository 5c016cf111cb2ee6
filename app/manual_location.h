// Where the manual is: it is installed with the program (share/ravelo/manual beside the bin folder the editor
// runs from), so that an installation under any prefix, or a package unpacked anywhere, finds its own manual.
#pragma once

#include <string>

namespace ravelo {

// The first page of the manual that belongs to the program file `program` (an absolute path).
std::string ManualPath(const std::string& program);

}  // namespace ravelo
