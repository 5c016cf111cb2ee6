// The editor's "イメージとして保存(&I)" command: its save dialog, the JPEG quality dialog
// (画質設定) and the folder browser, around the save of output/.
#pragma once

#include <optional>

#include "app/editor_context.h"

class wxWindow;

namespace ravelo {

// The quality dialog, starting at initial (10..100); none when cancelled.
std::optional<int> AskJpegQuality(wxWindow* parent, int initial);

// Runs the command on the chart shown; true when a file was written.
bool SaveChartImageCommand(wxWindow* parent, EditorContext& context);

}  // namespace ravelo
