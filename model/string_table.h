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
  kMsgNoDictionaryChosen = 30600,
  kMsgSamePhrases = 30601,
  kMsgNothingToReplace = 30602,
  kMsgHitLimit = 30603,
  kMsgDictionaryReadFailed = 30604,
  kMsgReplaceConfirm = 30605,
  kMsgReplaceDone = 30606,
  kMsgDictionaryDirection = 30607,
  kMsgShowHiddenMemo = 30608,
  kMsgFolderCreationFailed = 30609,
  kMsgSameNameExists = 30610,
  kMsgFileCreationFailed = 30611,
  kMsgRenameFailed = 30612,
  kMsgConfirmDelete = 30613,
  kMsgDeleteFailed = 30614,
  kMsgNoRowSelected = 30615,
  kMsgDictionaryFileMissing = 30616,
  kMsgNoText = 30617,
  kMsgConfirmRegister = 30618,
  kMsgAlreadyRegistered = 30619,
  kMsgTextTooLong = 30620,
  kMsgDictionaryNotCp932 = 30621,
  kMsgDictionaryLineTooLong = 30622,
  kMsgNotADictionaryFile = 30623,
  kMsgDictionaryEmpty = 30624,
  kMsgDictionaryFull = 30625,
  kMsgReservedDictionaryName = 30626,
  kMsgNotInCp932 = 30627,
  kMsgSkippedByLimit = 30628,
  // The data exchange: CSV files and spreadsheets, the import history and the file browser.
  kMsgExplorerFailed = 30320,
  kMsgImportRowsOverLimit = 30321,
  kMsgRowWithoutChildTitle = 30322,
  kMsgNoFifthColumn = 30323,
  kMsgExcelStartFailed = 30324,
  kMsgExcelReadFailed = 30325,
  kMsgAskHeaderRow = 30326,
  kMsgAskExportToExcel = 30327,
  kMsgAskOverwrite = 30328,
  kMsgSavedShowFolder = 30329,
  kMsgAskClearImportHistory = 30330,
  kMsgNotCp932Text = 30331,
  kMsgCharactersReplaced = 30332,
  kMsgParentCycle = 30333,
  kMsgWorkbookWriteFailed = 30334,
  kMsgSettingsKeptAside = 30900,
};

// The text of a string number (UTF-8); empty for a number the table does not hold.
std::string_view ResourceText(int id);

// Shows the prefix (UTF-8, may be empty) directly followed by the text of string id.
MessageAnswer ShowResourceMessage(Messages& messages, std::string_view prefix, int id, MessageIcon icon,
                                  MessageButtons buttons = MessageButtons::Ok);

}  // namespace ravelo
