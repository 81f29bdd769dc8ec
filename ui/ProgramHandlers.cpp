// Choosing the race program file, indexing its venues, and moving between venues and races.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "ui/Desktop.h"
#include "base/ByteFile.h"
#include "ui/Cp932Text.h"
#include "program/VenueBlockScan.h"
#include "program/VenueEntry.h"
#include "program/VenueTable.h"
#include "ui/MainForm.h"

namespace wakorin {
namespace {

const QString kNotProgramFile = QStringLiteral("レース番組表ファイルではありません。");
const QString kNoVenue = QStringLiteral("開催レース場を検索できませんでした。");

std::string LocalPath(const QString& path) {
  return path.toLocal8Bit().toStdString();
}

}  // namespace

bool TMainForm::MainView() {
  OpenFileOptions options;
  options.title = QStringLiteral("レース番組表ファイルを選択してください。");
  // Users keep both B060415.TXT and b060415.txt; the dialog offers either.
  options.filter = QStringLiteral("B*.TXT (B*.TXT b*.txt B*.txt b*.TXT)");
  options.initialName = QStringLiteral("B*.TXT");
  options.defaultSuffix = QStringLiteral("txt");
  const std::optional<QString> chosen = desktop_.ChooseOpenFile(this, options);
  if (!chosen) {
    desktop_.ShowMessage(this, kNotProgramFile);
    return false;
  }
  const std::string path = LocalPath(*chosen);
  if (!ByteFile::Exists(path)) {
    desktop_.ShowMessage(this,
                         QStringLiteral("レース番組表ファイル(\"%1\")がありません。").arg(*chosen));
    SelectC->setEnabled(true);
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
  SelectC->clear();
  for (const std::string& entry : BuildVenueEntries(*index)) {
    SelectC->addItem(FromCp932(entry),
                     QByteArray(entry.data(), static_cast<qsizetype>(entry.size())));
  }
  if (SelectC->count() == 0) {
    desktop_.ShowMessage(this, kNoVenue);
    return false;
  }
  SelectC->setCurrentIndex(0);
  FillRaceList(RaceCountOfEntry(SelectedVenueEntry()));
  if (RaceView() == CardRead::Failed) return false;
  ShowRaceCardModeView();
  return true;
}

void TMainForm::FillRaceList(int raceCount) {
  SelectR->clear();
  for (int race = 1; race <= raceCount; ++race) SelectR->addItem(QString::number(race));
  SelectR->setCurrentIndex(0);
}

TMainForm::CardRead TMainForm::RaceView() {
  const std::string entry = SelectedVenueEntry();
  const std::string venueName(VenueNameOfEntry(entry));
  auto block = LocateVenueBlock(programFilePath_, GetCorseNo(venueName));
  if (!block) {
    ShowError(block.error());
    return CardRead::Failed;
  }
  if (!block->has_value() || SelectR->currentIndex() < 0) return CardRead::NotFound;
  raceCard_ =
      ReadRaceCard((*block)->bytes, SelectR->currentIndex() + 1, venueName, (*block)->layout);
  ShowRaceCard(raceCard_);
  return CardRead::Shown;
}

void TMainForm::SelectRChange() {
  if (RaceView() == CardRead::Failed) return;
  SetOuterHeight(kRaceCardHeight);
  HidePrediction();
  const bool raceCardMode = IsRaceCardMode();
  Panel2->setVisible(raceCardMode);
  BtnEditData->setVisible(raceCardMode);
  Panel8->setVisible(!raceCardMode);
  Panel9->hide();
}

void TMainForm::SelectCChange() {
  FillRaceList(RaceCountOfEntry(SelectedVenueEntry()));
  if (RaceView() == CardRead::Failed) return;
  SetOuterHeight(kRaceCardHeight);
  HidePrediction();
  if (IsRaceCardMode()) {
    Panel2->show();
    BtnEditData->show();
    Panel8->hide();
    Panel9->hide();
    return;
  }
  EmptyResultGrid();
  Panel2->hide();
  BtnEditData->hide();
  Panel8->show();
  Panel9->hide();
}

void TMainForm::BBtnBoratClick() {
  Panel12->setVisible(Panel12->isHidden());
}

}  // namespace wakorin
