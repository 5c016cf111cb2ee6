// The application icon for the editor's windows, in every size compiled in.
#pragma once

#include <wx/iconbndl.h>

namespace ravelo {

wxIconBundle ApplicationIcons();

}  // namespace ravelo
