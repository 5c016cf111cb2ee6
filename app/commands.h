// The command values of the main frame: ribbon buttons, drop-down entries and accelerators all
// send these, so that one handler serves each command however it was given.
#pragma once

namespace ravelo::command {

enum : int {
  // The window styles the ribbon offers (a stored style may be any of 205 to 219).
  kStyleOffice2007Blue = 215,
  kStyleOffice2007Black = 216,
  kStyleOffice2007Silver = 217,
  kStyleOffice2007Aqua = 218,
  kStyleWindows7 = 219,

  kSetAsDefault = 320,
  kSetPictureFromFile = 325,
  ID_VIEW_PROPATY_PANE = 354,
  ID_VIEW_ACT = 361,
  ID_SHOW_MENU = 370,
  ID_VIEW_SEARCH_PANE = 379,
  kPasteCopiedPicture = 367,
  ID_UNDO = 368,  // Ctrl+Z
  ID_REDO = 369,  // Ctrl+Y
  kSetBuiltInPicture = 383,
  ID_VIEW_FLOW = 384,
  ID_VIEW_BOX = 385,
  ID_FILE_IMAGE = 390,
  ID_FILE_PRINT = 57607,  // Ctrl+P
  ID_VIEW_STAR = 386,
  ID_HOZON_BTN = 387,
  ID_SETTEU_BTN = 388,
  ID_KAN_SET = 391,
  ID_RECENT_KANRI = 392,
  kFitActionView = 414,
  ID_VIEW_FULLSCREEN = 415,
  ID_REPLACE = 419,         // F5, the Action chart laid out again around its centre
  ID_GAMEN_SIZE_ACT = 447,  // the Action chart's view as large as the window
  kSetMemoAsDefault = 424,
  kRecentreOnSelection = 460,
  kApplyArcDefaults = 465,
  ID_PANE_BTN = 418,
  ID_FIRST_POS_FLOW = 446,
  ID_STYLE = 480,
  kToggleHoverAnimation = 481,  // F10
  ID_AUTO_MENT = 416,
  kSelectAll = 32773,  // Ctrl+A
  kNextChart = 521,             // Ctrl+Tab
  kPreviousChart = 522,         // Ctrl+Shift+Tab

  // The data panel: import (its drop-down: CSV, Excel, the history, clearing it) and export.
  ID_IMPORT_OBJ = 373,
  ID_EXPORT_OBJ = 374,
  ID_IMPORT_CSV = 437,
  ID_IMPORT_XLS = 438,
  ID_IMPORT_F1 = 439,  // .. ID_IMPORT_F1 + 4
  ID_IMPORT_CLS = 444,
  kImportMenu = 7374,  // the drop-down beside the import button; stays enabled for the history

  ID_FILE_NEW = 57600,
  ID_FILE_OPEN = 57601,
  ID_FILE_SAVE = 57603,
  ID_FILE_SAVE_AS = 57604,
  ID_FILE_MRU_FILE1 = 57616,  // .. ID_FILE_MRU_FILE1 + 9
  ID_APP_ABOUT = 57664,
};

// Child window numbers of the docking panes.
constexpr int kPropertiesPaneId = 150;
constexpr int kSearchPaneId = 342;

}  // namespace ravelo::command
