#pragma once

#include <string>
#include <utility>
#include <variant>

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

// A foreseen failure, carried as a value up to the command that turns it into a message.
struct Error {
  enum class Kind {
    Io,          // open, read or seek failed; `code` is the system's error number
    NotInteger,  // a text failed the decimal conversion; `text` holds its raw bytes
    Archive,     // an archive could not be unpacked; `code` is its ArchiveFault, `text` its path
  };
  Kind kind = Kind::Io;
  int code = 0;
  std::string text;

  static Error Io(int errnoValue) { return Error{Kind::Io, errnoValue, {}}; }
  static Error NotInteger(std::string rawText) {
    return Error{Kind::NotInteger, 0, std::move(rawText)};
  }
  static Error Archive(ArchiveFault fault, std::string path = {}) {
    return Error{Kind::Archive, static_cast<int>(fault), std::move(path)};
  }
  ArchiveFault archiveFault() const { return static_cast<ArchiveFault>(code); }
};

// Either a value or an Error.
template <typename T>
class Outcome {
 public:
  Outcome(T value) : state_(std::move(value)) {}      // NOLINT: implicit by design
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
