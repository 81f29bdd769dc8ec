// Writes seed inputs in today's layouts, which the sample day generator does not make: program
// blocks with the longer venue line and placeholders, result tables read by their labels
// (a cancelled race, a void bet, a dead heat) and 418-byte statistics records.
//
//   wakorin_fuzz_seeds OUTDIR

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/ProgramFileBuilder.h"
#include "tests/support/ResultFileBuilder.h"
#include "tests/support/StatsFileBuilder.h"

namespace {

using namespace wakorin::testsupport;
namespace fs = std::filesystem;

void Write(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

VenueBlockSpec CurrentVenue(const std::string& code, int races, unsigned seed) {
  VenueBlockSpec venue = SampleVenue(code, races, seed);
  venue.layout = ProgramLayout::Current;
  return venue;
}

std::string ProgramFile(const std::vector<std::string>& blocks) {
  std::string file = "STARTB\r\n";
  for (const std::string& block : blocks) file += block;
  return file + "FINALB\r\n";
}

ResultRowSpec Row(int a, int b, int c, long pay) {
  const std::string A = std::to_string(a), B = std::to_string(b), C = std::to_string(c);
  const std::string lo = std::to_string(std::min(a, b)), hi = std::to_string(std::max(a, b));
  std::string trio = std::to_string(std::min({a, b, c})) + "-" +
                     std::to_string(a + b + c - std::min({a, b, c}) - std::max({a, b, c})) + "-" +
                     std::to_string(std::max({a, b, c}));
  return ResultRowSpec{A + "-" + B + "-" + C, Payout(pay * 10),     trio,
                       Payout(pay * 2),       A + "-" + B,          Payout(pay),
                       lo + "-" + hi,         Payout(pay / 2 + 100)};
}

ResultBlockSpec ResultBlock(const std::string& code, int races, bool current) {
  ResultBlockSpec block;
  block.code = code;
  block.current = current;
  for (int r = 1; r <= races; ++r)
    block.rows.push_back(Row(1 + r % 6, 1 + (r + 2) % 6, 1 + (r + 4) % 6, 300 + 70 * r));
  if (current) {
    block.rows[2] = ResultRowSpec{};
    block.rows[2].cancelled = true;
    block.rows[4].trio = VoidBet();
    block.rows[4].trioPay = "";
    block.rows[6].deadHeat.push_back(Row(3, 2, 5, 900));
  }
  return block;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: wakorin_fuzz_seeds OUTDIR\n";
    return 2;
  }
  const fs::path out = argv[1];
  try {
    Write(out / "fuzz_program_file" / "current-day.TXT",
          ProgramFile({BuildVenueBlock(CurrentVenue("06", 12, 1)), BuildPlaceholderBlock("03"),
                       BuildVenueBlock(CurrentVenue("14", 11, 2))}));
    Write(out / "fuzz_program_file" / "mixed-day.TXT",
          ProgramFile({BuildVenueBlock(SampleVenue("01", 11, 3)), BuildPlaceholderBlock("12"),
                       BuildVenueBlock(CurrentVenue("24", 12, 4))}));

    ResultBlockSpec shortHeader = ResultBlock("24", 12, false);
    shortHeader.blankAt408 = false;
    Write(out / "fuzz_result_file" / "current-day.TXT",
          BuildResultFile({ResultBlock("06", 12, true), ResultBlock("14", 11, true)}));
    Write(
        out / "fuzz_result_file" / "mixed-day.TXT",
        BuildResultFile({ResultBlock("01", 11, false), ResultBlock("12", 12, true), shortHeader}));

    // Today's records: six bytes more before the CR LF, the figures where they were.
    std::string records;
    for (unsigned i = 0; i < 8; ++i) {
      std::string record = BuildStatsRecord(StatsFor(std::to_string(4100 + 7 * i), i));
      record.insert(record.size() - 2, 6, ' ');
      records += record;
    }
    Write(out / "fuzz_racer_stats" / "records-418", records);
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
  return 0;
}
