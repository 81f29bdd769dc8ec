#include "tests/support/StatsFileBuilder.h"

#include <stdexcept>

#include "tests/support/FixedText.h"
#include "tests/support/SampleData.h"

namespace wakorin::testsupport {

std::string StatsRecordSpec::DefaultStatsTail() {
  std::string tail = "B1B1B1" + std::string("2005050120051031");  // classes, then the period
  // Finishing places 1..6 by course, two digits each.
  const char* places[6] = {"040302010100", "030302020201", "020303020201",
                           "010203030301", "010102030302", "000101020303"};
  for (const char* course : places) tail += course;
  tail.append(250 - 6 - tail.size(), '0');
  tail += Sjis("佐　賀");
  return tail;
}

std::string BuildStatsRecord(const StatsRecordSpec& plan) {
  std::string out;
  out.reserve(kStatsRecordSize);
  out += Field(plan.racerNo, 4, "racer number");
  out += Field(plan.name, 16, "name");
  out += Field(plan.kana, 15, "kana name");
  out += Field(plan.home, 4, "home");
  out += Field(plan.clas, 2, "class");
  out += Field(plan.profile, 41, "profile");
  for (const CourseFields& c : plan.courses) {
    out += Field(c.entryCount, 3, "entry count");
    out += Field(c.courseRate, 4, "course rate");
    out += Field(c.startTiming, 3, "start timing");
    out += Field(c.wins, 3, "course wins");
  }
  out += Field(plan.tail, 250, "record tail");
  out += "\r\n";
  if (out.size() != kStatsRecordSize) throw std::logic_error("stats record size");
  return out;
}

StatsRecordSpec StatsFor(std::string racerNo, unsigned seed) {
  SampleRng rng(seed);
  SampleRacer racer = MakeSampleRacer(0, rng);
  StatsRecordSpec plan = SampleStats(racer);
  plan.racerNo = std::move(racerNo);
  return plan;
}

}  // namespace wakorin::testsupport
