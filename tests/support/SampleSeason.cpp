#include "tests/support/SampleSeason.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <stdexcept>

#include "tests/support/Cp932.h"
#include "tests/support/FixedText.h"
#include "tests/support/StatsFileBuilder.h"

namespace wakorin::testsupport {
namespace {

constexpr const char* kMeetingNames[] = {
    "新緑カップ競走", "市長杯争奪戦", "観光協会会長杯", "商工会議所会頭杯", "スポーツ新聞社杯",
    "春の特選競走",   "若葉賞争奪戦", "さわやか杯",     "ルーキーシリーズ", "開設記念前哨戦",
    "一般競走",       "地元選抜戦",   "企業杯競走",     "ファン感謝杯",     "桜花特別競走",
};

// How strongly each course favours its boat; with even racers course 1 wins about half.
constexpr std::array<double, 6> kCourseWeight = {10.0, 2.8, 2.5, 2.1, 1.4, 0.8};

std::string Digits(int value, int width) {
  std::string text = std::to_string(value);
  if (text.size() < static_cast<std::size_t>(width)) text.insert(0, width - text.size(), '0');
  return text;
}

// Zero-padded full-width digits, as in deadlines: "０５".
std::string FullWidthDigits(int value, int width) {
  std::string out;
  for (char d : Digits(value, width)) {
    out += '\x82';
    out += static_cast<char>(0x4F + (d - '0'));
  }
  return out;
}

// Race names by the day of the meeting: heats first, semi-finals on the second last day and
// the final as the last race of the last day.
std::string RaceName(int race, int races, int day, int length) {
  if (day >= length) {
    if (race == races) return "優勝戦";
    if (race == races - 1) return "特選";
    if (race >= races - 3) return "選抜戦";
    return "一般";
  }
  if (day == length - 1) {
    if (race >= races - 2) return "準優勝戦";
    if (race >= races - 4) return "特選";
    return "予選";
  }
  if (day == 1) {
    if (race == races) return "ドリーム戦";
    if (race == races - 1) return "特選";
    return "予選";
  }
  if (race >= races - 1) return "特選";
  return "予選";
}

bool IsFeature(const std::string& name) {
  return name != "予選" && name != "一般";
}

// The course a winner won from decides the word for how the race was won.
std::string WinningMove(int course, SampleRng& rng) {
  const double draw = rng.Uniform();
  if (course == 1) return draw < 0.95 ? "逃げ" : "恵まれ";
  if (draw < 0.06) return "抜き";
  if (course == 2) return draw < 0.62 ? "差し" : "まくり";
  if (course <= 4) return draw < 0.50 ? "まくり" : draw < 0.88 ? "まくり差し" : "差し";
  return draw < 0.45 ? "まくり差し" : draw < 0.78 ? "まくり" : "差し";
}

std::string RaceTime(int tenths) {
  return std::to_string(tenths / 600) + "." + Digits(tenths % 600 / 10, 2) + "." +
         std::to_string(tenths % 10);
}

// Yen paid for 100 yen on an outcome of probability `p`, after a 25% takeout and some noise
// for how the public bet; rounded to 10 yen like the official figures.
long PayoutFor(double p, SampleRng& rng) {
  // The floor on p keeps the longest shots near the largest payouts seen in practice.
  const double yen = 75.0 / std::max(p, 1.2e-4) * std::exp(rng.Normal(0, 0.18));
  const long rounded = std::lround(yen / 10.0) * 10;
  return std::clamp(rounded, 100L, 99999990L);
}

}  // namespace

std::string ProgramDate(std::chrono::year_month_day date) {
  return FullWidthNumber(static_cast<int>(date.year()), 4) + Sjis("年") +
         FullWidthNumber(static_cast<int>(static_cast<unsigned>(date.month())), 2) + Sjis("月") +
         FullWidthNumber(static_cast<int>(static_cast<unsigned>(date.day())), 2) + Sjis("日");
}

std::string ResultDate(std::chrono::year_month_day date) {
  return std::to_string(static_cast<int>(date.year())) + "/" +
         RightAligned(std::to_string(static_cast<unsigned>(date.month())), 2) + "/" +
         RightAligned(std::to_string(static_cast<unsigned>(date.day())), 2);
}

struct SampleSeason::State {
  struct Meeting {
    std::string name;  // CP932
    int length = 0;
    int day = 0;
    std::vector<int> racers;  // indices into `racers`
    std::map<int, int> motor, boat;
    std::map<int, std::vector<std::string>> history;  // results so far, CP932
  };
  struct Venue {
    std::string code;
    int races = 12;
    std::vector<double> motorRate, boatRate;  // by number − 1, percent
    int firstDeadline = 0;                    // minutes after midnight
    int interval = 30;
    bool started = false;
    Meeting meeting;
  };
  struct Weather {
    std::string sky, windDirection;
    int wind = 0;
  };
  struct Outcome {
    ResultRowSpec row;
    RaceDetailSpec detail;
    std::array<std::string, 6> placeByLane;
  };

