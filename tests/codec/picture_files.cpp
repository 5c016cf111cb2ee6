#include "tests/codec/picture_files.h"

#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <stdexcept>

namespace ravelo::testing {

namespace {

const std::filesystem::path kFixtureFolder =
    std::filesystem::path(RAVELO_SOURCE_DIR) / "tests/codec/fixtures";

// Reads the whitespace-separated header words of a netpbm file up to the data.
class HeaderReader {
 public:
  explicit HeaderReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
  std::string Word() {
    while (at_ < bytes_.size() && (std::isspace(bytes_[at_]) || bytes_[at_] == '#')) {
      if (bytes_[at_] == '#') {
        while (at_ < bytes_.size() && bytes_[at_] != '\n') ++at_;
      } else {
        ++at_;
      }
    }
    std::string word;
    while (at_ < bytes_.size() && !std::isspace(bytes_[at_])) word += static_cast<char>(bytes_[at_++]);
    return word;
  }
  std::size_t DataStart() const { return at_ + 1; }  // one whitespace byte ends the header

 private:
  const std::vector<uint8_t>& bytes_;
  std::size_t at_ = 0;
};

int Number(const std::string& word) { return word.empty() ? -1 : std::atoi(word.c_str()); }

}  // namespace

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::vector<uint8_t> ReadFixture(const std::string& name) { return ReadFileBytes(kFixtureFolder / name); }

std::vector<std::string> FixturePictureNames() {
  const std::set<std::string> pictureExtensions = {".bmp", ".png", ".gif", ".jpg", ".tif"};
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(kFixtureFolder)) {
    if (pictureExtensions.count(entry.path().extension().string()) > 0) {
      names.push_back(entry.path().filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<Picture> ParseNetpbm(const std::vector<uint8_t>& bytes) {
  HeaderReader header(bytes);
  const std::string magic = header.Word();
  int width = -1, height = -1, depth = -1, maxValue = -1;
  if (magic == "P5" || magic == "P6") {
    width = Number(header.Word());
    height = Number(header.Word());
    maxValue = Number(header.Word());
    depth = magic == "P5" ? 1 : 3;
  } else if (magic == "P7") {
    for (std::string key = header.Word(); key != "ENDHDR" && !key.empty(); key = header.Word()) {
      const std::string value = header.Word();
      if (key == "WIDTH") width = Number(value);
      if (key == "HEIGHT") height = Number(value);
      if (key == "DEPTH") depth = Number(value);
      if (key == "MAXVAL") maxValue = Number(value);
    }
  }
  if (width < 1 || height < 1 || depth < 1 || depth > 4 || maxValue != 255) return std::nullopt;
  const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  const std::size_t start = header.DataStart();
  if (start + pixels * static_cast<std::size_t>(depth) > bytes.size()) return std::nullopt;
  Picture picture;
  picture.width = width;
  picture.height = height;
  for (std::size_t i = 0; i < pixels; ++i) {
    const uint8_t* sample = &bytes[start + i * static_cast<std::size_t>(depth)];
    const bool grey = depth <= 2;
    const uint8_t red = sample[0], green = grey ? sample[0] : sample[1], blue = grey ? sample[0] : sample[2];
    const uint8_t alpha = depth == 2 ? sample[1] : depth == 4 ? sample[3] : 255;
    picture.bgra.insert(picture.bgra.end(), {blue, green, red, alpha});
  }
  return picture;
}

int LargestDifference(const Picture& actual, const Picture& expected) {
  if (actual.width != expected.width || actual.height != expected.height ||
      actual.bgra.size() != expected.bgra.size()) {
    return -1;
  }
  int largest = 0;
  for (std::size_t i = 0; i < expected.bgra.size(); i += 4) {
    const int first = expected.bgra[i + 3] == 0 ? 3 : 0;
    for (std::size_t c = static_cast<std::size_t>(first); c < 4; ++c) {
      largest = std::max(largest, std::abs(actual.bgra[i + c] - expected.bgra[i + c]));
    }
  }
  return largest;
}

Picture MakeTestPicture(int width, int height, bool withAlpha) {
  constexpr uint8_t kAlphaCycle[] = {0, 1, 128, 254, 255};
  Picture picture;
  picture.width = width;
  picture.height = height;
  const int across = std::max(width - 1, 1), down = std::max(height - 1, 1);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto red = static_cast<uint8_t>(x * 255 / across);
      const auto green = static_cast<uint8_t>(y * 255 / down);
      const auto blue = static_cast<uint8_t>(255 - (x + y) * 255 / (across + down));
      const uint8_t alpha = withAlpha ? kAlphaCycle[(x + y) % 5] : 255;
      picture.bgra.insert(picture.bgra.end(), {blue, green, red, alpha});
    }
  }
  return picture;
}

ToolResult RunTool(const std::string& command) {
  ToolResult result;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return result;
  uint8_t buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    result.output.insert(result.output.end(), buffer, buffer + got);
  }
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ravelo-codec-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a scratch folder");
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::optional<Picture> DecodeWithImageMagick(const std::filesystem::path& file) {
  const ToolResult result = RunTool("convert '" + file.string() + "[0]' -depth 8 -alpha set PAM:-");
  if (result.exitCode != 0) return std::nullopt;
  return ParseNetpbm(result.output);
}

}  // namespace ravelo::testing
