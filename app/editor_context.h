// What the application object owns and lends to its main frame for the whole run.
#pragma once

#include <string>

#include "app/document_session.h"
#include "app/recent_files.h"
#include "model/diagram.h"
#include "model/program_settings.h"
#include "model/random.h"
#include "platform/cabinet.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/picture_codec.h"
#include "platform/settings_store.h"

namespace ravelo {

class TestScript;

struct EditorContext {
  SettingsStore& store;
  SystemSettings& held;
  Messages& messages;
  RecentFileList& recent;
  Diagram& diagram;
  RandomSource& random;
  const Clock& clock;
  Cabinet& cabinet;
  const PictureCodec& codec;
  std::string workRoot;
  TestScript* testScript;  // set when a test drives the program
};

}  // namespace ravelo
