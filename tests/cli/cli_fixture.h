// Documents written by the model into a scratch folder, for running the real ravelo-cli on them.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "model/document_file.h"
#include "platform/cab/gcab_cabinet.h"
#include "tests/support/memory_settings.h"
#include "tests/support/recording_messages.h"
#include "tests/support/scratch_folder.h"

namespace ravelo {

class CliTest : public ::testing::Test {
 protected:
  std::string WriteDocument(Diagram& d, const std::string& name) {
    const std::string path = folder_ + "/" + name;
    testing::RecordingMessages messages;
    testing::MemorySettings settings;
    NoProgress progress;
    OpaquePictureCodec codec;
    GcabCabinet cabinet;
    EXPECT_TRUE(SaveDocument(d, path, {0, 0}, {messages, progress, codec, settings, cabinet, folder_ + "/work"}));
    return path;
  }

  testing::ScratchFolder scratch_;
  const std::string folder_ = scratch_.path();
};

}  // namespace ravelo
