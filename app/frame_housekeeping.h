// What the main frame does besides its commands: the animation key, and the settings write-back
// and clean-up when it is destroyed.
#pragma once

#include <string>

#include "model/program_settings.h"

namespace ravelo {

// F10: a running hover animation is switched off in the held copy; otherwise the stored count is
// taken again. Returns the status text that says which.
std::string ToggleHoverAnimation(SystemSettings& held, const SettingsStore& store);

// Deletes the left-over undo snapshots of the work folder: the files whose names begin with "RVL"
// in any case, among the first 100 entries of the folder.
void RemoveLeftoverUndoFiles(const std::string& workFolder);

}  // namespace ravelo
