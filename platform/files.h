// File services of the document sequences that the standard library does not offer: the private
// per-user work folder, files with unique names, and replacing a file only after its successor is
// safely on disk.
#pragma once

#include <string>
#include <string_view>

namespace ravelo::files {

// Where the work folder lives: $XDG_RUNTIME_DIR/Ravelo when that variable names an absolute folder,
// else /tmp/Ravelo-<uid>. Nothing is created.
std::string DefaultWorkRoot();

// Makes path a folder that only this user can enter (mode 0700), creating it when missing. An
// existing entry must be a real folder (not a link) owned by this user. False when it is not or
// cannot be made.
bool EnsurePrivateFolder(const std::string& path);

enum class FileAccess {
  Private,  // readable by this user only, for work files
  Default,  // what a newly created file gets under the umask, for documents
};

// Creates a new empty file whose path is pathPrefix followed by a unique suffix and returns that
// path; empty when none could be made (for instance when the folder is missing).
std::string CreateUniqueFile(std::string_view pathPrefix, FileAccess access);

// Forces the file's contents to disk.
bool SyncFile(const std::string& path);

// Puts source in place of target in one step (both in the same folder) and makes that lasting by
// flushing the folder. On false target is as it was.
bool ReplaceFile(const std::string& source, const std::string& target);

}  // namespace ravelo::files
