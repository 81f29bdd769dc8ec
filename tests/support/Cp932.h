#pragma once

#include <string>
#include <string_view>

namespace wakorin::testsupport {

// Converts UTF-8 text to the CP932 bytes the data files hold; throws std::runtime_error when a
// character has no CP932 form or the input is not valid UTF-8.
std::string Sjis(std::string_view utf8);

}  // namespace wakorin::testsupport
