#include "app/DownloadCommand.h"

#include <QDate>

#include "app/DayDownload.h"
#include "app/Settings.h"
#include "ui/Desktop.h"
#include "ui/MainForm.h"

namespace wakorin {
namespace {

// The download as the progress dialog sees it.
class DownloadJob final : public ProgressJob {
 public:
  explicit DownloadJob(DayDownload& download) : download_(download) {}

  void Start(ProgressReport& report) override {
    QObject::connect(&download_, &DayDownload::Progress, &download_,
                     [&report](const QString& label, qint64 received, qint64 total) {
                       report.Progress(label, received, total);
                     });
    QObject::connect(&download_, &DayDownload::Finished, &download_, [&report] { report.Done(); });
    download_.Start();
  }
  void Cancel() override { download_.Cancel(); }

 private:
  DayDownload& download_;
};

}  // namespace

bool DownloadCommand::DtDownloadClick() {
  const std::optional<QDate> day = desktop_.ChooseDate(
      &form_, QStringLiteral("ダウンロードする日付を選んでください。"), QDate::currentDate());
  if (!day) return false;
  DayDownload::Options options;
  options.folder = settings::DataFolder();
  options.day = *day;
  DayDownload download(options);
  DownloadJob job(download);
  desktop_.RunWithProgress(&form_, QStringLiteral("データのダウンロード"), job);
  if (!download.Result().ok) {
    desktop_.ShowMessage(&form_, download.Result().message);
    return false;
  }
  // As the reload command does with the file chosen in its dialog.
  form_.EnterRaceCardMode();
  return form_.OpenProgramFile(download.Result().programArchive);
}

void DownloadCommand::DtFolderClick() {
  const std::optional<QString> folder = desktop_.ChooseFolder(
      &form_, QStringLiteral("ダウンロードしたファイルを保存するフォルダを選んでください。"),
      settings::DataFolder());
  if (folder) settings::SetDataFolder(*folder);
}

}  // namespace wakorin
