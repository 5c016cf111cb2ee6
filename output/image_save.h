// The command "イメージとして保存(&I)": the chart shown, drawn whole, written as the image file
// the user names, with the save dialog's questions along the way. The dialogs themselves belong to
// the editor and are reached through ImageSaveHost.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "charts/scene.h"
#include "model/diagram.h"
#include "platform/messages.h"
#include "platform/settings_store.h"
#include "render/drawing_targets.h"

namespace ravelo {

struct ChosenImageFile {
  std::string path;
  int filterIndex = 9;  // 1-based, in the order of ImageKinds
};

class ImageSaveHost {
 public:
  virtual ~ImageSaveHost() = default;
  // The save dialog ("保存するファイルを指定", ImageSaveFilter, the JPEG entry chosen at first);
  // none when cancelled.
  virtual std::optional<ChosenImageFile> ChooseImageFile(const std::string& initialName) = 0;
  // The quality dialog "画質設定", starting at initial; none when cancelled.
  virtual std::optional<int> AskJpegQuality(int initial) = 0;
  // The wait cursor while the chart is drawn and written.
  virtual void SetBusy(bool busy) = 0;
  // The system's file browser on the folder; false when it cannot be started.
  virtual bool ShowFolder(const std::string& folder) = 0;
};

struct ImageSaveServices {
  Messages& messages;
  SettingsStore& settings;  // Last / Quality
  DrawingTargets& targets;
  ImageSaveHost& host;
  SceneSettings scene;
  const OtherCharts& others;
};

// Runs the command; true when a file was written. The selection is cleared on the way (it stays
// cleared). A failed write tells the user and leaves a file that was there as it was.
bool SaveChartAsImage(Diagram& diagram, const ImageSaveServices& services);

}  // namespace ravelo
