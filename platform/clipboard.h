// The system clipboard as the editor uses it: a picture on it, read as straight BGRA pixels.
#pragma once

#include "platform/picture.h"

namespace ravelo {

enum class ClipboardRead {
  Done,
  CannotOpen,     // the clipboard could not be opened
  NoBitmap,       // nothing on it is a picture
  CannotConvert,  // the picture on it could not be turned into pixels
};

struct ClipboardPicture {
  ClipboardRead result = ClipboardRead::NoBitmap;
  Picture pixels;  // set when result is Done
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual bool HasPicture() = 0;
  virtual ClipboardPicture ReadPicture() = 0;
};

}  // namespace ravelo
