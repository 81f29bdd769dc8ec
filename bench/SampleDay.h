#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace wakorin::bench {

// One racing day on disk: the race program file, its result file and the statistics file, in a
// scratch folder removed with the object. Venues are listed in file order.
class SampleDay {
 public:
  // Writes a made-up day of `venues` venues (1..24) with at least `racers` statistics records,
  // the same bytes for the same arguments.
  SampleDay(int venues, int racers, unsigned seed);
  ~SampleDay();
  SampleDay(const SampleDay&) = delete;
  SampleDay& operator=(const SampleDay&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }
  const std::string& ProgramPath() const { return program_; }
  const std::string& ResultPath() const { return result_; }
  const std::string& StatsPath() const { return stats_; }
  const std::vector<std::string>& Codes() const { return codes_; }
  const std::vector<int>& Races() const { return races_; }

 private:
  std::filesystem::path folder_;
  std::string program_, result_, stats_;
  std::vector<std::string> codes_;
  std::vector<int> races_;
};

}  // namespace wakorin::bench
