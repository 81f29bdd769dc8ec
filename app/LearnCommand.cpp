#include "app/LearnCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <cstring>
#include <functional>
#include <mutex>

#include "app/Settings.h"
#include "base/DayDate.h"
#include "base/WholeFile.h"
#include "day/SeasonLearning.h"
#include "ui/Desktop.h"
#include "ui/ErrorText.h"
#include "ui/MainForm.h"

namespace wakorin {
namespace {

// Fewer days than this leave too few races to learn, tune and measure on.
constexpr int kFewestDays = 20;

// What the learning shares with the window. The job waits for the learning on every way out,
// so nothing here outlives the job.
struct Learning {
  std::mutex mutex;
  QString label;
  int done = 0, total = 0;
  std::atomic<bool> stop{false};
  std::optional<DataModel> model;
  HeldOutFigures figures;
  int learnRaces = 0, days = 0;
  PartDays learnDays, tuneDays, testDays;
  QStringList troubles;  // days left out and copies refused, and why
  QString failure;
};

// Runs on a worker thread. `told` is called on that thread whenever the progress moves.
void LearnInThread(Learning& state, const std::string& folder, const std::function<void()>& told) {
  auto progress = [&](const char* label, int done, int total) {
    {
      const std::lock_guard lock(state.mutex);
      const QString text = QString::fromUtf8(label);
      if (state.label != text || state.done != done || state.total != total) {
        state.label = text;
        state.done = done;
        state.total = total;
        told();
      }
    }
    return !state.stop;
  };
  const DayListing listing = ListRaceDays({folder});
  std::vector<int> days;  // the days with a race program file, whose races can be learned
  for (const DayCopies& day : listing.days) {
    if (!day.programs.empty()) days.push_back(day.date);
  }
  const int n = static_cast<int>(days.size());
  if (n < kFewestDays) {
    const std::lock_guard lock(state.mutex);
    state.failure = QStringLiteral("学習には%1日分以上のレース番組表とレース結果のファイルが必要です"
                                   "(データフォルダにあるのは%2日分です)。")
                        .arg(kFewestDays)
                        .arg(n);
    return;
  }
  // The latest fifth held out, the fifth before it for the thresholds, the rest to learn from.
  const int testFrom = days[static_cast<std::size_t>(n - n / 5)];
  const int tuneFrom = days[static_cast<std::size_t>(n - 2 * (n / 5))];
  SeasonRaces season = ReadSeason(
      listing.days,
      [&](int date) {
        return date >= testFrom   ? SeasonPart::Test
               : date >= tuneFrom ? SeasonPart::Tune
                                  : SeasonPart::Learn;
      },
      [&](int done, int total) { return progress("日ごとのファイルを読んでいます", done, total); });
  if (state.stop) return;
  QStringList troubles;
  for (const RaceDay& day : season.troubles) {
    for (const RefusedFile& file : day.refused) troubles << RefusedFileText(file, day.date);
    if (day.gap) troubles << LeftOutDayText(day);
  }
  if (season.learn.empty() || season.test.empty()) {
    const std::lock_guard lock(state.mutex);
    state.failure = QStringLiteral("データフォルダのファイルから学習できるレースがありませんでした。");
    if (!troubles.isEmpty()) state.failure += QLatin1Char('\n') + troubles.join(QLatin1Char('\n'));
    return;
  }
  std::optional<DataModel> model =
      wakorin::Learn(season.learn, season.tune, {}, [&](std::string_view, int done, int total) {
        return progress("学習しています", done, total);
      });
  if (!model || state.stop) return;
  HeldOutFigures figures = MeasureHeldOut(*model, season.test);
  const std::lock_guard lock(state.mutex);
  state.learnRaces = static_cast<int>(season.learn.size());
  state.learnDays = season.learnDays;
  state.tuneDays = season.tuneDays;
  state.testDays = season.testDays;
  state.troubles = troubles;
  state.days = n;
  model->learnedFrom = DayText(season.learnDays.from) + ".." + DayText(season.learnDays.to) + " (" +
                       std::to_string(season.learnDays.days) + " days)";
  state.model = std::move(model);
  state.figures = figures;
}

// The learning as the progress dialog sees it: a task on Qt's thread pool, watched from the
// event loop. Its progress asks it to stop when the dialog is cancelled or the user asks to
// quit, and the job waits for it on every way out, so no learning outlives the window.
class LearnJob final : public ProgressJob {
 public:
  LearnJob(std::string folder, std::function<bool()> goOn)
      : folder_(std::move(folder)), goOn_(std::move(goOn)) {}
  ~LearnJob() override { StopAndWait(); }
  LearnJob(const LearnJob&) = delete;
  LearnJob& operator=(const LearnJob&) = delete;

