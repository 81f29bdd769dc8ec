#pragma once

namespace wakorin::links {

// Every address the menu opens, in one place.

// The official boat-racing organisation's public site.
inline constexpr const char* kOfficialSite = "https://www.boatrace.jp/";
// The official page from which the race program, result and racer period files are downloaded.
inline constexpr const char* kDataDownload =
    "https://www.boatrace.jp/owpc/pc/extra/data/download.html";
// The project has no web pages of its own: its support and home page items open this bundled
// help page, which lies beside the executable or with the installed shared files.
inline constexpr const char* kHelpFile = "help.html";

}  // namespace wakorin::links