  SampleRng rng;
  std::vector<SampleRacer> racers;
  std::vector<bool> busy;  // racing in a meeting that is on
  std::set<int> numbers;
  std::vector<Venue> venues;
  std::set<std::string> appeared;
  std::map<std::pair<int, std::string>, std::pair<double, double>> localRates;

  explicit State(unsigned seed) : rng(seed) {}

  int NewRacer() {
    if (numbers.size() >= 7000) throw std::runtime_error("too many racers for four-digit numbers");
    int number = 0;
    do {
      // Numbers of racers active in the mid-2000s; later ones only when those run out.
      number = rng.Between(2000, numbers.size() < 2000 ? 4399 : 9999);
    } while (numbers.count(number) != 0);
    numbers.insert(number);
    racers.push_back(MakeSampleRacer(number, rng));
    busy.push_back(false);
    return static_cast<int>(racers.size()) - 1;
  }

  std::string PastResult(const SampleRacer& racer) {
    if (rng.Chance(0.01)) return Sjis("Ｆ");
    if (rng.Chance(0.005)) return Sjis("欠");
    const double beta = (racer.winRate - 4.5) / 4.0;
    double weights[6];
    double sum = 0;
    for (int p = 0; p < 6; ++p) sum += weights[p] = std::exp(-beta * p);
    double draw = rng.Uniform() * sum;
    int place = 0;
    while (place < 5 && draw >= weights[place]) draw -= weights[place++];
    return " " + std::to_string(place + 1);
  }

  void StartMeeting(Venue& venue, int day) {
    Meeting m;
    m.length = rng.Between(4, 6);
    m.day = day > 0 ? day : rng.Between(1, m.length);
    // Prefer a name no other venue is using, as on a real day.
    for (int tries = 0; tries < 8; ++tries) {
      m.name = Sjis(kMeetingNames[rng.Between(0, static_cast<int>(std::size(kMeetingNames)) - 1)]);
      if (std::none_of(venues.begin(), venues.end(),
                       [&](const Venue& v) { return v.started && v.meeting.name == m.name; })) {
        break;
      }
    }

    const int races = venue.races;
    const int wanted = races == 0 ? 0 : std::min(3 * races + 4, 6 * races);
    const std::string home = VenueHome(venue.code);
    std::vector<int> local, other;
    for (std::size_t i = 0; i < racers.size(); ++i) {
      if (busy[i]) continue;
      (racers[i].home == home ? local : other).push_back(static_cast<int>(i));
    }
    rng.Shuffle(local);
    rng.Shuffle(other);
    // Some two in five racers of a meeting are based at the venue.
    std::size_t fromLocal = std::min(local.size(), static_cast<std::size_t>(wanted * 2 / 5));
    for (std::size_t i = 0; i < fromLocal; ++i) m.racers.push_back(local[i]);
    other.insert(other.end(), local.begin() + static_cast<std::ptrdiff_t>(fromLocal), local.end());
    for (std::size_t i = 0; m.racers.size() < static_cast<std::size_t>(wanted); ++i) {
      m.racers.push_back(i < other.size() ? other[i] : NewRacer());
    }
    rng.Shuffle(m.racers);
    // The racers of the meeting that ended go elsewhere next, so they are freed only now.
    for (int i : venue.meeting.racers) busy[static_cast<std::size_t>(i)] = false;
    for (int i : m.racers) busy[static_cast<std::size_t>(i)] = true;

    std::vector<int> motors, boats;
    for (std::size_t n = 1; n <= venue.motorRate.size(); ++n) motors.push_back(static_cast<int>(n));
    for (std::size_t n = 1; n <= venue.boatRate.size(); ++n) boats.push_back(static_cast<int>(n));
    rng.Shuffle(motors);
    rng.Shuffle(boats);
    for (std::size_t k = 0; k < m.racers.size(); ++k) {
      m.motor[m.racers[k]] = motors[k % motors.size()];
      m.boat[m.racers[k]] = boats[k % boats.size()];
    }

    for (int d = 1; d < m.day; ++d) {
      for (int i : m.racers) {
        const int runs = rng.Chance(0.8) ? 2 : 1;
        for (int n = 0; n < runs; ++n) {
          m.history[i].push_back(PastResult(racers[static_cast<std::size_t>(i)]));
        }
      }
    }
    venue.meeting = std::move(m);
  }

