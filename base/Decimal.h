#pragma once

#include <string_view>

#include "base/Error.h"

namespace wakorin {

// The one conversion every number in the files goes through: leading blanks, an optional sign,
// at least one digit and nothing after. A failure carries the offending text for the message
// "'%s' は整数ではありません".
Outcome<int> ParseDecimal(std::string_view text);

}  // namespace wakorin
