// Choosing the race program file, indexing its venues, and moving between venues and races.
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <cstring>

#include "base/ByteFile.h"
#include "day/OpenDay.h"
#include "program/VenueTable.h"
#include "ui/Cp932Text.h"
#include "ui/Desktop.h"
#include "ui/ErrorText.h"
#include "ui/MainForm.h"
#include "ui/day/DayRaceList.h"

#include <cstring>
#include "ui/ProgramFileFolder.h"

namespace wakorin {
namespace {

const QString kNotProgramFile = QStringLiteral("レース番組表ファイルではありません。");
const QString kNoVenue = QStringLiteral("開催レース場を検索できませんでした。");

OpenFileOptions ProgramFileDialog() {
  OpenFileOptions options;
  options.title = QStringLiteral("レース番組表ファイルを選択してください。");
  // Users keep both B060415.TXT and b060415.txt, and the archives as published (b241115.lzh);
  // the dialog offers each in either case.
  options.filter = QStringLiteral(
      "レース番組表ファイル (B*.TXT b*.txt B*.txt b*.TXT B*.LZH b*.lzh B*.lzh b*.LZH)");
  options.initialName = QStringLiteral("B*.TXT");
  options.defaultSuffix = QStringLiteral("txt");
  return options;
}

std::string LocalPath(const QString& path) {
  return path.toLocal8Bit().toStdString();
}

}  // namespace

bool TMainForm::ChooseProgramFile() {
  if (IsBusy()) return false;
  OpenFileOptions options = ProgramFileDialog();
  if (programFileFolder_) {
    options.startFolder = programFileFolder_->Folder();
    options.sidebar = programFileFolder_->Sidebar();
  }
  const std::optional<QString> chosen = desktop_.ChooseOpenFile(this, options);
  if (!chosen) {
    desktop_.ShowMessage(this, kNotProgramFile);
    return false;
  }
  if (const QFileInfo file(*chosen); programFileFolder_ && file.dir().exists()) {
    programFileFolder_->Remember(file.absolutePath());
  }
  return OpenProgramFile(*chosen);
}

bool TMainForm::OpenProgramFile(const QString& chosen) {
  // A running job holds references into the open day.
  if (IsBusy()) return false;
  const std::string path = LocalPath(chosen);
  if (!ByteFile::Exists(path)) {
    desktop_.ShowMessage(this,
                         QStringLiteral("レース番組表ファイル(\"%1\")がありません。").arg(chosen));
    header_.VenueList()->setEnabled(true);
    return false;
  }
  auto day = OpenDay::Open(path);
  if (!day) {
    // A read that fails names the file and the system's reason ("Is a directory") too.
    if (day.error().kind == Error::Kind::Io) {
      desktop_.ShowMessage(this, ErrorText(day.error()) +
                                     QStringLiteral("\nレース番組表ファイル(\"%1\")を読めませんでした(%2)。")
                                         .arg(chosen, QString::fromLocal8Bit(
                                                          std::strerror(day.error().code))));
    } else {
      ShowError(day.error());
    }
    return false;
  }
  // A file without a start line, or without a venue, is not a race program file: the previous
  // day, venue list and card stay usable rather than pointing at a file that holds nothing.
  if (!day->HasStartLine() || day->Venues().empty()) {
    desktop_.ShowMessage(this, kNoVenue);
    return false;
  }
  if (!day->DuplicateVenues().empty()) {
    QStringList names;
    for (const std::string& code : day->DuplicateVenues()) names << FromCp932(VenueNameOfCode(code));
    desktop_.ShowMessage(
        this, QStringLiteral("レース番組表ファイル(\"%1\")には同じレース場(%2)が複数あります。"
                             "それぞれ最初のものを表示します。")
                  .arg(chosen, names.join(QStringLiteral("・"))));
  }
  day_ = std::move(*day);
  StartFormRead();
  header_.ListVenues(day_->Venues());
  SelectVenue(0);
  EnterRaceCardMode();
  emit DayFilesRead();
  return true;
}

void TMainForm::SelectVenue(std::size_t venue) {
  venue_ = venue;
  cardPanel_.ListRaces(day_->Venues()[venue_].raceCount);
  SelectRace(1);
}

void TMainForm::SelectRace(int race) {
  race_ = race;
  raceCard_ = day_->Card(venue_, race_);
  header_.Show(raceCard_);
  cardPanel_.Show(raceCard_);
}

void TMainForm::ShowChosenRace(int index) {
  if (!day_ || IsBusy() || index < 0 || index >= day_->Venues()[venue_].raceCount) return;
  SelectRace(index + 1);
  predictionShown_ = false;
  ShowRegions();
}

void TMainForm::ShowChosenVenue(int index) {
  if (!day_ || IsBusy() || index < 0 || static_cast<std::size_t>(index) >= day_->Venues().size()) {
    return;
  }
  SelectVenue(static_cast<std::size_t>(index));
  if (!IsRaceCardMode()) ClearCheck();
  predictionShown_ = false;
  ShowRegions();
}

bool TMainForm::OpenRace(std::size_t venue, int race) {
  if (!day_ || IsBusy() || venue >= day_->Venues().size() || race < 1 ||
      race > day_->Venues()[venue].raceCount) {
    return false;
  }
  if (venue != venue_) {
    SelectVenue(venue);
    header_.SelectVenue(static_cast<int>(venue));
  }
  SelectRace(race);
  cardPanel_.SelectRace(race - 1);
  mode_ = Mode::RaceCard;
  predictionShown_ = false;
  menu_.N3->setText(QStringLiteral("全結果 照合"));
  ShowRegions();
  return true;
}

void TMainForm::StepRace(int step) {
  if (!day_ || !IsRaceCardMode()) return;
  const int race = race_ + step;
  if (race >= 1 && race <= day_->Venues()[venue_].raceCount) OpenRace(venue_, race);
}

void TMainForm::StepVenue(int step) {
  if (!day_ || !IsRaceCardMode()) return;
  const auto venue = static_cast<long long>(venue_) + step;
  if (venue >= 0 && venue < static_cast<long long>(day_->Venues().size())) {
    OpenRace(static_cast<std::size_t>(venue), 1);
  }
}

void TMainForm::ShowDayRaces() {
  if (!day_ || IsBusy()) return;
  const BusyScope busy(*this);
  EnsureForms();
  std::vector<DayRace> races = ListDayRaces(*day_, CurrentDataModel(), forms_.get());
  QString note;
  if (auto added = AddDayResults(*day_, races); !added) note = ErrorText(added.error());
  std::vector<QString> names;
  for (const DayVenue& venue : day_->Venues()) names.push_back(FromCp932(venue.name).simplified());
  if (dayRaceList_ == nullptr) {
    dayRaceList_ = new ui::DayRaceList(this);
    dayRaceList_->OnRaceChosen([this](std::size_t venue, int race) {
      if (OpenRace(venue, race)) activateWindow();
    });
  }
  dayRaceList_->Show(std::move(races), names, day_->Day(), desktop_.Now(), note);
  dayRaceList_->show();
  dayRaceList_->raise();
}

}  // namespace wakorin
