#pragma once

// A day's files as the official site publishes them (LHA archives holding one file), built for the
// downloads' tests from the byte-exact builders of tests/support.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <string>
#include <vector>

#include "tests/Archives.h"
#include "tests/TempFiles.h"
#include "tests/support/ProgramFileBuilder.h"
#include "tests/support/ResultFileBuilder.h"
#include "tests/support/StatsFileBuilder.h"

namespace wakorin::testing {

// "２０２４年１１月１５日", "２０２４年　４月　１日": the program file's date, 22 bytes.
inline std::string FullWidthDate(QDate day) {
  auto wide = [](int number, int width) {
    static const char* const kDigits[] = {"０", "１", "２", "３", "４",
                                          "５", "６", "７", "８", "９"};
    std::string text;
    const std::string digits = std::to_string(number);
    for (int i = static_cast<int>(digits.size()); i < width; ++i) text += "　";
    for (char c : digits) text += kDigits[c - '0'];
    return text;
  };
  return testsupport::Sjis(wide(day.year(), 4) + "年" + wide(day.month(), 2) + "月" +
                           wide(day.day(), 2) + "日");
}

inline std::string ProgramFileOf(QDate day, const std::vector<std::string>& venues = {"22"}) {
  std::vector<testsupport::VenueBlockSpec> blocks;
  unsigned seed = 1;
  for (const std::string& code : venues) {
    testsupport::VenueBlockSpec venue = testsupport::SampleVenue(code, 12, seed++);
    venue.ddate = FullWidthDate(day);
    blocks.push_back(venue);
  }
  return testsupport::BuildProgramFile(blocks);
}

// The result file of `day`: the results of `published`, the notice that they come later for
// `racing`.
inline std::string ResultFileOf(QDate day, const std::vector<std::string>& published = {"22"},
                                const std::vector<std::string>& racing = {}) {
  std::string file = "STARTK\r\n";
  for (const std::string& code : published) {
    testsupport::ResultBlockSpec block;
    block.code = code;
    block.date = QStringLiteral("%1/%2/%3")
                     .arg(day.year())
                     .arg(day.month(), 2)
                     .arg(day.day(), 2)
                     .toStdString();
    block.rows = {{"1-3-4", testsupport::Payout(1320), "1-3-4", testsupport::Payout(760), "1-3",
                   testsupport::Payout(350), "1-3", testsupport::Payout(220)}};
    file += testsupport::BuildResultBlock(block);
  }
  for (const std::string& code : racing) file += testsupport::BuildPendingResultBlock(code);
  return file + "FINALK\r\n";
}

inline std::string StatsFileOf(int records = 40) {
  std::string file;
  for (int i = 0; i < records; ++i) {
    file += testsupport::BuildStatsRecord(testsupport::StatsFor(std::to_string(4000 + i), i));
  }
  return file;
}

// `bytes` packed as the file `inside` (as jlha's `mode` packs it); empty when jlha is missing.
inline QByteArray Packed(const std::string& inside, const std::string& bytes,
                         const std::string& mode = "aq") {
  TempDir dir;
  dir.Write(inside, bytes);
  if (!Pack(dir.path(), "packed.lzh", {inside}, mode)) return {};
  return QByteArray::fromStdString(ReadAll(dir.path() / "packed.lzh"));
}

inline QByteArray ProgramArchiveOf(QDate day, const std::vector<std::string>& venues = {"22"}) {
  return Packed("B" + day.toString(QStringLiteral("yyMMdd")).toStdString() + ".TXT",
                ProgramFileOf(day, venues));
}
inline QByteArray ResultArchiveOf(QDate day, const std::vector<std::string>& published = {"22"},
                                  const std::vector<std::string>& racing = {}) {
  return Packed("K" + day.toString(QStringLiteral("yyMMdd")).toStdString() + ".TXT",
                ResultFileOf(day, published, racing));
}
inline QByteArray StatsArchiveOf(const std::string& inside = "fan2410.txt") {
  return Packed(inside, StatsFileOf());
}

}  // namespace wakorin::testing
