#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "base/ByteFile.h"
#include "base/Error.h"

namespace wakorin {

// Serves reads at any position from a chunk held in memory, so that stepping a few bytes back or
// on costs no system call; a file already wholly in memory is served in place, uncopied.
// Delivers exactly what a read of the file at that position would.
class ReadWindow {
 public:
  static constexpr std::size_t kChunkSize = 64 * 1024;

  explicit ReadWindow(ByteFile& file) : file_(file) {}

  // The bytes a read of `count` at `position` delivers: fewer at the end of the file, none past
  // it. Valid until the next call.
  Outcome<std::string_view> At(std::uint64_t position, std::size_t count) {
    const std::uint64_t size = file_.Size();
    if (position >= size) return std::string_view();
    const std::uint64_t wanted = std::min<std::uint64_t>(count, size - position);
    if (const auto all = file_.InMemory()) {
      return all->substr(static_cast<std::size_t>(position), static_cast<std::size_t>(wanted));
    }
    if (position < start_ || position + wanted > start_ + held_) {
      held_ = 0;
      if (auto error = file_.Seek(position)) return *error;
      const std::size_t chunk = std::max(count, kChunkSize);
      if (capacity_ < chunk) {
        // Left uninitialised: only the bytes a read delivered are ever handed out.
        storage_ = std::make_unique_for_overwrite<char[]>(chunk);
        capacity_ = chunk;
      }
      auto got = file_.Read(storage_.get(), chunk);
      if (!got) return got.error();
      held_ = *got;  // less than the size taken at opening if the file shrank meanwhile
      start_ = position;
    }
    const auto offset = static_cast<std::size_t>(position - start_);
    return std::string_view(storage_.get(), held_).substr(offset, static_cast<std::size_t>(wanted));
  }

  // The bytes already held from `position` on, without reading; empty when it is not held.
  std::string_view Held(std::uint64_t position) const {
    if (const auto all = file_.InMemory()) {
      return position < all->size() ? all->substr(static_cast<std::size_t>(position)) : std::string_view();
    }
    if (position < start_ || position >= start_ + held_) return {};
    return std::string_view(storage_.get(), held_)
        .substr(static_cast<std::size_t>(position - start_));
  }

 private:
  ByteFile& file_;
  std::unique_ptr<char[]> storage_;
  std::size_t capacity_ = 0;
  std::size_t held_ = 0;
  std::uint64_t start_ = 0;
};

}  // namespace wakorin
