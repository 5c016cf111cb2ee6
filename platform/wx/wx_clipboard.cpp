#include "platform/wx/wx_clipboard.h"

#include <wx/bitmap.h>
#include <wx/clipbrd.h>
#include <wx/image.h>

namespace ravelo {

bool WxClipboard::HasPicture() {
  wxClipboardLocker locker;
  return !!locker && wxTheClipboard->IsSupported(wxDF_BITMAP);
}

ClipboardPicture WxClipboard::ReadPicture() {
  ClipboardPicture read;
  wxClipboardLocker locker;
  if (!locker) {
    read.result = ClipboardRead::CannotOpen;
    return read;
  }
  wxBitmapDataObject data;
  if (!wxTheClipboard->IsSupported(wxDF_BITMAP) || !wxTheClipboard->GetData(data)) {
    read.result = ClipboardRead::NoBitmap;
    return read;
  }
  const wxImage image = data.GetBitmap().ConvertToImage();
  if (!image.IsOk() || image.GetWidth() < 1 || image.GetHeight() < 1) {
    read.result = ClipboardRead::CannotConvert;
    return read;
  }
  Picture& p = read.pixels;
  p.width = image.GetWidth();
  p.height = image.GetHeight();
  p.bgra.resize(static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height) * 4);
  const unsigned char* rgb = image.GetData();
  const unsigned char* alpha = image.HasAlpha() ? image.GetAlpha() : nullptr;
  for (std::size_t i = 0; i < p.bgra.size() / 4; ++i) {
    p.bgra[i * 4] = rgb[i * 3 + 2];
    p.bgra[i * 4 + 1] = rgb[i * 3 + 1];
    p.bgra[i * 4 + 2] = rgb[i * 3];
    p.bgra[i * 4 + 3] = alpha ? alpha[i] : 255;
  }
  read.result = ClipboardRead::Done;
  return read;
}

}  // namespace ravelo
