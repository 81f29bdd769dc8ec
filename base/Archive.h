#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "base/Error.h"

namespace wakorin {

// The official site publishes each day's files and each period's statistics as LHA archives
// holding one file. A day's file is well under 1 MB; anything unpacking to more is refused.
inline constexpr std::size_t kMaxUnpackedSize = 8u << 20;

// Whether `firstBytes` begin an LHA header (levels 0 to 2): a method id such as "-lh5-" at
// offset 2.
bool LooksLikeArchive(std::string_view firstBytes);

// Whether the file name ends in ".lzh", in any letter case.
bool HasArchiveExtension(std::string_view path);

struct UnpackedFile {
  std::string name;  // as stored; shown, never used as a path
  std::string bytes;
};

// The one regular file of the LHA archive `archive`, unpacked in memory. More than `cap` bytes
// of it is TooLarge, counted while unpacking rather than taken from the header. The Error's
// text is left empty for the caller to name the archive.
Outcome<UnpackedFile> UnpackSingleFile(std::string_view archive,
                                       std::size_t cap = kMaxUnpackedSize);

// The same file's bytes for readers that open one archive again and again (the card of every
// race, the statistics of every prediction): the files of the last few archives are kept,
// looked up by the archive's whole bytes, so an unchanged archive is unpacked once and a changed
// one is never mistaken for it. Safe to call from several threads.
Outcome<std::shared_ptr<const std::string>> UnpackSingleFileKept(std::string archive);

}  // namespace wakorin
