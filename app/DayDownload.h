#pragma once

#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <memory>
#include <optional>

#include "base/Error.h"
#include "results/DayFileIdentity.h"

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

// One file of a day's downloads, as messages name it.
struct DownloadFile {
  enum class Kind { Program, Result, Stats };
  Kind kind = Kind::Program;
  QString name;  // b241115.lzh
};

// Why a download ended without its file, as values; app/DownloadText and wakorin-fetch say it.
struct DownloadFault {
  enum class Kind {
    Cancelled,      // `file` when one was in transfer
    FolderNotMade,  // `folder`
    NotWritten,     // `write`, `detail`, and `folder` when the folder cannot be written
    // The transfer failed.
    Stalled,                // nothing arrived for `seconds`
    TooSlow,                // `bytes` in `seconds`, under `bytesPerSecond` on average
    TooLarge,               // over `megabytes`
    RedirectLoop,           // more than `redirects`
    RedirectToOtherScheme,  // to `url` of `scheme`, not followed
    RedirectNotFollowed,    // to `url`
    RedirectFailed,         // to `url` of `scheme`, followed and failed with `detail`
    NotOnServer,            // HTTP 404
    HttpError,              // another HTTP `status`
    CutShort,               // `bytes` of `expected`
    NetworkError,           // Qt's `detail`
    // What arrived is not what was asked for; `left` names the file already there, kept.
    DamagedArchive,  // `archive` says how
    NotAnArchive,    // `arrived`: what came instead (a page, a file not packed...)
    NotWanted,       // the archive holds `arrived`
    VenuesLost,      // a result archive without the results of `venues` that the one before held
    Count,           // not a kind: how many there are
  };
  enum class WriteCause {
    Other,              // the system's `detail` (empty when it said nothing)
    DiskFull,           // the disk or the user's quota
    FolderNotWritable,  // a read-only file system, or one without any room (/proc)
  };

  Kind kind = Kind::Cancelled;
  std::optional<DownloadFile> file = std::nullopt;
  QString folder = {};
  WriteCause write = WriteCause::Other;
  QString detail = {};  // the system's or Qt's own words
  double seconds = 0;
  qint64 bytes = 0;
  qint64 expected = 0;
  int bytesPerSecond = 0;
  int megabytes = 0;
  int redirects = 0;
  int status = 0;
  QString scheme = {};
  QString url = {};
  ArchiveFault archive = ArchiveFault::Damaged;
  DayFileMismatch arrived = {};
  QStringList venues = {};
  QString left = {};
};

// What became of a day's downloads.
struct DayFiles {
  bool ok = false;
  bool cancelled = false;
  std::optional<DownloadFault> fault;  // why it failed

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
  // first; and, when one was asked for this time, why it did not come.
  QList<int> statsMissing;
  std::optional<DownloadFault> statsFault;
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
  // `file` is the one coming; `total` is 0 while its size is unknown.
  void Progress(const wakorin::DownloadFile& file, qint64 received, qint64 total);
  void Finished();

 private:
  using Kind = DownloadFile::Kind;
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
  // nothing when they are. `venues` receives a result file's venues with published results.
  std::optional<DownloadFault> Examine(const QByteArray& bytes, const Step& step,
                                       QStringList* venues = nullptr) const;
  // Whether the file at `path` is what `step` asks for.
  bool Good(const QString& path, const Step& step, QStringList* venues = nullptr) const;
  // A write of the current file that failed for `reason` (the system's words): a full disk
  // named as such.
  DownloadFault WriteFault(const QString& reason) const;
  // Renames the arrived file into place; the fault when it cannot. `venues` are those of a
  // result file with published results.
  std::optional<DownloadFault> Keep(const QStringList& venues);
  // A failure of the statistics step: noted, and the download goes on (the day is not lost).
  void StatsNotHad(const DownloadFault& fault);
  // A failure of the current file: of the statistics step noted, else the end of the download.
  void Failed(const DownloadFault& fault);
  // The next statistics step, from `period` back to the previous one, skipping periods known
  // missing; false when neither is left to ask.
  bool QueueStats(int period);
  void Finish(std::optional<DownloadFault> failure);
  QString PathOf(const QString& name) const;
  QString PendingMarkerOf(const QString& name) const;
  // The path of the archive already in the folder, or empty.
  QString Present(const QString& name) const;
  static DownloadFile FileOf(const Step& step) { return {step.kind, step.name}; }

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
  QStringList programVenues_;  // the venues of the day's program file, once it is at hand
  // Why writing it failed.
  std::optional<DownloadFault> writeFault_;
  qint64 received_ = 0;
  bool stalled_ = false;
  bool slow_ = false;
  bool tooLarge_ = false;
  bool cancelled_ = false;
  bool finished_ = false;
};

}  // namespace wakorin
