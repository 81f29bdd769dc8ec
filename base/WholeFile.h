#pragma once
// Writing a file whole or not at all, for the command-line tools and the window alike.
//
//   if (const std::optional<WriteFault> fault = WriteWholeFile(path, text)) {
//     // fault->kind says why (DiskFull, ReadOnly, ...), fault->error is errno for the message;
//     // the file that stood at `path` before is still there, byte for byte.
//   }
//
// The bytes go to a temporary file in the same folder, every write is checked, the file is
// synced to the disk and only then renamed over `path`. A `path` that is a symbolic link writes
// the file it points to.
#include <optional>
#include <string>
#include <string_view>

namespace wakorin {

struct WriteFault {
  enum class Kind {
    DiskFull,        // no room left on the disk (or over the user's quota)
    ReadOnly,        // the folder cannot be written: a read-only disk or no permission
    NotRegularFile,  // `path` is a folder, a pipe, a device or a broken link: never opened
    NoFolder,        // the folder that would hold the file is not there
    Other,           // any other failure; `error` says which
  };
  Kind kind = Kind::Other;
  int error = 0;  // errno of the call that failed; 0 when nothing failed but the check itself
};

// Writes `bytes` as the whole of the file at `path`: nothing when it succeeds, else why not.
// Opens nothing that could block (a FIFO or a device at `path` is refused before any open).
[[nodiscard]] std::optional<WriteFault> WriteWholeFile(const std::string& path,
                                                       std::string_view bytes);

}  // namespace wakorin
