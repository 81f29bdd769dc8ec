#pragma once

namespace wakorin::links {

// Every address the menu opens, in one place.

// The official boat-racing organisation's public site.
inline constexpr const char* kOfficialSite = "https://www.boatrace.jp/";
// The official page from which the race program, result and racer period files are downloaded.
inline constexpr const char* kDataDownload =
    "https://www.boatrace.jp/owpc/pc/extra/data/download.html";
// PLACEHOLDERS until the project has pages of its own: example.org is reserved for examples.
inline constexpr const char* kHomePage = "https://example.org/wakorin/";
inline constexpr const char* kSupportPage = "https://example.org/wakorin/support/";
// Beside the executable.
inline constexpr const char* kHelpFile = "help.html";

}  // namespace wakorin::links
