// The document body: the magic "RVL001    ", the document header, the object records in table order,
// then one picture blob (a big-endian 32-bit length and a complete picture file) for each record
// whose Image field is set.
#pragma once

#include <istream>
#include <memory>
#include <ostream>

#include "model/diagram.h"
#include "platform/messages.h"
#include "platform/picture_codec.h"
#include "platform/progress.h"

namespace ravelo {

constexpr std::size_t kMagicBytes = 10;
constexpr std::size_t kBodyHeaderBytes = kMagicBytes + sizeof(DocumentHeader);  // 1126

// The largest body a document can be: the header, kMaxObjects records, and pictures that within one
// document's picture budget take at most 4 bytes a pixel as stored (an uncompressed 32-bit BMP), with 64
// KiB of headers and palettes for each.
constexpr uint64_t kMaxBodyBytes = kBodyHeaderBytes +
                                   uint64_t{kMaxObjects} * (sizeof(DiagramObject) + 4 + 65536) +
                                   PictureBudget::kDocumentPixels * 4;

struct BodyServices {
  Messages& messages;
  Progress& progress;
  const PictureCodec& codec;
};

// Writes the whole body. False only when the stream failed; a picture that cannot be serialised is
// stored as an empty blob, which reads back as an object without picture.
bool WriteBody(std::ostream& out, const Diagram& diagram, const BodyServices& services);

// Reads a body over the diagram, telling the user why when it is refused. On failure the diagram
// holds no objects (the header may hold what was read).
bool ReadBody(std::istream& in, Diagram& diagram, const BodyServices& services);

// An undo snapshot: the body without its magic.
bool WriteSnapshot(std::ostream& out, const Diagram& diagram, const BodyServices& services);
bool ReadSnapshot(std::istream& in, Diagram& diagram, const BodyServices& services);

// Writes one picture blob; false (nothing written) when the picture has no data or is too large.
bool WriteImageBlob(std::ostream& out, const Picture& picture, const BodyServices& services);

enum class BlobRead { Picture, NoPicture, OutOfMemory, Truncated };
struct ImageBlob {
  BlobRead result = BlobRead::NoPicture;
  std::unique_ptr<Picture> picture;  // set when result is Picture
};

// Reads one blob, its pixels taken from the budget. Data that does not decode or does not fit the budget
// gives NoPicture, and a picture the memory cannot hold gives OutOfMemory, each with the stream placed
// after the blob; a length that runs past the end of the stream gives Truncated.
ImageBlob ReadImageBlob(std::istream& in, const PictureCodec& codec, PictureBudget& budget);

}  // namespace ravelo
