#include "platform/workbook/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/workbook/sheet.h"

namespace rg::workbook {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const fs::path& target, int error) {
  throw Error("The file \"" + target.string() + "\" cannot be written: " + std::strerror(error) + ".");
}

// The new file gets the old one's permissions, or the usual ones for a new file.
mode_t mode_for(const fs::path& target) {
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) return old.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

void sync_file(const fs::path& path, const fs::path& target) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) fail(target, errno);
  const int result = ::fsync(fd);
  const int error = errno;
  ::close(fd);
  if (result != 0) fail(target, error);
}

// Makes the rename itself durable. The file is complete either way, so a folder
// that cannot be synced (some file systems refuse) is no failure.
void sync_folder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);
  ::close(fd);
}

}  // namespace

void replace_file(const fs::path& target, const std::function<void(const fs::path&)>& write) {
  if (target.filename().empty()) throw Error("\"" + target.string() + "\" is not a file name.");
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) fail(target, errno);
  const fs::path temporary = pattern;
  const bool mode_set = ::fchmod(fd, mode_for(target)) == 0;
  ::close(fd);
  try {
    if (!mode_set) fail(target, errno);
    write(temporary);
    sync_file(temporary, target);
    if (::rename(temporary.c_str(), target.c_str()) != 0) fail(target, errno);
  } catch (...) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw;
  }
  sync_folder(folder);
}

}  // namespace rg::workbook
