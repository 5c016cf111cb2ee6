#include "app/startup.h"

#include "model/string_table.h"

namespace ravelo {

namespace {

bool SupportedColourDepth(int bits) { return bits == 0 || bits == 16 || bits == 24 || bits == 32; }

}  // namespace

bool RunStartup(StartupPlatform& platform, SettingsStore& store, Messages& messages,
                const std::optional<std::string>& documentPath, const std::string& documentsFolder,
                StartupState& state) {
  if (!platform.ClaimSingleInstance()) {
    ShowResourceMessage(messages, "", kMsgAlreadyRunning, MessageIcon::Stop);
    return false;
  }

  const int depth = platform.ColourDepth();
  if (!SupportedColourDepth(depth)) {
    const std::string prefix = "現在のモニタ色深度は、" + std::to_string(depth) + "ビットです\n";
    ShowResourceMessage(messages, prefix, kMsgUnsupportedColourDepth, MessageIcon::Information);
    return false;
  }

  // The held SYS values are read before any window exists, so that a frame closed by a failure
  // further on writes back what it found rather than blank values.
  state.held = ReadSystemSettings(store);

  if (!platform.AllocateDocument()) {
    ShowResourceMessage(messages, "", kMsgMemoryAllocationFailed, MessageIcon::Stop);
    return false;
  }

  if (platform.PrepareDefaultPrinter(Read(store, settings::kPaperSize), PrinterOrientation(store)) ==
      PrinterCheck::Failed) {
    ShowResourceMessage(messages, "", kMsgPrinterInitFailed, MessageIcon::Stop);
    return false;
  }

  if (!platform.CreateMainFrame()) return false;
  if (documentPath) {
    if (!platform.OpenDocument(*documentPath)) return false;
  } else {
    platform.NewDocument();
  }

  state.documentsFolder = documentsFolder;
  if (state.documentsFolder.empty() || state.documentsFolder.back() != '/') state.documentsFolder += '/';

  platform.ShowMainWindow(Read(store, settings::kLastZoomed) == 1);

  if (platform.RibbonCategoryCount() == 0) {
    ShowResourceMessage(messages, "", kMsgRibbonInitFailed, MessageIcon::Stop);
    return false;
  }

  if (!documentPath && Read(store, settings::kFirstOpen) == 1) {
    const std::string recent = store.ReadString(settings::kRecentFileSection, settings::RecentFileKey(1), "");
    // A recent document that no longer opens has told the user why; the new document stays.
    if (!recent.empty()) platform.OpenDocument(recent);
  }
  return true;
}

}  // namespace ravelo
