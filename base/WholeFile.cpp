#include "base/WholeFile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <memory>

namespace wakorin {
namespace {

WriteFault FaultOf(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return {WriteFault::Kind::DiskFull, error};
    case EROFS:
    case EACCES:
    case EPERM:
      return {WriteFault::Kind::ReadOnly, error};
    case ENOENT:
    case ENOTDIR:
      return {WriteFault::Kind::NoFolder, error};
    default:
      return {WriteFault::Kind::Other, error};
  }
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Closes the temporary file and removes it unless it was renamed into place.
struct Temporary {
  int fd = -1;
  std::string path;
  bool kept = false;
  ~Temporary() {
    if (fd >= 0) ::close(fd);
    if (!kept && !path.empty()) ::unlink(path.c_str());
  }
};

}  // namespace

std::optional<WriteFault> WriteWholeFile(const std::string& path, std::string_view bytes) {
  if (path.empty() || path.back() == '/') return WriteFault{WriteFault::Kind::NotRegularFile, 0};
  // What stands there is looked at without opening it: a FIFO opened for writing would wait for
  // a reader for ever.
  std::string target = path;
  struct stat existing {};
  bool exists = false;
  if (::lstat(path.c_str(), &existing) == 0) {
    exists = true;
    if (S_ISLNK(existing.st_mode)) {
      // The link stays a link: its file is the one written.
      std::unique_ptr<char, decltype(&::free)> resolved(::realpath(path.c_str(), nullptr), &::free);
      if (!resolved || ::stat(resolved.get(), &existing) != 0) {
        return WriteFault{WriteFault::Kind::NotRegularFile, 0};
      }
      target = resolved.get();
    }
    if (!S_ISREG(existing.st_mode)) return WriteFault{WriteFault::Kind::NotRegularFile, 0};
  } else if (errno != ENOENT) {
    return FaultOf(errno);
  }
  const std::string folder = FolderOf(target);
  struct stat folderStat {};
  if (::stat(folder.c_str(), &folderStat) != 0) return FaultOf(errno);
  if (!S_ISDIR(folderStat.st_mode)) return WriteFault{WriteFault::Kind::NoFolder, ENOTDIR};

  const std::size_t slash = target.rfind('/');
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  Temporary temporary;
  std::string pattern = folder + "/." + name + ".XXXXXX";
  // mkstemp creates a new file of its own (O_EXCL): it never opens anything already there.
  temporary.fd = ::mkstemp(pattern.data());
  if (temporary.fd < 0) return FaultOf(errno);
  temporary.path = pattern;

  const char* at = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(temporary.fd, at, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return FaultOf(errno);
    }
    at += written;
    left -= static_cast<std::size_t>(written);
  }
  // The old file's permissions carry over; a new one is readable by all, as Qt's files are.
  const mode_t mode = exists ? (existing.st_mode & 07777) : 0644;
  if (::fchmod(temporary.fd, mode) != 0) return FaultOf(errno);
  // A disk that runs out while the data are flushed says so here, not after the rename.
  if (::fsync(temporary.fd) != 0) return FaultOf(errno);
  const int fd = temporary.fd;
  temporary.fd = -1;
  if (::close(fd) != 0) return FaultOf(errno);
  if (::rename(temporary.path.c_str(), target.c_str()) != 0) return FaultOf(errno);
  temporary.kept = true;
  // The rename itself reaches the disk with its folder; a folder that cannot be synced is no
  // reason to call the file unwritten.
  if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return std::nullopt;
}

}  // namespace wakorin
