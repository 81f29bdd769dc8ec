#include "day/RaceDays.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <tuple>

#include "base/ByteFile.h"
#include "base/DayDate.h"
#include "base/FileNames.h"

namespace wakorin {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kProgramMarker = "STARTB";
constexpr std::string_view kResultMarker = "STARTK";

// A day's file by its name: "B240101.TXT", "k240101.lzh".
struct DayFileName {
  bool program = false;
  int date = 0;
  bool archive = false;
};

std::optional<DayFileName> ParseDayFileName(const std::string& name) {
  if (name.size() != 11) return std::nullopt;
  const std::string_view extension = std::string_view(name).substr(7);
  const bool text = SameIgnoringCase(extension, ".txt");
  if (!text && !SameIgnoringCase(extension, ".lzh")) return std::nullopt;
  if (auto date = DayOfFileName(name, 'B')) return DayFileName{true, *date, !text};
  if (auto date = DayOfFileName(name, 'K')) return DayFileName{false, *date, !text};
  return std::nullopt;
}

// The copies of each day as they are gathered, kept in the order they are tried.
class Gathering {
 public:
  // `key` names the file whatever road reached it, so that a file reached twice (a folder given
  // twice, "x/" and "x", a file given beside its folder) counts once.
  void Add(int date, bool program, bool archive, const std::string& path, const std::string& key) {
    if (!seen_.insert(key).second) return;
    Copies& copies = days_[date];
    (program ? copies.programs : copies.results).emplace(archive, path);
  }
  // Only the result files of `date` in `folder`: those beside a program file given by name.
  void AddResultsOf(const std::string& folder, int date) {
    for (const File& file : Listing(folder)) {
      const std::optional<DayFileName> parsed = ParseDayFileName(file.name);
      if (parsed && !parsed->program && parsed->date == date) {
        Add(date, false, parsed->archive, file.path, file.key);
      }
    }
  }
  // Every day file of `folder`; false when it holds none.
  bool AddFolder(const std::string& folder) {
    bool any = false;
    for (const File& file : Listing(folder)) {
      if (const std::optional<DayFileName> parsed = ParseDayFileName(file.name)) {
        Add(parsed->date, parsed->program, parsed->archive, file.path, file.key);
        any = true;
      }
    }
    return any;
  }
  std::vector<DayCopies> Days() const {
    std::vector<DayCopies> days;
    days.reserve(days_.size());
    for (const auto& [date, copies] : days_) {
      DayCopies day;
      day.date = date;
      for (const auto& [archive, path] : copies.programs) day.programs.push_back(path);
      for (const auto& [archive, path] : copies.results) day.results.push_back(path);
      days.push_back(std::move(day));
    }
    return days;
  }

 private:
  struct Copies {
    std::set<std::pair<bool, std::string>> programs, results;  // text before archive, then path
  };
  struct File {
    std::string name, path, key;
  };
  // Each folder's regular files, listed once however often it is asked for.
  const std::vector<File>& Listing(const std::string& folder) {
    auto found = listings_.find(folder);
    if (found != listings_.end()) return found->second;
    std::vector<File>& files = listings_[folder];
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(folder, error);
    for (const auto& entry : fs::directory_iterator(folder, error)) {
      std::error_code kind;
      if (!entry.is_regular_file(kind)) continue;
      const std::string name = entry.path().filename().string();
      files.push_back({name, entry.path().string(), (canonical / name).string()});
    }
    return files;
  }

