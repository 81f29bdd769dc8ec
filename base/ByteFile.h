#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/Error.h"

namespace wakorin {

// The largest file the readers take. The official files are far smaller (a day's race program
// or result file some 300 KB, a statistics file a few MB), so anything larger is something
// else; refusing it unread keeps a huge or sparse file from being read into memory.
inline constexpr std::uint64_t kMaxReadSize = std::uint64_t{64} << 20;

// A file opened for reading raw bytes, closed by the destructor on every path. An official LHA
// archive (told by its header, or by the name *.lzh) reads as the one file inside it, unpacked
// in memory. A copy converted to UTF-8 or to LF or CR line ends reads as its CP932 CR LF
// original (base/OfficialText.h).
class ByteFile {
 public:
  ByteFile() = default;
  ~ByteFile();
  ByteFile(const ByteFile&) = delete;
  ByteFile& operator=(const ByteFile&) = delete;

  static bool Exists(const std::string& path);
  // How many times any file has been opened by path in this process: lets a test see that a
  // command reads no file again.
  static std::uint64_t OpenCount();

  // An archive that cannot be unpacked fails with Error::Kind::Archive naming `path`, a text in
  // neither form with Error::Kind::Text naming it, a file larger than kMaxReadSize with
  // Error::Kind::TooLarge naming it, before any byte is read.
  std::optional<Error> Open(const std::string& path);
  // The whole file as Open delivers it, for readers that take each file once.
  static Outcome<std::shared_ptr<const std::string>> ReadWhole(const std::string& path);
  // The bytes of a regular file of the program's own (a model file) as they are: no archive
  // unpacked, no text converted. More than `cap` bytes fails with EFBIG.
  static Outcome<std::string> ReadAsIs(const std::string& path, std::size_t cap);
  // Reads from bytes already in memory instead, as from a file holding them; they must outlive
  // the reads. Lets a caller that reads each file once hand it to every reader.
  void OpenBytes(std::string_view bytes);
  // Reads up to `count` bytes at the current position; fewer only at the end of the file.
  Outcome<std::size_t> Read(void* buffer, std::size_t count);
  std::optional<Error> Seek(std::uint64_t position);
  std::uint64_t Size() const { return size_; }
  std::uint64_t Position() const { return position_; }
  bool Eof() const { return position_ >= size_; }
  // All the bytes when they are held in memory (an archive's file, a text read whole, bytes
  // opened as such), so that readers may look at them in place rather than copy them out.
  std::optional<std::string_view> InMemory() const {
    if (!bytes_) return std::nullopt;
    return std::string_view(bytes_, static_cast<std::size_t>(size_));
  }
  void Close();

 private:
  std::optional<Error> Open(const std::string& path, bool keepArchive);

  int fd_ = -1;
  const char* bytes_ = nullptr;  // set when reading from memory
  std::shared_ptr<const std::string> unpacked_;  // an archive's file, which bytes_ points into
  std::uint64_t size_ = 0;
  std::uint64_t position_ = 0;
};

}  // namespace wakorin
