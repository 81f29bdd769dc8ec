#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/OfficialText.h"

// Helpers shared by the fuzz targets: the readers take a file path, so each input is written to a
// scratch file first, and properties that must hold for any file are checked loudly.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace wakorin::fuzz {

// One scratch file per process (named with the pid, so parallel fuzzing jobs do not share it),
// rewritten for every input and removed when the process exits normally.
class ScratchFile {
 public:
  // `extension` ends the name, for readers that go by it (".lzh").
  explicit ScratchFile(std::string_view name, std::string_view extension = {}) {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) folder = "/tmp";
    path_ = (folder / ("wakorin-fuzz-" + std::string(name) + "-" + std::to_string(::getpid()) +
                       std::string(extension)))
                .string();
  }
  ~ScratchFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  const std::string& Write(std::string_view bytes) const {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::fprintf(stderr, "cannot write the scratch file %s\n", path_.c_str());
      std::abort();
    }
    return path_;
  }

 private:
  std::string path_;
};

// A property of the readers' results that no input may break; a breach is a crash for the fuzzer.
inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

// What the file layer serves for a file holding `bytes`: a copy converted to UTF-8 or to other
// line ends turns back into its CP932 CR LF original; nullopt for a text in neither form, which
// every reader refuses alike. Readers of bytes in memory are compared against this.
inline std::optional<std::string> AsFileLayerServes(std::string_view bytes) {
  auto official = AsOfficialText(std::make_shared<const std::string>(bytes));
  if (!official) return std::nullopt;
  return std::string(**official);
}

// Bytes of the input at a fixed place, empty where the input is shorter.
inline std::string_view Slice(std::string_view bytes, std::size_t offset, std::size_t width) {
  return offset < bytes.size() ? bytes.substr(offset, width) : std::string_view();
}

inline unsigned ByteAt(std::string_view bytes, std::size_t offset) {
  return offset < bytes.size() ? static_cast<unsigned char>(bytes[offset]) : 0u;
}

}  // namespace wakorin::fuzz
