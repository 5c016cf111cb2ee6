#include "platform/xlsx/xlsx_reader.h"

#include <expat.h>
#include <zip.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xlsx/text_escapes.h"

namespace ravelo {

namespace {

constexpr std::size_t kMaxPartBytes = std::size_t{256} << 20;  // uncompressed, of one part
constexpr std::size_t kMaxCellBytes = 1 << 16;                 // beyond this a text is cut
constexpr std::size_t kMaxSharedStrings = 1 << 20;
constexpr std::size_t kMaxSheetBytes = std::size_t{256} << 20;  // of all the cell texts kept
constexpr char kNameSeparator = '|';                            // between a namespace and a local name

struct ZipCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ZipCloser>;

struct ZipFileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

struct ParserFree {
  void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

std::string_view LocalName(const XML_Char* name) {
  std::string_view full(name);
  const std::size_t separator = full.rfind(kNameSeparator);
  return separator == std::string_view::npos ? full : full.substr(separator + 1);
}

// The value of the attribute with this local name; a namespaced one only when namespaced is set.
const char* Attribute(const XML_Char** attributes, std::string_view local, bool namespaced = false) {
  for (int i = 0; attributes[i] != nullptr; i += 2) {
    const std::string_view name(attributes[i]);
    if (LocalName(attributes[i]) == local && (name.find(kNameSeparator) != std::string_view::npos) == namespaced)
      return attributes[i + 1];
  }
  return nullptr;
}

// Appends text, up to the cell limit.
void AppendBounded(std::string& text, const XML_Char* data, int length) {
  const std::size_t room = kMaxCellBytes - std::min(kMaxCellBytes, text.size());
  text.append(data, std::min(room, static_cast<std::size_t>(length)));
}

// One XML part parsed as it is inflated. The handler object keeps its state; it may stop the
// parse early (XML_StopParser), which counts as success.
class PartParser {
 public:
  PartParser() : parser_(XML_ParserCreateNS(nullptr, kNameSeparator)) {}
  XML_Parser get() { return parser_.get(); }

  // False when the part is missing, damaged or too large.
  bool Parse(zip_t* archive, const char* name) {
    if (!parser_) return false;
    const zip_int64_t index = zip_name_locate(archive, name, ZIP_FL_NOCASE);
    if (index < 0) return false;
    std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(archive, static_cast<zip_uint64_t>(index), 0));
    if (!file) return false;
    char buffer[1 << 16];
    std::size_t total = 0;
    for (;;) {
      const zip_int64_t read = zip_fread(file.get(), buffer, sizeof buffer);
      if (read < 0) return false;
      total += static_cast<std::size_t>(read);
      if (total > kMaxPartBytes) return false;
      const bool last = read == 0;
      if (XML_Parse(parser_.get(), buffer, static_cast<int>(read), last) == XML_STATUS_ERROR)
        return XML_GetErrorCode(parser_.get()) == XML_ERROR_ABORTED;
      XML_ParsingStatus status;
      XML_GetParsingStatus(parser_.get(), &status);
      if (status.parsing == XML_FINISHED || last) return true;
    }
  }

