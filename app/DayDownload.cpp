#include "app/DayDownload.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QStorageInfo>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>

#include "base/Archive.h"
#include "base/FileNames.h"
#include "predict/RacerStats.h"
#include "results/DayFileIdentity.h"

namespace wakorin {
namespace {

// An archive this large is not one the site publishes: its transfer is given up.
constexpr qint64 kMaxArchiveSize = static_cast<qint64>(kMaxUnpackedSize);
// Redirects followed before a transfer is given up as a loop.
constexpr int kMaxRedirects = 10;

QString BaseFromEnvironment(const char* variable, const QString& fallback) {
  QString base = qEnvironmentVariable(variable);
  if (base.isEmpty()) return fallback;
  while (base.endsWith(QLatin1Char('/'))) base.chop(1);
  return base;
}

QString Yymm(int period) {
  return QStringLiteral("%1%2")
      .arg(period / 100 % 100, 2, 10, QLatin1Char('0'))
      .arg(period % 100, 2, 10, QLatin1Char('0'));
}

int Yyyymmdd(QDate day) {
  return day.year() * 10000 + day.month() * 100 + day.day();
}

// Why `bytes` are not the file wanted, or nothing when they are: an archive (or, with `archive`
// false, a text file) holding the one file of the wanted kind and day. `venues` receives a result
// file's venues with published results.
std::optional<DownloadFault> ExamineDayFile(const QByteArray& bytes, DayFileWanted wanted,
                                            bool archive, QStringList* venues) {
  const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  std::string unpackedBytes;
  DownloadFault fault;
  if (archive) {
    auto unpacked = UnpackSingleFile(view);
    if (!unpacked) {
      fault.archive = unpacked.error().archiveFault();
      if (fault.archive != ArchiveFault::NotArchive) {
        fault.kind = DownloadFault::Kind::DamagedArchive;
        fault.megabytes = static_cast<int>(kMaxUnpackedSize >> 20);
        return fault;
      }
      // Say what came instead: a web page, a file not packed (no mismatch), or something else.
      fault.kind = DownloadFault::Kind::NotAnArchive;
      fault.arrived = FindDayFileMismatch(IdentifyDayFile(view), wanted);
      return fault;
    }
    unpackedBytes = std::move(unpacked->bytes);
  } else {
    unpackedBytes.assign(view);
  }
  const DayFileIdentity identity = IdentifyDayFile(unpackedBytes);
  if (const DayFileMismatch mismatch = FindDayFileMismatch(identity, wanted)) {
    fault.kind = DownloadFault::Kind::NotWanted;
    fault.arrived = mismatch;
    return fault;
  }
  if (venues) {
    venues->clear();
    for (const std::string& code : identity.venues) *venues << QString::fromStdString(code);
  }
  return std::nullopt;
}

// The whole file at `path`, or nothing when it cannot be read or is larger than any archive the
// site publishes.
std::optional<QByteArray> ReadWhole(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxArchiveSize) return std::nullopt;
  return file.readAll();
}

}  // namespace

ArchiveSite ArchiveSite::Official() {
  return {QStringLiteral("https://www1.mbrace.or.jp/od2"),
          QStringLiteral("https://www.boatrace.jp/static_extra/pc_static/download/data/kibetsu")};
}

ArchiveSite ArchiveSite::FromEnvironment() {
  const ArchiveSite official = Official();
  return {BaseFromEnvironment("WAKORIN_DAY_FILES_URL", official.dayFiles),
          BaseFromEnvironment("WAKORIN_RACER_FILES_URL", official.racerFiles)};
}

QUrl ArchiveSite::ProgramUrl(QDate day) const {
  return QUrl(dayFiles + QStringLiteral("/B/") + day.toString(QStringLiteral("yyyyMM")) +
              QLatin1Char('/') + ProgramArchiveName(day));
}

QUrl ArchiveSite::ResultUrl(QDate day) const {
  return QUrl(dayFiles + QStringLiteral("/K/") + day.toString(QStringLiteral("yyyyMM")) +
              QLatin1Char('/') + ResultArchiveName(day));
}

QUrl ArchiveSite::StatsUrl(int period) const {
  return QUrl(racerFiles + QLatin1Char('/') + StatsArchiveName(period));
}

QString ProgramArchiveName(QDate day) {
  return QLatin1Char('b') + day.toString(QStringLiteral("yyMMdd")) + QStringLiteral(".lzh");
}

QString ResultArchiveName(QDate day) {
  return QLatin1Char('k') + day.toString(QStringLiteral("yyMMdd")) + QStringLiteral(".lzh");
}

