#include "results/ResultFile.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "base/ByteField.h"
#include "base/ByteFile.h"
#include "base/ReadWindow.h"
#include "base/StartMarker.h"

namespace wakorin {
namespace {

constexpr std::string_view kStartMarker = "STARTK";
constexpr std::string_view kKeyTail = "KBGN";  // a key is the venue code followed by this
constexpr std::size_t kKeySize = 6;

constexpr std::size_t kHeaderSize = 411;
constexpr std::size_t kLayoutByte = 408;  // not blank: the table starts one byte earlier
constexpr std::size_t kTableSize = 926;
constexpr std::size_t kRowStride = 77;

// Result blocks are about this long; the initial skip and the jump over another venue's block
// both rest on it, and the fallback search covers days whose blocks are shorter.
constexpr std::uint64_t kSkipPerVenue = 9977;
constexpr std::uint64_t kJumpAfterKey = 9978;  // the next read starts 10389 bytes after the key

constexpr std::size_t kChunkSize = 64 * 1024;

// A blank row, for a race number outside 1..12.
const ResultRow& BlankRow() {
  static const ResultRow row{"   ",   "        ", "   ",   "        ",
                             "     ", "        ", "     ", "        "};
  return row;
}

class VenueSearch {
 public:
  VenueSearch(ByteFile& file, std::string_view code, ResultSearchObserver& observer)
      : file_(file), window_(file), observer_(observer), key_(std::string(code).append(kKeyTail)) {}

  // The search that skips ahead by the number of venues before and jumps over other venues'
  // blocks. Returns the key's position, or nullopt when it was not met.
  Outcome<std::optional<std::uint64_t>> SkipAndSlide(std::uint64_t body, int venuesBefore) {
    std::uint64_t pos = body;
    if (venuesBefore - 1 >= 1) {
      const int k = venuesBefore - 1;
      pos += kSkipPerVenue * static_cast<std::uint64_t>(k);
      observer_.Skipped(k, pos);
    }
    while (true) {
      if (!observer_.BeforeHeaderRead(pos)) return Stop();
      auto header = window_.At(pos, kHeaderSize);
      if (!header) return header.error();
      const std::uint64_t at = pos;
      pos += kHeaderSize;
      if (IsKey(*header)) return std::optional<std::uint64_t>(at);
      if (at + kHeaderSize >= file_.Size()) return std::optional<std::uint64_t>();
      if (StartsWith(*header, 2, kKeyTail)) {
        pos += kJumpAfterKey;
        observer_.PassedOtherVenue();
      } else {
        pos -= kHeaderSize - 1;  // one byte on from the start of this read
        // The steps up to the next key tail in memory end the same way as this one: only the
        // observer hears of them, without a header being cut at each.
        const std::uint64_t next = PlainStepsEnd(pos);
        for (; pos < next; ++pos) {
          if (!observer_.BeforeHeaderRead(pos)) return Stop();
        }
      }
    }
  }

  // The first key anywhere in the body, read chunk by chunk.
  Outcome<std::optional<std::uint64_t>> Plainly(std::uint64_t body) {
    std::vector<char> chunk(kChunkSize);
    std::uint64_t chunkStart = body;
    while (true) {
      if (!observer_.BeforeHeaderRead(chunkStart)) return Stop();
      if (auto error = file_.Seek(chunkStart)) return *error;
      auto got = file_.Read(chunk.data(), chunk.size());
      if (!got) return got.error();
      const std::string_view bytes(chunk.data(), *got);
      // Keys starting up to six bytes before the chunk's end are judged here, later ones in the
      // next chunk, which starts five bytes before this one ends; a tail at offset 0 or 1 belongs
      // to a key judged before (or to one that starts before the body).
      for (std::size_t tail = bytes.find(kKeyTail, 2); tail != std::string_view::npos;
           tail = bytes.find(kKeyTail, tail + 1)) {
        if (IsKey(bytes.substr(tail - 2)))
          return std::optional<std::uint64_t>(chunkStart + tail - 2);
        observer_.PassedOtherVenue();
      }
      if (*got < chunk.size()) return std::optional<std::uint64_t>();
      chunkStart += *got - (kKeySize - 1);
    }
  }

