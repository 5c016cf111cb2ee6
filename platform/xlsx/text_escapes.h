// The escape a workbook uses for characters that XML cannot carry: "_xHHHH_" stands for the
// character with that code, and "_x005F_" for a "_" that would otherwise start such a sequence.
#pragma once

#include <string>

namespace ravelo {

// The text as written: libxlsxwriter escapes the control characters itself, so only a sequence
// the text already holds gets its "_" escaped.
std::string EscapeUnderscores(const std::string& text);

// The text a cell holds, every escape undone.
std::string UnescapeCellText(const std::string& text);

}  // namespace ravelo
