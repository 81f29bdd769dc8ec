#pragma once

#include <QString>
#include <string_view>


namespace wakorin {

// Decodes CP932 bytes for a control, with the NEC and IBM extension characters that real racer
// names use (髙, 﨑). A malformed byte becomes one replacement character; the rest still shows.
QString FromCp932(std::string_view bytes);

}  // namespace wakorin
