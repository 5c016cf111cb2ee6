#include "platform/cab/gcab_cabinet.h"

#include <fcntl.h>
#include <libgcab.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace ravelo {

namespace {

struct GObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct GDateTimeUnref {
  void operator()(GDateTime* time) const { g_date_time_unref(time); }
};

// Writes all bytes to the file at path, replacing its contents, and closes it.
bool WriteWholeFile(const std::string& path, const char* data, std::size_t size) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool written = true;
  while (written && size > 0) {
    const ssize_t done = write(fd, data, size);
    if (done < 0 && errno == EINTR) continue;
    written = done > 0;
    if (written) {
      data += done;
      size -= static_cast<std::size_t>(done);
    }
  }
  return close(fd) == 0 && written;
}

struct FirstMemberChoice {
  std::string extractName;
  uint64_t maxBytes = 0;
  GCabFile* chosen = nullptr;
  bool tooLarge = false;
};

// Takes the first member the library offers, under our own name, unless it declares more bytes than
// allowed; every later one is skipped.
gboolean ChooseFirstMember(GCabFile* file, gpointer data) {
  auto* choice = static_cast<FirstMemberChoice*>(data);
  if (choice->chosen != nullptr || choice->tooLarge) return FALSE;
  if (gcab_file_get_size(file) > choice->maxBytes) {
    choice->tooLarge = true;
    return FALSE;
  }
  choice->chosen = file;
  gcab_file_set_extract_name(file, choice->extractName.c_str());
  return TRUE;
}

}  // namespace

bool GcabCabinet::Pack(const std::string& sourcePath, const std::string& memberName,
                       const std::string& cabinetPath) {
  struct stat status;
  if (stat(sourcePath.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;

  GObjectPtr<GFile> source(g_file_new_for_path(sourcePath.c_str()));
  GObjectPtr<GCabFile> member(gcab_file_new_with_file(memberName.c_str(), source.get()));
  GObjectPtr<GCabFolder> folder(gcab_folder_new(GCAB_COMPRESSION_MSZIP));
  GError* error = nullptr;
  if (!gcab_folder_add_file(folder.get(), member.get(), FALSE, nullptr, &error)) {
    g_clear_error(&error);
    return false;
  }
  // Stamped after adding, which sets a time of its own; cabinets keep local time.
  const std::unique_ptr<GDateTime, GDateTimeUnref> modified(g_date_time_new_from_unix_local(status.st_mtime));
  gcab_file_set_date_time(member.get(), modified.get());

  GObjectPtr<GCabCabinet> cabinet(gcab_cabinet_new());
  if (!gcab_cabinet_add_folder(cabinet.get(), folder.get(), &error)) {
    g_clear_error(&error);
    return false;
  }
  // The library needs a seekable stream; the cabinet is built in memory and then written at once.
  GObjectPtr<GOutputStream> memory(g_memory_output_stream_new_resizable());
  if (!gcab_cabinet_write_simple(cabinet.get(), memory.get(), nullptr, nullptr, nullptr, &error) ||
      !g_output_stream_close(memory.get(), nullptr, &error)) {
    g_clear_error(&error);
    return false;
  }
  auto* bytes = G_MEMORY_OUTPUT_STREAM(memory.get());
  return WriteWholeFile(cabinetPath, static_cast<const char*>(g_memory_output_stream_get_data(bytes)),
                        g_memory_output_stream_get_data_size(bytes));
}

bool GcabCabinet::ExtractFirst(const std::string& cabinetPath, const std::string& destinationPath,
                               uint64_t maxBytes) {
  GObjectPtr<GFile> cabinetFile(g_file_new_for_path(cabinetPath.c_str()));
  GError* error = nullptr;
  GObjectPtr<GFileInputStream> in(g_file_read(cabinetFile.get(), nullptr, &error));
  if (!in) {
    g_clear_error(&error);
    return false;
  }
  GObjectPtr<GCabCabinet> cabinet(gcab_cabinet_new());
  if (!gcab_cabinet_load(cabinet.get(), G_INPUT_STREAM(in.get()), nullptr, &error)) {
    g_clear_error(&error);
    return false;
  }

  const std::size_t separator = destinationPath.rfind('/');
  if (separator == std::string::npos || separator + 1 == destinationPath.size()) return false;
  GObjectPtr<GFile> destinationFolder(
      g_file_new_for_path(separator == 0 ? "/" : destinationPath.substr(0, separator).c_str()));
  FirstMemberChoice choice;
  choice.extractName = destinationPath.substr(separator + 1);
  choice.maxBytes = maxBytes;
  if (!gcab_cabinet_extract_simple(cabinet.get(), destinationFolder.get(), ChooseFirstMember, &choice,
                                   nullptr, &error)) {
    g_clear_error(&error);
    return false;
  }
  // A member whose data blocks end early must not pass for a whole one.
  struct stat status;
  return choice.chosen != nullptr && stat(destinationPath.c_str(), &status) == 0 &&
         static_cast<uint64_t>(status.st_size) == gcab_file_get_size(choice.chosen);
}

}  // namespace ravelo
