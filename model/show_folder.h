// Showing where a file lies: the desktop's file browser opened on the folder part of a path, after
// exports and saves and from the lists of recent files.
#pragma once

#include <string_view>

#include "platform/desktop.h"
#include "platform/messages.h"

namespace ravelo {

// Opens the file browser on the text of path before its last "/" ("/" for a file in the root);
// tells the user when there is no folder or no browser could be started.
bool ShowFolderInExplorer(Desktop& desktop, Messages& messages, std::string_view path);

}  // namespace ravelo
