#pragma once

// Where every field of a racer statistics file (Fan0510.txt, fanYYMM.txt) stands: fixed-size
// records back to back, offsets 0-based within a record.

#include <cstddef>

namespace wakorin::stats_layout {

// The two eras of the file: the older 412-byte records (410 and CR LF) and today's 418-byte
// ones. The fields read stand at the same offsets in both; a file tells which it is by where its
// first record's CR LF stands.
inline constexpr std::size_t kShortRecordSize = 412;
inline constexpr std::size_t kLongRecordSize = 418;
inline constexpr std::size_t kFieldsRead = kShortRecordSize;  // every field read lies in here

inline constexpr std::size_t kRacerNoWidth = 4;  // the key, at offset 0
// Course n (1..6): entry count, rate and start timing, at kCourseFirst + kCourseStep * (n - 1).
inline constexpr std::size_t kCourseFirst = 82;
inline constexpr std::size_t kCourseStep = 13;
inline constexpr std::size_t kEntryCountWidth = 3;
inline constexpr std::size_t kRateOffset = 3, kRateWidth = 4;
inline constexpr std::size_t kTimingOffset = 7, kTimingWidth = 3;

}  // namespace wakorin::stats_layout
