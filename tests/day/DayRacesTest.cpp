// The day's list: every race of every venue by betting deadline, and the next race to close.
#include <gtest/gtest.h>

#include <memory>

#include "day/DayRaces.h"
#include "predict/DefaultModel.h"
#include "tests/support/Cp932.h"
#include "tests/support/ProgramFileBuilder.h"

namespace wakorin {
namespace {

using testsupport::Sjis;

TEST(DayRaces, DeadlinesAsTheCardWritesThem) {
  const struct {
    std::string text;
    std::optional<int> minutes;
  } cases[] = {
      {Sjis("１５：２０"), 15 * 60 + 20}, {"15:20", 15 * 60 + 20}, {Sjis("　８：３５"), 8 * 60 + 35},
      {Sjis("２５：００"), std::nullopt}, {Sjis("１５：６０"), std::nullopt}, {"", std::nullopt},
      {Sjis("１５２０"), std::nullopt},  {Sjis("１５：２"), std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(DeadlineMinutes(c.text), c.minutes) << c.text;
}

TEST(DayRaces, OrderedByDeadlineWithTheNextToClose) {
  // Two venues whose races interleave, and a race whose deadline cannot be read.
  // Races after the first few close in the evening, 01's at 19:xx and 02's at 20:xx.
  auto venue = [](const char* code, const char* evening, std::vector<const char*> deadlines) {
    auto block = testsupport::SampleVenue(code, 12, 7);
    for (std::size_t r = 0; r < 12; ++r) {
      block.races[r].rtime = r < deadlines.size() ? Sjis(deadlines[r])
                                                  : Sjis(evening) + Sjis(r < 10 ? "：０" : "：１") +
                                                        Sjis(std::string(1, char('0' + r % 10)));
    }
    return block;
  };
  const std::string file = testsupport::BuildProgramFile(
      {venue("01", "１９", {"１０：００", "１０：３０", "　　：　　", "１１：００"}),
       venue("02", "２０", {"１０：１５", "１０：４５"})});
  auto day = OpenDay::FromBytes("B060415.TXT", std::make_shared<const std::string>(file));
  ASSERT_TRUE(day);
  ASSERT_EQ(day->Venues().size(), 2u);
  const std::vector<DayRace> races = ListDayRaces(*day, DefaultModel());
  // The file's last venue (02) is listed first by the day.
  std::vector<std::pair<std::string, int>> order;
  for (const DayRace& race : races) order.emplace_back(day->Venues()[race.venue].code, race.race);
  ASSERT_EQ(order.size(), 24u);
  const std::vector<std::pair<std::string, int>> expected{{"01", 1}, {"02", 1}, {"01", 2}, {"02", 2},
                                                          {"01", 4}, {"01", 5}};
  EXPECT_EQ(std::vector(order.begin(), order.begin() + 6), expected);
  EXPECT_EQ(order[13], (std::pair<std::string, int>{"02", 3}));  // the first at 20:xx
  EXPECT_EQ(order.back(), (std::pair<std::string, int>{"01", 3}));  // no deadline: last
  EXPECT_EQ(NextToClose(races, 9 * 60), 0u);
  EXPECT_EQ(NextToClose(races, 10 * 60 + 16), 2u);  // 10:30, not the race already closed
  EXPECT_EQ(NextToClose(races, 10 * 60 + 45), 3u);  // closing this minute
  EXPECT_EQ(NextToClose(races, 11 * 60 + 1), 5u);
  EXPECT_EQ(NextToClose(races, 21 * 60), std::nullopt);
  for (const DayRace& race : races) EXPECT_GT(race.forecast.win[0], 0.0);
}

}  // namespace
}  // namespace wakorin
