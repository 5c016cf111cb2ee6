#include "exchange/import_history.h"

#include "model/string_table.h"

namespace ravelo {

namespace {

constexpr std::string_view kSection = "Load";

std::string SlotName(int slot) { return "Import" + std::to_string(slot); }

void WriteImportHistory(SettingsStore& settings, const ImportHistory& history) {
  for (int slot = 0; slot < kImportHistorySize; ++slot)
    settings.WriteString(kSection, SlotName(slot), history[static_cast<std::size_t>(slot)]);
}

}  // namespace

ImportHistory ReadImportHistory(const SettingsStore& settings) {
  ImportHistory history;
  for (int slot = 0; slot < kImportHistorySize; ++slot)
    history[static_cast<std::size_t>(slot)] = settings.ReadString(kSection, SlotName(slot), "");
  return history;
}

void AddToImportHistory(SettingsStore& settings, const std::string& path) {
  ImportHistory updated;
  std::size_t kept = 0;
  updated[kept++] = path;
  for (const std::string& entry : ReadImportHistory(settings))
    if (entry != path && kept < updated.size()) updated[kept++] = entry;
  WriteImportHistory(settings, updated);
}

bool ClearImportHistory(SettingsStore& settings, Messages& messages) {
  if (ShowResourceMessage(messages, "", kMsgAskClearImportHistory, MessageIcon::Question, MessageButtons::YesNo) !=
      MessageAnswer::Yes)
    return false;
  WriteImportHistory(settings, {});
  return true;
}

}  // namespace ravelo