  std::pair<double, double> LocalRates(int racer, const std::string& code) {
    const auto key = std::make_pair(racer, code);
    auto found = localRates.find(key);
    if (found != localRates.end()) return found->second;
    const SampleRacer& r = racers[static_cast<std::size_t>(racer)];
    std::pair<double, double> rates{0.0, 0.0};  // never raced here
    if (!rng.Chance(0.15)) {
      rates.first = std::clamp(r.winRate + rng.Normal(0, 0.8), 1.0, 9.5);
      rates.second = std::clamp(rates.first * 8.5 - 12.0 + rng.Normal(0, 6), 0.0, 90.0);
    }
    localRates.emplace(key, rates);
    return rates;
  }

  // Puts six racers in every race: each racer runs its quota of one or two races, features
  // get the strongest racers, and nobody runs two races in a row if it can be helped.
  std::vector<std::array<int, 6>> AssignRaces(const Meeting& m,
                                              const std::vector<std::string>& names) {
    const int races = static_cast<int>(names.size());
    std::vector<int> order = m.racers;
    rng.Shuffle(order);
    std::map<int, int> quota;
    const int twice = 6 * races - static_cast<int>(order.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
      quota[order[k]] = static_cast<int>(k) < twice ? 2 : 1;
    }

    std::vector<int> raceOrder;
    for (int r = races - 1; r >= 0; --r) {
      if (IsFeature(names[static_cast<std::size_t>(r)])) raceOrder.push_back(r);
    }
    for (int r = 0; r < races; ++r) {
      if (!IsFeature(names[static_cast<std::size_t>(r)])) raceOrder.push_back(r);
    }

    std::vector<std::array<int, 6>> cards(static_cast<std::size_t>(races));
    std::vector<std::set<int>> inRace(static_cast<std::size_t>(races));
    for (int r : raceOrder) {
      const bool feature = IsFeature(names[static_cast<std::size_t>(r)]);
      // Whole quota units always outweigh the other terms, so taking the six largest keys
      // never strands a racer with more races left than there are races.
      std::vector<std::pair<double, int>> keyed;
      for (int i : order) {
        if (quota[i] == 0) continue;
        const bool adjacent =
            (r > 0 && inRace[static_cast<std::size_t>(r - 1)].count(i) != 0) ||
            (r + 1 < races && inRace[static_cast<std::size_t>(r + 1)].count(i) != 0);
        const double bonus =
            feature ? 0.04 * racers[static_cast<std::size_t>(i)].winRate : 0.4 * rng.Uniform();
        keyed.emplace_back(quota[i] - (adjacent ? 0.5 : 0.0) + bonus, i);
      }
      if (keyed.size() < 6) throw std::logic_error("not enough racers left for a race");
      std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
      });
      std::vector<int> six;
      for (std::size_t k = 0; k < 6; ++k) {
        six.push_back(keyed[k].second);
        --quota[keyed[k].second];
        inRace[static_cast<std::size_t>(r)].insert(keyed[k].second);
      }
      const std::string& name = names[static_cast<std::size_t>(r)];
      if (name == "優勝戦" || name == "準優勝戦") {
        // Lanes of the deciding races go by standing: the strongest racer gets lane 1.
        std::stable_sort(six.begin(), six.end(), [&](int a, int b) {
          return racers[static_cast<std::size_t>(a)].winRate >
                 racers[static_cast<std::size_t>(b)].winRate;
        });
      } else {
        rng.Shuffle(six);
      }
      std::copy(six.begin(), six.end(), cards[static_cast<std::size_t>(r)].begin());
    }
    return cards;
  }

  RacerLine CardLine(int i, const Venue& venue, const Meeting& m) {
    const SampleRacer& s = racers[static_cast<std::size_t>(i)];
    RacerLine line;
    line.racerNo = s.racerNo;
    line.name = s.cardName;
    line.old = Digits(s.age, 2);
    line.syusin = s.home;
    line.wght = Digits(s.weight, 2);
    line.clas = s.clas;
    line.gwin = RightAligned(Decimal(s.winRate, 2), 5);
    line.gwsd = RightAligned(Decimal(s.placeRate, 2), 5);
    const auto [localWin, localPlace] = LocalRates(i, venue.code);
    line.rwin = RightAligned(Decimal(localWin, 2), 5);
    line.rwsd = RightAligned(Decimal(localPlace, 2), 5);
    const int motor = m.motor.at(i);
    const int boat = m.boat.at(i);
    line.mtno = RightAligned(std::to_string(motor), 3);
    line.mtwn = RightAligned(Decimal(venue.motorRate[static_cast<std::size_t>(motor - 1)], 2), 5);
    line.btno = RightAligned(std::to_string(boat), 3);
    line.btwn = RightAligned(Decimal(venue.boatRate[static_cast<std::size_t>(boat - 1)], 2), 5);
    line.kekka = {};
    const auto found = m.history.find(i);
    if (found != m.history.end()) {
      for (std::size_t j = 0; j < line.kekka.size() && j < found->second.size(); ++j) {
        line.kekka[j] = found->second[j];
      }
    }
    return line;
  }

  Outcome RunRace(const Venue& venue, const Meeting& m, const std::array<int, 6>& card,
                  const std::string& name, const Weather& weather) {
    struct Boat {
      int racer = 0;
      double desired = 0;
      int course = 0;
      int timing = 0;
      int exhibition = 0;
      double weight = 0;
    };
    std::array<Boat, 6> boats;
    for (int k = 0; k < 6; ++k) {
      Boat& b = boats[static_cast<std::size_t>(k)];
      b.racer = card[static_cast<std::size_t>(k)];
      const SampleRacer& s = racers[static_cast<std::size_t>(b.racer)];
      b.desired = k + 1;
      if (s.style == 1 && k >= 2 && rng.Chance(0.35)) b.desired -= 1.5;  // cuts inside
      if (s.style == 2 && k <= 2 && rng.Chance(0.25)) b.desired += 1.5;  // stays out wide
      b.timing = std::clamp(s.startTiming + static_cast<int>(std::lround(rng.Normal(0, 3))), 3, 35);
      b.exhibition = std::clamp(static_cast<int>(std::lround(rng.Normal(680, 8))), 650, 710);
    }
    std::array<int, 6> byCourse = {0, 1, 2, 3, 4, 5};
    std::stable_sort(byCourse.begin(), byCourse.end(), [&](int a, int b) {
      return boats[static_cast<std::size_t>(a)].desired <
             boats[static_cast<std::size_t>(b)].desired;
    });
    for (int c = 0; c < 6; ++c) {
      boats[static_cast<std::size_t>(byCourse[static_cast<std::size_t>(c)])].course = c + 1;
    }

    double total = 0;
    for (Boat& b : boats) {
      const SampleRacer& s = racers[static_cast<std::size_t>(b.racer)];
      const double motorRate = venue.motorRate[static_cast<std::size_t>(m.motor.at(b.racer) - 1)];
      b.weight =
          kCourseWeight[static_cast<std::size_t>(b.course - 1)] *
          std::exp(0.38 * (s.winRate - 5.2) + 0.03 * (motorRate - 35.0) - 0.04 * (b.timing - 15));
      total += b.weight;
    }

    // Finishing order: each place drawn in proportion to the strength of the boats left.
    std::array<int, 6> order{};  // lane indices, first to sixth
    std::array<bool, 6> placed{};
    double left = total;
    for (int p = 0; p < 6; ++p) {
      double draw = rng.Uniform() * left;
      int pick = -1;
      for (int k = 0; k < 6; ++k) {
        if (placed[static_cast<std::size_t>(k)]) continue;
        pick = k;
        draw -= boats[static_cast<std::size_t>(k)].weight;
        if (draw < 0) break;
      }
      order[static_cast<std::size_t>(p)] = pick;
      placed[static_cast<std::size_t>(pick)] = true;
      left -= boats[static_cast<std::size_t>(pick)].weight;
    }

    auto w = [&](int k) { return boats[static_cast<std::size_t>(k)].weight; };
    auto exacta = [&](int a, int b) { return w(a) / total * w(b) / (total - w(a)); };
    auto trifecta = [&](int a, int b, int c) {
      return exacta(a, b) * w(c) / (total - w(a) - w(b));
    };
    auto topTwo = [&](int a) {
      double p = 0;
      for (int j = 0; j < 6; ++j) {
        if (j != a) p += exacta(a, j) + exacta(j, a);
      }
      return p;
    };
    const int a = order[0], b = order[1], c = order[2];
    const double pTrio = trifecta(a, b, c) + trifecta(a, c, b) + trifecta(b, a, c) +
                         trifecta(b, c, a) + trifecta(c, a, b) + trifecta(c, b, a);
    const long trifectaPay = PayoutFor(trifecta(a, b, c), rng);
    const long trioPay = std::min(PayoutFor(pTrio, rng), trifectaPay);
    const long exactaPay = std::min(PayoutFor(exacta(a, b), rng), trifectaPay);
    const long quinellaPay = PayoutFor(exacta(a, b) + exacta(b, a), rng);

    auto lane = [](int k) { return std::to_string(k + 1); };
    std::array<int, 3> trio = {a + 1, b + 1, c + 1};
    std::sort(trio.begin(), trio.end());
    Outcome out;
    out.row.trifecta = lane(a) + "-" + lane(b) + "-" + lane(c);
    out.row.trifectaPay = Payout(trifectaPay);
    out.row.trio =
        std::to_string(trio[0]) + "-" + std::to_string(trio[1]) + "-" + std::to_string(trio[2]);
    out.row.trioPay = Payout(trioPay);
    out.row.exacta = lane(a) + "-" + lane(b);
    out.row.exactaPay = Payout(exactaPay);
    out.row.quinella = lane(std::min(a, b)) + "-" + lane(std::max(a, b));
    out.row.quinellaPay = Payout(quinellaPay);

    RaceDetailSpec& d = out.detail;
    d.rname = PadFullWidth(Sjis(name), 12, "race name");
    d.weather = weather.sky;
    d.windDirection = weather.windDirection;
    const int wind = weather.wind == 0 ? 0 : std::clamp(weather.wind + rng.Between(-1, 1), 1, 8);
    d.windSpeed = RightAligned(std::to_string(wind) + "m", 3);
    d.wave = std::to_string(std::clamp(wind + rng.Between(-1, 1), 1, 9)) + "cm";
    d.winningMove =
        PadFullWidth(Sjis(WinningMove(boats[static_cast<std::size_t>(a)].course, rng)), 10);
    int time = rng.Between(1070, 1130);
    for (int p = 0; p < 6; ++p) {
      const int k = order[static_cast<std::size_t>(p)];
      const Boat& boat = boats[static_cast<std::size_t>(k)];
      const SampleRacer& s = racers[static_cast<std::size_t>(boat.racer)];
      FinisherSpec& f = d.finishers[static_cast<std::size_t>(p)];
      f.place = Digits(p + 1, 2);
      f.lane = lane(k);
      f.racerNo = s.racerNo;
      f.name = s.fullName;
      f.motor = RightAligned(std::to_string(m.motor.at(boat.racer)), 2);
      f.boat = RightAligned(std::to_string(m.boat.at(boat.racer)), 2);
      f.exhibition = std::to_string(boat.exhibition / 100) + "." + Digits(boat.exhibition % 100, 2);
      f.course = std::to_string(boat.course);
      f.startTiming = " 0." + Digits(boat.timing, 2);
      f.raceTime = p < 4 ? RaceTime(time) : " .  . ";
      time += rng.Between(4, 20);
      out.placeByLane[static_cast<std::size_t>(k)] = " " + std::to_string(p + 1);
    }
    d.winLane = lane(a);
    d.winPay = Payout(PayoutFor(w(a) / total, rng));
    d.placeLane1 = lane(a);
    d.placePay1 = Payout(PayoutFor(topTwo(a), rng));
    d.placeLane2 = lane(b);
    d.placePay2 = Payout(PayoutFor(topTwo(b), rng));
    return out;
  }

  SampleVenueDay GenerateDay(Venue& venue, std::chrono::year_month_day date) {
    if (!venue.started) {
      StartMeeting(venue, 0);
      venue.started = true;
    } else if (venue.meeting.day > venue.meeting.length) {
      StartMeeting(venue, 1);
    }
    Meeting& m = venue.meeting;
    std::vector<std::string> names;
    for (int r = 1; r <= venue.races; ++r) {
      names.push_back(RaceName(r, venue.races, m.day, m.length));
    }
    const std::vector<std::array<int, 6>> cards = AssignRaces(m, names);

    static const std::vector<std::string> skies = {"晴　", "晴　", "晴　", "曇り", "曇り", "雨　"};
    static const std::vector<std::string> directions = {
        "北　　", "北東　", "東　　", "南東　", "南　　", "南西　", "西　　", "北西　", "無風　"};
    Weather weather;
    weather.sky = Sjis(rng.Pick(skies));
    const std::string direction = rng.Pick(directions);
    weather.windDirection = Sjis(direction);
    weather.wind = direction == "無風　" ? 0 : rng.Between(1, 6);

    SampleVenueDay day;
    VenueBlockSpec& program = day.program;
    program.code = venue.code;
    program.meetingName = CentredMeetingName(m.name);
    program.count = Sjis("第") + FullWidthNumber(m.day, 2) + Sjis("日");
    program.ddate = ProgramDate(date);
    program.races.clear();
    ResultBlockSpec& results = day.results;
    results.code = venue.code;
    results.meetingName = program.meetingName;
    results.count = Sjis("第") + RightAligned(std::to_string(m.day), 2) + Sjis("日");
    results.date = ResultDate(date);

    std::map<int, std::vector<std::string>> today;
    for (std::size_t r = 0; r < cards.size(); ++r) {
      RaceRecord record;
      record.rname = PadFullWidth(Sjis(names[r]), 12, "race name");
      record.rleng = Sjis("Ｈ１８００ｍ");
      const int deadline = venue.firstDeadline + static_cast<int>(r) * venue.interval;
      record.rtime =
          FullWidthDigits(deadline / 60 % 24, 2) + Sjis("：") + FullWidthDigits(deadline % 60, 2);
      for (std::size_t k = 0; k < 6; ++k) {
        record.racers[k] = CardLine(cards[r][k], venue, m);
        appeared.insert(record.racers[k].racerNo);
      }
      program.races.push_back(record);

      Outcome outcome = RunRace(venue, m, cards[r], names[r], weather);
      results.rows.push_back(outcome.row);
      results.details.push_back(outcome.detail);
      for (std::size_t k = 0; k < 6; ++k) today[cards[r][k]].push_back(outcome.placeByLane[k]);
    }
    for (auto& [racer, places] : today) {
      std::vector<std::string>& history = m.history[racer];
      history.insert(history.end(), places.begin(), places.end());
    }
    ++m.day;
    // Result blocks differ in length with their text; the reader skips at most 10389 bytes
    // past another venue's key, so none may be shorter than that.
    results.length = static_cast<std::size_t>(rng.Between(10400, 10900));
    return day;
  }
};

