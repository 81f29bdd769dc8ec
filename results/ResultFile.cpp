#include "results/ResultFile.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "base/ByteField.h"
#include "base/ByteFile.h"
#include "base/DayDate.h"
#include "base/FileNames.h"
#include "base/FindBytes.h"
#include "base/ReadWindow.h"
#include "base/StartMarker.h"
#include "results/ResultBlock.h"
#include "results/ResultFileLayout.h"

namespace wakorin {
namespace {

using namespace result_layout;

constexpr std::size_t kChunkSize = 64 * 1024;
constexpr std::size_t kBlockScan = 32 * 1024;  // twice the longest real block

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
  for (BetType bet : kBetTypes) {
    row.Combination(bet) = cut(kBetColumns[bet].combination, kBetColumns[bet].width);
    row.Payout(bet) = cut(kBetColumns[bet].payout, kPayoutWidth);
  }
}

// The lines of `bytes`, each without its CR LF; a last line without one counts too.
template <typename Visit>
void ForEachLine(std::string_view bytes, Visit visit) {
  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", at);
    const std::string_view line =
        bytes.substr(at, end == std::string_view::npos ? bytes.npos : end - at);
    at = end == std::string_view::npos ? bytes.size() : end + 2;
    if (!visit(line)) return;
  }
}

// The race number of a detail section's heading ("   1R", "  12R" in its first five bytes), or 0.
int DetailHeadingOf(std::string_view line) {
  if (line.size() < 5 || line[4] != 'R') return 0;
  const std::string_view number = TrimControlAndBlanks(line.substr(0, 4));
  if (number.empty() || number.size() > 2) return 0;
  int race = 0;
  for (char c : number) {
    if (c < '0' || c > '9') return 0;
    race = race * 10 + (c - '0');
  }
  return race >= 1 && race <= 12 ? race : 0;
}

// The amount refunded per 100 yen for a bet paid out specially, from the race's detail line
// ("        ２連単      特払い   70"), right-aligned in a payout's width; blanks when the
// details do not say.
std::string RefundOf(std::string_view block, int race, BetType bet) {
  std::string refund(kPayoutWidth, ' ');
  int section = 0;
  ForEachLine(block, [&](std::string_view line) {
    if (const int heading = DetailHeadingOf(line)) {
      if (section == race) return false;  // past the race's own section
      section = heading;
      return true;
    }
    if (section != race) return true;
    const std::string_view text = TrimControlAndBlanks(line);
    if (!StartsWith(text, 0, kBetColumns[bet].detailName)) return true;
    const std::size_t special = text.find(kSpecial);
    if (special == std::string_view::npos) return true;
    const std::string_view amount =
        TrimControlAndBlanks(text.substr(special + kSpecial.size(), kPayoutWidth + 2));
    const std::size_t digits = amount.find_first_not_of("0123456789");
    const std::string_view yen = amount.substr(0, digits);
    if (!yen.empty() && yen.size() <= kPayoutWidth) refund.replace(kPayoutWidth - yen.size(), yen.size(), yen);
    return false;
  });
  return refund;
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
                           text.find(kVoid) == std::string_view::npos &&
                           text.find(kSpecial) == std::string_view::npos;
    if (properRow) continue;
    const bool tableEnded = r > 0 && (row.substr(0, 2) == "\r\n" || IsBlankText(text));
    return tableEnded;
  }
  // A dead heat in the last race puts its further combinations on a row after the twelfth.
  const std::string_view after = rows.substr(std::min(rows.size(), kRowStride * 12));
  const std::string_view line = after.substr(0, after.find("\r\n"));
  return !(IsBlankText(CutField(line, 0, kLabelWidth)) && !IsBlankText(line));
}

