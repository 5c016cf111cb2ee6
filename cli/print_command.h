// ravelo-cli print: the printed pages of a chart as the print command cuts them, one PDF page each.
#pragma once

#include <functional>
#include <string>

#include "model/diagram.h"

namespace ravelo::cli {

using OpenDocumentFn = std::function<bool(Diagram&, const std::string&)>;

// print FILE.rvl -o OUT.pdf [--chart box|star|action|flow] [--paper A4|A3|B4|B5|Letter] [--landscape]
// [--margins L,T,R,B] [--one-page]; 0 on success, 2 for wrong arguments, 1 for other failures.
int Print(int argc, char** argv, const OpenDocumentFn& open);

}  // namespace ravelo::cli
