// What the fuzz targets share: a private scratch folder for the targets that need files, and the
// services of a document read that tell nothing.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "model/body_io.h"
#include "platform/codec/document_picture_codec.h"

namespace ravelo::fuzz {

// A folder of this process's own, made once: in memory where the system offers it, as files are
// written and flushed in every run.
inline const std::string& ScratchFolder() {
  static const std::string folder = [] {
    std::string pattern =
        access("/dev/shm", W_OK) == 0 ? "/dev/shm/ravelo-fuzz-XXXXXX" : "/tmp/ravelo-fuzz-XXXXXX";
    return std::string(mkdtemp(pattern.data()));
  }();
  return folder;
}

inline void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

struct QuietBodyServices {
  SilentMessages messages;
  NoProgress progress;
  DocumentPictureCodec codec;
  BodyServices services{messages, progress, codec};
};

}  // namespace ravelo::fuzz