  std::map<int, Copies> days_;
  std::set<std::string> seen_;
  std::map<std::string, std::vector<File>> listings_;
};

std::string FolderOf(const std::string& path) {
  const std::string folder = fs::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}

// Why `bytes` are not the `kind` file of `date`, or nullopt when they are.
std::optional<RefusedFile> Refusal(std::string_view bytes, DayFileKind kind, int date) {
  const std::string_view marker = kind == DayFileKind::Program ? kProgramMarker : kResultMarker;
  RefusedFile refused;
  refused.wanted = kind;
  if (bytes.find(marker) == std::string_view::npos) {
    refused.refusal = FileRefusal::WrongKind;
    const DayFileIdentity identity = IdentifyDayFile(bytes);
    refused.found = identity.kind;
    refused.foundDate = identity.date;
    return refused;
  }
  const std::optional<int> inside = FindFileDay(bytes, marker);
  if (!inside) {
    // A result file of a day still racing holds only notices, and no date with them.
    if (kind == DayFileKind::Result && IdentifyDayFile(bytes).venues.empty()) return std::nullopt;
    refused.refusal = FileRefusal::NoDate;
    return refused;
  }
  if (*inside != date) {
    refused.refusal = FileRefusal::OtherDay;
    refused.foundDate = *inside;
    return refused;
  }
  return std::nullopt;
}

// The first copy in `paths` that is the `kind` file of `date`; the others tried go to `refused`.
bool Take(const std::vector<std::string>& paths, DayFileKind kind, int date, std::string& path,
          std::shared_ptr<const std::string>& bytes, std::vector<RefusedFile>& refused) {
  for (const std::string& candidate : paths) {
    auto read = ByteFile::ReadWhole(candidate);
    if (!read) {
      RefusedFile unreadable;
      unreadable.path = candidate;
      unreadable.wanted = kind;
      unreadable.error = read.error();
      refused.push_back(std::move(unreadable));
      continue;
    }
    if (std::optional<RefusedFile> why = Refusal(**read, kind, date)) {
      why->path = candidate;
      refused.push_back(std::move(*why));
      continue;
    }
    path = candidate;
    bytes = std::move(*read);
    return true;
  }
  return false;
}

}  // namespace

DayListing ListRaceDays(const std::vector<std::string>& paths) {
  DayListing listing;
  Gathering gathering;
  std::set<std::string> folders;
  for (const std::string& path : paths) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status)) {
      const fs::path canonical = fs::weakly_canonical(path, error);
      if (!folders.insert(error ? path : canonical.string()).second) continue;
      if (!gathering.AddFolder(path)) listing.problems.push_back({path, PathFault::NoDayInFolder, {}});
      continue;
    }
    if (!fs::exists(status)) {
      listing.problems.push_back({path, PathFault::NotFound, {}});
      continue;
    }
    const std::string name = fs::path(path).filename().string();
    std::optional<DayFileName> parsed = ParseDayFileName(name);
    int date = parsed ? parsed->date : 0;
    if (!parsed) {
      // A name that tells no day: the date inside the file says which day it is.
      auto bytes = ByteFile::ReadWhole(path);
      if (!bytes) {
        listing.problems.push_back({path, PathFault::Unreadable, bytes.error()});
        continue;
      }
      const std::optional<int> inside = FindFileDay(**bytes, kProgramMarker);
      if (!inside) {
        listing.problems.push_back({path, PathFault::NoDateInside, {}});
        continue;
      }
      date = *inside;
    }
    // Given by name, it is meant as the day's race program file, whatever its name says.
    const fs::path canonical = fs::weakly_canonical(path, error);
    gathering.Add(date, true, parsed && parsed->archive, path, error ? path : canonical.string());
    gathering.AddResultsOf(FolderOf(path), date);
  }
  listing.days = gathering.Days();
  return listing;
}

RaceDay ReadRaceDay(const DayCopies& copies, DayNeeds needs) {
  RaceDay day;
  day.date = copies.date;
  if (needs != DayNeeds::Results &&
      !Take(copies.programs, DayFileKind::Program, copies.date, day.programPath, day.program,
            day.refused)) {
    day.gap = DayGap::NoProgramFile;
  }
  // The result file beside the race program file taken comes first.
  std::vector<std::string> results = copies.results;
  if (!day.programPath.empty()) {
    const std::string folder = FolderOf(day.programPath);
    std::stable_partition(results.begin(), results.end(),
                          [&](const std::string& path) { return FolderOf(path) == folder; });
  }
  // Taken even when the race program file is not: good results still inform the days after.
  if (!Take(results, DayFileKind::Result, copies.date, day.resultPath, day.result,
            day.refused) &&
      needs != DayNeeds::Program && !day.gap) {
    day.gap = DayGap::NoResultFile;
  }
  return day;
}

FormBook ReadFormsBefore(const std::string& folder, int day, int days,
                         std::vector<RefusedFile>* refused) {
  std::vector<DayCopies> before;
  for (DayCopies& copies : ListRaceDays({folder}).days) {
    if (copies.date < day && !copies.results.empty()) before.push_back(std::move(copies));
  }
  if (before.size() > static_cast<std::size_t>(days)) {
    before.erase(before.begin(), before.end() - days);
  }
  FormBook book;
  for (const DayCopies& copies : before) {
    RaceDay read = ReadRaceDay(copies, DayNeeds::Results);
    if (read.result) book.AddResultFile(*read.result);
    if (refused != nullptr) {
      for (RefusedFile& file : read.refused) refused->push_back(std::move(file));
    }
  }
  return book;
}

}  // namespace wakorin
