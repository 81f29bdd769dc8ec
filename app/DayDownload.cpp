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

QString ArchiveFaultText(ArchiveFault fault) {
  switch (fault) {
    case ArchiveFault::NotArchive:
      return QStringLiteral("LHA形式の圧縮ファイルではありません。");
    case ArchiveFault::Empty:
      return QStringLiteral("圧縮ファイルの中にファイルがありません。");
    case ArchiveFault::SeveralFiles:
      return QStringLiteral("圧縮ファイルにファイルが2つ以上入っています。");
    case ArchiveFault::NotAFile:
      return QStringLiteral("圧縮ファイルにフォルダかリンクが入っています。");
    case ArchiveFault::TooLarge:
      return QStringLiteral("圧縮ファイルを展開すると大きすぎます(%1 MB を超えます)。")
          .arg(kMaxUnpackedSize >> 20);
    case ArchiveFault::Truncated:
      return QStringLiteral("圧縮ファイルが途中で切れています。");
    case ArchiveFault::BadChecksum:
      return QStringLiteral("圧縮ファイルの中身が検査値(CRC)と合いません。");
    case ArchiveFault::UnsafeName:
      return QStringLiteral(
          "圧縮ファイルの中のファイル名がフォルダの外を指しています(\"../\" など)。");
    case ArchiveFault::Damaged:
      break;
  }
  return QStringLiteral("圧縮ファイルが壊れています。");
}

int Yyyymmdd(QDate day) {
  return day.year() * 10000 + day.month() * 100 + day.day();
}

// Why `bytes` are not the file wanted, or empty when they are: an archive (or, with `archive`
// false, a text file) holding the one file of the wanted kind and day. `venues` receives a result
// file's venues with published results.
QString ExamineDayFile(const QByteArray& bytes, DayFileWanted wanted, bool archive,
                       QStringList* venues) {
  const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  std::string unpackedBytes;
  if (archive) {
    auto unpacked = UnpackSingleFile(view);
    if (!unpacked) {
      const ArchiveFault fault = unpacked.error().archiveFault();
      if (fault != ArchiveFault::NotArchive) return ArchiveFaultText(fault);
      // Say what came instead: a web page, a file not packed, or something else.
      const DayFileIdentity identity = IdentifyDayFile(view);
      const std::string mismatch = DescribeDayFileMismatch(identity, wanted);
      if (identity.kind == DayFileKind::Html) {
        return ArchiveFaultText(fault) + QStringLiteral("\n") + QString::fromUtf8(mismatch);
      }
      if (identity.kind != DayFileKind::Other && mismatch.empty()) {
        return ArchiveFaultText(fault) +
               QStringLiteral("\n圧縮されていない%1です。")
                   .arg(QString::fromUtf8(DayFileKindName(identity.kind)));
      }
      return ArchiveFaultText(fault) + QStringLiteral("\n") + QString::fromUtf8(mismatch);
    }
    unpackedBytes = std::move(unpacked->bytes);
  } else {
    unpackedBytes.assign(view);
  }
  const DayFileIdentity identity = IdentifyDayFile(unpackedBytes);
  if (const std::string mismatch = DescribeDayFileMismatch(identity, wanted); !mismatch.empty()) {
    return QString::fromUtf8(mismatch);
  }
  if (venues) {
    venues->clear();
    for (const std::string& code : identity.venues) *venues << QString::fromStdString(code);
  }
  return QString();
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
  return bytes && ExamineDayFile(*bytes, {DayFileKind::Stats, 0}, archive, nullptr).isEmpty();
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

void DayDownload::StatsNotHad(const QString& message) {
  Discard();
  if (!result_.statsMissing.contains(current_.period)) result_.statsMissing << current_.period;
  result_.statsMessage = message;
  Next();
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
    Finish(QStringLiteral("ダウンロードを中止しました。"));
    return;
  }
  if (steps_.isEmpty()) {
    Finish(QString());
    return;
  }
  Fetch(steps_.takeFirst());
}