 private:
  std::unique_ptr<XML_ParserStruct, ParserFree> parser_;
};

template <typename Handler>
bool ParsePart(zip_t* archive, const std::string& name, Handler& handler) {
  PartParser part;
  if (!part.get()) return false;
  XML_SetUserData(part.get(), &handler);
  XML_SetElementHandler(
      part.get(),
      [](void* data, const XML_Char* element, const XML_Char** attributes) {
        static_cast<Handler*>(data)->Start(LocalName(element), attributes);
      },
      [](void* data, const XML_Char* element) { static_cast<Handler*>(data)->End(LocalName(element)); });
  XML_SetCharacterDataHandler(part.get(), [](void* data, const XML_Char* text, int length) {
    static_cast<Handler*>(data)->Text(text, length);
  });
  handler.parser = part.get();
  return part.Parse(archive, name.c_str());
}

// xl/workbook.xml: the relationship id of the first sheet.
struct WorkbookHandler {
  XML_Parser parser = nullptr;
  std::string firstSheetId;
  void Start(std::string_view element, const XML_Char** attributes) {
    if (element != "sheet" || !firstSheetId.empty()) return;
    if (const char* id = Attribute(attributes, "id", true)) firstSheetId = id;
  }
  void End(std::string_view) {}
  void Text(const XML_Char*, int) {}
};

// xl/_rels/workbook.xml.rels: the part of a relationship id, and the shared strings part.
struct RelationshipsHandler {
  XML_Parser parser = nullptr;
  std::string wantedId;
  std::string sheetTarget;
  std::string sharedStringsTarget;
  void Start(std::string_view element, const XML_Char** attributes) {
    if (element != "Relationship") return;
    const char* id = Attribute(attributes, "Id");
    const char* target = Attribute(attributes, "Target");
    const char* type = Attribute(attributes, "Type");
    if (target == nullptr) return;
    if (id != nullptr && wantedId == id) sheetTarget = target;
    if (type != nullptr && std::string_view(type).ends_with("/sharedStrings")) sharedStringsTarget = target;
  }
  void End(std::string_view) {}
  void Text(const XML_Char*, int) {}
};

// The texts of rich or plain strings (<t> runs), leaving out phonetic guides (<rPh>).
struct StringRuns {
  int inText = 0;
  int inPhonetic = 0;
  void Start(std::string_view element) {
    if (element == "t") ++inText;
    if (element == "rPh") ++inPhonetic;
  }
  void End(std::string_view element) {
    if (element == "t" && inText > 0) --inText;
    if (element == "rPh" && inPhonetic > 0) --inPhonetic;
  }
  bool Collecting() const { return inText > 0 && inPhonetic == 0; }
};

struct SharedStringsHandler {
  XML_Parser parser = nullptr;
  std::vector<std::string> strings;
  StringRuns runs;
  void Start(std::string_view element, const XML_Char**) {
    if (element == "si") {
      if (strings.size() >= kMaxSharedStrings) {
        XML_StopParser(parser, XML_FALSE);
        return;
      }
      strings.emplace_back();
    }
    runs.Start(element);
  }
  void End(std::string_view element) { runs.End(element); }
  void Text(const XML_Char* text, int length) {
    if (runs.Collecting() && !strings.empty()) AppendBounded(strings.back(), text, length);
  }
};

// The number of a column's letters ("A" 1, "AA" 27), 0 for none.
int ColumnOfReference(const char* reference) {
  int column = 0;
  for (; *reference >= 'A' && *reference <= 'Z'; ++reference) {
    column = column * 26 + (*reference - 'A' + 1);
    if (column > 16384) return 0;
  }
  return column;
}

// A number as a sheet shows a plain value: at most 15 significant digits.
std::string NumberText(const std::string& raw) {
  char* end = nullptr;
  const double value = std::strtod(raw.c_str(), &end);
  if (raw.empty() || *end != '\0') return raw;
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

struct SheetHandler {
  XML_Parser parser = nullptr;
  const std::vector<std::string>* shared = nullptr;
  int maxRows = 0, maxColumns = 0;
  SheetText* sheet = nullptr;
  std::size_t keptBytes = 0;
  bool tooLarge = false;  // shared strings repeated beyond what is kept

  int row = 0;        // the sheet row being read, from 1
  int column = 0;     // the cell being read, from 1
  std::string type;   // its t attribute
  std::string value;  // the text of its <v>
  std::string inline_;
  bool inValue = false;
  StringRuns runs;

  void Start(std::string_view element, const XML_Char** attributes) {
    if (element == "row") {
      const char* r = Attribute(attributes, "r");
      row = r != nullptr ? static_cast<int>(std::clamp(std::strtol(r, nullptr, 10), 0L, long{INT_MAX})) : row + 1;
      column = 0;
      if (row > maxRows || row < 1) XML_StopParser(parser, XML_FALSE);
    } else if (element == "c") {
      const char* reference = Attribute(attributes, "r");
      column = reference != nullptr ? ColumnOfReference(reference) : column + 1;
      const char* t = Attribute(attributes, "t");
      type = t != nullptr ? t : "";
      value.clear();
      inline_.clear();
    } else if (element == "v") {
      inValue = true;
    }
    runs.Start(element);
  }

  void End(std::string_view element) {
    runs.End(element);
    if (element == "v") inValue = false;
    if (element == "c") Store();
  }

  void Text(const XML_Char* text, int length) {
    if (inValue)
      AppendBounded(value, text, length);
    else if (runs.Collecting())
      AppendBounded(inline_, text, length);
  }

  std::string CellText() const {
    if (type == "s") {
      const long index = std::strtol(value.c_str(), nullptr, 10);
      return index >= 0 && static_cast<std::size_t>(index) < shared->size()
                 ? UnescapeCellText((*shared)[static_cast<std::size_t>(index)])
                 : std::string();
    }
    if (type == "inlineStr") return UnescapeCellText(inline_);
    if (type == "b") return value == "1" ? "TRUE" : "FALSE";
    if (type == "str" || type == "e") return UnescapeCellText(value);
    return NumberText(value);
  }

  void Store() {
    if (row < 1 || row > maxRows || column < 1 || column > maxColumns) return;
    std::string text = CellText();
    if (text.empty()) return;
    keptBytes += text.size();
    if (keptBytes > kMaxSheetBytes) {
      tooLarge = true;
      XML_StopParser(parser, XML_FALSE);
      return;
    }
    auto& rows = sheet->rows;
    if (rows.size() < static_cast<std::size_t>(row)) rows.resize(static_cast<std::size_t>(row));
    auto& cells = rows[static_cast<std::size_t>(row - 1)];
    if (cells.size() < static_cast<std::size_t>(column)) cells.resize(static_cast<std::size_t>(column));
    cells[static_cast<std::size_t>(column - 1)] = std::move(text);
    sheet->columns = std::max(sheet->columns, column);
  }
};

// A target of the workbook's relationships as a part name: relative to xl/, or from the root.
std::string PartOfTarget(const std::string& target) {
  if (target.starts_with("/")) return target.substr(1);
  return "xl/" + target;
}

}  // namespace

SheetReadResult ReadXlsxSheet(std::span<const uint8_t> bytes, int maxRows, int maxColumns, SheetText& sheet) {
  sheet = {};
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  if (source == nullptr) return SheetReadResult::Damaged;
  Archive archive(zip_open_from_source(source, ZIP_RDONLY, &error));
  zip_error_fini(&error);
  if (!archive) {
    zip_source_free(source);
    return SheetReadResult::Damaged;
  }

  WorkbookHandler workbook;
  if (!ParsePart(archive.get(), "xl/workbook.xml", workbook)) return SheetReadResult::Damaged;
  RelationshipsHandler relationships;
  relationships.wantedId = workbook.firstSheetId;
  if (!ParsePart(archive.get(), "xl/_rels/workbook.xml.rels", relationships)) return SheetReadResult::Damaged;
  if (relationships.sheetTarget.empty()) return SheetReadResult::Damaged;

  SharedStringsHandler shared;
  if (!relationships.sharedStringsTarget.empty() &&
      !ParsePart(archive.get(), PartOfTarget(relationships.sharedStringsTarget), shared))
    return SheetReadResult::Damaged;

  SheetHandler cells;
  cells.shared = &shared.strings;
  cells.maxRows = maxRows;
  cells.maxColumns = maxColumns;
  cells.sheet = &sheet;
  if (!ParsePart(archive.get(), PartOfTarget(relationships.sheetTarget), cells) || cells.tooLarge) {
    sheet = {};
    return SheetReadResult::Damaged;
  }
  return SheetReadResult::Read;
}

}  // namespace ravelo
