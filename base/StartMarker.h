#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/ByteFile.h"
#include "base/Error.h"

namespace wakorin {

// Both day files begin their body after a marker line ("STARTB", "STARTK") that is looked for
// only at 8-byte steps from the start. Reads from the file's start in large chunks, with the
// same result as reading 8 bytes at a time, so a big file without a marker is rejected quickly.
// Returns the offset just past the step holding the marker, or nullopt at the end of the file.
Outcome<std::optional<std::uint64_t>> FindStartMarker(ByteFile& file, std::string_view marker);

}  // namespace wakorin
