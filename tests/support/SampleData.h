#pragma once

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/support/StatsFileBuilder.h"

namespace wakorin::testsupport {

// Random numbers whose sequence depends on the seed alone: the engine's output is fixed by the
// standard, and the distributions are our own rather than the library's (whose results differ
// between implementations), so the sample files regenerate byte for byte.
class SampleRng {
 public:
  explicit SampleRng(std::uint32_t seed) : engine_(seed) {}

  std::uint32_t Next() { return static_cast<std::uint32_t>(engine_()); }
  // Uniform in [lo, hi].
  int Between(int lo, int hi) {
    const std::uint64_t span = static_cast<std::uint64_t>(hi - lo) + 1;
    return lo + static_cast<int>((std::uint64_t{Next()} * span) >> 32);
  }
  // Uniform in [0, 1).
  double Uniform() { return Next() / 4294967296.0; }
  double Uniform(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
  double Normal(double mean, double sd) {
    const double u1 = 1.0 - Uniform();
    const double u2 = Uniform();
    return mean + sd * std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
  }
  bool Chance(double p) { return Uniform() < p; }
  template <typename T>
  void Shuffle(std::vector<T>& items) {
    for (std::size_t i = items.size(); i > 1; --i) {
      std::swap(items[i - 1], items[static_cast<std::size_t>(Between(0, static_cast<int>(i) - 1))]);
    }
  }
  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(Between(0, static_cast<int>(items.size()) - 1))];
  }

 private:
  std::mt19937 engine_;
};

// The six-byte CP932 venue name of a code "01".."24"; three full-width blanks for other codes.
std::string VenueName(std::string_view code);

// The CP932 home (two full-width characters) of the racers based at a venue; empty for a code
// outside "01".."24".
std::string VenueHome(std::string_view code);

// The racers' homes, CP932.
const std::vector<std::string>& RacerHomes();

// A made-up racer with everything the three files say about a racer.
struct SampleRacer {
  std::string racerNo;   // 4 ASCII digits
  std::string cardName;  // 8 bytes CP932, "前田健太" or "吉田　光"
  std::string fullName;  // 16 bytes CP932, "前　田　　健　太"
  std::string kana;      // up to 15 bytes, half-width katakana
  std::string home;      // 4 bytes CP932
  std::string clas;      // A1, A2, B1 or B2
  int age = 0;
  int birthYear = 0, birthMonth = 1, birthDay = 1;
  int height = 0, weight = 0;
  std::string blood;     // 2 bytes
  double winRate = 0;    // national win rate
  double placeRate = 0;  // national 2-place rate, percent
  // How the racer enters courses: 0 keeps the lane, 1 takes inner courses, 2 stays outside.
  int style = 0;
  int startTiming = 16;    // usual start timing, hundredths of a second
  std::uint32_t seed = 0;  // keeps the racer's statistics stable
};

// A racer numbered `number` (printed with four digits). Names sometimes use the extension
// characters 髙 and 﨑.
SampleRacer MakeSampleRacer(int number, SampleRng& rng);

// The racer's statistics record, with course figures that fit the racer's class and style.
StatsRecordSpec SampleStats(const SampleRacer& racer);

// Fixed-precision number text, e.g. Decimal(6.523, 2) is "6.52".
std::string Decimal(double value, int decimals);

}  // namespace wakorin::testsupport