SampleSeason::SampleSeason(unsigned seed, std::size_t poolSize)
    : state_(std::make_unique<State>(seed)) {
  for (std::size_t i = 0; i < poolSize; ++i) state_->NewRacer();
}

SampleSeason::~SampleSeason() = default;

void SampleSeason::AddVenue(std::string code, int races) {
  if (races < 0 || races > 99) throw std::invalid_argument("a venue runs 0 to 99 races");
  State::Venue venue;
  venue.code = std::move(code);
  venue.races = races;
  SampleRng& rng = state_->rng;
  const int motors = rng.Between(58, 72);
  for (int n = 0; n < motors; ++n) {
    venue.motorRate.push_back(std::clamp(rng.Normal(35, 7), 15.0, 60.0));
    venue.boatRate.push_back(std::clamp(rng.Normal(33, 5), 15.0, 55.0));
  }
  // Night racing venues start in the afternoon.
  const bool night =
      venue.code == "01" || venue.code == "07" || venue.code == "12" || venue.code == "20";
  venue.firstDeadline =
      night ? 15 * 60 + 5 * rng.Between(0, 4) : 10 * 60 + 20 + 5 * rng.Between(0, 8);
  venue.interval = rng.Between(27, 32);
  state_->venues.push_back(std::move(venue));
}

std::vector<SampleVenueDay> SampleSeason::Day(std::chrono::year_month_day date) {
  std::vector<SampleVenueDay> days;
  for (State::Venue& venue : state_->venues) days.push_back(state_->GenerateDay(venue, date));
  return days;
}

const std::vector<SampleRacer>& SampleSeason::Racers() const {
  return state_->racers;
}

const std::set<std::string>& SampleSeason::Appeared() const {
  return state_->appeared;
}

std::string SeasonStatsFile(const SampleSeason& season, SampleRng& rng) {
  std::vector<std::size_t> order(season.Racers().size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  rng.Shuffle(order);
  std::string stats;
  stats.reserve(order.size() * kStatsRecordSize);
  for (std::size_t i : order) stats += BuildStatsRecord(SampleStats(season.Racers()[i]));
  return stats;
}

}  // namespace wakorin::testsupport
