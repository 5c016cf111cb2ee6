#include "model/program_settings.h"

namespace ravelo {

namespace settings {

std::string RecentFileKey(int number) { return "File" + std::to_string(number); }

std::string ImportKey(int slot) { return "Import" + std::to_string(slot); }

}  // namespace settings

SystemSettings ReadSystemSettings(const SettingsStore& store) {
  using namespace settings;
  SystemSettings s;
  s.AutoMent = Read(store, kAutoMent);
  s.PlayAnime = Read(store, kPlayAnime);
  s.SpeedAnime = Read(store, kSpeedAnime);
  s.SelPart = Read(store, kSelPart);
  s.DspGuide = Read(store, kDspGuide);
  s.GridFoward = Read(store, kGridFoward);
  s.IconCol = Read(store, kIconCol);
  s.IconOpt = Read(store, kIconOpt);
  s.ManSize = Read(store, kManSize);
  s.FaceSize = Read(store, kFaceSize);
  s.HeadSize = Read(store, kHeadSize);
  return s;
}

void WriteBackSystemSettings(SettingsStore& store, const SystemSettings& held) {
  using namespace settings;
  Write(store, kAutoMent, held.AutoMent);
  Write(store, kPlayAnime, held.PlayAnime);
  Write(store, kSelPart, held.SelPart);
  Write(store, kDspGuide, held.DspGuide);
  Write(store, kGridFoward, held.GridFoward);
  Write(store, kIconCol, held.IconCol);
  Write(store, kIconOpt, held.IconOpt);
  Write(store, kManSize, held.ManSize);
  Write(store, kFaceSize, held.FaceSize);
  Write(store, kHeadSize, held.HeadSize);
}

int PrinterOrientation(const SettingsStore& store) {
  const int orientation = Read(store, settings::kOrientation);
  return orientation == 1 || orientation == 2 ? orientation : 1;
}

}  // namespace ravelo
