#include "app/window_icons.h"

#include <wx/image.h>
#include <wx/mstream.h>

#include "resources/application_icon.h"

namespace ravelo {

wxIconBundle ApplicationIcons() {
  wxIconBundle icons;
  for (int size : kApplicationIconSizes) {
    const std::span<const uint8_t> png = ApplicationIconPng(size);
    wxMemoryInputStream stream(png.data(), png.size());
    const wxImage image(stream, wxBITMAP_TYPE_PNG);
    if (!image.IsOk()) continue;
    wxIcon icon;
    icon.CopyFromBitmap(wxBitmap(image));
    icons.AddIcon(icon);
  }
  return icons;
}

}  // namespace ravelo
