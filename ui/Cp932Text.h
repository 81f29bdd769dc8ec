#pragma once

#include <QString>
#include <string_view>

#include "base/Error.h"

namespace wakorin {

// Decodes CP932 bytes for a control, with the NEC and IBM extension characters that real racer
// names use (髙, 﨑). A malformed byte becomes one replacement character; the rest still shows.
QString FromCp932(std::string_view bytes);

// The text of the standard error box for a failed command: "I/O エラー (%d)",
// "'%s' は整数ではありません", or for an archive that cannot be unpacked its path and why.
QString ErrorText(const Error& error);

}  // namespace wakorin
