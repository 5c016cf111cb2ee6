// The program's own settings values, each with its section, key and the value a missing entry reads
// as, and the system values that the application holds in memory while it runs.
// (The defaults of new objects, the search pane and the properties grid keep their values beside
// the code that uses them.)
#pragma once

#include <string>
#include <string_view>

#include "platform/settings_store.h"

namespace ravelo {

struct IntSetting {
  std::string_view section;
  std::string_view key;
  int fallback;
};

struct StringSetting {
  std::string_view section;
  std::string_view key;
  std::string_view fallback;
};

inline int Read(const SettingsStore& store, const IntSetting& s) {
  return store.ReadInt(s.section, s.key, s.fallback);
}
inline std::string Read(const SettingsStore& store, const StringSetting& s) {
  return store.ReadString(s.section, s.key, s.fallback);
}
inline void Write(SettingsStore& store, const IntSetting& s, int value) {
  store.WriteInt(s.section, s.key, value);
}
inline void Write(SettingsStore& store, const StringSetting& s, std::string_view value) {
  store.WriteString(s.section, s.key, value);
}

namespace settings {

// SYS: behaviour of the editor.
inline constexpr IntSetting kFirstOpen{"SYS", "FirstOpen", 0};  // open the most recent document at start
inline constexpr IntSetting kBkColRnd{"SYS", "BkColRnd", 1};    // new nodes get a random light fill
inline constexpr IntSetting kMakeBackup{"SYS", "MakeBackup", 1};
inline constexpr IntSetting kRndColBknon{"SYS", "RndColBknon", 0};  // random colours also for "no fill"
inline constexpr IntSetting kAutoMent{"SYS", "AutoMent", 0};
inline constexpr IntSetting kPlayAnime{"SYS", "PlayAnime", 3};
inline constexpr IntSetting kSpeedAnime{"SYS", "SpeedAnime", 0};
inline constexpr IntSetting kSelPart{"SYS", "SelPart", 0};
inline constexpr IntSetting kDspGuide{"SYS", "DspGuide", 1};
inline constexpr IntSetting kGridFoward{"SYS", "GridFoward", 1};
inline constexpr IntSetting kIconCol{"SYS", "IconCol", 1};
inline constexpr IntSetting kIconOpt{"SYS", "IconOpt", 0};
inline constexpr IntSetting kManSize{"SYS", "ManSize", 2};
inline constexpr IntSetting kFaceSize{"SYS", "FaceSize", 2};
inline constexpr IntSetting kHeadSize{"SYS", "HeadSize", 2};

// Last: what the previous session left behind.
inline constexpr IntSetting kLastZoomed{"Last", "Zoomed", 0};  // start maximised; never written
inline constexpr StringSetting kLastFilePath{"Last", "FilePath", ""};
inline constexpr IntSetting kLastQuality{"Last", "Quality", 100};  // JPEG quality of image export

// Recent File List: File1 (newest) .. File10.
inline constexpr std::string_view kRecentFileSection = "Recent File List";
inline constexpr int kRecentFileCount = 10;
std::string RecentFileKey(int number);  // "File%d"

// Insatu: printing.
inline constexpr IntSetting kPaperSize{"Insatu", "PaperSize", 9};      // 9 = A4
inline constexpr IntSetting kOrientation{"Insatu", "Orientation", 1};  // 1 portrait, 2 landscape
inline constexpr IntSetting kMarginLmm{"Insatu", "MarginLmm", 25};
inline constexpr IntSetting kMarginRmm{"Insatu", "MarginRmm", 10};
inline constexpr IntSetting kMarginTmm{"Insatu", "MarginTmm", 25};
inline constexpr IntSetting kMarginBmm{"Insatu", "MarginBmm", 10};
inline constexpr IntSetting kAllOne{"Insatu", "AllOne", 0};
inline constexpr IntSetting kHani{"Insatu", "Hani", 1};
inline constexpr IntSetting kDspYohaku{"Insatu", "DspYohaku", 0};
inline constexpr IntSetting kPrintZoomed{"Insatu", "Zoomed", 0};
inline constexpr IntSetting kPrintDialogX{"Insatu", "PX", 0};
inline constexpr IntSetting kPrintDialogY{"Insatu", "PY", 0};
inline constexpr IntSetting kPrintDialogWidth{"Insatu", "SX", 640};
inline constexpr IntSetting kPrintDialogHeight{"Insatu", "SY", 480};

// KanSet: number of phrases kept in the search history.
inline constexpr IntSetting kSaveCnt{"KanSet", "SaveCnt", 20};

// Load: recently imported files, Import0 (newest) .. Import4.
inline constexpr std::string_view kImportSection = "Load";
inline constexpr int kImportCount = 5;
std::string ImportKey(int slot);  // "Import%d"

// Workspace: the window style 205..219.
inline constexpr IntSetting kApplicationLook{"Workspace", "ApplicationLook", 210};

}  // namespace settings

// The SYS values read at start-up and held by the application; toggles of the ribbon and the keys
// change only this copy, which the main frame writes back when it closes.
struct SystemSettings {
  int AutoMent = settings::kAutoMent.fallback;
  int PlayAnime = settings::kPlayAnime.fallback;
  int SpeedAnime = settings::kSpeedAnime.fallback;
  int SelPart = settings::kSelPart.fallback;
  int DspGuide = settings::kDspGuide.fallback;
  int GridFoward = settings::kGridFoward.fallback;
  int IconCol = settings::kIconCol.fallback;
  int IconOpt = settings::kIconOpt.fallback;
  int ManSize = settings::kManSize.fallback;
  int FaceSize = settings::kFaceSize.fallback;
  int HeadSize = settings::kHeadSize.fallback;
};

SystemSettings ReadSystemSettings(const SettingsStore& store);

// Writes the held values back, all but SpeedAnime (which only the settings dialog writes).
void WriteBackSystemSettings(SettingsStore& store, const SystemSettings& held);

// The stored printer orientation; anything but 1 (portrait) or 2 (landscape) is portrait.
int PrinterOrientation(const SettingsStore& store);

}  // namespace ravelo
