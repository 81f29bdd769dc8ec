#pragma once

#include <string>
#include <utility>
#include <variant>

namespace wakorin {

// A foreseen failure, carried as a value up to the command that turns it into a message.
struct Error {
  enum class Kind {
    Io,          // open, read or seek failed; `code` is the system's error number
    NotInteger,  // a text failed the decimal conversion; `text` holds its raw bytes
  };
  Kind kind = Kind::Io;
  int code = 0;
  std::string text;

  static Error Io(int errnoValue) { return Error{Kind::Io, errnoValue, {}}; }
  static Error NotInteger(std::string rawText) {
    return Error{Kind::NotInteger, 0, std::move(rawText)};
  }
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