  // Reads the payout table of the block whose key stands at `keyPosition` into `result`, in
  // place: the 96 texts are copied once. Bytes past the end of the file read as blanks.
  std::optional<Error> ReadTable(std::uint64_t keyPosition, VenueResult& result) {
    auto header = window_.At(keyPosition, kHeaderSize);
    if (!header) return header.error();
    const bool longHeader = header->size() <= kLayoutByte || (*header)[kLayoutByte] == ' ';
    const std::uint64_t tablePosition = keyPosition + kHeaderSize - (longHeader ? 0 : 1);
    auto delivered = window_.At(tablePosition, kTableSize);
    if (!delivered) return delivered.error();
    std::string table(kTableSize, ' ');
    table.replace(0, delivered->size(), *delivered);
    observer_.PayoutRead(tablePosition + kTableSize);

    for (std::size_t r = 0; r < result.Rows.size(); ++r) {
      const std::size_t b = kRowStride * r;
      ResultRow& row = result.Rows[r];
      row.TrifectaCombination.assign(table, b + 15, 5);
      row.TrifectaPayout.assign(table, b + 20, 8);
      row.TrioCombination.assign(table, b + 32, 5);
      row.TrioPayout.assign(table, b + 37, 8);
      row.ExactaCombination.assign(table, b + 49, 3);
      row.ExactaPayout.assign(table, b + 52, 8);
      row.QuinellaCombination.assign(table, b + 64, 3);
      row.QuinellaPayout.assign(table, b + 67, 8);
    }
    return std::nullopt;
  }

  bool stopped() const { return stopped_; }

 private:
  // The first position from `pos` on whose header the slide must look at: one with a key tail
  // at its byte 2, one so near the end of the file that the slide ends there, or the first one
  // the bytes in memory cannot tell about.
  std::uint64_t PlainStepsEnd(std::uint64_t pos) const {
    const std::uint64_t size = file_.Size();
    if (size <= kHeaderSize) return pos;
    const std::uint64_t last = size - kHeaderSize;  // a read there reaches the end of the file
    const std::string_view held = window_.Held(pos);
    std::uint64_t end = pos;
    if (held.size() >= kKeySize) {
      const std::size_t tail = held.find(kKeyTail, 2);
      end = pos + (tail == std::string_view::npos ? held.size() - (kKeySize - 1) : tail - 2);
    }
    return std::min(end, std::max(pos, last));
  }

  bool IsKey(std::string_view bytes) const {
    return key_.size() == kKeySize && StartsWith(bytes, 0, key_);
  }

  std::optional<std::uint64_t> Stop() {
    stopped_ = true;
    return std::nullopt;
  }

  ByteFile& file_;
  ReadWindow window_;
  ResultSearchObserver& observer_;
  const std::string key_;
  bool stopped_ = false;
};

}  // namespace

const ResultRow& VenueResult::Race(int r) const {
  if (r < 1 || r > static_cast<int>(Rows.size())) return BlankRow();
  return Rows[static_cast<std::size_t>(r - 1)];
}

std::string ResultFilePath(std::string_view programPath) {
  // Only the file name's own extension counts, not a folder that happens to contain ".txt".
  const std::size_t slash = programPath.rfind('/');
  const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  std::string name(programPath.substr(nameStart));
  std::string upper = name;
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  const std::size_t dot = upper.find(".TXT");
  if (dot == std::string::npos || dot < 7) return {};
  return std::string(programPath.substr(0, nameStart)) + name.substr(0, dot - 7) + "K" +
         name.substr(dot - 6, 10);
}

Outcome<ResultSearch> FindVenueResult(const std::string& path, std::string_view venueCode,
                                      int venuesBefore, ResultSearchObserver& observer) {
  ByteFile file;
  if (auto error = file.Open(path)) return *error;
  observer.FileOpened(file.Size());

  ResultSearch search;
  auto body = FindStartMarker(file, kStartMarker);
  if (!body) return body.error();
  if (!body->has_value()) return search;

  VenueSearch venue(file, venueCode, observer);
  auto key = venue.SkipAndSlide(**body, venuesBefore);
  if (!key) return key.error();
  if (!key->has_value() && !venue.stopped()) {
    key = venue.Plainly(**body);
    if (!key) return key.error();
  }
  if (venue.stopped()) {
    search.end = ResultSearchEnd::Stopped;
    return search;
  }
  if (!key->has_value()) return search;

  if (auto error = venue.ReadTable(**key, search.result)) return *error;
  search.end = ResultSearchEnd::Found;
  return search;
}

}  // namespace wakorin
