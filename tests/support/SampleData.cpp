#include "tests/support/SampleData.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "tests/support/Cp932.h"
#include "tests/support/FixedText.h"

namespace wakorin::testsupport {
namespace {

struct VenueInfo {
  const char* name;
  const char* home;
};

// Indexed by venue code - 1.
constexpr std::array<VenueInfo, 24> kVenues = {{
    {"桐　生", "群馬"}, {"戸　田", "埼玉"}, {"江戸川", "東京"}, {"平和島", "東京"},
    {"多摩川", "東京"}, {"浜名湖", "静岡"}, {"蒲　郡", "愛知"}, {"常　滑", "愛知"},
    {"　津　", "三重"}, {"三　国", "福井"}, {"琵琶湖", "滋賀"}, {"住之江", "大阪"},
    {"尼　崎", "兵庫"}, {"鳴　門", "徳島"}, {"丸　亀", "香川"}, {"児　島", "岡山"},
    {"宮　島", "広島"}, {"徳　山", "山口"}, {"下　関", "山口"}, {"若　松", "福岡"},
    {"芦　屋", "福岡"}, {"福　岡", "福岡"}, {"唐　津", "佐賀"}, {"大　村", "長崎"},
}};

constexpr std::array<const char*, 18> kHomes = {"群馬", "埼玉", "東京", "静岡", "愛知", "三重",
                                                "福井", "滋賀", "大阪", "兵庫", "徳島", "香川",
                                                "岡山", "広島", "山口", "福岡", "佐賀", "長崎"};

struct NamePart {
  const char* kanji;
  const char* kana;
};

constexpr NamePart kFamilies[] = {
    {"田中", "ﾀﾅｶ"},   {"山本", "ﾔﾏﾓﾄ"},  {"中村", "ﾅｶﾑﾗ"},  {"小林", "ｺﾊﾞﾔｼ"}, {"加藤", "ｶﾄｳ"},
    {"吉田", "ﾖｼﾀﾞ"},  {"山田", "ﾔﾏﾀﾞ"},  {"佐藤", "ｻﾄｳ"},   {"鈴木", "ｽｽﾞｷ"},  {"高橋", "ﾀｶﾊｼ"},
    {"伊藤", "ｲﾄｳ"},   {"渡辺", "ﾜﾀﾅﾍﾞ"}, {"松本", "ﾏﾂﾓﾄ"},  {"井上", "ｲﾉｳｴ"},  {"木村", "ｷﾑﾗ"},
    {"林田", "ﾊﾔｼﾀﾞ"}, {"清水", "ｼﾐｽﾞ"},  {"山口", "ﾔﾏｸﾞﾁ"}, {"森田", "ﾓﾘﾀ"},   {"池田", "ｲｹﾀﾞ"},
    {"橋本", "ﾊｼﾓﾄ"},  {"石川", "ｲｼｶﾜ"},  {"前田", "ﾏｴﾀﾞ"},  {"藤田", "ﾌｼﾞﾀ"},  {"後藤", "ｺﾞﾄｳ"},
    {"岡田", "ｵｶﾀﾞ"},  {"長田", "ﾅｶﾞﾀ"},  {"村上", "ﾑﾗｶﾐ"},  {"近藤", "ｺﾝﾄﾞｳ"}, {"石井", "ｲｼｲ"},
    {"坂本", "ｻｶﾓﾄ"},  {"遠藤", "ｴﾝﾄﾞｳ"}, {"青木", "ｱｵｷ"},   {"西村", "ﾆｼﾑﾗ"},  {"福田", "ﾌｸﾀﾞ"},
    {"太田", "ｵｵﾀ"},   {"三浦", "ﾐｳﾗ"},   {"藤井", "ﾌｼﾞｲ"},  {"岡本", "ｵｶﾓﾄ"},  {"松田", "ﾏﾂﾀﾞ"},
    {"中川", "ﾅｶｶﾞﾜ"}, {"原田", "ﾊﾗﾀﾞ"},  {"小野", "ｵﾉ"},    {"田村", "ﾀﾑﾗ"},   {"竹内", "ﾀｹｳﾁ"},
    {"金子", "ｶﾈｺ"},   {"和田", "ﾜﾀﾞ"},   {"中山", "ﾅｶﾔﾏ"},  {"石田", "ｲｼﾀﾞ"},  {"上田", "ｳｴﾀﾞ"},
    {"森本", "ﾓﾘﾓﾄ"},  {"柴田", "ｼﾊﾞﾀ"},  {"酒井", "ｻｶｲ"},   {"工藤", "ｸﾄﾞｳ"},  {"横山", "ﾖｺﾔﾏ"},
    {"宮本", "ﾐﾔﾓﾄ"},  {"内田", "ｳﾁﾀﾞ"},  {"安藤", "ｱﾝﾄﾞｳ"}, {"島田", "ｼﾏﾀﾞ"},  {"谷口", "ﾀﾆｸﾞﾁ"},
    {"大野", "ｵｵﾉ"},   {"丸山", "ﾏﾙﾔﾏ"},  {"今井", "ｲﾏｲ"},   {"河野", "ｺｳﾉ"},   {"藤原", "ﾌｼﾞﾜﾗ"},
    {"村田", "ﾑﾗﾀ"},   {"武田", "ﾀｹﾀﾞ"},  {"上野", "ｳｴﾉ"},   {"杉山", "ｽｷﾞﾔﾏ"}, {"増田", "ﾏｽﾀﾞ"},
    {"平野", "ﾋﾗﾉ"},   {"大塚", "ｵｵﾂｶ"},  {"久保", "ｸﾎﾞ"},   {"松井", "ﾏﾂｲ"},   {"小島", "ｺｼﾞﾏ"},
    {"野口", "ﾉｸﾞﾁ"},  {"松尾", "ﾏﾂｵ"},   {"野村", "ﾉﾑﾗ"},   {"木下", "ｷﾉｼﾀ"},  {"佐野", "ｻﾉ"},
    {"大西", "ｵｵﾆｼ"},  {"杉本", "ｽｷﾞﾓﾄ"}, {"新井", "ｱﾗｲ"},   {"浜田", "ﾊﾏﾀﾞ"},
};

// Family names written with the extension characters 髙 (FB FC) and 﨑 (FA B1).
constexpr NamePart kExtensionFamilies[] = {
    {"髙橋", "ﾀｶﾊｼ"}, {"髙木", "ﾀｶｷﾞ"},  {"髙田", "ﾀｶﾀﾞ"},
    {"山﨑", "ﾔﾏｻｷ"}, {"宮﨑", "ﾐﾔｻﾞｷ"}, {"岩﨑", "ｲﾜｻｷ"},
};

constexpr NamePart kGivenNames[] = {
    {"健太", "ｹﾝﾀ"},   {"大輔", "ﾀﾞｲｽｹ"}, {"和也", "ｶｽﾞﾔ"}, {"達也", "ﾀﾂﾔ"},  {"浩二", "ｺｳｼﾞ"},
    {"誠司", "ｾｲｼﾞ"},  {"正人", "ﾏｻﾄ"},   {"英樹", "ﾋﾃﾞｷ"}, {"一郎", "ｲﾁﾛｳ"}, {"秀明", "ﾋﾃﾞｱｷ"},
    {"隆之", "ﾀｶﾕｷ"},  {"雅彦", "ﾏｻﾋｺ"},  {"直樹", "ﾅｵｷ"},  {"智也", "ﾄﾓﾔ"},  {"俊介", "ｼｭﾝｽｹ"},
    {"拓也", "ﾀｸﾔ"},   {"祐介", "ﾕｳｽｹ"},  {"慎吾", "ｼﾝｺﾞ"}, {"博之", "ﾋﾛﾕｷ"}, {"康弘", "ﾔｽﾋﾛ"},
    {"信也", "ｼﾝﾔ"},   {"勝也", "ｶﾂﾔ"},   {"茂樹", "ｼｹﾞｷ"}, {"義則", "ﾖｼﾉﾘ"}, {"光男", "ﾐﾂｵ"},
    {"健二", "ｹﾝｼﾞ"},  {"孝之", "ﾀｶﾕｷ"},  {"昌也", "ﾏｻﾔ"},  {"裕樹", "ﾕｳｷ"},  {"修一", "ｼｭｳｲﾁ"},
    {"敏行", "ﾄｼﾕｷ"},  {"幸治", "ｺｳｼﾞ"},  {"剛史", "ﾀｹｼ"},  {"聡志", "ｻﾄｼ"},  {"卓也", "ﾀｸﾔ"},
    {"良平", "ﾘｮｳﾍｲ"}, {"将太", "ｼｮｳﾀ"},  {"公一", "ｺｳｲﾁ"}, {"辰也", "ﾀﾂﾔ"},  {"真一", "ｼﾝｲﾁ"},
};

constexpr NamePart kShortGivenNames[] = {
    {"光", "ﾋｶﾙ"}, {"誠", "ﾏｺﾄ"}, {"剛", "ﾂﾖｼ"}, {"学", "ﾏﾅﾌﾞ"}, {"修", "ｵｻﾑ"},
    {"実", "ﾐﾉﾙ"}, {"聡", "ｻﾄｼ"}, {"豊", "ﾕﾀｶ"}, {"勉", "ﾂﾄﾑ"},  {"浩", "ﾋﾛｼ"},
    {"進", "ｽｽﾑ"}, {"明", "ｱｷﾗ"}, {"亮", "ﾘｮｳ"}, {"翼", "ﾂﾊﾞｻ"}, {"仁", "ｼﾞﾝ"},
};

template <typename T, std::size_t N>
const T& PickFrom(const T (&items)[N], SampleRng& rng) {
  return items[rng.Between(0, static_cast<int>(N) - 1)];
}

std::string Digits(int value, int width) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
  return buffer;
}

// Two full-width characters with a full-width blank between them: "佐賀" to "佐　賀".
std::string Spaced(std::string_view twoChars) {
  std::vector<std::string_view> chars = SjisChars(twoChars);
  std::string out;
  for (std::size_t i = 0; i < chars.size(); ++i) {
    if (i > 0) out += "\x81\x40";
    out += chars[i];
  }
  return out;
}

std::string ClassFor(double draw) {
  if (draw < 0.20) return "A1";
  if (draw < 0.40) return "A2";
  if (draw < 0.88) return "B1";
  return "B2";
}

int Binomial(int trials, double p, SampleRng& rng) {
  int hits = 0;
  for (int i = 0; i < trials; ++i) hits += rng.Chance(p) ? 1 : 0;
  return hits;
}

}  // namespace

