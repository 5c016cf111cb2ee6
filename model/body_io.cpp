#include "model/body_io.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "model/string_table.h"

namespace ravelo {

namespace {

constexpr char kMagic[kMagicBytes + 1] = "RVL001    ";

// Bytes left between the read position and the end of the stream; a stream that cannot tell
// (not seekable) reports none, so nothing is allocated on a length it cannot check.
std::streamoff RemainingBytes(std::istream& in) {
  const std::streampos here = in.tellg();
  if (here == std::streampos(-1)) return 0;
  in.seekg(0, std::ios::end);
  const std::streampos end = in.tellg();
  in.seekg(here);
  return end == std::streampos(-1) ? 0 : end - here;
}

bool ReadExactly(std::istream& in, void* into, std::size_t bytes) {
  in.read(static_cast<char*>(into), static_cast<std::streamsize>(bytes));
  return static_cast<std::size_t>(in.gcount()) == bytes;
}

void FinishProgress(Progress& progress, int last) {
  progress.SetPosition(last);
  progress.Pause(100);
  progress.SetPosition(0);
}

}  // namespace

bool WriteImageBlob(std::ostream& out, const Picture& picture, const BodyServices& services) {
  const std::vector<uint8_t> data = services.codec.Encode(picture);
  if (data.empty()) return false;
  if (data.size() > std::numeric_limits<uint32_t>::max()) {
    ShowResourceMessage(services.messages, "", kMsgSizeTooLarge, MessageIcon::Stop);
    return false;
  }
  const auto size = static_cast<uint32_t>(data.size());
  const char length[4] = {static_cast<char>(size >> 24), static_cast<char>(size >> 16),
                          static_cast<char>(size >> 8), static_cast<char>(size)};
  out.write(length, 4);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  return true;
}

namespace {

bool WriteParts(std::ostream& out, const Diagram& diagram, const BodyServices& services, bool withMagic) {
  Progress& progress = services.progress;
  progress.SetRange(3);
  progress.SetPosition(0);
  if (withMagic) out.write(kMagic, kMagicBytes);
  out.write(reinterpret_cast<const char*>(&diagram.header), sizeof(DocumentHeader));
  progress.SetPosition(1);

  const int count = diagram.count();
  if (count > 0)
    out.write(reinterpret_cast<const char*>(diagram.table.objects.data()),
              static_cast<std::streamsize>(sizeof(DiagramObject) * static_cast<std::size_t>(count)));
  progress.SetPosition(2);

  for (int i = 0; i < count; ++i) {
    if (diagram.object(i).Image == 0) continue;
    const Picture* picture = diagram.table.pictures[static_cast<std::size_t>(i)].get();
    // The record announces a blob: one that cannot be written is stored empty, which reads back
    // as an object without picture and keeps the blobs after it in place.
    if (picture == nullptr || !WriteImageBlob(out, *picture, services)) out.write("\0\0\0\0", 4);
  }
  FinishProgress(progress, 3);
  return static_cast<bool>(out);
}

}  // namespace

bool WriteBody(std::ostream& out, const Diagram& diagram, const BodyServices& services) {
  return WriteParts(out, diagram, services, true);
}

bool WriteSnapshot(std::ostream& out, const Diagram& diagram, const BodyServices& services) {
  return WriteParts(out, diagram, services, false);
}

ImageBlob ReadImageBlob(std::istream& in, const PictureCodec& codec, PictureBudget& budget) {
  ImageBlob blob;
  unsigned char length[4];
  if (!ReadExactly(in, length, 4)) {
    blob.result = BlobRead::Truncated;
    return blob;
  }
  const uint32_t size = (uint32_t{length[0]} << 24) | (uint32_t{length[1]} << 16) |
                        (uint32_t{length[2]} << 8) | uint32_t{length[3]};
  if (static_cast<std::streamoff>(size) > RemainingBytes(in)) {
    blob.result = BlobRead::Truncated;
    return blob;
  }
  const std::streampos end = in.tellg() + static_cast<std::streamoff>(size);
  try {
    std::vector<uint8_t> data(size);
    if (!ReadExactly(in, data.data(), size)) {
      blob.result = BlobRead::Truncated;
      return blob;
    }
    blob.picture = codec.Decode(data, budget);
    blob.result = blob.picture ? BlobRead::Picture : BlobRead::NoPicture;
  } catch (const std::bad_alloc&) {
    in.clear();
    in.seekg(end);
    blob.result = in ? BlobRead::OutOfMemory : BlobRead::Truncated;
  }
  return blob;
}

namespace {

// Reads the header, the records and the picture blobs; the pictures held before are released.
bool ReadAfterMagic(std::istream& in, Diagram& diagram, const BodyServices& services) {
  for (auto& picture : diagram.table.pictures) picture.reset();
  DocumentHeader header;
  if (!ReadExactly(in, &header, sizeof header)) {
    ShowResourceMessage(services.messages, "", kMsgWrongFileFormat, MessageIcon::Stop);
    return false;
  }
  diagram.header = header;
  const int count = header.ObjectCount;
  if (count < 0) {
    diagram.header.ObjectCount = 0;
    ShowResourceMessage(services.messages, "", kMsgWrongFileFormat, MessageIcon::Stop);
    return false;
  }
  if (count > kMaxObjects) {
    ShowResourceMessage(services.messages, std::to_string(count) + " > " + std::to_string(kMaxObjects) + "\n",
                        kMsgTooManyObjectsInFile, MessageIcon::Stop);
    diagram.header.ObjectCount = 0;
    return false;
  }

  Progress& progress = services.progress;
  progress.SetRange(2);
  progress.SetPosition(0);
  diagram.header.ObjectCount = 0;  // nothing counts as read until the records are whole
  if (count > 0 &&
      !ReadExactly(in, diagram.table.objects.data(), sizeof(DiagramObject) * static_cast<std::size_t>(count))) {
    std::memset(diagram.table.objects.data(), 0, sizeof(DiagramObject) * static_cast<std::size_t>(count));
    progress.SetPosition(0);
    ShowResourceMessage(services.messages, "", kMsgWrongFileFormat, MessageIcon::Stop);
    return false;
  }
  diagram.header.ObjectCount = count;
  progress.SetPosition(1);

  // The pictures of one document share one budget; a picture left out is told once, after the rest.
  PictureBudget budget;
  bool truncated = false, outOfMemory = false;
  for (int i = 0; i < count; ++i) {
    DiagramObject& object = diagram.object(i);
    if (object.Image == 0) continue;
    object.Image = 0;
    if (truncated) continue;
    ImageBlob blob = ReadImageBlob(in, services.codec, budget);
    truncated = blob.result == BlobRead::Truncated;
    outOfMemory = outOfMemory || blob.result == BlobRead::OutOfMemory;
    SetPicture(diagram, i, std::move(blob.picture));
  }
  FinishProgress(progress, 2);
  if (budget.refused()) ShowResourceMessage(services.messages, "", kMsgSizeTooLarge, MessageIcon::Warning);
  if (outOfMemory)
    ShowResourceMessage(services.messages, "", kMsgMemoryAllocationFailed, MessageIcon::Warning);
  return true;
}

}  // namespace

bool ReadBody(std::istream& in, Diagram& diagram, const BodyServices& services) {
  char magic[kMagicBytes];
  if (!ReadExactly(in, magic, kMagicBytes) || std::memcmp(magic, "RVL", 3) != 0) {
    ShowResourceMessage(services.messages, "", kMsgWrongFileFormat, MessageIcon::Stop);
    return false;
  }
  const std::string versionText(magic + 3, 3);
  const bool digits = std::all_of(versionText.begin(), versionText.end(), [](char c) { return c >= '0' && c <= '9'; });
  const int version = digits ? std::stoi(versionText) : -1;
  if (version != 1 && version != 2) {
    ShowResourceMessage(services.messages, "ver " + versionText + "\n", kMsgUnsupportedVersion,
                        MessageIcon::Stop);
    return false;
  }
  return ReadAfterMagic(in, diagram, services);
}

bool ReadSnapshot(std::istream& in, Diagram& diagram, const BodyServices& services) {
  return ReadAfterMagic(in, diagram, services);
}

}  // namespace ravelo
