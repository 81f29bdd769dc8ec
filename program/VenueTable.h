#pragma once

#include <string>
#include <string_view>

namespace wakorin {

// The 24 venues: two-digit code <-> six-byte CP932 name (full-width blanks pad short names).
// Both lookups compare the whole argument byte for byte and return it unchanged when it is not
// in the table, so an unknown code or name can never find a block.
std::string VenueNameOfCode(std::string_view code);
std::string VenueCodeOfName(std::string_view name);

// True for "01".."24".
bool IsVenueCode(std::string_view code);

}  // namespace wakorin
