#include "output/image_save.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <new>

#include "model/cp932.h"
#include "model/string_table.h"
#include "output/chart_export.h"

namespace ravelo {

namespace {

constexpr std::string_view kQualitySection = "Last", kQualityKey = "Quality";
constexpr std::string_view kZoomQuestion =
    "このままの倍率で保存しますか\n等倍(100%)で保存する-「いいえ」\n中止-「キャンセル」";
constexpr std::string_view kBitmapFailed = "ビットマップファイルの保存に失敗しました";
constexpr std::string_view kImageFailed = "イメージファイルの保存に失敗しました";
constexpr std::string_view kBmpWriteFailed = "ファイルオープンエラー";

std::string LowerExtension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  if (!extension.empty()) extension.erase(0, 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return extension;
}

// The kind written for a filter index: the BMP kinds and the vectors as chosen; JPEG to TIFF by the
// encoder the typed extension names ("jpeg", "gif", "png", "tiff" or "bmp"), the transparent GIF
// only when that is "gif". None when the extension names no encoder.
std::optional<ImageKind> KindToWrite(ImageKind chosen, const std::string& extension) {
  if (chosen < ImageKind::Jpeg || chosen > ImageKind::Tiff) return chosen;
  const ImageFormat format = ImageFormatOfEncoderName(extension);
  if (format == ImageFormat::Gif && chosen == ImageKind::TransparentGif) return chosen;
  return ImageKindOfFormat(format);
}

void ShowError(Messages& messages, std::string_view text) {
  messages.Show(text, MessageIcon::Stop, MessageButtons::Ok);
}

}  // namespace

bool SaveChartAsImage(Diagram& diagram, const ImageSaveServices& services) {
  Messages& messages = services.messages;
  DocumentHeader& header = diagram.header;
  const int chart = DrawnChart(header);
  const std::optional<ChosenImageFile> file =
      services.host.ChooseImageFile(Cp932ToUtf8(FieldText(header.Headline[chart].Text)));
  if (!file || file->filterIndex < 1 || file->filterIndex > kImageKindCount) return false;
  const ImageKind chosen = ImageKinds()[static_cast<std::size_t>(file->filterIndex - 1)].kind;
  int quality = 100;
  if (chosen == ImageKind::Jpeg) {
    const std::optional<int> asked =
        services.host.AskJpegQuality(services.settings.ReadInt(kQualitySection, kQualityKey, 100));
    if (!asked) return false;
    quality = *asked;
    services.settings.WriteInt(kQualitySection, kQualityKey, quality);
  }
  std::error_code ignored;
  if (std::filesystem::exists(file->path, ignored) &&
      messages.Show(ResourceText(kMsgAskOverwrite), MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
    return false;
  float zoom = 1.0f;
  if (header.Zoom[chart] != 1.0f) {
    const MessageAnswer answer = messages.Show(kZoomQuestion, MessageIcon::Question, MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Cancel) return false;
    if (answer == MessageAnswer::Yes) zoom = header.Zoom[chart];
  }

  const std::optional<ImageKind> kind = KindToWrite(chosen, LowerExtension(file->path));
  services.host.SetBusy(true);
  ChartScene scene(diagram, services.scene, services.others);
  std::vector<uint8_t> bytes;
  try {
    if (kind == ImageKind::Svg || kind == ImageKind::Pdf) {
      bytes = DrawChartVectors(scene, services.targets, kind == ImageKind::Svg ? VectorFormat::Svg : VectorFormat::Pdf,
                               zoom);
    } else if (kind) {
      const std::optional<Picture> picture =
          DrawChartPicture(scene, services.targets, zoom, kind == ImageKind::TransparentGif);
      if (picture) bytes = EncodeChartImage(*picture, *kind, quality);
    }
  } catch (const std::bad_alloc&) {
    bytes.clear();  // told below as the memory failure it is
  }
  const bool written = !bytes.empty() && WriteFileReplacing(file->path, bytes);
  services.host.SetBusy(false);
  if (bytes.empty()) {
    ShowError(messages, ResourceText(kMsgMemoryAllocationFailed));
    return false;
  }
  if (!written) {
    const bool bmp = *kind <= ImageKind::Bmp32 && chosen <= ImageKind::Bmp32;
    ShowError(messages, bmp ? std::string(kBmpWriteFailed) + std::string(kBitmapFailed) : std::string(kImageFailed));
    return false;
  }
  if (messages.Show(ResourceText(kMsgSavedShowFolder), MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes) {
    const std::string folder = std::filesystem::path(file->path).parent_path().string();
    if (folder.empty() || !services.host.ShowFolder(folder)) ShowError(messages, ResourceText(kMsgExplorerFailed));
  }
  return true;
}

}  // namespace ravelo
