// The program's string table: every message text by its number, and the one routine that shows them.
#pragma once

#include <string>
#include <string_view>

#include "platform/messages.h"

namespace ravelo {

// Message numbers used by the logic; the table in string_table.cpp holds each with its text.
enum MessageId : int {
  kMsgMemoryAllocationFailed = 30001,
  kMsgWorkFolderUnavailable = 30002,
  kMsgTooManyParents = 30003,
  kMsgOleInitFailed = 30006,
  kMsgRibbonInitFailed = 30010,
  kMsgSizeTooLarge = 30013,
  kMsgSaveFailed = 30018,
  kMsgWrongFileFormat = 30019,
  kMsgUnsupportedVersion = 30020,
  kMsgOpenFailed = 30026,
  kMsgNoWriteAccess = 30035,
  kMsgExtractFailed = 30036,
  kMsgPaneCreationFailed = 30038,
  kMsgTooManyObjectsInFile = 30043,
  kMsgBackupFailed = 30047,
  kMsgPrinterDcFailed = 30064,
  kMsgFolderCannotOpen = 30066,
  kMsgAlreadyRunning = 30072,
  kMsgFileNotFound = 30077,
  kMsgPrinterInitFailed = 30082,
  kMsgUnsupportedColourDepth = 30149,
  kMsgObjectLimit = 30163,
  kMsgManualMissing = 30173,
  kMsgManualName = 30174,
  kMsgInvalidFileNameCharacter = 30316,
  kMsgSettingsKeptAside = 30900,
};

// The text of a string number (UTF-8); empty for a number the table does not hold.
std::string_view ResourceText(int id);

// Shows the prefix (UTF-8, may be empty) directly followed by the text of string id.
MessageAnswer ShowResourceMessage(Messages& messages, std::string_view prefix, int id, MessageIcon icon,
                                  MessageButtons buttons = MessageButtons::Ok);

}  // namespace ravelo
