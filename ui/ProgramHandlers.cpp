// Choosing the race program file, indexing its venues, and moving between venues and races.
#include <QComboBox>
#include <QDir>
#include <QFileInfo>

#include "base/ByteFile.h"
#include "program/VenueBlockScan.h"
#include "program/VenueEntry.h"
#include "program/VenueTable.h"
#include "ui/Desktop.h"
#include "ui/MainForm.h"

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

bool TMainForm::MainView() {
  OpenFileOptions options = ProgramFileDialog();
  options.startFolder = FileDialogFolder();
  const std::optional<QString> chosen = desktop_.ChooseOpenFile(this, options);
  if (!chosen) {
    desktop_.ShowMessage(this, kNotProgramFile);
    return false;
  }
  if (const QFileInfo file(*chosen); file.dir().exists()) {
    RememberFileDialogFolder(file.absolutePath());
  }
  return OpenProgramFile(*chosen);
}

bool TMainForm::OpenProgramFile(const QString& chosen) {
  const std::string path = LocalPath(chosen);
  if (!ByteFile::Exists(path)) {
    desktop_.ShowMessage(this,
                         QStringLiteral("レース番組表ファイル(\"%1\")がありません。").arg(chosen));
    header_.VenueList()->setEnabled(true);
    return false;
  }
  auto index = IndexVenueBlocks(path);
  if (!index) {
    ShowError(index.error());
    return false;
  }
  // A file without a start line is not a race program file: the previous file, venue list
  // and card stay usable rather than pointing at a file that holds nothing.
  if (!index->startFound) {
    desktop_.ShowMessage(this, kNoVenue);
    return false;
  }
  programFilePath_ = path;
  header_.ListVenues(BuildVenueEntries(*index));
  if (header_.VenueCount() == 0) {
    desktop_.ShowMessage(this, kNoVenue);
    return false;
  }
  cardPanel_.ListRaces(RaceCountOfEntry(SelectedVenueEntry()));
  if (RaceView() == CardRead::Failed) return false;
  EnterRaceCardMode();
  return true;
}

TMainForm::CardRead TMainForm::RaceView() {
  const std::string entry = SelectedVenueEntry();
  const std::string venueName(VenueNameOfEntry(entry));
  auto block = LocateVenueBlock(programFilePath_, GetCorseNo(venueName));
  if (!block) {
    ShowError(block.error());
    return CardRead::Failed;
  }
  const int race = cardPanel_.RaceIndex() + 1;
  if (!block->has_value() || race < 1) return CardRead::NotFound;
  raceCard_ = ReadRaceCard((*block)->bytes, race, venueName, (*block)->layout);
  header_.Show(raceCard_);
  cardPanel_.Show(raceCard_);
  return CardRead::Shown;
}

void TMainForm::SelectRChange() {
  if (RaceView() == CardRead::Failed) return;
  predictionShown_ = false;
  ShowRegions();
}

void TMainForm::SelectCChange() {
  cardPanel_.ListRaces(RaceCountOfEntry(SelectedVenueEntry()));
  if (RaceView() == CardRead::Failed) return;
  if (!IsRaceCardMode()) resultGrid_.Clear();
  predictionShown_ = false;
  ShowRegions();
}

void TMainForm::BBtnBoratClick() {
  cardPanel_.ToggleMeetingResults();
}

}  // namespace wakorin
