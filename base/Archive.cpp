#include "base/Archive.h"

#include <archive.h>
#include <archive_entry.h>

#include <deque>
#include <memory>
#include <mutex>
#include <string_view>
#include <utility>

#include "base/ByteField.h"
#include "base/FileNames.h"

namespace wakorin {
namespace {

struct ReaderFree {
  void operator()(archive* reader) const { archive_read_free(reader); }
};
using Reader = std::unique_ptr<archive, ReaderFree>;

// The LHA terminator: an archive that ends before any header holds nothing.
bool OnlyTerminator(std::string_view bytes) {
  return bytes.empty() || (bytes.size() == 1 && bytes[0] == '\0');
}

// The files of the last archives unpacked, newest first.
class KeptFiles {
 public:
  std::shared_ptr<const std::string> Find(const std::string& archive) {
    const std::lock_guard lock(mutex_);
    for (const Kept& kept : kept_) {
      if (kept.archive == archive) return kept.file;
    }
    return nullptr;
  }
  void Add(std::string archive, std::shared_ptr<const std::string> file) {
    const std::lock_guard lock(mutex_);
    kept_.push_front({std::move(archive), std::move(file)});
    if (kept_.size() > kCount) kept_.pop_back();
  }

 private:
  // A day's program and result files and a statistics file, with one to spare.
  static constexpr std::size_t kCount = 4;
  struct Kept {
    std::string archive;
    std::shared_ptr<const std::string> file;
  };
  std::mutex mutex_;
  std::deque<Kept> kept_;
};

// The fault behind a failed read: libarchive says "Truncated" when the bytes end too early.
Error ReadFault(archive* reader) {
  const char* text = archive_error_string(reader);
  const bool truncated =
      text != nullptr && std::string_view(text).find("Truncated") != std::string_view::npos;
  return Error::Archive(truncated ? ArchiveFault::Truncated : ArchiveFault::Damaged);
}

// Whether the bytes end inside the first header: before its level byte (20), or before the size
// it declares (levels 0 and 1: byte 0 plus the two bytes before it; level 2: bytes 0 and 1).
bool FirstHeaderCutShort(std::string_view bytes) {
  if (bytes.size() <= 20) return true;
  const auto byte = [&](std::size_t i) {
    return static_cast<std::size_t>(static_cast<unsigned char>(bytes[i]));
  };
  const std::size_t declared = byte(20) == 2 ? byte(0) | byte(1) << 8 : byte(0) + 2;
  return bytes.size() < declared;
}

// A name that would climb out of a folder it were unpacked into: a ".." part, or a start at the
// root (LHA names may part with '/' or '\\').
bool UnsafeName(std::string_view name) {
  if (StartsWith(name, 0, "/") || StartsWith(name, 0, "\\")) return true;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find_first_of("/\\", start);
    if (end == std::string_view::npos) end = name.size();
    if (name.substr(start, end - start) == "..") return true;
    start = end + 1;
  }
  return false;
}

KeptFiles& KeptArchives() {
  static KeptFiles kept;
  return kept;
}

}  // namespace

bool LooksLikeArchive(std::string_view firstBytes) {
  return firstBytes.size() >= 7 && firstBytes[2] == '-' && firstBytes[3] == 'l' &&
         firstBytes[6] == '-';
}

bool HasArchiveExtension(std::string_view path) {
  return path.size() >= 4 && SameIgnoringCase(path.substr(path.size() - 4), ".lzh");
}

Outcome<UnpackedFile> UnpackSingleFile(std::string_view bytes, std::size_t cap) {
  if (OnlyTerminator(bytes)) return Error::Archive(ArchiveFault::Empty);
  // Only an LHA header is handed to the unpacker, so that no other format is ever parsed.
  if (!LooksLikeArchive(bytes)) return Error::Archive(ArchiveFault::NotArchive);

  Reader reader(archive_read_new());
  if (!reader) return Error::Archive(ArchiveFault::Damaged);
  archive_read_support_format_lha(reader.get());
  if (archive_read_open_memory(reader.get(), bytes.data(), bytes.size()) != ARCHIVE_OK) {
    return Error::Archive(FirstHeaderCutShort(bytes) ? ArchiveFault::Truncated
                                                     : ArchiveFault::Damaged);
  }
  archive_entry* entry = nullptr;
  // A warning on a header is about its name's character set, which does not matter here.
  int status = archive_read_next_header(reader.get(), &entry);
  if (status == ARCHIVE_EOF) return Error::Archive(ArchiveFault::Empty);
  if (status < ARCHIVE_WARN) {
    return FirstHeaderCutShort(bytes) ? Error::Archive(ArchiveFault::Truncated)
                                      : ReadFault(reader.get());
  }
  if (archive_entry_filetype(entry) != AE_IFREG || archive_entry_hardlink(entry) != nullptr) {
    return Error::Archive(ArchiveFault::NotAFile);
  }

  UnpackedFile file;
  if (const char* name = archive_entry_pathname(entry)) file.name = name;
  if (UnsafeName(file.name)) return Error::Archive(ArchiveFault::UnsafeName);
  // Room for the size the header declares, so that the bytes are not moved as they grow; the
  // limit is still counted on what actually unpacks.
  if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > 0 &&
      static_cast<std::uint64_t>(archive_entry_size(entry)) <= cap) {
    file.bytes.reserve(static_cast<std::size_t>(archive_entry_size(entry)));
  }
  char chunk[64 * 1024];
  while (true) {
    const la_ssize_t got = archive_read_data(reader.get(), chunk, sizeof chunk);
    // A warning here is a failed data check: the bytes are not what was packed.
    if (got == ARCHIVE_WARN) return Error::Archive(ArchiveFault::BadChecksum);
    if (got < 0) return ReadFault(reader.get());
    if (got == 0) break;
    if (static_cast<std::size_t>(got) > cap - file.bytes.size()) {
      return Error::Archive(ArchiveFault::TooLarge);
    }
    file.bytes.append(chunk, static_cast<std::size_t>(got));
  }

  status = archive_read_next_header(reader.get(), &entry);
  if (status == ARCHIVE_OK || status == ARCHIVE_WARN) {
    return Error::Archive(ArchiveFault::SeveralFiles);
  }
  if (status != ARCHIVE_EOF) return ReadFault(reader.get());
  return file;
}

Outcome<std::shared_ptr<const std::string>> UnpackSingleFileKept(std::string archive) {
  if (auto kept = KeptArchives().Find(archive)) return kept;
  auto unpacked = UnpackSingleFile(archive);
  if (!unpacked) return unpacked.error();
  auto file = std::make_shared<const std::string>(std::move(unpacked->bytes));
  KeptArchives().Add(std::move(archive), file);
  return file;
}

}  // namespace wakorin
