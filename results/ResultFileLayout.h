#pragma once

// Where every field of a race result file (K*.TXT) stands. Offsets are 0-based bytes from the
// first byte of a venue's key; columns of a payout row are 0-based bytes from its first byte.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "predict/BetType.h"

namespace wakorin::result_layout {

inline constexpr std::string_view kStartMarker = "STARTK";  // looked for in 8-byte steps
inline constexpr std::string_view kKeyTail = "KBGN";  // a key is the venue code followed by this
inline constexpr std::string_view kEndTail = "KEND";  // a block ends at code + this
inline constexpr std::size_t kKeySize = 6;

// Result blocks are about this long; the initial skip and the jump over another venue's block
// both rest on it, and a search from the start covers days whose blocks are shorter.
inline constexpr std::uint64_t kSkipPerVenue = 9977;
inline constexpr std::uint64_t kJumpAfterKey = 9978;  // next read 10389 bytes after the key

// The two eras of a block, named after their venue line: the older 「大村競艇場」, whose payout
// table starts at 411 (410 when the header byte 408 is not a blank), and today's
// 「ボートレース大村」, whose longer header puts it at 414. Each block tells which it is by where
// its first payout row ("1R") stands.
inline constexpr std::size_t kHeaderSize = 411;
inline constexpr std::size_t kLayoutByte = 408;
inline constexpr std::size_t kBoatRaceTableOffset = 414;

// The header's day line names the day half-width, year first: "   第 7日          2024/ 4/ 1".
// A block holding only the notice that its results come later has no day line.

// The payout table: twelve 77-byte rows (75 and CR LF) when every race ran cleanly, each labelled
// "1R" .. "12R" right-aligned in its first 13 bytes; a cancelled race's row is shorter and a
// dead heat adds unlabelled rows, so such tables are read by their labels.
inline constexpr std::size_t kTableSize = 926;
inline constexpr std::size_t kRowStride = 77;
inline constexpr std::size_t kLabelWidth = 13;
inline constexpr std::size_t kPayoutWidth = 8;  // yen right-aligned

// Where each bet's combination and payout stand in a payout row, and the bet's name in a race's
// detail lines (２連複, ２連単, ３連複, ３連単).
struct BetColumns {
  std::size_t combination, width, payout;
  std::string_view detailName;
};
inline constexpr PerBet<BetColumns> kBetColumns{{{
    {64, 3, 67, "\x82\x51\x98\x41\x95\xa1"},
    {49, 3, 52, "\x82\x51\x98\x41\x92\x50"},
    {32, 5, 37, "\x82\x52\x98\x41\x95\xa1"},
    {15, 5, 20, "\x82\x52\x98\x41\x92\x50"},
}}};

// Words that stand in a payout row instead of a combination.
inline constexpr std::string_view kCancelled = "\x92\x86\x81\x40\x8e\x7e";  // 中　止
inline constexpr std::string_view kVoid = "\x95\x73\x90\xac\x97\xa7";       // 不成立
inline constexpr std::string_view kSpecial = "\x93\xc1\x95\xa5\x82\xa2";    // 特払い
// 全レース終了後に登録されます: the notice of a block whose results are not in yet.
inline constexpr std::string_view kNotPublished =
    "\x91\x53\x83\x8c\x81\x5b\x83\x58\x8f\x49\x97\xb9\x8c\xe3\x82\xc9\x93\x6f\x98\x5e"
    "\x82\xb3\x82\xea\x82\xdc\x82\xb7";

}  // namespace wakorin::result_layout
