#include "app/DownloadCommand.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include "app/DayDownload.h"
#include "app/DownloadText.h"
#include "app/Settings.h"
#include "day/OpenDay.h"
#include "ui/Desktop.h"
#include "ui/ErrorText.h"
#include "ui/MainForm.h"
#include "ui/ProgramFileFolder.h"

namespace wakorin {
namespace {

// The download as the progress dialog sees it.
class DownloadJob final : public ProgressJob {
 public:
  explicit DownloadJob(DayDownload& download) : download_(download) {}

  void Start(ProgressReport& report) override {
    QObject::connect(&download_, &DayDownload::Progress, &download_,
                     [&report](const DownloadFile& file, qint64 received, qint64 total) {
                       report.Progress(ProgressText(file), received, total);
                     });
    QObject::connect(&download_, &DayDownload::Finished, &download_, [&report] { report.Done(); });
    download_.Start();
  }
  void Cancel() override { download_.Cancel(); }

 private:
  DayDownload& download_;
};

}  // namespace

bool DownloadCommand::DownloadChosenDay() {
  return Download(InitialDay());
}

QDate DownloadCommand::InitialDay() const {
  if (const OpenDay* day = form_.Day(); day && day->Day()) {
    const QDate shown = DayAsDate(*day->Day());
    if (shown.isValid()) return shown;
  }
  const QDate last = settings::LastDownloadDay();
  return last.isValid() ? last : QDate::currentDate();
}

bool DownloadCommand::Download(QDate initial) {
  // The day it opens would replace the one a running job reads.
  if (form_.IsBusy()) return false;
  const std::optional<QDate> day = desktop_.ChooseDate(
      &form_, QStringLiteral("ダウンロードする日付を選んでください。"), initial);
  if (!day) return false;
  DayDownload::Options options;
  options.folder = settings::DataFolder();
  options.day = *day;
  DayDownload download(options);
  DownloadJob job(download);
  {
    const TMainForm::BusyScope busy(form_);
    desktop_.RunWithProgress(&form_, QStringLiteral("データのダウンロード"), job);
  }
  if (form_.QuitRequested()) return false;
  if (!download.Result().ok) {
    desktop_.ShowMessage(&form_,
                         download.Result().fault ? FaultText(*download.Result().fault) : QString());
    return false;
  }
  settings::SetLastDownloadDay(*day);
  // The next start's dialog opens where the day went.
  fileDialogFolder_.Remember(QFileInfo(download.Result().programArchive).absolutePath());
  // As the reload command does with the file chosen in its dialog.
  form_.EnterRaceCardMode();
  if (!form_.OpenProgramFile(download.Result().programArchive)) return false;
  // The day is open; what its standard prediction lacks is said once.
  if (const DayFiles& files = download.Result(); !files.statsMissing.isEmpty()) {
    desktop_.ShowMessage(&form_, StatsMissingText(files.statsMissing, files.statsFault));
  }
  return true;
}

void DownloadCommand::ChooseDataFolder() {
  const std::optional<QString> folder = desktop_.ChooseFolder(
      &form_, QStringLiteral("ダウンロードしたファイルを保存するフォルダを選んでください。"),
      settings::DataFolder());
  if (!folder) return;
  if (!settings::SetDataFolder(*folder)) {
    // In use until the application ends, but not remembered for the next start.
    desktop_.ShowMessage(
        &form_, QStringLiteral("ダウンロードしたファイルは次のフォルダに保存します。\n%1\n"
                               "設定ファイル(\"%2\")に書き込めなかったので、次に起動したとき"
                               "は元のフォルダに戻ります。")
                    .arg(QDir::toNativeSeparators(*folder), settings::FilePath()));
    return;
  }
  desktop_.ShowMessage(&form_,
                       QStringLiteral("ダウンロードしたファイルは次のフォルダに保存します。\n%1")
                           .arg(QDir::toNativeSeparators(*folder)));
}

}  // namespace wakorin