QString StatsArchiveName(int period) {
  return QStringLiteral("fan") + Yymm(period) + QStringLiteral(".lzh");
}

int LatestStatsPeriod(QDate day) {
  if (day.month() >= 10) return day.year() * 100 + 10;
  if (day.month() >= 4) return day.year() * 100 + 4;
  return (day.year() - 1) * 100 + 10;
}

int PreviousStatsPeriod(int period) {
  return period % 100 == 10 ? period - 6 : (period / 100 - 1) * 100 + 10;
}

bool HasStatsFile(const QString& folder, QDate day) {
  // The file the day's prediction would read, found by the predictor's own rule; it counts only
  // when it is a statistics file: a web page saved under its name does not. A period file passed
  // over for an older one is fetched again: the day should read the latest.
  const StatsSearch search =
      SearchStatsFileIn(folder.toLocal8Bit().toStdString(), day.year() * 100 + day.month());
  const std::optional<std::string>& found = search.path;
  if (!found) return false;
  for (const Error& refused : search.refused) {
    const std::string name = std::filesystem::path(refused.text).filename().string();
    if (!SameIgnoringCase(name, "Fan0510.txt")) return false;
  }
  const QString path = QString::fromLocal8Bit(found->c_str());
  const std::optional<QByteArray> bytes = ReadWhole(path);
  const bool archive = path.endsWith(QStringLiteral(".lzh"), Qt::CaseInsensitive);
  return bytes && !ExamineDayFile(*bytes, {DayFileKind::Stats, 0}, archive, nullptr);
}

QDateTime ResultsFinalAfter(QDate day) {
  // Night racing ends before 21:00 and its results follow within the hour.
  return QDateTime(day, QTime(23, 0));
}

QDate LatestPublishedDay(const QDateTime& now) {
  return now >= ResultsFinalAfter(now.date()) ? now.date() : now.date().addDays(-1);
}

DayDownload::DayDownload(Options options, QObject* parent)
    : QObject(parent), options_(std::move(options)) {}

DayDownload::~DayDownload() {
  // The manager deletes its replies; none may call back into a half-destroyed download.
  if (reply_) reply_->disconnect(this);
}

void DayDownload::Start() {
  const QDate day = options_.day;
  // A file already in the folder that is not what its name promises counts as missing; it stays
  // until a good one has arrived to replace it.
  Step program{Kind::Program, ProgramArchiveName(day), options_.site.ProgramUrl(day)};
  program.path = Present(program.name);
  if (!program.path.isEmpty() && Good(program.path, program, &programVenues_)) {
    result_.kept << program.name;
    result_.programArchive = program.path;
  } else {
    steps_.append(program);
  }
  // A result archive fetched while the day's racing went on is fetched again, and replaced only
  // by one holding at least the results it held.
  Step results{Kind::Result, ResultArchiveName(day), options_.site.ResultUrl(day)};
  results.path = Present(results.name);
  QStringList held;
  const bool good = !results.path.isEmpty() && Good(results.path, results, &held);
  if (good && !QFile::exists(PendingMarkerOf(results.name))) {
    result_.kept << results.name;
  } else {
    if (good) results.heldVenues = held;
    steps_.append(results);
  }
  if (!HasStatsFile(options_.folder, day)) QueueStats(LatestStatsPeriod(day));
  QTimer::singleShot(0, this, &DayDownload::Next);
}

bool DayDownload::QueueStats(int period) {
  // The day's prediction reads the latest period begun by its month, else the one before.
  const int latest = LatestStatsPeriod(options_.day);
  for (; period == latest || period == PreviousStatsPeriod(latest);
       period = PreviousStatsPeriod(period)) {
    if (!options_.statsUnavailable.contains(period)) {
      steps_.append({Kind::Stats, StatsArchiveName(period), options_.site.StatsUrl(period), period,
                     Present(StatsArchiveName(period))});
      return true;
    }
    if (!result_.statsMissing.contains(period)) result_.statsMissing << period;
  }
  return false;
}

void DayDownload::StatsNotHad(const DownloadFault& fault) {
  Discard();
  if (!result_.statsMissing.contains(current_.period)) result_.statsMissing << current_.period;
  result_.statsFault = fault;
  Next();
}

void DayDownload::Failed(const DownloadFault& fault) {
  if (current_.kind == Kind::Stats && !cancelled_) {
    StatsNotHad(fault);
    return;
  }
  Discard();
  Finish(fault);
}

