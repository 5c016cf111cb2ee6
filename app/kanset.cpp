#include "app/kanset.h"

#include <algorithm>

namespace ravelo {

KansetValues LoadKanset(const SettingsStore& store, const SystemSettings& held) {
  KansetValues v;
  v.FirstOpen = Read(store, settings::kFirstOpen) != 0;
  v.BkColRnd = Read(store, settings::kBkColRnd) != 0;
  v.MakeBackup = Read(store, settings::kMakeBackup) != 0;
  v.PlayAnime = held.PlayAnime != 0;
  v.AnimeCount =
      v.PlayAnime ? std::clamp(held.PlayAnime, kMinAnimeCount, kMaxAnimeCount) : kShownAnimeCountWhenOff;
  v.SpeedAnime = held.SpeedAnime >= 0 && held.SpeedAnime <= 4 ? held.SpeedAnime : 0;
  v.SelPart = held.SelPart >= 0 && held.SelPart <= 2 ? held.SelPart : 0;
  v.DspGuide = held.DspGuide != 0;
  return v;
}

int ParseAnimeCount(std::string_view typed) {
  if (typed.empty() || !std::all_of(typed.begin(), typed.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return kMinAnimeCount;
  int value = 0;
  for (char c : typed) {
    value = value * 10 + (c - '0');
    if (value > kMaxAnimeCount) return kMaxAnimeCount;
  }
  return std::max(value, kMinAnimeCount);
}

void SaveKanset(SettingsStore& store, SystemSettings& held, const KansetValues& values) {
  Write(store, settings::kFirstOpen, values.FirstOpen ? 1 : 0);
  Write(store, settings::kBkColRnd, values.BkColRnd ? 1 : 0);
  Write(store, settings::kMakeBackup, values.MakeBackup ? 1 : 0);

  const auto writeChanged = [&store](const IntSetting& setting, int& heldValue, int value) {
    if (heldValue == value) return;
    heldValue = value;
    Write(store, setting, value);
  };
  const int playAnime = values.PlayAnime ? std::clamp(values.AnimeCount, kMinAnimeCount, kMaxAnimeCount) : 0;
  writeChanged(settings::kPlayAnime, held.PlayAnime, playAnime);
  writeChanged(settings::kSpeedAnime, held.SpeedAnime, std::clamp(values.SpeedAnime, 0, 4));
  writeChanged(settings::kSelPart, held.SelPart, std::clamp(values.SelPart, 0, 2));
  writeChanged(settings::kDspGuide, held.DspGuide, values.DspGuide ? 1 : 0);
}

}  // namespace ravelo