std::string VenueName(std::string_view code) {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> out;
    for (const VenueInfo& v : kVenues) out.push_back(Sjis(v.name));
    return out;
  }();
  if (code.size() == 2 && code[0] >= '0' && code[0] <= '9' && code[1] >= '0' && code[1] <= '9') {
    const int n = (code[0] - '0') * 10 + (code[1] - '0');
    if (n >= 1 && n <= 24) return names[static_cast<std::size_t>(n - 1)];
  }
  return "\x81\x40\x81\x40\x81\x40";
}

std::string VenueHome(std::string_view code) {
  for (std::size_t i = 0; i < kVenues.size(); ++i) {
    if (code == Digits(static_cast<int>(i + 1), 2)) return Sjis(kVenues[i].home);
  }
  return "";
}

const std::vector<std::string>& RacerHomes() {
  static const std::vector<std::string> homes = [] {
    std::vector<std::string> out;
    for (const char* home : kHomes) out.push_back(Sjis(home));
    return out;
  }();
  return homes;
}

std::string Decimal(double value, int decimals) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

SampleRacer MakeSampleRacer(int number, SampleRng& rng) {
  SampleRacer r;
  r.racerNo = Digits(number, 4);

  const NamePart& family =
      rng.Chance(0.06) ? PickFrom(kExtensionFamilies, rng) : PickFrom(kFamilies, rng);
  const bool shortGiven = rng.Chance(0.15);
  const NamePart& given = shortGiven ? PickFrom(kShortGivenNames, rng) : PickFrom(kGivenNames, rng);
  const std::string familySjis = Sjis(family.kanji);
  const std::string givenSjis = Sjis(given.kanji);
  if (shortGiven) {
    r.cardName = familySjis + "\x81\x40" + givenSjis;
    r.fullName = Spaced(familySjis) + "\x81\x40\x81\x40\x81\x40\x81\x40" + givenSjis;
  } else {
    r.cardName = familySjis + givenSjis;
    r.fullName = Spaced(familySjis) + "\x81\x40\x81\x40" + Spaced(givenSjis);
  }
  r.kana = TrimSjis(FitSjis(Sjis(std::string(family.kana) + " " + given.kana), 15));

  // Racer numbers were handed out in order, so a lower number means an older racer.
  if (number >= 2000 && number <= 4400) {
    r.age = std::clamp(20 + (4400 - number) / 60 + rng.Between(-2, 2), 19, 62);
  } else {
    r.age = rng.Between(20, 55);
  }
  r.birthYear = 2006 - r.age;
  r.birthMonth = rng.Between(1, 12);
  r.birthDay = rng.Between(1, 28);
  r.height = rng.Between(156, 174);
  r.weight = rng.Between(47, 56);
  static const std::vector<std::string> bloods = {"A ", "A ", "O ", "O ", "B ", "AB"};
  r.blood = rng.Pick(bloods);
  r.home = rng.Pick(RacerHomes());

  r.clas = ClassFor(r.age < 23 ? 0.4 + 0.6 * rng.Uniform() : rng.Uniform());
  if (r.clas == "A1") {
    r.winRate = rng.Uniform(6.2, 8.2);
  } else if (r.clas == "A2") {
    r.winRate = rng.Uniform(5.4, 6.6);
  } else if (r.clas == "B1") {
    r.winRate = rng.Uniform(3.6, 5.8);
  } else {
    r.winRate = rng.Uniform(1.0, 3.8);
  }
  r.placeRate = std::clamp(r.winRate * 8.5 - 12.0 + rng.Normal(0, 4), 0.0, 75.0);

  const double styleDraw = rng.Uniform();
  const bool aClass = r.clas[0] == 'A';
  r.style = styleDraw < (aClass ? 0.30 : 0.15) ? 1 : styleDraw > 0.90 ? 2 : 0;
  const int timingBase = r.clas == "A1" ? 14 : r.clas == "A2" ? 15 : r.clas == "B1" ? 16 : 18;
  r.startTiming = std::clamp(timingBase + rng.Between(-1, 2), 11, 22);
  r.seed = rng.Next();
  return r;
}