void DayDownload::Cancel() {
  if (finished_) return;
  cancelled_ = true;
  if (!reply_) {
    Next();
    return;
  }
  reply_->abort();
  // Qt reports an aborted transfer at once; should it not, the download ends here all the same.
  if (reply_) {
    reply_->disconnect(this);
    OnFinished();
  }
}

DayFiles DayDownload::Run(Options options) {
  DayDownload download(std::move(options));
  QEventLoop loop;
  connect(&download, &DayDownload::Finished, &loop, &QEventLoop::quit);
  download.Start();
  loop.exec();
  return download.Result();
}

void DayDownload::Next() {
  if (finished_) return;
  if (cancelled_) {
    Finish(DownloadFault{DownloadFault::Kind::Cancelled});
    return;
  }
  if (steps_.isEmpty()) {
    Finish(std::nullopt);
    return;
  }
  Fetch(steps_.takeFirst());
}

void DayDownload::Fetch(const Step& step) {
  current_ = step;
  if (current_.path.isEmpty()) current_.path = PathOf(step.name);
  received_ = 0;
  body_.clear();
  writeFault_.reset();
  stalled_ = false;
  slow_ = false;
  tooLarge_ = false;
  if (!QDir().mkpath(options_.folder)) {
    DownloadFault fault{DownloadFault::Kind::FolderNotMade};
    fault.folder = options_.folder;
    Finish(fault);
    return;
  }
  file_ = std::make_unique<QSaveFile>(current_.path);
  if (!file_->open(QIODevice::WriteOnly)) {
    const DownloadFault fault = WriteFault(file_->errorString());
    file_.reset();
    Failed(fault);
    return;
  }
  if (!network_) network_ = std::make_unique<QNetworkAccessManager>();
  if (!stallTimer_) {
    stallTimer_ = new QTimer(this);
    stallTimer_->setSingleShot(true);
    connect(stallTimer_, &QTimer::timeout, this, &DayDownload::OnStalled);
  }
  if (!paceTimer_) {
    paceTimer_ = new QTimer(this);
    connect(paceTimer_, &QTimer::timeout, this, &DayDownload::OnPace);
  }
  // Redirects are followed only to the same scheme or a safer one, and only so many times.
  QNetworkRequest request(step.url);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::NoLessSafeRedirectPolicy);
  request.setMaximumRedirectsAllowed(kMaxRedirects);
  clock_.start();
  paceTimer_->start(std::clamp(options_.slowAfterMilliseconds / 4, 50, 1000));
  reply_ = network_->get(request);
  connect(reply_, &QNetworkReply::metaDataChanged, this, &DayDownload::OnMetaData);
  connect(reply_, &QNetworkReply::readyRead, this, &DayDownload::OnReadyRead);
  connect(reply_, &QNetworkReply::finished, this, &DayDownload::OnFinished);
  stallTimer_->start(options_.stallMilliseconds);
  emit Progress(FileOf(step), 0, 0);
}

void DayDownload::OnMetaData() {
  stallTimer_->start(options_.stallMilliseconds);
}

void DayDownload::OnReadyRead() {
  stallTimer_->start(options_.stallMilliseconds);
  const QByteArray bytes = reply_->readAll();
  // The body of an error page is not the archive.
  const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (status < 200 || status >= 300 || !file_ || writeFault_) return;
  if (received_ + bytes.size() > kMaxArchiveSize) {
    tooLarge_ = true;
    reply_->abort();
    return;
  }
  if (file_->write(bytes) != bytes.size()) {
    writeFault_ = WriteFault(file_->errorString());
    reply_->abort();
    return;
  }
  body_ += bytes;
  received_ += bytes.size();
  const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
  emit Progress(FileOf(current_), received_, length.isValid() ? length.toLongLong() : 0);
}

void DayDownload::OnStalled() {
  stalled_ = true;
  if (reply_) reply_->abort();
}

void DayDownload::OnPace() {
  if (!reply_) return;
  const qint64 elapsed = clock_.elapsed();
  if (elapsed < options_.slowAfterMilliseconds ||
      received_ * 1000 >= qint64{options_.minimumBytesPerSecond} * elapsed) {
    return;
  }
  slow_ = true;
  reply_->abort();
}

