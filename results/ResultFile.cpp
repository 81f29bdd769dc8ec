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

constexpr std::size_t kCurrentTableOffset = 414;  // today's first payout row
constexpr std::size_t kTableScan = 4096;          // room for short, void and dead-heat rows
constexpr std::size_t kLabelWidth = 13;
constexpr std::string_view kCancelled = "\x92\x86\x81\x40\x8e\x7e";  // 中　止
constexpr std::string_view kVoid = "\x95\x73\x90\xac\x97\xa7";       // 不成立

// The race number of a payout row's label (blanks, then "1R" .. "12R" ending at byte 12), or 0.
int LabelOf(std::string_view line) {
  const std::string_view label = TrimControlAndBlanks(CutField(line, 0, kLabelWidth));
  if (label.size() < 2 || label.size() > 3 || label.back() != 'R' || line.size() < kLabelWidth ||
      line[kLabelWidth - 1] != 'R') {
    return 0;
  }
  int race = 0;
  for (char c : label.substr(0, label.size() - 1)) {
    if (c < '0' || c > '9') return 0;
    race = race * 10 + (c - '0');
  }
  return race >= 1 && race <= 12 ? race : 0;
}

bool IsBlankText(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

// The eight fields at their columns of a payout row.
void CutRow(std::string_view line, ResultRow& row) {
  auto cut = [&](std::size_t offset, std::size_t width) {
    std::string field(CutField(line, offset, width));
    field.resize(width, ' ');  // a row cut short reads as blanks
    return field;
  };
  row.TrifectaCombination = cut(15, 5);
  row.TrifectaPayout = cut(20, 8);
  row.TrioCombination = cut(32, 5);
  row.TrioPayout = cut(37, 8);
  row.ExactaCombination = cut(49, 3);
  row.ExactaPayout = cut(52, 8);
  row.QuinellaCombination = cut(64, 3);
  row.QuinellaPayout = cut(67, 8);
}

// Twelve 77-byte rows as the fixed table expects, or as many clean rows as the venue ran
// followed by the table's end. Anything else (a cancelled race's short row, a void bet, a
// dead heat's extra row) shifts the rows after it, and the table must be read by its labels.
bool CleanTable(std::string_view rows) {
  for (std::size_t r = 0; r < 12; ++r) {
    const std::string_view row = rows.substr(std::min(rows.size(), kRowStride * r));
    if (row.size() < kRowStride) return true;  // cut short by the end of the file
    const std::string_view text = row.substr(0, kRowStride - 2);
    const bool properRow = LabelOf(row) == static_cast<int>(r + 1) &&
                           row.substr(kRowStride - 2, 2) == "\r\n" &&
                           text.find(kCancelled) == std::string_view::npos &&
                           text.find(kVoid) == std::string_view::npos;
    if (properRow) continue;
    const bool tableEnded = r > 0 && (row.substr(0, 2) == "\r\n" || IsBlankText(text));
    return tableEnded;
  }
  return true;
}

// Finds each race's row by its label: a cancelled race, void bets, and the further winning
// combinations of a dead heat on the unlabelled rows after a race's own. Returns the number of
// labelled rows found.
int ReadRowsByLabel(std::string_view rows, VenueResult& result) {
  int found = 0;
  static const std::array<std::pair<std::size_t, std::size_t>, 4> kColumns{
      {{64, 3}, {49, 3}, {32, 5}, {15, 5}}};  // by ResultRow::Bet
  for (ResultRow& row : result.Rows) CutRow({}, row);
  int race = 0;
  std::size_t at = 0;
  while (at < rows.size()) {
    const std::size_t end = rows.find("\r\n", at);
    const std::string_view line =
        rows.substr(at, end == std::string_view::npos ? rows.npos : end - at);
    at = end == std::string_view::npos ? rows.size() : end + 2;
    if (IsBlankText(line)) break;  // the blank line after the table
    if (const int labelled = LabelOf(line); labelled > 0) {
      race = labelled;
      ++found;
      ResultRow& row = result.Rows[static_cast<std::size_t>(race - 1)];
      row = ResultRow{};
      CutRow(line, row);
      if (line.find(kCancelled) != std::string_view::npos) {
        CutRow({}, row);
        row.Cancelled = true;
        continue;
      }
      for (std::size_t bet = 0; bet < 4; ++bet) {
        if (CutField(line, kColumns[bet].first, kVoid.size()) != kVoid) continue;
        row.Void[bet] = true;
        std::string* combination[] = {&row.QuinellaCombination, &row.ExactaCombination,
                                      &row.TrioCombination, &row.TrifectaCombination};
        std::string* payout[] = {&row.QuinellaPayout, &row.ExactaPayout, &row.TrioPayout,
                                 &row.TrifectaPayout};
        combination[bet]->assign(kColumns[bet].second, ' ');
        payout[bet]->assign(8, ' ');
      }
      continue;
    }
    // The table starts with a labelled row and holds nothing but payout rows.
    if (race == 0 ||
        CutField(line, 0, kLabelWidth).find_first_not_of(' ') != std::string_view::npos) {
      break;
    }
    ResultRow tie;
    CutRow(line, tie);
    ResultRow& row = result.Rows[static_cast<std::size_t>(race - 1)];
    const std::pair<std::string, std::string> fields[] = {
        {tie.QuinellaCombination, tie.QuinellaPayout},
        {tie.ExactaCombination, tie.ExactaPayout},
        {tie.TrioCombination, tie.TrioPayout},
        {tie.TrifectaCombination, tie.TrifectaPayout}};
    for (std::size_t bet = 0; bet < 4; ++bet) {
      if (!IsBlankText(fields[bet].first)) row.Ties[bet].push_back(fields[bet]);
    }
  }
  return found;
}

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
    std::uint64_t tablePosition = keyPosition + kHeaderSize - (longHeader ? 0 : 1);
    // Today's header is longer: its first row stands at 414, where the classic rule finds none.
    if (!FirstRowAt(tablePosition) && FirstRowAt(keyPosition + kCurrentTableOffset)) {
      tablePosition = keyPosition + kCurrentTableOffset;
    }
    auto delivered = window_.At(tablePosition, kTableScan);
    if (!delivered) return delivered.error();
    const std::string_view rows = *delivered;
    std::string table(kTableSize, ' ');
    table.replace(0, std::min(rows.size(), kTableSize), rows.substr(0, kTableSize));
    observer_.PayoutRead(tablePosition + kTableSize);

    // Rows without labels where they are looked for keep the fixed reading.
    if (!CleanTable(rows)) {
      VenueResult byLabel;
      if (ReadRowsByLabel(rows, byLabel) > 0) {
        result = std::move(byLabel);
        return std::nullopt;
      }
    }
    for (std::size_t r = 0; r < result.Rows.size(); ++r) {
      CutRow(std::string_view(table).substr(kRowStride * r, kRowStride), result.Rows[r]);
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

  bool FirstRowAt(std::uint64_t position) {
    auto row = window_.At(position, kRowStride);
    return row.ok() && LabelOf(*row) == 1;
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

namespace {

Outcome<ResultSearch> Find(ByteFile& file, std::string_view venueCode, int venuesBefore,
                           ResultSearchObserver& observer) {
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

}  // namespace

Outcome<ResultSearch> FindVenueResult(const std::string& path, std::string_view venueCode,
                                      int venuesBefore, ResultSearchObserver& observer) {
  ByteFile file;
  if (auto error = file.Open(path)) return *error;
  return Find(file, venueCode, venuesBefore, observer);
}

Outcome<ResultSearch> FindVenueResultIn(std::string_view fileBytes, std::string_view venueCode,
                                        int venuesBefore, ResultSearchObserver& observer) {
  ByteFile file;
  file.OpenBytes(fileBytes);
  return Find(file, venueCode, venuesBefore, observer);
}

}  // namespace wakorin
