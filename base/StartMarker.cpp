#include "base/StartMarker.h"

#include <vector>

#include "base/ByteField.h"

namespace wakorin {

Outcome<std::optional<std::uint64_t>> FindStartMarker(ByteFile& file, std::string_view marker) {
  constexpr std::size_t kStep = 8;
  // The marker normally stands in the first line, so the first read is small; the later ones
  // are large. Both are multiples of the step.
  std::vector<char> chunk(4 * 1024);
  std::uint64_t chunkStart = 0;
  while (true) {
    auto got = file.Read(chunk.data(), chunk.size());
    if (!got) return got.error();
    const std::string_view bytes(chunk.data(), *got);
    // A last step shorter than 8 bytes still counts when it holds the whole marker.
    for (std::size_t step = 0; step < bytes.size(); step += kStep) {
      if (StartsWith(bytes, step, marker)) {
        return std::optional<std::uint64_t>(chunkStart + step + kStep);
      }
    }
    if (*got < chunk.size()) return std::optional<std::uint64_t>();
    chunkStart += *got;
    chunk.resize(64 * 1024);
  }
}

}  // namespace wakorin
