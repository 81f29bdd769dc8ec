#pragma once

#include <memory>
#include <string>

#include "base/Error.h"

namespace wakorin {

// The official files are CP932 text with CR LF line ends, and every reader cuts them at fixed
// byte columns. Public collections often hold copies converted to UTF-8 (with or without a byte
// order mark) or to LF or CR line ends; such a copy is turned back into the bytes it was
// converted from, so that every column is the original's. Bytes already in the official form
// are returned as they are, without a copy.
//
// A file that can be neither (UTF-16, or marked as UTF-8 but not valid UTF-8, or UTF-8 holding a
// character CP932 lacks) is refused with Error::Kind::Text.
Outcome<std::shared_ptr<const std::string>> AsOfficialText(std::shared_ptr<const std::string> bytes);

}  // namespace wakorin
