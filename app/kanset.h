// The values of the environment settings dialog (CKansetDlg): how they are filled from the settings
// and the held SYS values, and which of them are written back on confirmation.
#pragma once

#include <string_view>

#include "model/program_settings.h"
#include "platform/settings_store.h"

namespace ravelo {

constexpr int kMinAnimeCount = 1;
constexpr int kMaxAnimeCount = 10;
constexpr int kShownAnimeCountWhenOff = 3;

struct KansetValues {
  bool FirstOpen = false;
  bool BkColRnd = false;
  bool PlayAnime = false;  // the animation box is ticked
  int AnimeCount = kShownAnimeCountWhenOff;
  int SpeedAnime = 0;  // 0 (fast) .. 4 (slow)
  bool MakeBackup = false;
  int SelPart = 0;  // 0 whole rectangle, 1 title rectangle, 2 centre
  bool DspGuide = false;
};

KansetValues LoadKanset(const SettingsStore& store, const SystemSettings& held);

// The number typed into the animation count: digits only, then limited to 1..10; anything that is
// not a number counts as below the range.
int ParseAnimeCount(std::string_view typed);

// FirstOpen, BkColRnd and MakeBackup are always written; PlayAnime, SpeedAnime, SelPart and DspGuide
// only when they differ from the held values, which then take them at once.
void SaveKanset(SettingsStore& store, SystemSettings& held, const KansetValues& values);

}  // namespace ravelo
