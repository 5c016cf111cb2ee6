// Pictures in objects: which files can be set, how a picture file is prepared (decoding, its
// transparency colour, the 200-pixel limit, the displayed size), the built-in pictures, and turning
// pictures into document bytes and back.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/diagram.h"
#include "model/undo_history.h"
#include "platform/clipboard.h"
#include "platform/messages.h"
#include "platform/picture_codec.h"
#include "platform/settings_store.h"

namespace ravelo {

// "jpeg", "gif", "bmp", "png" or "tiff" by the extension after the last "."; empty (after telling
// the user) for anything else.
std::string ImageTypeOfPath(std::string_view path, Messages& messages);

// Decodes a complete picture file held in memory (the document picture codec). The picture keeps
// the file's bytes, so that it is written back exactly as it came; null when the bytes do not decode.
std::unique_ptr<Picture> PictureFromBytes(std::span<const uint8_t> bytes);

// The picture as a complete file: the bytes it came from, else a BMP of its pixels.
std::vector<uint8_t> PictureToBytes(const Picture& picture);

struct PictureSize {
  int width = 0;
  int height = 0;
};

// The picture's natural size in screen pixels (96 pixels per inch).
PictureSize PictureSizePixels(const Picture& picture);

// A picture made from pixels: it is written as a BMP.
std::unique_ptr<Picture> PictureFromPixels(int width, int height, std::vector<uint8_t> bgra);

struct LoadedPicture {
  std::unique_ptr<Picture> picture;  // null when the file could not be loaded
  PictureSize size;
  Colour transparency = kNoColour;
};

// Reads a picture file of the given type and prepares it: a JPEG stays as it is; a picture with a
// transparent colour keeps its pixels, with its alpha flattened against that colour; any other
// picture becomes a JPEG of quality 100. displayBits is the colour depth of the screen.
LoadedPicture LoadPictureFile(const std::string& path, std::string_view type, Messages& messages,
                              int displayBits = 24);

// Scales the picture to width x height and writes it as a file of the format ("jpeg", "bmp",
// "gif", "png", "tiff", any case) with the JPEG quality. False, after telling the user, when the
// format is unknown or the pixels cannot be prepared; false without message when the file cannot
// be written.
bool SaveBitmapAsFile(const Picture& picture, int width, int height, const std::string& path,
                      std::string_view format, int quality, Messages& messages);

// As SaveBitmapAsFile, with every pixel of exactly the key colour made fully transparent and every
// other pixel opaque.
bool SaveBitmapWithKeyColour(const Picture& picture, int width, int height, const std::string& path,
                             std::string_view format, Colour key, Messages& messages);

struct PictureServices {
  Messages& messages;
  const SettingsStore& settings;
  UndoHistory* undo = nullptr;  // the snapshot a built-in picture takes of its own
  int displayBits = 24;
  // While a person icon is being inserted, the displayed size it asks for replaces the usual rule.
  std::function<PictureSize(PictureSize picture)> personIconSize;
};

// Replaces the object's picture by the file's, fitted to at most 200 pixels wide and displayed at
// most 35 wide. The caller took the undo snapshot. False when the file gave no picture (the object
// is then left without one).
bool SetObjectPictureFromFile(Diagram& diagram, int index, const std::string& path, std::string_view type,
                              const PictureServices& services);

// Sets built-in picture number (1..17) into the object, with white as its transparent colour and the
// displayed size of the ImageW default of the object's kind. Takes its own undo snapshot.
bool SetObjectBuiltInPicture(Diagram& diagram, int index, int number, const PictureServices& services);

// Sets the picture on the clipboard, as a JPEG of quality 100, into every selected object, keeping
// their displayed sizes; one undo step. False, after telling the user, when the clipboard gave no
// picture.
bool PasteClipboardPicture(Diagram& diagram, Clipboard& clipboard, UndoHistory* undo, Messages& messages);

// Gives a pasted copy of an object a picture of its own.
void DuplicatePicture(Diagram& diagram, int index);

}  // namespace ravelo
