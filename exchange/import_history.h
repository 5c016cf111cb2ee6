// The files imported last, newest first: the settings section "Load", values "Import0" to
// "Import4", an empty text for an empty slot. The data panel offers them for importing again.
#pragma once

#include <array>
#include <string>

#include "platform/messages.h"
#include "platform/settings_store.h"

namespace ravelo {

constexpr int kImportHistorySize = 5;
using ImportHistory = std::array<std::string, kImportHistorySize>;

ImportHistory ReadImportHistory(const SettingsStore& settings);

// Puts path first; every other slot that held the same path (exact bytes) is dropped and the rest
// move down, the oldest falling off.
void AddToImportHistory(SettingsStore& settings, const std::string& path);

// Asks, then empties every slot. False when the user declined.
bool ClearImportHistory(SettingsStore& settings, Messages& messages);

}  // namespace ravelo
