#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace wakorin {

// Why the one file of an archive could not be taken out of it.
enum class ArchiveFault {
  NotArchive,    // bytes of another kind: a zip, a text file named .lzh, noise
  Empty,         // no file inside
  SeveralFiles,  // more than one entry
  NotAFile,      // its entry is a folder, a link or another special entry
  TooLarge,      // the file inside unpacks to more than the readers accept
  Damaged,       // a header that cannot be read, or a method that cannot be unpacked
  Truncated,     // cut short: its header or its data ends before they should
  BadChecksum,   // its data unpack to other bytes than were packed (the CRC does not match)
  UnsafeName,    // its name climbs out of the folder ("../x") or starts at the root ("/x")
};

// Why a text file is in neither of the forms the readers take (CP932, or UTF-8 converted from it).
enum class TextFault {
  Utf16,          // a UTF-16 or UTF-32 byte order mark
  BadUtf8,        // marked as UTF-8 by its byte order mark, but not valid UTF-8
  NotCp932,       // UTF-8 holding a character that CP932 has no code for
};

// Why a file found under a statistics file's name is not one, told by its bytes.
enum class StatsFault {
  Html,        // a web page (a login or error page) saved under the name
  Empty,       // shorter than one record
  NotRecords,  // not fixed records each ending in CR LF: another file, noise
};

// A foreseen failure, carried as a value up to the command that turns it into a message.
struct Error {
  enum class Kind {
    Io,          // open, read or seek failed; `code` is the system's error number
    NotInteger,  // a text failed the decimal conversion; `text` holds its raw bytes
    Archive,     // an archive could not be unpacked; `code` is its ArchiveFault, `text` its path
    Text,        // neither CP932 nor UTF-8 converted from it; `code` is its TextFault, `text` its path
    Missing,     // a file a command needs is not there; `text` names the file looked for
    TooLarge,    // far larger than any file of the kind, refused unread; `code` is the limit in
                 // MiB, `text` the path
    NotStats,    // found as the statistics file but its bytes are not one; `code` is its
                 // StatsFault, `text` its path
  };
  Kind kind = Kind::Io;
  int code = 0;
  std::string text;
  // Missing: the paths looked at, and the files found there but refused (each an error naming
  // its path in `text`), so that a message can say where to put the file.
  std::vector<std::string> lookedFor;
  std::vector<Error> refused;

  static Error Io(int errnoValue) { return Error{Kind::Io, errnoValue, {}, {}, {}}; }
  static Error NotInteger(std::string rawText) {
    return Error{Kind::NotInteger, 0, std::move(rawText), {}, {}};
  }
  static Error Archive(ArchiveFault fault, std::string path = {}) {
    return Error{Kind::Archive, static_cast<int>(fault), std::move(path), {}, {}};
  }
  static Error Text(TextFault fault, std::string path = {}) {
    return Error{Kind::Text, static_cast<int>(fault), std::move(path), {}, {}};
  }
  static Error Missing(std::string what, std::vector<std::string> lookedFor = {},
                       std::vector<Error> refused = {}) {
    return Error{Kind::Missing, 0, std::move(what), std::move(lookedFor), std::move(refused)};
  }
  static Error TooLarge(int limitMiB, std::string path) {
    return Error{Kind::TooLarge, limitMiB, std::move(path), {}, {}};
  }
  static Error NotStats(StatsFault fault, std::string path) {
    return Error{Kind::NotStats, static_cast<int>(fault), std::move(path), {}, {}};
  }
  ArchiveFault archiveFault() const { return static_cast<ArchiveFault>(code); }
  TextFault textFault() const { return static_cast<TextFault>(code); }
  StatsFault statsFault() const { return static_cast<StatsFault>(code); }
};

// Either a value or an Error.
template <typename T>
class Outcome {
 public:
  // A value is moved in once: large answers (a venue's check) are not moved twice.
  Outcome(const T& value) : state_(value) {}          // NOLINT: implicit by design
  Outcome(T&& value) : state_(std::move(value)) {}     // NOLINT
  Outcome(Error error) : state_(std::move(error)) {}  // NOLINT

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& value() { return std::get<0>(state_); }
  const T& value() const { return std::get<0>(state_); }
  T& operator*() { return value(); }
  const T& operator*() const { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  const Error& error() const { return std::get<1>(state_); }

 private:
  std::variant<T, Error> state_;
};

}  // namespace wakorin
