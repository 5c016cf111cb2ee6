// Helpers of the codec tests: fixture files, pictures with known pixels, pixel comparison, and the
// image tools the project does not write, run on files in a scratch folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "platform/picture_budget.h"

namespace ravelo::testing {

// A budget with nothing taken yet, for one decoding.
inline PictureBudget& FreshBudget() {
  static PictureBudget budget;
  budget = PictureBudget();
  return budget;
}

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

// A file of tests/codec/fixtures.
std::vector<uint8_t> ReadFixture(const std::string& name);

// Every fixture picture file (not the decoded references beside them), sorted by name.
std::vector<std::string> FixturePictureNames();

// A binary PGM (P5), PPM (P6) or PAM (P7, depth 1 to 4) image as a picture; null when malformed.
std::optional<Picture> ParseNetpbm(const std::vector<uint8_t>& bytes);

// Largest difference of any channel; where `expected` is fully clear only alpha is compared, as a
// writer may store any colour there. -1 when the sizes differ.
int LargestDifference(const Picture& actual, const Picture& expected);

// width x height pixels of smoothly varying colours; with alpha, rows run through clear, partly
// and fully opaque pixels (alpha 0, 1, 128, 254 and 255 all occur).
Picture MakeTestPicture(int width, int height, bool withAlpha);

struct ToolResult {
  int exitCode = -1;
  std::vector<uint8_t> output;  // what the command wrote to stdout
};
// Runs a shell command (stderr discarded) and collects its output.
ToolResult RunTool(const std::string& command);

// A fresh folder that is removed with everything in it when the object goes.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  std::filesystem::path File(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// What ImageMagick decodes from the file (first frame, colours of clear pixels included), as a
// picture; null when it cannot.
std::optional<Picture> DecodeWithImageMagick(const std::filesystem::path& file);

}  // namespace ravelo::testing
