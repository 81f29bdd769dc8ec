#include "base/ByteFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace wakorin {

ByteFile::~ByteFile() {
  Close();
}

bool ByteFile::Exists(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

std::optional<Error> ByteFile::Open(const std::string& path) {
  Close();
  // Non-blocking so that a FIFO or device picked by mistake cannot hang the open; such files
  // are refused below, since only a regular file has the size the readers rely on.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return Error::Io(errno);
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    int code = errno;
    ::close(fd);
    return Error::Io(code);
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    return Error::Io(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
  }
  fd_ = fd;
  size_ = static_cast<std::uint64_t>(info.st_size);
  position_ = 0;
  return std::nullopt;
}

void ByteFile::OpenBytes(std::string_view bytes) {
  Close();
  bytes_ = bytes.data() ? bytes.data() : "";
  size_ = bytes.size();
}

Outcome<std::size_t> ByteFile::Read(void* buffer, std::size_t count) {
  if (bytes_) {
    const std::size_t done =
        position_ >= size_
            ? 0
            : static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - position_));
    if (done > 0) std::memcpy(buffer, bytes_ + position_, done);
    position_ += done;
    return done;
  }
  if (fd_ < 0) return Error::Io(EBADF);
  auto* out = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    ssize_t got = ::read(fd_, out + done, count - done);
    if (got < 0) {
      if (errno == EINTR) continue;
      return Error::Io(errno);
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  position_ += done;
  return done;
}

std::optional<Error> ByteFile::Seek(std::uint64_t position) {
  if (bytes_) {
    position_ = position;
    return std::nullopt;
  }
  if (fd_ < 0) return Error::Io(EBADF);
  if (::lseek(fd_, static_cast<off_t>(position), SEEK_SET) < 0) return Error::Io(errno);
  position_ = position;
  return std::nullopt;
}

void ByteFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  bytes_ = nullptr;
  size_ = 0;
  position_ = 0;
}

}  // namespace wakorin
