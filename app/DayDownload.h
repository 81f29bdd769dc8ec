#pragma once

#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QSaveFile;
class QTimer;

namespace wakorin {

// Where the official archives are published. Both bases can be moved to a mirror (or a test's
// own server) with WAKORIN_DAY_FILES_URL (up to and including /od2) and WAKORIN_RACER_FILES_URL
// (up to and including /kibetsu).
struct ArchiveSite {
  QString dayFiles;
  QString racerFiles;

  static ArchiveSite Official();
  static ArchiveSite FromEnvironment();

  QUrl ProgramUrl(QDate day) const;
  QUrl ResultUrl(QDate day) const;
  QUrl StatsUrl(int period) const;
};

// Archive names as the site publishes them: b241115.lzh, k241115.lzh, fan2410.lzh.
QString ProgramArchiveName(QDate day);
QString ResultArchiveName(QDate day);
QString StatsArchiveName(int period);

// Racer statistics periods as year * 100 + month (202410), one in April and one in October.
int LatestStatsPeriod(QDate day);
int PreviousStatsPeriod(int period);

// Whether the statistics file that a day's prediction would find in `folder` (FindStatsFileIn:
// Fan0510.txt, else the latest period begun by the day's month) is there and is one.
bool HasStatsFile(const QString& folder, QDate day);

// Results are published after a venue's last race; an archive fetched before this moment may
// still hold the "not yet registered" notice instead of a venue's results.
QDateTime ResultsFinalAfter(QDate day);
// The latest day whose results are published at `now`: today after ResultsFinalAfter, else
// yesterday.
QDate LatestPublishedDay(const QDateTime& now);

// What became of a day's downloads.
struct DayFiles {
  bool ok = false;
  bool cancelled = false;
  QString message;         // why it failed, as the user reads it
  QString programArchive;  // the program archive's path in the folder, once it is there
  QStringList fetched;     // names downloaded this time
  QStringList kept;        // names already in the folder and left as they were
  QStringList awaited;     // names the site does not publish yet (a day not over)
  // Result archives kept after the day's racing that still lack a venue of its program: they are
  // fetched again next time.
  QStringList incomplete;
  // The racer statistics are what the standard prediction needs, not part of the day: when no
  // statistics archive could be had, the day is ok all the same and these say so. The periods
  // wanted and not had (asked for this time, or known missing from earlier in the run), newest
  // first; and, when one was asked for this time, why it did not come, as the user reads it.
  QList<int> statsMissing;
  QString statsMessage;
};

// Downloads a day's race program and result archives, and a racer statistics archive when the
// folder holds none for the day, into one folder. Each file is written under a temporary name
// and renamed only once it has arrived whole, so a failure or a cancel leaves nothing behind.
// Runs in the event loop of the thread that starts it; no widgets, so that a command-line tool
// can use it.
class DayDownload final : public QObject {
  Q_OBJECT

 public:
  struct Options {
    QString folder;
    QDate day;
    ArchiveSite site = ArchiveSite::FromEnvironment();
    // The clock that decides whether a result archive may still be incomplete.
    QDateTime now = QDateTime::currentDateTime();
    // A transfer that makes no progress for this long is given up.
    int stallMilliseconds = 30000;
    // A transfer that only trickles is given up too: once this long has passed, when it has
    // averaged fewer bytes a second than the minimum.
    int slowAfterMilliseconds = 60000;
    int minimumBytesPerSecond = 512;
    // Statistics periods already found missing in this run (a range of days): not asked again.
    QList<int> statsUnavailable = {};
  };

  explicit DayDownload(Options options, QObject* parent = nullptr);
  ~DayDownload() override;

  // Starts the downloads and returns; Finished is emitted once, after Start has returned.
  void Start();
  // Stops the transfer in progress and ends the download: Finished is emitted before it returns.
  void Cancel();
  const DayFiles& Result() const { return result_; }

  // Runs a whole download to its end in a local event loop.
  static DayFiles Run(Options options);

 signals:
  // `label` says which file is coming; `total` is 0 while its size is unknown.
  void Progress(const QString& label, qint64 received, qint64 total);
  void Finished();

 private:
  enum class Kind { Program, Result, Stats };
  struct Step {
    Kind kind;
    QString name;
    QUrl url;
    int period = 0;
    // Where the file goes: the file of that name already in the folder (found in any letter
    // case) when it is to be replaced, else a new one.
    QString path = {};
    // A result archive fetched while the day's racing went on: the venues whose results it holds,
    // all of which a new one must hold too.
    QStringList heldVenues = {};
  };

  void Next();
  void Fetch(const Step& step);
  void OnMetaData();
  void OnReadyRead();
  void OnFinished();
  void OnStalled();
  void OnPace();
  void Discard();
  // Why the bytes that arrived (or that stand in the folder) are not the file `step` asks for:
  // empty when they are. `venues` receives a result file's venues with published results.
  QString Examine(const QByteArray& bytes, const Step& step, QStringList* venues = nullptr) const;
  // Whether the file at `path` is what `step` asks for.
  bool Good(const QString& path, const Step& step, QStringList* venues = nullptr) const;
  // A write that failed, as the user reads it: a full disk named as such.
  QString WriteFailure(const QString& reason) const;
  // Renames the arrived file into place; the reason when it cannot. `venues` are those of a
  // result file with published results.
  QString Keep(const QStringList& venues);
  // A failure of the statistics step: noted, and the download goes on (the day is not lost).
  void StatsNotHad(const QString& message);
  // The next statistics step, from `period` back to the previous one, skipping periods known
  // missing; false when neither is left to ask.
  bool QueueStats(int period);
  void Finish(const QString& failure);
  QString PathOf(const QString& name) const;
  QString PendingMarkerOf(const QString& name) const;
  // The path of the archive already in the folder, or empty.
  QString Present(const QString& name) const;
  // The file as messages name it: レース番組表ファイル("b241115.lzh").
  static QString Describe(const Step& step);

  Options options_;
  DayFiles result_;
  QList<Step> steps_;
  std::unique_ptr<QNetworkAccessManager> network_;
  QNetworkReply* reply_ = nullptr;
  std::unique_ptr<QSaveFile> file_;
  QTimer* stallTimer_ = nullptr;
  QTimer* paceTimer_ = nullptr;
  QElapsedTimer clock_;
  Step current_{};
  QByteArray body_;            // what arrived, to be examined before it is kept
  QString writeError_;         // why writing it failed
  QStringList programVenues_;  // the venues of the day's program file, once it is at hand
  qint64 received_ = 0;
  bool stalled_ = false;
  bool slow_ = false;
  bool tooLarge_ = false;
  bool cancelled_ = false;
  bool finished_ = false;
};

}  // namespace wakorin
