#include "platform/xlsx/xls_reader.h"

#include <freexl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace ravelo {

namespace {

class Workbook {
 public:
  explicit Workbook(const std::string& path) { opened_ = freexl_open(path.c_str(), &handle_) == FREEXL_OK; }
  ~Workbook() {
    if (handle_ != nullptr) freexl_close(handle_);
  }
  Workbook(const Workbook&) = delete;
  Workbook& operator=(const Workbook&) = delete;

  bool opened() const { return opened_; }
  const void* handle() const { return handle_; }

 private:
  const void* handle_ = nullptr;
  bool opened_ = false;
};

std::string CellText(const FreeXL_CellValue& cell) {
  char number[32];
  switch (cell.type) {
    case FREEXL_CELL_INT:
      std::snprintf(number, sizeof number, "%d", cell.value.int_value);
      return number;
    case FREEXL_CELL_DOUBLE:
      std::snprintf(number, sizeof number, "%.15g", cell.value.double_value);
      return number;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
      return cell.value.text_value != nullptr ? cell.value.text_value : "";
    default:
      return {};
  }
}

SheetReadResult ReadWithFreeXl(const std::string& path, int maxRows, int maxColumns, SheetText& sheet) {
  Workbook workbook(path);
  unsigned int rows = 0;
  unsigned short columns = 0;
  if (!workbook.opened() || freexl_select_active_worksheet(workbook.handle(), 0) != FREEXL_OK ||
      freexl_worksheet_dimensions(workbook.handle(), &rows, &columns) != FREEXL_OK)
    return SheetReadResult::Damaged;
  const unsigned int rowsRead = std::min(rows, static_cast<unsigned int>(std::max(maxRows, 0)));
  const unsigned short columnsRead =
      static_cast<unsigned short>(std::min<int>(columns, std::clamp(maxColumns, 0, 65535)));
  for (unsigned int r = 0; r < rowsRead; ++r) {
    for (unsigned short c = 0; c < columnsRead; ++c) {
      FreeXL_CellValue cell;
      if (freexl_get_cell_value(workbook.handle(), r, c, &cell) != FREEXL_OK) {
        sheet = {};
        return SheetReadResult::Damaged;
      }
      std::string text = CellText(cell);
      if (text.empty()) continue;
      if (sheet.rows.size() <= r) sheet.rows.resize(r + 1);
      auto& cells = sheet.rows[r];
      if (cells.size() <= c) cells.resize(c + 1u);
      cells[c] = std::move(text);
      sheet.columns = std::max(sheet.columns, c + 1);
    }
  }
  return SheetReadResult::Read;
}

// The sheet passed from the reading process: the column count, the row count, then for every row
// its cell count and every cell's length and bytes, each number four bytes in host order.
void AppendNumber(std::string& out, std::size_t value) {
  const uint32_t number = static_cast<uint32_t>(value);
  out.append(reinterpret_cast<const char*>(&number), sizeof number);
}

std::string Serialised(const SheetText& sheet) {
  std::string out;
  AppendNumber(out, static_cast<std::size_t>(sheet.columns));
  AppendNumber(out, sheet.rows.size());
  for (const auto& row : sheet.rows) {
    AppendNumber(out, row.size());
    for (const std::string& cell : row) {
      AppendNumber(out, cell.size());
      out += cell;
    }
  }
  return out;
}

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool Number(std::size_t& value) {
    uint32_t number;
    if (bytes_.size() < sizeof number) return false;
    std::memcpy(&number, bytes_.data(), sizeof number);
    bytes_.remove_prefix(sizeof number);
    value = number;
    return true;
  }
  bool Text(std::size_t length, std::string& text) {
    if (bytes_.size() < length) return false;
    text.assign(bytes_.substr(0, length));
    bytes_.remove_prefix(length);
    return true;
  }
  bool AtEnd() const { return bytes_.empty(); }

 private:
  std::string_view bytes_;
};

bool Deserialise(std::string_view bytes, int maxRows, int maxColumns, SheetText& sheet) {
  Reader reader(bytes);
  std::size_t columns = 0, rows = 0;
  if (!reader.Number(columns) || !reader.Number(rows) || columns > static_cast<std::size_t>(maxColumns) ||
      rows > static_cast<std::size_t>(maxRows))
    return false;
  sheet.columns = static_cast<int>(columns);
  sheet.rows.resize(rows);
  for (auto& row : sheet.rows) {
    std::size_t cells = 0;
    if (!reader.Number(cells) || cells > columns) return false;
    row.resize(cells);
    for (std::string& cell : row) {
      std::size_t length = 0;
      if (!reader.Number(length) || !reader.Text(length, cell)) return false;
    }
  }
  return reader.AtEnd();
}

// Reads everything the process writes until it closes the pipe; false when it takes longer than
// the time allowed or writes more than any sheet we keep can fill.
bool ReadAll(int fd, std::string& out) {
  constexpr std::size_t kMaxBytes = std::size_t{512} << 20;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  char buffer[1 << 16];
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd waiting{fd, POLLIN, 0};
    const int ready = poll(&waiting, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    out.append(buffer, static_cast<std::size_t>(got));
    if (out.size() > kMaxBytes) return false;
  }
}

}  // namespace

SheetReadResult ReadXlsSheet(const std::string& path, int maxRows, int maxColumns, SheetText& sheet) {
  sheet = {};
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    std::fclose(file);
  } else {
    return SheetReadResult::CannotOpen;
  }
  // FreeXL does not bound every read by what a damaged file really holds, so the workbook is read
  // in a process of its own: whatever becomes of that process, this one gets a sheet or a refusal.
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return SheetReadResult::CannotOpen;
  const pid_t child = fork();
  if (child < 0) {
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    return SheetReadResult::CannotOpen;
  }
  if (child == 0) {
    close(pipeEnds[0]);
    SheetText read;
    int status = 1;
    if (ReadWithFreeXl(path, maxRows, maxColumns, read) == SheetReadResult::Read) {
      const std::string bytes = Serialised(read);
      std::size_t written = 0;
      while (written < bytes.size()) {
        const ssize_t n = write(pipeEnds[1], bytes.data() + written, bytes.size() - written);
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
      }
      status = written == bytes.size() ? 0 : 1;
    }
    _exit(status);
  }
  close(pipeEnds[1]);
  std::string bytes;
  const bool complete = ReadAll(pipeEnds[0], bytes);
  close(pipeEnds[0]);
  if (!complete) kill(child, SIGKILL);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!complete || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || !Deserialise(bytes, maxRows, maxColumns, sheet)) {
    sheet = {};
    return SheetReadResult::Damaged;
  }
  return SheetReadResult::Read;
}

}  // namespace ravelo
