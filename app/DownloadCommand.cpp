// Downloading a chosen day's archives and opening it, and the folders the window remembers.
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

void TMainForm::DtDownloadClick() {
  const std::optional<QDate> day = desktop_.ChooseDate(
      this, QStringLiteral("ダウンロードする日付を選んでください。"), QDate::currentDate());
  if (!day) return;
  DayDownload::Options options;
  options.folder = settings::DataFolder();
  options.day = *day;
  DayDownload download(options);
  DownloadJob job(download);
  desktop_.RunWithProgress(this, QStringLiteral("データのダウンロード"), job);
  if (!download.Result().ok) {
    desktop_.ShowMessage(this, download.Result().message);
    return;
  }
  // As the reload command does with the file chosen in its dialog.
  EnterRaceCardMode();
  OpenProgramFile(download.Result().programArchive);
}

void TMainForm::DtFolderClick() {
  const std::optional<QString> folder = desktop_.ChooseFolder(
      this, QStringLiteral("ダウンロードしたファイルを保存するフォルダを選んでください。"),
      settings::DataFolder());
  if (folder) settings::SetDataFolder(*folder);
}

QString TMainForm::FileDialogFolder() const {
  return settings::LastFileFolder();
}

void TMainForm::RememberFileDialogFolder(const QString& folder) {
  settings::SetLastFileFolder(folder);
}

}  // namespace wakorin