StatsRecordSpec SampleStats(const SampleRacer& racer) {
  SampleRng rng(racer.seed);
  StatsRecordSpec plan;
  plan.racerNo = racer.racerNo;
  plan.name = racer.fullName;
  plan.kana = racer.kana;
  plan.home = racer.home;
  plan.clas = racer.clas;

  // Starts in the half-year period, spread over the courses by the racer's entry habit.
  const int starts = racer.clas == "A1"   ? rng.Between(95, 125)
                     : racer.clas == "A2" ? rng.Between(85, 115)
                     : racer.clas == "B1" ? rng.Between(70, 105)
                                          : rng.Between(40, 80);
  static constexpr double kHabit[3][6] = {{1.0, 1.0, 1.0, 1.0, 1.0, 1.0},
                                          {1.7, 1.5, 1.2, 0.9, 0.5, 0.2},
                                          {0.3, 0.5, 0.8, 1.1, 1.5, 1.8}};
  // Chance of finishing in the first two from each course for an average racer.
  static constexpr double kPlaceChance[6] = {0.62, 0.45, 0.40, 0.35, 0.26, 0.15};
  static constexpr double kWinShare[6] = {0.75, 0.50, 0.48, 0.45, 0.42, 0.38};
  static constexpr int kTimingShift[6] = {1, 0, 0, -1, -1, 0};
  const double* habit = kHabit[racer.style];
  double habitSum = 0;
  for (int c = 0; c < 6; ++c) habitSum += habit[c];
  const double strength = std::pow(racer.winRate / 5.2, 1.3);

  int totalWins = 0, totalSeconds = 0, totalStarts = 0, timingSum = 0;
  std::string places;
  for (int c = 0; c < 6; ++c) {
    const int entries = std::clamp(
        static_cast<int>(std::lround(starts * habit[c] / habitSum * rng.Uniform(0.75, 1.25))), 0,
        40);
    const int inTwo = Binomial(entries, std::clamp(kPlaceChance[c] * strength, 0.01, 0.95), rng);
    const int wins = Binomial(inTwo, kWinShare[c], rng);
    const int timing = std::clamp(
        racer.startTiming + kTimingShift[c] + static_cast<int>(std::lround(rng.Normal(0, 1.2))), 10,
        25);
    CourseFields& course = plan.courses[static_cast<std::size_t>(c)];
    course.entryCount = Digits(entries, 3);
    course.courseRate =
        Digits(entries > 0 ? static_cast<int>(std::lround(inTwo * 1000.0 / entries)) : 0, 4);
    course.startTiming = Digits(timing, 3);
    course.wins = Digits(wins, 3);

    // Places 1..6 from this course; the places below second are spread at random.
    std::array<int, 6> count{};
    count[0] = wins;
    count[1] = inTwo - wins;
    for (int i = inTwo; i < entries; ++i) ++count[static_cast<std::size_t>(rng.Between(2, 5))];
    for (int n : count) places += Digits(n, 2);

    totalWins += wins;
    totalSeconds += inTwo - wins;
    totalStarts += entries;
    timingSum += timing * entries;
  }

  const bool heisei = racer.birthYear >= 1989;
  const int eraYear = heisei ? racer.birthYear - 1988 : racer.birthYear - 1925;
  const int finals = racer.clas[0] == 'A' ? rng.Between(1, 5) : rng.Between(0, 1);
  const int finalWins = finals > 0 ? rng.Between(0, std::min(finals, 2)) : 0;
  plan.profile = std::string(heisei ? "H" : "S") + Digits(eraYear, 2) +
                 Digits(racer.birthMonth, 2) + Digits(racer.birthDay, 2) + "1" +
                 Digits(racer.age, 2) + Digits(racer.height, 3) + Digits(racer.weight, 2) +
                 racer.blood + Digits(static_cast<int>(std::lround(racer.winRate * 100)), 4) +
                 Digits(static_cast<int>(std::lround(racer.placeRate * 10)), 4) +
                 Digits(totalWins, 3) + Digits(totalSeconds, 3) + Digits(totalStarts, 3) +
                 Digits(finals, 2) + Digits(finalWins, 2) +
                 Digits(totalStarts > 0 ? timingSum / totalStarts : racer.startTiming, 3);

  // Classes of the last three periods: mostly the present one, otherwise a neighbour of it.
  static const std::vector<std::string> classes = {"A1", "A2", "B1", "B2"};
  const int present =
      static_cast<int>(std::find(classes.begin(), classes.end(), racer.clas) - classes.begin());
  std::string tail;
  for (int i = 0; i < 3; ++i) {
    const int shift = rng.Chance(0.7) ? 0 : rng.Chance(0.5) ? 1 : -1;
    tail += classes[static_cast<std::size_t>(std::clamp(present + shift, 0, 3))];
  }
  tail += "2005050120051031";  // the period: May to October 2005
  tail += places;
  tail.append(250 - 6 - tail.size(), '0');
  tail += Spaced(racer.home);
  plan.tail = tail;
  return plan;
}

}  // namespace wakorin::testsupport
