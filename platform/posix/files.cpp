#include "platform/files.h"

namespace ravelo::files {

std::string DefaultWorkRoot() { return {}; }
bool EnsurePrivateFolder(const std::string&) { return false; }
std::string CreateUniqueFile(const std::string&, std::string_view, FileAccess) { return {}; }
bool SyncFile(const std::string&) { return false; }
bool ReplaceFile(const std::string&, const std::string&) { return false; }

}  // namespace ravelo::files