void DayDownload::Fetch(const Step& step) {
  current_ = step;
  if (current_.path.isEmpty()) current_.path = PathOf(step.name);
  received_ = 0;
  body_.clear();
  writeError_.clear();
  stalled_ = false;
  slow_ = false;
  tooLarge_ = false;
  if (!QDir().mkpath(options_.folder)) {
    Finish(QStringLiteral("データフォルダ(\"%1\")を作れませんでした。").arg(options_.folder));
    return;
  }
  file_ = std::make_unique<QSaveFile>(current_.path);
  if (!file_->open(QIODevice::WriteOnly)) {
    const QString message = QStringLiteral("%1を書き込めませんでした(%2)。")
                                .arg(Describe(step), WriteFailure(file_->errorString()));
    file_.reset();
    if (step.kind == Kind::Stats) {
      StatsNotHad(message);
    } else {
      Finish(message);
    }
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
  emit Progress(QStringLiteral("%1をダウンロードしています...").arg(Describe(step)), 0, 0);
}

void DayDownload::OnMetaData() {
  stallTimer_->start(options_.stallMilliseconds);
}

void DayDownload::OnReadyRead() {
  stallTimer_->start(options_.stallMilliseconds);
  const QByteArray bytes = reply_->readAll();
  // The body of an error page is not the archive.
  const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (status < 200 || status >= 300 || !file_ || !writeError_.isEmpty()) return;
  if (received_ + bytes.size() > kMaxArchiveSize) {
    tooLarge_ = true;
    reply_->abort();
    return;
  }
  if (file_->write(bytes) != bytes.size()) {
    writeError_ = WriteFailure(file_->errorString());
    reply_->abort();
    return;
  }
  body_ += bytes;
  received_ += bytes.size();
  const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
  emit Progress(QStringLiteral("%1をダウンロードしています...").arg(Describe(current_)), received_,
                length.isValid() ? length.toLongLong() : 0);
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
  if (status >= 200 && status < 300 && file_ && writeError_.isEmpty() && !tooLarge_ &&
      reply->bytesAvailable() > 0) {
    const QByteArray rest = reply->readAll();
    if (received_ + rest.size() > kMaxArchiveSize) {
      tooLarge_ = true;
    } else if (file_->write(rest) != rest.size()) {
      writeError_ = WriteFailure(file_->errorString());
    } else {
      body_ += rest;
      received_ += rest.size();
    }
  }
  // What is still buffered reaches the disk now, so that a full disk shows before the checks.
  if (file_ && writeError_.isEmpty() && !file_->flush()) {
    writeError_ = WriteFailure(file_->errorString());
  }
  const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
  const qint64 expected = length.isValid() ? length.toLongLong() : -1;
  const QNetworkReply::NetworkError error = reply->error();
  QUrl target = reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
  // A redirect Qt would not follow leaves its target only in the header.
  if (!target.isValid() && reply->hasRawHeader("Location")) {
    target = QUrl(QString::fromUtf8(reply->rawHeader("Location")));
  }

  QString failure;
  if (cancelled_) {
    failure = QStringLiteral("%1のダウンロードを中止しました。").arg(Describe(current_));
  } else if (!writeError_.isEmpty()) {
    const QString message =
        QStringLiteral("%1を書き込めませんでした(%2)。").arg(Describe(current_), writeError_);
    if (current_.kind == Kind::Stats) {
      StatsNotHad(message);
      return;
    }
    Discard();
    Finish(message);
    return;
  } else if (stalled_) {
    failure = QStringLiteral("%1秒間、受信が進みませんでした。")
                  .arg(options_.stallMilliseconds / 1000.0, 0, 'g', 3);
  } else if (slow_) {
    failure =
        QStringLiteral("受信が遅すぎるので打ち切りました(%1秒で %2 バイト、毎秒 %3 バイト未満)。")
            .arg(clock_.elapsed() / 1000.0, 0, 'f', 1)
            .arg(received_)
            .arg(options_.minimumBytesPerSecond);
  } else if (tooLarge_) {
    failure = QStringLiteral("大きすぎるので打ち切りました(%1 MB を超えます)。")
                  .arg(kMaxArchiveSize >> 20);
  } else if (error == QNetworkReply::TooManyRedirectsError) {
    failure =
        QStringLiteral("転送(リダイレクト)が%1回を超えて続きました。転送が堂々めぐりしています。")
            .arg(kMaxRedirects);
  } else if (error == QNetworkReply::InsecureRedirectError ||
             (status >= 300 && status < 400 && target.isValid())) {
    const QUrl to = reply->url().resolved(target);
    failure =
        to.scheme() != current_.url.scheme()
            ? QStringLiteral(
                  "別の方式(%1)の転送先(%2)へ転送(リダイレクト)されたので、たどりませんでした。")
                  .arg(to.scheme(), to.toString())
            : QStringLiteral("転送先(%1)へ転送(リダイレクト)されましたが、たどれませんでした。")
                  .arg(to.toString());
  } else if (error != QNetworkReply::NoError && reply->url().scheme() != current_.url.scheme()) {
    // A redirect to a safer scheme is followed; when that fails, the reply stands at its target
    // and still carries the redirect's status.
    failure =
        QStringLiteral(
            "別の方式(%1)の転送先(%2)へ転送(リダイレクト)されましたが、たどれませんでした(%3)。")
            .arg(reply->url().scheme(), reply->url().toString(), reply->errorString());
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
    failure = QStringLiteral("サーバーにありません(HTTP 404)。");
  } else if (status >= 300) {
    failure = QStringLiteral("サーバーがエラーを返しました(HTTP %1)。").arg(status);
  } else if (expected >= 0 && received_ < expected) {
    failure =
        QStringLiteral("受信が途中で途切れました(%1 / %2 バイト)。").arg(received_).arg(expected);
  } else if (reply->error() != QNetworkReply::NoError) {
    failure = QStringLiteral("通信エラー: %1").arg(reply->errorString());
  }
  if (!failure.isEmpty()) {
    if (cancelled_) {
      Discard();
      Finish(failure);
      return;
    }
    const QString message =
        QStringLiteral("%1をダウンロードできませんでした。\n%2").arg(Describe(current_), failure);
    if (current_.kind == Kind::Stats) {
      StatsNotHad(message);
      return;
    }
    Discard();
    Finish(message);
    return;
  }
  // Kept only when it is what was asked for.
  QStringList venues;
  QString wrong = Examine(body_, current_, &venues);
  if (wrong.isEmpty()) {
    QStringList lost;
    for (const QString& venue : current_.heldVenues) {
      if (!venues.contains(venue)) lost << venue;
    }
    if (!lost.isEmpty()) {
      wrong = QStringLiteral("前に取得したものにあった会場(%1)の結果がありません。")
                  .arg(lost.join(QLatin1Char(' ')));
    }
  }
  if (!wrong.isEmpty()) {
    QString message =
        QStringLiteral("%1として届いたものは求めたファイルではないので、保存しませんでした。\n%2")
            .arg(Describe(current_), wrong);
    if (QFile::exists(current_.path)) {
      message += QStringLiteral("\nすでにある\"%1\"はそのまま残しました。")
                     .arg(QFileInfo(current_.path).fileName());
    }
    if (current_.kind == Kind::Stats) {
      StatsNotHad(message);
      return;
    }
    Discard();
    Finish(message);
    return;
  }
  if (current_.kind == Kind::Program) programVenues_ = venues;
  if (const QString unsaved = Keep(venues); !unsaved.isEmpty()) {
    const QString message =
        QStringLiteral("%1を書き込めませんでした(%2)。").arg(Describe(current_), unsaved);
    if (current_.kind == Kind::Stats) {
      StatsNotHad(message);
      return;
    }
    Finish(message);
    return;
  }
  Next();
}

void DayDownload::Discard() {
  // The temporary file goes with the QSaveFile that was not committed.
  if (file_) file_->cancelWriting();
  file_.reset();
}

QString DayDownload::Keep(const QStringList& venues) {
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
      return WriteFailure(note.errorString());
    }
  }
  if (!file->commit()) return WriteFailure(file->errorString());
  if (!pending) QFile::remove(marker);
  result_.fetched << current_.name;
  // A period that came in the end leaves the day with its statistics.
  if (current_.kind == Kind::Stats) result_.statsMissing.clear();
  if (pending && options_.now >= ResultsFinalAfter(options_.day))
    result_.incomplete << current_.name;
  if (current_.kind == Kind::Program) result_.programArchive = file->fileName();
  return QString();
}