  void Start(ProgressReport& report) override {
    report_ = &report;
    QObject::connect(&watcher_, &QFutureWatcher<void>::finished, &watcher_, [this] { End(); });
    // Progress is handed to the window's thread; a call still queued when the watcher is gone
    // is dropped with it.
    watcher_.setFuture(QtConcurrent::run([this] {
      LearnInThread(state_, folder_, [this] {
        QMetaObject::invokeMethod(&watcher_, [this] { Told(); }, Qt::QueuedConnection);
      });
    }));
  }
  // Returns once the learning has stopped: within one step of it, a fraction of a second.
  void Cancel() override {
    StopAndWait();
    End();
  }
  // How it ended, read once it has.
  const Learning& State() const { return state_; }
  bool Stopped() const { return state_.stop; }

 private:
  void Told() {
    if (ended_) return;
    if (!goOn_()) {
      Cancel();
      return;
    }
    QString label;
    int done = 0, total = 0;
    {
      const std::lock_guard lock(state_.mutex);
      label = state_.label;
      done = state_.done;
      total = state_.total;
    }
    report_->Progress(label, done, total);
  }
  void StopAndWait() {
    state_.stop = true;
    watcher_.waitForFinished();
  }
  void End() {
    if (ended_ || report_ == nullptr) return;
    ended_ = true;
    report_->Done();
  }

