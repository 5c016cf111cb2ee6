// Printing: the application's printer settings, the print dialog (CInsatuDlg) with its live
// preview, and the printed pages, each drawn by the scene renderer on the printer's Cairo context.
#pragma once

#include "app/editor_context.h"

class wxWindow;

namespace ravelo {

// The printer settings of the run, from Insatu / PaperSize (a stored paper code, A4 when the table
// has no such code) and the orientation (1 portrait, 2 landscape); false when they are not usable.
bool PrepareApplicationPrinter(int paperCode, int orientation);

// The print command on the chart shown: the selection is cleared, then the dialog runs and prints.
void PrintChartCommand(wxWindow* parent, EditorContext& context);

}  // namespace ravelo
