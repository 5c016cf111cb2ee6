// Lines of cp932 text split into fields at a one-byte delimiter, with no quoting: the import reads
// its CSV rows this way, and so do the text files of the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ravelo {

// The n-th field (from 1) of text split at every delimiter byte, stepping over whole two-byte
// characters; empty when text has fewer fields. The last field runs to the end of the text.
std::string_view ExtractField(std::string_view text, int n, char delimiter);

// Every field of text, in order, as ExtractField finds them.
std::vector<std::string> SplitFields(std::string_view text, char delimiter);

}  // namespace ravelo