void DayDownload::OnFinished() {
  stallTimer_->stop();
  paceTimer_->stop();
  QNetworkReply* reply = reply_;
  reply_ = nullptr;
  reply->deleteLater();
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (status >= 200 && status < 300 && file_ && !writeFault_ && !tooLarge_ &&
      reply->bytesAvailable() > 0) {
    const QByteArray rest = reply->readAll();
    if (received_ + rest.size() > kMaxArchiveSize) {
      tooLarge_ = true;
    } else if (file_->write(rest) != rest.size()) {
      writeFault_ = WriteFault(file_->errorString());
    } else {
      body_ += rest;
      received_ += rest.size();
    }
  }
  // What is still buffered reaches the disk now, so that a full disk shows before the checks.
  if (file_ && !writeFault_ && !file_->flush()) {
    writeFault_ = WriteFault(file_->errorString());
  }
  const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
  const qint64 expected = length.isValid() ? length.toLongLong() : -1;
  const QNetworkReply::NetworkError error = reply->error();
  QUrl target = reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
  // A redirect Qt would not follow leaves its target only in the header.
  if (!target.isValid() && reply->hasRawHeader("Location")) {
    target = QUrl(QString::fromUtf8(reply->rawHeader("Location")));
  }

  using Fault = DownloadFault::Kind;
  DownloadFault failure{Fault::Cancelled, FileOf(current_)};
  if (cancelled_) {
    Failed(failure);
    return;
  }
  if (writeFault_) {
    Failed(*writeFault_);
    return;
  }
  if (stalled_) {
    failure.kind = Fault::Stalled;
    failure.seconds = options_.stallMilliseconds / 1000.0;
  } else if (slow_) {
    failure.kind = Fault::TooSlow;
    failure.seconds = clock_.elapsed() / 1000.0;
    failure.bytes = received_;
    failure.bytesPerSecond = options_.minimumBytesPerSecond;
  } else if (tooLarge_) {
    failure.kind = Fault::TooLarge;
    failure.megabytes = static_cast<int>(kMaxArchiveSize >> 20);
  } else if (error == QNetworkReply::TooManyRedirectsError) {
    failure.kind = Fault::RedirectLoop;
    failure.redirects = kMaxRedirects;
  } else if (error == QNetworkReply::InsecureRedirectError ||
             (status >= 300 && status < 400 && target.isValid())) {
    const QUrl to = reply->url().resolved(target);
    failure.kind = to.scheme() != current_.url.scheme() ? Fault::RedirectToOtherScheme
                                                        : Fault::RedirectNotFollowed;
    failure.scheme = to.scheme();
    failure.url = to.toString();
  } else if (error != QNetworkReply::NoError && reply->url().scheme() != current_.url.scheme()) {
    // A redirect to a safer scheme is followed; when that fails, the reply stands at its target
    // and still carries the redirect's status.
    failure.kind = Fault::RedirectFailed;
    failure.scheme = reply->url().scheme();
    failure.url = reply->url().toString();
    failure.detail = reply->errorString();
  } else if (status == 404) {
    // A period file is often published weeks after its month begins: the one before serves.
    if (current_.kind == Kind::Stats && current_.period == LatestStatsPeriod(options_.day)) {
      Discard();
      result_.statsMissing << current_.period;
      if (QueueStats(PreviousStatsPeriod(current_.period))) {
        Next();
        return;
      }
    }
    // Results of a day whose racing is not over are not published yet; the card still is.
    if (current_.kind == Kind::Result && options_.now < ResultsFinalAfter(options_.day)) {
      Discard();
      result_.awaited << current_.name;
      Next();
      return;
    }
    failure.kind = Fault::NotOnServer;
    failure.status = status;
  } else if (status >= 300) {
    failure.kind = Fault::HttpError;
    failure.status = status;
  } else if (expected >= 0 && received_ < expected) {
    failure.kind = Fault::CutShort;
    failure.bytes = received_;
    failure.expected = expected;
  } else if (reply->error() != QNetworkReply::NoError) {
    failure.kind = Fault::NetworkError;
    failure.detail = reply->errorString();
  } else {
    // Kept only when it is what was asked for.
    QStringList venues;
    std::optional<DownloadFault> wrong = Examine(body_, current_, &venues);
    if (!wrong) {
      QStringList lost;
      for (const QString& venue : current_.heldVenues) {
        if (!venues.contains(venue)) lost << venue;
      }
      if (!lost.isEmpty()) {
        wrong = DownloadFault{Fault::VenuesLost};
        wrong->venues = lost;
      }
    }
    if (!wrong) {
      if (current_.kind == Kind::Program) programVenues_ = venues;
      if (const std::optional<DownloadFault> unsaved = Keep(venues)) {
        Failed(*unsaved);
        return;
      }
      Next();
      return;
    }
    failure = *wrong;
    failure.file = FileOf(current_);
    if (QFile::exists(current_.path)) failure.left = QFileInfo(current_.path).fileName();
  }
  Failed(failure);
}
void DayDownload::Discard() {
  // The temporary file goes with the QSaveFile that was not committed.
  if (file_) file_->cancelWriting();
  file_.reset();
}

