// Documents on disk: creating a new document, and the open and save sequences that move a document
// body between the diagram and a cabinet file, through a body file in the per-user work folder.
// Every failure is told to the user here; the callers only see the flag.
#pragma once

#include <string>
#include <string_view>

#include "model/diagram.h"
#include "model/random.h"
#include "platform/cabinet.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/picture_codec.h"
#include "platform/progress.h"
#include "platform/settings_store.h"

namespace ravelo {

struct DocumentServices {
  Messages& messages;
  Progress& progress;
  const PictureCodec& codec;
  SettingsStore& settings;
  Cabinet& cabinet;
  std::string workRoot;  // the work folder itself; files::DefaultWorkRoot() in the program
};

// Releases every picture and gives the diagram the header of a new document, its background colours
// drawn from the generator seeded with the current time. Always true.
bool NewDocument(Diagram& diagram, RandomSource& random, const Clock& clock);

// Whether the path names a document: its last three characters are "rvl" in any case.
bool HasDocumentExtension(const std::string& path);

// Reads the cabinet at path (an absolute path ending in "rvl" in any case) into the diagram. On
// failure the table is empty. Damaged values are repaired (RepairDamagedValues).
bool OpenDocument(Diagram& diagram, const std::string& path, const DocumentServices& services);

// Puts each value a damaged file may carry outside its range back into it, so that the drawing never
// meets it; a value inside its range is never changed, so no sound document changes. Link-arc widths
// outside 0..20 become 3.
void RepairDamagedValues(Diagram& diagram);

// Stores currentScroll as the scroll position of the chart shown, then writes the diagram as a
// cabinet at path (absolute), keeping a backup of the previous file when SYS/MakeBackup is 1. The
// previous file is replaced only once the new one is whole; on success Last/FilePath holds path and
// the caller may clear its modified flag.
bool SaveDocument(Diagram& diagram, const std::string& path, Point currentScroll,
                  const DocumentServices& services);

// The work folder root, with sub appended as a further folder level when it is not empty; missing
// levels are created private to the user. Empty after telling the user (30002) when that fails.
std::string WorkFolder(Messages& messages, const std::string& root, std::string_view sub = {});

// The backup of a document: the path up to the last "." of its file name, then "(back).RVL".
// Empty when the file name has no ".".
std::string BackupPath(const std::string& path);

}  // namespace ravelo
