#include "model/document_file.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>

#include "model/body_io.h"
#include "model/string_table.h"
#include "platform/files.h"
#include "platform/image_file.h"

namespace ravelo {

namespace {

constexpr int kMaxArcWidth = 20;
constexpr int kRepairedArcWidth = 3;

struct SplitPath {
  std::string folder;  // with its trailing separator
  std::string name;
};

// A path split at its last separator; none without one.
std::optional<SplitPath> SplitAtLastSeparator(const std::string& path) {
  const std::size_t separator = path.rfind('/');
  if (separator == std::string::npos) return std::nullopt;
  return SplitPath{path.substr(0, separator + 1), path.substr(separator + 1)};
}

void RemoveQuietly(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

// Releases every picture and leaves the table without objects; the header stays as it is.
void EmptyTable(Diagram& diagram) {
  diagram.table = ObjectTable();
  diagram.header.ObjectCount = 0;
}

// Packs the body into a new cabinet beside the document and puts it in place of the document only
// once it is whole and on disk, so that a failure leaves the previous file as it was.
bool WriteCabinetOver(const std::string& path, const SplitPath& split, const std::string& bodyPath,
                      Cabinet& cabinet) {
  const std::string temporary =
      files::CreateUniqueFile(split.folder + "." + split.name + "-", files::FileAccess::Default);
  if (temporary.empty()) return false;
  const bool written = cabinet.Pack(bodyPath, split.name, temporary) && files::SyncFile(temporary) &&
                       files::ReplaceFile(temporary, path);
  if (!written) RemoveQuietly(temporary);
  return written;
}

// Copies the document to its backup under a temporary name beside it and renames the copy into place, so
// that a copy that breaks off (a full disk) leaves the previous backup as it was.
bool CopyToBackup(const std::string& path, const std::string& backup) {
  const std::optional<SplitPath> split = SplitAtLastSeparator(backup);
  if (!split) return false;
  const std::string temporary =
      files::CreateUniqueFile(split->folder + "." + split->name + "-", files::FileAccess::Default);
  if (temporary.empty()) return false;
  std::error_code error;
  const bool copied =
      std::filesystem::copy_file(path, temporary, std::filesystem::copy_options::overwrite_existing, error) &&
      files::SyncFile(temporary) && files::ReplaceFile(temporary, backup);
  if (!copied) RemoveQuietly(temporary);
  return copied;
}

}  // namespace

bool HasDocumentExtension(const std::string& path) {
  if (path.size() < 3) return false;
  std::string last = path.substr(path.size() - 3);
  std::transform(last.begin(), last.end(), last.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return last == "RVL";
}

bool NewDocument(Diagram& diagram, RandomSource& random, const Clock& clock) {
  ResetToNewDocument(diagram, random, static_cast<uint32_t>(clock.Now()));
  return true;
}

bool OpenDocument(Diagram& diagram, const std::string& path, const DocumentServices& services) {
  Messages& messages = services.messages;
  if (diagram.count() > 0) EmptyTable(diagram);
  if (!HasDocumentExtension(path)) return false;

  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (error || !std::filesystem::exists(status)) {
    ShowResourceMessage(messages, path + "\n", kMsgFileNotFound, MessageIcon::Stop);
    return false;
  }
  if (std::filesystem::is_directory(status)) {
    ShowResourceMessage(messages, "", kMsgFolderCannotOpen, MessageIcon::Stop);
    return false;
  }
  if (!SplitAtLastSeparator(path)) return false;
  const std::string workFolder = WorkFolder(messages, services.workRoot);
  if (workFolder.empty()) return false;

  // The body goes under a name of our own: the member's name is not trusted as a path. Anything but a
  // regular file (a pipe, a device) is refused before it is read, as it may never end. A member larger
  // than a body can be, or than the work folder has room for, is refused before extraction.
  const std::string bodyPath = files::CreateUniqueFile(workFolder + "/open-", files::FileAccess::Private);
  const std::filesystem::space_info room = std::filesystem::space(workFolder, error);
  const uint64_t maxBodyBytes = error ? kMaxBodyBytes : std::min<uint64_t>(kMaxBodyBytes, room.available);
  if (bodyPath.empty() || !std::filesystem::is_regular_file(status) ||
      !services.cabinet.ExtractFirst(path, bodyPath, maxBodyBytes)) {
    if (!bodyPath.empty()) RemoveQuietly(bodyPath);
    ShowResourceMessage(messages, "[File Copy]\n", kMsgExtractFailed, MessageIcon::Stop);
    return false;
  }

  std::ifstream body(bodyPath, std::ios::binary);
  if (!body) {
    RemoveQuietly(bodyPath);
    ShowResourceMessage(messages, path + "\n", kMsgOpenFailed, MessageIcon::Stop);
    return false;
  }
  const bool read = ReadBody(body, diagram, BodyServices{messages, services.progress, services.codec});
  body.close();
  if (read)
    RepairDamagedValues(diagram);
  else
    EmptyTable(diagram);
  RemoveQuietly(bodyPath);
  return read;
}

bool SaveDocument(Diagram& diagram, const std::string& path, Point currentScroll,
                  const DocumentServices& services) {
  Messages& messages = services.messages;
  const int chart = diagram.header.CurrentChart;
  if (chart >= 0 && chart < kChartCount) diagram.header.Scroll[chart] = currentScroll;

  const std::optional<SplitPath> split = SplitAtLastSeparator(path);
  if (!split) return false;
  const std::string workFolder = WorkFolder(messages, services.workRoot);
  if (workFolder.empty()) return false;

  const std::string bodyPath = workFolder + "/" + split->name;
  std::ofstream body(bodyPath, std::ios::binary | std::ios::trunc);
  if (!body) {
    ShowResourceMessage(messages, bodyPath + "\n", kMsgOpenFailed, MessageIcon::Stop);
    return false;
  }
  // A full disk shows here: the body is only as good as the stream that took it.
  const bool written = WriteBody(body, diagram, BodyServices{messages, services.progress, services.codec});
  body.close();
  if (!written || body.fail()) {
    RemoveQuietly(bodyPath);
    ShowResourceMessage(messages, "", kMsgSaveFailed, MessageIcon::Stop);
    return false;
  }

  std::error_code error;
  if (std::filesystem::exists(path, error) && services.settings.ReadInt("SYS", "MakeBackup", 1) == 1) {
    const std::string backup = BackupPath(path);
    if (backup.empty() || !CopyToBackup(path, backup)) {
      RemoveQuietly(bodyPath);
      ShowResourceMessage(messages, "", kMsgBackupFailed, MessageIcon::Stop);
      return false;
    }
  }

  const bool packed = WriteCabinetOver(path, *split, bodyPath, services.cabinet);
  if (!packed) ShowResourceMessage(messages, "", kMsgNoWriteAccess, MessageIcon::Information);
  RemoveQuietly(bodyPath);
  if (!packed) return false;
  services.settings.WriteString("Last", "FilePath", path);
  return true;
}

namespace {

// Ranges of the values a drawing computes with: what the editor lets the user enter (from 0 where a
// record that was never filled in holds 0), and for positions and scroll offsets a bound far beyond
// any view, so that sums of them never overflow.
constexpr int kMaxCoordinate = 1'000'000;
constexpr float kSmallestZoom = 0.08f, kLargestZoom = 4.0f;

void Bound(int32_t& value, int32_t low, int32_t high) { value = std::clamp(value, low, high); }
template <std::size_t N>
void Bound(int32_t (&values)[N], int32_t low, int32_t high) {
  for (int32_t& value : values) Bound(value, low, high);
}
void Bound(Point& point, int32_t low, int32_t high) {
  Bound(point.X, low, high);
  Bound(point.Y, low, high);
}

void RepairArc(ArcStyle& arc) {
  if (arc.Haba < 0 || arc.Haba > kMaxArcWidth) arc.Haba = kRepairedArcWidth;
  Bound(arc.ArcType, 0, 22);
  Bound(arc.ArcFutosa, 0, 20);
  Bound(arc.ArcLineStyle, 0, 39);
  if (!std::isfinite(arc.Rad)) arc.Rad = 0;
  for (ArcEnd& end : arc.End) {
    Bound(end.EndStyle, 0, 3);
    Bound(end.EndLen, 0, 20);
    Bound(end.EndSize, 0, 20);
    Bound(end.EndFutosa, 0, 20);
    Bound(end.EndLineStyle, 0, 39);
  }
}

void RepairObject(DiagramObject& o) {
  for (Point& position : o.Pos) Bound(position, -kMaxCoordinate, kMaxCoordinate);
  Bound(o.ImageW, 0, kMaxImageSide);
  Bound(o.ImageH, 0, kMaxImageSide);
  Bound(o.FontSize, 0, 36);
  Bound(o.Futosa, 0, 20);
  Bound(o.LineStyle, 0, 39);
  Bound(o.Margin, 0, 100);
  Bound(o.WakuMa, 0, 200);
  Bound(o.WakuW, 0, 30);
  Bound(o.ImgFutosa, 0, 20);
  Bound(o.ImgLineStyle, 0, 39);
  Bound(o.ImgMargin, 0, 100);
  MemoStyle& memo = o.Memo;
  for (Point& offset : memo.MemoPos) Bound(offset, -200, 200);
  Bound(memo.FontSize, 0, 36);
  Bound(memo.Marumi, 0, 9);
  Bound(memo.Futosa, 0, 20);
  Bound(memo.LineStyle, 0, 39);
  Bound(memo.Margin, 0, 100);
  for (ArcStyle& arc : o.Arc) RepairArc(arc);
}

}  // namespace

void RepairDamagedValues(Diagram& diagram) {
  DocumentHeader& h = diagram.header;
  Bound(h.ViewWidth, 1, 5000);
  Bound(h.ViewHeight, 1, 5000);
  for (Point& scroll : h.Scroll) Bound(scroll, -kMaxCoordinate, kMaxCoordinate);
  for (float& zoom : h.Zoom) zoom = std::isnan(zoom) ? 1.0f : std::clamp(zoom, kSmallestZoom, kLargestZoom);
  for (int i = 0; i < diagram.count(); ++i) RepairObject(diagram.object(i));
}

std::string WorkFolder(Messages& messages, const std::string& root, std::string_view sub) {
  std::string folder = root;
  bool ready = files::EnsurePrivateFolder(folder);
  if (ready && !sub.empty()) {
    folder += "/";
    folder += sub;
    ready = files::EnsurePrivateFolder(folder);
  }
  if (!ready) {
    ShowResourceMessage(messages, "", kMsgWorkFolderUnavailable, MessageIcon::Stop);
    return {};
  }
  return folder;
}

std::string BackupPath(const std::string& path) {
  const std::size_t separator = path.rfind('/');
  const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < nameStart) return {};
  return path.substr(0, dot) + "(back).RVL";
}

}  // namespace ravelo