// Finds each race's row by its label: a cancelled race, void bets, special payouts (their refund
// from the race's detail lines in `block`), and the further winning combinations of a dead heat
// on the unlabelled rows after a race's own, the last race's included. Returns the number of
// labelled rows found.
int ReadRowsByLabel(std::string_view rows, std::string_view block, VenueResult& result) {
  int found = 0;
  for (ResultRow& row : result.Rows) CutRow({}, row);
  int race = 0;
  ForEachLine(rows, [&](std::string_view line) {
    if (IsBlankText(line)) return false;  // the blank line after the table
    if (const int labelled = LabelOf(line); labelled > 0) {
      race = labelled;
      ++found;
      ResultRow& row = result.Rows[static_cast<std::size_t>(race - 1)];
      row = ResultRow{};
      CutRow(line, row);
      if (line.find(kCancelled) != std::string_view::npos) {
        CutRow({}, row);
        row.Cancelled = true;
        return true;
      }
      for (BetType bet : kBetTypes) {
        const std::string_view word = CutField(line, kBetColumns[bet].combination, kVoid.size());
        if (word != kVoid && word != kSpecial) continue;
        row.Combination(bet).assign(kBetColumns[bet].width, ' ');
        if (word == kVoid) {
          row.Void[bet] = true;
          row.Payout(bet).assign(kPayoutWidth, ' ');
        } else {
          row.Special[bet] = true;
          row.Payout(bet) = RefundOf(block, race, bet);
        }
      }
      return true;
    }
    // The table starts with a labelled row and holds nothing but payout rows.
    if (race == 0 || !IsBlankText(CutField(line, 0, kLabelWidth))) return false;
    ResultRow tie;
    CutRow(line, tie);
    ResultRow& row = result.Rows[static_cast<std::size_t>(race - 1)];
    for (BetType bet : kBetTypes) {
      if (!IsBlankText(tie.Combination(bet))) {
        row.Ties[bet].emplace_back(tie.Combination(bet), tie.Payout(bet));
      }
    }
    return true;
  });
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

  // Reads the payout table of `found` into `result`. At most a scan's worth of bytes from the
  // key line is read, and nothing past the block's end line or the next venue's key, as far as
  // that scan sees them; bytes of the table beyond them read as blanks. False when the block says
  // its results are not published yet.
  bool ReadTable(const ResultBlock& found, VenueResult& result) {
    const std::string_view scan = found.file.substr(found.key, kBlockScan);
    const std::size_t scanEnd = found.key + scan.size();
    const bool longHeader = scan.size() <= kLayoutByte || scan[kLayoutByte] == ' ';
    const bool ended = found.endLine != ResultBlock::npos && found.endLine + kKeySize <= scanEnd;
    const bool otherKey = found.nextKey != ResultBlock::npos && found.nextKey + kKeySize <= scanEnd;
    std::size_t end = scanEnd;
    if (ended) end = std::min(end, found.endLine);
    if (otherKey) end = std::min(end, found.nextKey);
    const std::string_view block = scan.substr(0, end - found.key);
    const std::uint64_t keyPosition = found.key;

    std::size_t tableOffset = kHeaderSize - (longHeader ? 0 : 1);
    // Today's header is longer: its first row stands at 414, where the classic rule finds none.
    auto firstRowAt = [&](std::size_t offset) {
      return LabelOf(CutField(block, offset, kRowStride)) == 1;
    };
    if (!firstRowAt(tableOffset) && firstRowAt(kBoatRaceTableOffset)) {
      tableOffset = kBoatRaceTableOffset;
    }
    if (block.find(kNotPublished) != std::string_view::npos ||
        (ended && tableOffset >= block.size())) {
      return false;
    }
    const std::string_view rows = CutField(block, tableOffset, block.size());
    std::string table(kTableSize, ' ');
    table.replace(0, std::min(rows.size(), kTableSize), rows.substr(0, kTableSize));
    observer_.PayoutRead(keyPosition + tableOffset + kTableSize);

    // Rows without labels where they are looked for keep the fixed reading.
    if (!CleanTable(rows)) {
      VenueResult byLabel;
      if (ReadRowsByLabel(rows, block, byLabel) > 0) {
        result = std::move(byLabel);
        return true;
      }
    }
    for (std::size_t r = 0; r < result.Rows.size(); ++r) {
      CutRow(std::string_view(table).substr(kRowStride * r, kRowStride), result.Rows[r]);
    }
    return true;
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

const std::string& ResultRow::Combination(BetType bet) const {
  return const_cast<ResultRow&>(*this).Combination(bet);
}
const std::string& ResultRow::Payout(BetType bet) const {
  return const_cast<ResultRow&>(*this).Payout(bet);
}
std::string& ResultRow::Combination(BetType bet) {
  switch (bet) {
    case BetType::Quinella: return QuinellaCombination;
    case BetType::Exacta: return ExactaCombination;
    case BetType::Trio: return TrioCombination;
    case BetType::Trifecta: break;
  }
  return TrifectaCombination;
}
std::string& ResultRow::Payout(BetType bet) {
  switch (bet) {
    case BetType::Quinella: return QuinellaPayout;
    case BetType::Exacta: return ExactaPayout;
    case BetType::Trio: return TrioPayout;
    case BetType::Trifecta: break;
  }
  return TrifectaPayout;
}

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
  const std::size_t dot = std::min(upper.find(".TXT"), upper.find(".LZH"));
  if (dot == std::string::npos || dot < 7) return {};
  return std::string(programPath.substr(0, nameStart)) + name.substr(0, dot - 7) + "K" +
         name.substr(dot - 6, 10);
}

std::string ExpectedResultFilePath(std::string_view programPath) {
  if (std::string path = ResultFilePath(programPath); !path.empty()) return path;
  const std::size_t slash = programPath.rfind('/');
  const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  if (nameStart >= programPath.size()) return {};
  return std::string(programPath.substr(0, nameStart)) + "K" +
         std::string(programPath.substr(nameStart + 1));
}

namespace {

// The name of the other kind of the same file: "K060415.TXT" -> "K060415.LZH", each letter of
// the extension in the case it had.
std::string OtherKind(std::string name) {
  const std::string_view extension = std::string_view(name).substr(name.size() - 4);
  const std::string_view other = SameIgnoringCase(extension, ".TXT") ? ".LZH" : ".TXT";
  for (std::size_t i = 1; i < 4; ++i) {
    char& c = name[name.size() - 4 + i];
    c = c >= 'a' && c <= 'z' ? static_cast<char>(other[i] - 'A' + 'a') : other[i];
  }
  return name;
}

}  // namespace

std::string FindResultFile(std::string_view programPath) {
  const std::string path = ResultFilePath(programPath);
  if (path.empty()) return {};
  if (ByteFile::Exists(path)) return path;
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  // The same kind as the program file first: a folder of archives as published, or of the
  // files unpacked from them.
  for (const std::string& candidate : {name, OtherKind(name)}) {
    if (auto found = FindFileIgnoringCase(folder, candidate)) return *found;
  }
  return {};
}

std::string FindResultFile(std::string_view programPath, const FolderNames& folder) {
  const std::string path = ResultFilePath(programPath);
  if (path.empty()) return {};
  const std::size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  for (const std::string& candidate : {name, OtherKind(name)}) {
    auto found = folder.FindIgnoringCase(candidate);
    if (!found) continue;
    // The exact name keeps the path as the program file's path spells its folder.
    return found->size() >= name.size() && found->compare(found->size() - name.size(), name.size(), name) == 0
               ? path.substr(0, path.size() - name.size()) + candidate
               : *found;
  }
  return {};
}

namespace {

// `known`: where the venue's one key line stands, when the caller's outline has found it;
// `knownBody`: where the body starts (or that it is missing), when the outline has found that.
Outcome<ResultSearch> Find(std::string_view fileBytes, std::string_view venueCode, int venuesBefore,
                           ResultSearchObserver& observer,
                           std::optional<std::uint64_t> known = std::nullopt,
                           const std::optional<std::optional<std::uint64_t>>* knownBody = nullptr) {
  ByteFile file;
  file.OpenBytes(fileBytes);
  observer.FileOpened(file.Size());

  ResultSearch search;
  auto body = knownBody && knownBody->has_value()
                  ? Outcome<std::optional<std::uint64_t>>(**knownBody)
                  : FindStartMarker(file, kStartMarker);
  if (!body) return body.error();
  if (!body->has_value()) return search;

  VenueSearch venue(file, venueCode, observer);
  // A key the outline found in the body is read where it stands; the search runs only for a
  // venue it did not find there.
  auto key = known && *known >= **body
                 ? Outcome<std::optional<std::uint64_t>>(std::optional<std::uint64_t>(*known))
                 : venue.SkipAndSlide(**body, venuesBefore);
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

  search.block = ResultBlockAt(fileBytes, static_cast<std::size_t>(**key));
  const bool published = venue.ReadTable(*search.block, search.result);
  search.end = published ? ResultSearchEnd::Found : ResultSearchEnd::NotPublished;
  return search;
}

}  // namespace

Outcome<ResultSearch> FindVenueResultIn(std::string_view fileBytes, std::string_view venueCode,
                                        int venuesBefore, ResultSearchObserver& observer) {
  return Find(fileBytes, venueCode, venuesBefore, observer);
}

Outcome<ResultSearch> FindVenueResultIn(std::string_view fileBytes, std::string_view venueCode,
                                        int venuesBefore, ResultSearchObserver& observer,
                                        const ResultFileOutline& outline) {
  const std::vector<std::string>& twice = outline.duplicates;
  std::optional<std::uint64_t> known;
  if (std::find(twice.begin(), twice.end(), venueCode) == twice.end()) {
    if (const auto key = outline.KeyOffset(venueCode)) known = *key;
  }
  return Find(fileBytes, venueCode, venuesBefore, observer, known, &outline.body);
}

std::optional<int> ResultFileDay(std::string_view fileBytes) {
  return FindFileDay(fileBytes, result_layout::kStartMarker);
}

std::optional<std::size_t> ResultFileOutline::KeyOffset(std::string_view venueCode) const {
  for (const auto& [code, offset] : keys) {
    if (code == venueCode) return offset;
  }
  return std::nullopt;
}

ResultFileOutline OutlineResultFile(std::string_view fileBytes) {
  ResultFileOutline outline;
  outline.day = ResultFileDay(fileBytes);
  ByteFile file;
  file.OpenBytes(fileBytes);
  if (auto body = FindStartMarker(file, kStartMarker)) outline.body = *body;
  // A key line: a line whose bytes 2.. are the key tail. Found by its tail rather than line by
  // line; the two bytes before it must start a line and hold no line end.
  for (std::size_t tail = fileBytes.find(result_layout::kKeyTail, 2); tail != std::string_view::npos;
       tail = fileBytes.find(result_layout::kKeyTail, tail + 1)) {
    const std::size_t at = tail - 2;
    if ((at > 0 && fileBytes[at - 1] != '\n') || fileBytes[at] == '\n' || fileBytes[at + 1] == '\n') continue;
    const std::string_view code = fileBytes.substr(at, 2);
    if (!outline.KeyOffset(code)) {
      outline.keys.emplace_back(std::string(code), at);
    } else if (std::find(outline.duplicates.begin(), outline.duplicates.end(), code) ==
               outline.duplicates.end()) {
      outline.duplicates.emplace_back(code);
    }
  }
  return outline;
}

}  // namespace wakorin
