// The clipboard of the editor on wxWidgets; on Linux pictures arrive as PNG images.
#pragma once

#include "platform/clipboard.h"

namespace ravelo {

class WxClipboard final : public Clipboard {
 public:
  bool HasPicture() override;
  ClipboardPicture ReadPicture() override;
};

}  // namespace ravelo