std::optional<DownloadFault> DayDownload::Keep(const QStringList& venues) {
  std::unique_ptr<QSaveFile> file = std::move(file_);
  const QString marker = PendingMarkerOf(current_.name);
  // The marker is written before the archive appears, so that no pending archive is ever
  // taken for a complete one. A result archive is complete once the racing is over and it holds
  // the results of every venue of the day's program: the site may serve an archive fetched
  // during the day unchanged long after its last race.
  const bool lacksVenue = std::any_of(programVenues_.cbegin(), programVenues_.cend(),
                                      [&](const QString& v) { return !venues.contains(v); });
  const bool pending = current_.kind == Kind::Result &&
                       (options_.now < ResultsFinalAfter(options_.day) || lacksVenue);
  if (pending) {
    QFile note(marker);
    if (!note.open(QIODevice::WriteOnly) ||
        note.write(options_.now.toString(Qt::ISODate).toLatin1()) < 0 || !note.flush()) {
      file->cancelWriting();
      return WriteFault(note.errorString());
    }
  }
  if (!file->commit()) return WriteFault(file->errorString());
  if (!pending) QFile::remove(marker);
  result_.fetched << current_.name;
  // A period that came in the end leaves the day with its statistics.
  if (current_.kind == Kind::Stats) result_.statsMissing.clear();
  if (pending && options_.now >= ResultsFinalAfter(options_.day))
    result_.incomplete << current_.name;
  if (current_.kind == Kind::Program) result_.programArchive = file->fileName();
  return std::nullopt;
}

void DayDownload::Finish(std::optional<DownloadFault> failure) {
  if (finished_) return;
  finished_ = true;
  result_.cancelled = cancelled_;
  if (failure && !result_.fault) result_.fault = std::move(failure);
  result_.ok = !result_.fault;
  emit Finished();
}

std::optional<DownloadFault> DayDownload::Examine(const QByteArray& bytes, const Step& step,
                                                  QStringList* venues) const {
  const DayFileKind kind = step.kind == Kind::Program  ? DayFileKind::Program
                           : step.kind == Kind::Result ? DayFileKind::Result
                                                       : DayFileKind::Stats;
  return ExamineDayFile(bytes, {kind, kind == DayFileKind::Stats ? 0 : Yyyymmdd(options_.day)},
                        true, venues);
}

bool DayDownload::Good(const QString& path, const Step& step, QStringList* venues) const {
  const std::optional<QByteArray> bytes = ReadWhole(path);
  return bytes && !Examine(*bytes, step, venues);
}

DownloadFault DayDownload::WriteFault(const QString& reason) const {
  DownloadFault fault{DownloadFault::Kind::NotWritten, FileOf(current_)};
  fault.detail = reason;
  // The system names a full disk by its own words; a disk with no room left is one too.
  for (int full : {ENOSPC, EDQUOT}) {
    const QString words = QString::fromLocal8Bit(std::strerror(full));
    if (!words.isEmpty() && reason.contains(words, Qt::CaseInsensitive)) {
      fault.write = DownloadFault::WriteCause::DiskFull;
      return fault;
    }
  }
  // A disk with no room left is full even when the system's words do not say so; a file system
  // without any size (/proc, /sys) has no room to run out of, and is simply not writable.
  const QStorageInfo storage(options_.folder);
  if (storage.isValid() && storage.bytesTotal() > 0 && !storage.isReadOnly() &&
      storage.bytesAvailable() == 0) {
    fault.write = DownloadFault::WriteCause::DiskFull;
  } else if (storage.isValid() && (storage.isReadOnly() || storage.bytesTotal() == 0)) {
    fault.write = DownloadFault::WriteCause::FolderNotWritable;
    fault.folder = options_.folder;
  }
  return fault;
}

QString DayDownload::PathOf(const QString& name) const {
  return QDir(options_.folder).filePath(name);
}

QString DayDownload::PendingMarkerOf(const QString& name) const {
  return PathOf(QLatin1Char('.') + name + QStringLiteral(".pending"));
}

QString DayDownload::Present(const QString& name) const {
  // Name filters ignore letter case: B241115.LZH is the same archive.
  const QDir folder(options_.folder);
  const QStringList found = folder.entryList({name}, QDir::Files, QDir::Name);
  return found.isEmpty() ? QString() : folder.filePath(found.constFirst());
}

}  // namespace wakorin
