#include "base/ByteFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <utility>

#include "base/Archive.h"
#include "base/OfficialText.h"

namespace wakorin {
namespace {

// Reads `count` bytes at `position`, fewer at the end of the file.
Outcome<std::size_t> ReadAt(int fd, char* out, std::size_t count, std::uint64_t position) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t got = ::pread(fd, out + done, count - done, static_cast<off_t>(position + done));
    if (got < 0) {
      if (errno == EINTR) continue;
      return Error::Io(errno);
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

// The archive's file, or nullopt when `fd` is no archive. `keep`: through the cache of the last
// archives unpacked, for readers that open the same archive again and again.
std::optional<Outcome<std::shared_ptr<const std::string>>> UnpackIfArchive(
    int fd, std::uint64_t size, const std::string& path, bool keep) {
  char head[7];
  auto got = ReadAt(fd, head, sizeof head, 0);
  if (!got) return Outcome<std::shared_ptr<const std::string>>(got.error());
  if (!HasArchiveExtension(path) && !LooksLikeArchive(std::string_view(head, *got))) {
    return std::nullopt;
  }
  // An archive is hardly larger than the file it holds: one larger than the limit on what it
  // may unpack to is refused unread.
  if (size > kMaxUnpackedSize) return Error::Archive(ArchiveFault::TooLarge, path);
  std::string archive(static_cast<std::size_t>(size), '\0');
  got = ReadAt(fd, archive.data(), archive.size(), 0);
  if (!got) return Outcome<std::shared_ptr<const std::string>>(got.error());
  archive.resize(*got);
  if (!keep) {
    auto file = UnpackSingleFile(archive);
    if (!file) return Error::Archive(file.error().archiveFault(), path);
    return std::shared_ptr<const std::string>(std::make_shared<const std::string>(std::move(file->bytes)));
  }
  auto file = UnpackSingleFileKept(std::move(archive));
  if (!file) return Error::Archive(file.error().archiveFault(), path);
  return file;
}

}  // namespace

ByteFile::~ByteFile() {
  Close();
}

bool ByteFile::Exists(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

namespace {
std::atomic<std::uint64_t> opens{0};
}  // namespace

std::uint64_t ByteFile::OpenCount() {
  return opens.load();
}

std::optional<Error> ByteFile::Open(const std::string& path) {
  return Open(path, true);
}

std::optional<Error> ByteFile::Open(const std::string& path, bool keepArchive) {
  Close();
  ++opens;
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
  const auto size = static_cast<std::uint64_t>(info.st_size);
  if (size > kMaxReadSize) {
    ::close(fd);
    return Error::TooLarge(static_cast<int>(kMaxReadSize >> 20), path);
  }
  std::optional<Outcome<std::shared_ptr<const std::string>>> whole = UnpackIfArchive(fd, size, path, keepArchive);
  if (!whole && size <= kMaxUnpackedSize) {
    // Any file of a size the official files have is read whole, so that a copy converted to
    // UTF-8 or to other line ends can be read as its original.
    auto text = std::make_shared<std::string>(static_cast<std::size_t>(size), '\0');
    auto got = ReadAt(fd, text->data(), text->size(), 0);
    if (!got) {
      whole = Outcome<std::shared_ptr<const std::string>>(got.error());
    } else {
      text->resize(*got);
      whole = Outcome<std::shared_ptr<const std::string>>(std::move(text));
    }
  }
  if (whole) {
    ::close(fd);
    if (!*whole) return whole->error();
    auto official = AsOfficialText(std::move(whole->value()));
    if (!official) return Error::Text(official.error().textFault(), path);
    unpacked_ = std::move(*official);
    bytes_ = unpacked_->data();
    size_ = unpacked_->size();
    return std::nullopt;
  }
  fd_ = fd;
  size_ = size;
  position_ = 0;
  return std::nullopt;
}

Outcome<std::shared_ptr<const std::string>> ByteFile::ReadWhole(const std::string& path) {
  ByteFile file;
  // Read once by its caller: an archive is unpacked without passing through the cache, which
  // would hold its bytes and compare them with the others'.
  if (auto error = file.Open(path, false)) return *error;
  if (file.unpacked_) return file.unpacked_;
  auto bytes = std::make_shared<std::string>(static_cast<std::size_t>(file.Size()), '\0');
  auto got = file.Read(bytes->data(), bytes->size());
  if (!got) return got.error();
  bytes->resize(*got);
  return std::shared_ptr<const std::string>(std::move(bytes));
}

Outcome<std::string> ByteFile::ReadAsIs(const std::string& path, std::size_t cap) {
  ++opens;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return Error::Io(errno);
  struct stat info {};
  std::optional<Error> failed;
  if (::fstat(fd, &info) != 0) {
    failed = Error::Io(errno);
  } else if (!S_ISREG(info.st_mode)) {
    failed = Error::Io(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
  } else if (static_cast<std::uint64_t>(info.st_size) > cap) {
    failed = Error::Io(EFBIG);
  }
  std::string bytes;
  if (!failed) {
    bytes.resize(static_cast<std::size_t>(info.st_size));
    auto got = ReadAt(fd, bytes.data(), bytes.size(), 0);
    if (got) {
      bytes.resize(*got);
    } else {
      failed = got.error();
    }
  }
  ::close(fd);
  if (failed) return *failed;
  return bytes;
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
  unpacked_.reset();
  size_ = 0;
  position_ = 0;
}

}  // namespace wakorin
