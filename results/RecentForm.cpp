#include "results/RecentForm.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "base/ByteFile.h"
#include "base/DayDate.h"
#include "base/FileNames.h"
#include "results/ResultFileLayout.h"

namespace wakorin {

void FormBook::AddRace(const RaceFinish& race) {
  for (const Finisher& boat : race.boats) {
    if (boat.course == 0 && !boat.timed) continue;  // did not start: nothing to learn from
    Start start;
    // A flying start is counted as a start at the line: early, whatever the clock says.
    start.start = boat.timed ? static_cast<float>(boat.start < 0 ? 0.0 : boat.start) : -1.0f;
    start.place = static_cast<signed char>(boat.placeNo > 0 ? boat.placeNo : 6);
    start.front = static_cast<signed char>(boat.course > 0 ? boat.lane - boat.course : 0);
    std::deque<Start>& starts = starts_[boat.racerNo];
    starts.push_back(start);
    while (static_cast<int>(starts.size()) > keep_) starts.pop_front();
  }
}

void FormBook::AddResultFile(std::string_view bytes) {
  const std::string_view tail = result_layout::kKeyTail;
  for (std::size_t at = bytes.find(tail, 2); at != std::string_view::npos;
       at = bytes.find(tail, at + 1)) {
    if (at >= 2 && (at == 2 || bytes[at - 3] == '\n')) {
      for (const RaceFinish& race : ReadFinishTables(bytes.substr(at - 2), bytes.substr(at - 2, 2)))
        AddRace(race);
    }
  }
}

std::optional<RacerForm> FormBook::FormOf(std::string_view racerNo) const {
  const auto found = starts_.find(std::string(racerNo));
  if (found == starts_.end() || found->second.empty()) return std::nullopt;
  RacerForm form;
  double startSum = 0.0, placeSum = 0.0, frontSum = 0.0;
  int timed = 0, wins = 0;
  for (const Start& s : found->second) {
    if (s.start >= 0) {
      startSum += s.start;
      ++timed;
    }
    placeSum += s.place;
    wins += s.place == 1 ? 1 : 0;
    frontSum += s.front;
  }
  const double n = static_cast<double>(found->second.size());
  form.races = static_cast<int>(n);
  if (timed > 0) form.meanStart = startSum / timed;
  form.meanPlace = placeSum / n;
  form.winShare = wins / n;
  form.front = frontSum / n;
  return form;
}

LaneForms FormBook::FormsOf(const TRaceCard& card) const {
  LaneForms forms;
  for (std::size_t k = 0; k < 6; ++k) forms[k] = FormOf(card.Racers[k].RacerNo);
  return forms;
}

FormBook ReadFormsBefore(const std::string& programPath, int day, int days) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(programPath).parent_path();
  // yyyymmdd -> path; a text file wins over the archive of the same day.
  std::map<int, std::string> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder.empty() ? fs::path(".") : folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() != 11) continue;
    const std::string extension = name.substr(7);
    const bool text = SameIgnoringCase(extension, ".txt");
    if (!text && !SameIgnoringCase(extension, ".lzh")) continue;
    const std::optional<int> named = DayOfFileName(name, 'K');
    if (!named) continue;
    const int date = *named;
    if (date >= day || !entry.is_regular_file(error)) continue;
    auto& path = files[date];
    if (path.empty() || text) path = entry.path().string();
  }
  while (files.size() > static_cast<std::size_t>(days)) files.erase(files.begin());
  FormBook book;
  for (const auto& [date, path] : files) {
    if (auto bytes = ByteFile::ReadWhole(path)) book.AddResultFile(**bytes);
  }
  return book;
}

}  // namespace wakorin