  Learning state_;
  std::string folder_;
  std::function<bool()> goOn_;
  ProgressReport* report_ = nullptr;
  QFutureWatcher<void> watcher_;
  bool ended_ = false;
};

QString DateText(int yyyymmdd) {
  return DayAsDate(yyyymmdd).toString(QStringLiteral("yyyy/M/d"));
}

QString PartText(const PartDays& part) {
  if (part.days == 0) return QStringLiteral("0日");
  return QStringLiteral("%1日(%2〜%3)").arg(part.days).arg(DateText(part.from), DateText(part.to));
}

QString Summary(const Learning& done) {
  QString text = QStringLiteral("%1日分のうち %2 の%3レースから学習しました"
                                "(しきい値の調整 %4、検証 %5)。\n")
                     .arg(done.days)
                     .arg(PartText(done.learnDays))
                     .arg(done.learnRaces)
                     .arg(PartText(done.tuneDays), PartText(done.testDays));
  if (!done.troubles.isEmpty()) {
    constexpr int kShown = 8;
    text += QStringLiteral("読まなかったファイル・日:\n") +
            done.troubles.mid(0, kShown).join(QLatin1Char('\n')) + QLatin1Char('\n');
    if (done.troubles.size() > kShown) {
      text += QStringLiteral("ほか%1件\n").arg(done.troubles.size() - kShown);
    }
  }
  text += QStringLiteral("学習に使っていない %1〜%2 の%3レースでの回収率(95%区間):\n")
              .arg(DateText(done.figures.from), DateText(done.figures.to))
              .arg(done.figures.races);
  const PerBet<const char*> names{{"２連複", "２連単", "３連複", "３連単"}};
  for (BetType bet : kBetTypes) {
    const ReturnFigures& m = done.figures.model[bet];
    text += QStringLiteral("%1 %2% [%3–%4]  %5/%6レースに購入  (固定の6点: %7%)\n")
                .arg(QString::fromUtf8(names[bet]))
                .arg(m.Percent(), 0, 'f', 1)
                .arg(m.low, 0, 'f', 1)
                .arg(m.high, 0, 'f', 1)
                .arg(m.bet)
                .arg(m.races)
                .arg(done.figures.fixed[bet].Percent(), 0, 'f', 1);
  }
  text += QStringLiteral("見送りの効果(毎レース同じ6点を買った場合との差、95%区間):\n");
  for (BetType bet : kBetTypes) {
    const GainFigures& gain = done.figures.skipGain[bet];
    const ReturnFigures& m = done.figures.model[bet];
    text += m.bet == m.races
                ? QStringLiteral("%1 見送りなし(毎レース %2%)\n")
                      .arg(QString::fromUtf8(names[bet]))
                      .arg(done.figures.all[bet].Percent(), 0, 'f', 1)
                : QStringLiteral("%1 %2 ポイント [%3, %4]\n")
                      .arg(QString::fromUtf8(names[bet]))
                      .arg(gain.points, 0, 'f', 1)
                      .arg(gain.low, 0, 'f', 1)
                      .arg(gain.high, 0, 'f', 1);
  }
  text += QStringLiteral("結果の平均対数損失(小さいほど良い。市場 = 75 ÷ 的中払戻):\n");
  for (BetType bet : kBetTypes) {
    const LogLossFigures& loss = done.figures.logLoss[bet];
    text += QStringLiteral("%1 モデル %2  市場 %3  一様 %4\n")
                .arg(QString::fromUtf8(names[bet]))
                .arg(loss.model, 0, 'f', 3)
                .arg(loss.market, 0, 'f', 3)
                .arg(loss.uniform, 0, 'f', 3);
  }
  text += QStringLiteral("過去の成績であり、利益を約束するものではありません。");
  return text;
}

}  // namespace

void LearnFromDataFolder(TMainForm& form, Desktop& desktop) {
  if (form.IsBusy()) return;
  const QString folder = settings::DataFolder();
  LearnJob job(QDir::toNativeSeparators(folder).toLocal8Bit().toStdString(),
               [&form] { return !form.QuitRequested(); });
  {
    // The day, the mode and the model hold still until the model learned is handed over.
    const TMainForm::BusyScope busy(form);
    desktop.RunWithProgress(&form, QStringLiteral("データ予想の学習"), job);
  }
  // A cancel, or a quit asked for meanwhile, keeps everything as it was.
  if (job.Stopped() || form.QuitRequested()) return;
  const Learning& state = job.State();
  if (!state.failure.isEmpty()) {
    desktop.ShowMessage(&form, state.failure);
    return;
  }
  if (!state.model) return;
  const QString path = QDir(folder).filePath(QStringLiteral("wakorin-data-model.txt"));
  if (const QString unsaved = SaveModelFile(path, WriteDataModel(*state.model));
      !unsaved.isEmpty()) {
    desktop.ShowMessage(&form, unsaved);
    return;
  }
  QString summary = Summary(state);
  if (!settings::SetModelFile(path)) {
    summary += QStringLiteral("\n設定ファイル(\"%1\")に書き込めなかったので、次に起動したときは"
                              "組み込みのモデルを使います。")
                   .arg(settings::FilePath());
  }
  form.UseDataModel(std::make_shared<const DataModel>(*state.model));
  desktop.ShowMessage(&form, summary);
}

QString SaveModelFile(const QString& path, const std::string& text) {
  const std::optional<WriteFault> fault =
      WriteWholeFile(QFile::encodeName(path).toStdString(), text);
  if (!fault) return QString();
  QString reason;
  switch (fault->kind) {
    case WriteFault::Kind::DiskFull:
      reason = QStringLiteral("ディスクがいっぱいです");
      break;
    case WriteFault::Kind::ReadOnly:
      reason = QStringLiteral("フォルダに書き込めません。読み取り専用か、書き込みが許されていません");
      break;
    case WriteFault::Kind::NotRegularFile:
      reason = QStringLiteral("その名前のものがふつうのファイルではありません(フォルダ、パイプなど)");
      break;
    case WriteFault::Kind::NoFolder:
      reason = QStringLiteral("フォルダがありません");
      break;
    case WriteFault::Kind::Other:
      reason = QStringLiteral("書き込みエラー");
      break;
  }
  if (fault->error != 0) {
    reason += QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(fault->error));
  }
  QString message = QStringLiteral("学習したモデルを保存できませんでした(\"%1\": %2)。").arg(path, reason);
  if (fault->kind != WriteFault::Kind::NotRegularFile && QFileInfo(path).isFile()) {
    message += QStringLiteral("\n前に学習したモデルファイルはそのまま残しました。");
  }
  return message;
}

std::shared_ptr<const DataModel> LoadLearnedModel(QString* problem) {
  const QString path = settings::ModelFile();
  if (path.isEmpty()) return nullptr;
  ModelRead read = LoadDataModel(path.toLocal8Bit().toStdString());
  if (!read.model) {
    if (problem != nullptr) {
      *problem = QStringLiteral("学習したモデル(\"%1\")を読めないため、組み込みのモデルを使います。\n%2")
                     .arg(path, ModelFaultText(read.fault));
    }
    return nullptr;
  }
  return std::make_shared<const DataModel>(std::move(*read.model));
}

}  // namespace wakorin
