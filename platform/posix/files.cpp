#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace ravelo::files {

namespace {

// The mode open() would give a new file of mode 0666 under the process's umask.
mode_t DefaultFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// The folder part of a path, for syncing the entry a rename changed.
std::string FolderOf(const std::string& path) {
  const std::size_t separator = path.rfind('/');
  if (separator == std::string::npos) return ".";
  return separator == 0 ? "/" : path.substr(0, separator);
}

}  // namespace

std::string DefaultWorkRoot() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') return std::string(runtime) + "/Ravelo";
  return "/tmp/Ravelo-" + std::to_string(geteuid());
}

bool EnsurePrivateFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0700) == 0) return true;
  if (errno != EEXIST) return false;
  // Someone may have placed a link or a folder of their own here to catch our files.
  struct stat status;
  if (lstat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != geteuid())
    return false;
  return (status.st_mode & 0777) == 0700 || chmod(path.c_str(), 0700) == 0;
}

std::string CreateUniqueFile(std::string_view pathPrefix, FileAccess access) {
  std::string pattern(pathPrefix);
  pattern += "XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());  // created with mode 0600
  if (fd < 0) return {};
  const bool ready = access == FileAccess::Private || fchmod(fd, DefaultFileMode()) == 0;
  close(fd);
  if (!ready) {
    unlink(name.data());
    return {};
  }
  return std::string(name.data());
}

bool SyncFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = fsync(fd) == 0;
  return close(fd) == 0 && synced;
}

bool ReplaceFile(const std::string& source, const std::string& target) {
  if (std::rename(source.c_str(), target.c_str()) != 0) return false;
  // The rename is done; flushing the folder only makes it survive a crash, so its failure does not
  // undo the replacement.
  const int folder = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
  return true;
}

}  // namespace ravelo::files
