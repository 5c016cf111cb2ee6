#include "model/document_file.h"

namespace ravelo {

bool NewDocument(Diagram& diagram, RandomSource& random, const Clock& clock) {
  ResetToNewDocument(diagram, random, static_cast<uint32_t>(clock.Now()));
  return true;
}

bool OpenDocument(Diagram&, const std::string&, const DocumentServices&) { return false; }

bool SaveDocument(Diagram&, const std::string&, Point, const DocumentServices&) { return false; }

std::string WorkFolder(Messages&, const std::string&, std::string_view) { return {}; }

std::string BackupPath(const std::string&) { return {}; }

}  // namespace ravelo
