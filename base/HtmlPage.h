#pragma once

#include <string_view>

namespace wakorin {

// Whether bytes are a web page (a login or error page saved in place of a data file): after an
// optional UTF-8 byte order mark and blanks they open with a tag, and an HTML tag stands in the
// first kilobyte.
bool LooksLikeHtml(std::string_view bytes);

}  // namespace wakorin