void DayDownload::Finish(const QString& failure) {
  if (finished_) return;
  finished_ = true;
  result_.cancelled = cancelled_;
  if (!failure.isEmpty() && result_.message.isEmpty()) result_.message = failure;
  result_.ok = result_.message.isEmpty();
  emit Finished();
}

QString DayDownload::Examine(const QByteArray& bytes, const Step& step, QStringList* venues) const {
  const DayFileKind kind = step.kind == Kind::Program  ? DayFileKind::Program
                           : step.kind == Kind::Result ? DayFileKind::Result
                                                       : DayFileKind::Stats;
  return ExamineDayFile(bytes, {kind, kind == DayFileKind::Stats ? 0 : Yyyymmdd(options_.day)},
                        true, venues);
}

bool DayDownload::Good(const QString& path, const Step& step, QStringList* venues) const {
  const std::optional<QByteArray> bytes = ReadWhole(path);
  return bytes && Examine(*bytes, step, venues).isEmpty();
}

QString DayDownload::WriteFailure(const QString& reason) const {
  // The system names a full disk by its own words; a disk with no room left is one too.
  for (int full : {ENOSPC, EDQUOT}) {
    const QString words = QString::fromLocal8Bit(std::strerror(full));
    if (!words.isEmpty() && reason.contains(words, Qt::CaseInsensitive)) {
      return QStringLiteral("ディスクがいっぱいです");
    }
  }
  // A disk with no room left is full even when the system's words do not say so; a file system
  // without any size (/proc, /sys) has no room to run out of, and is simply not writable.
  const QStorageInfo storage(options_.folder);
  if (storage.isValid() && storage.bytesTotal() > 0 && !storage.isReadOnly() &&
      storage.bytesAvailable() == 0) {
    return QStringLiteral("ディスクがいっぱいです");
  }
  const QString said = reason.isEmpty() ? QStringLiteral("書き込みエラー") : reason;
  if (storage.isValid() && (storage.isReadOnly() || storage.bytesTotal() == 0)) {
    return QStringLiteral("フォルダ\"%1\"には書き込めません: %2").arg(options_.folder, said);
  }
  return said;
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

QString DayDownload::Describe(const Step& step) {
  const QString kind = step.kind == Kind::Program ? QStringLiteral("レース番組表ファイル")
                       : step.kind == Kind::Result ? QStringLiteral("競走成績ファイル")
                                                   : QStringLiteral("選手期別成績ファイル");
  return QStringLiteral("%1(\"%2\")").arg(kind, step.name);
}

}  // namespace wakorin
