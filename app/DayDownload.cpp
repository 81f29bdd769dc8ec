#include "app/DayDownload.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTimer>

namespace wakorin {
namespace {

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
  static const QRegularExpression name(QStringLiteral("^fan(\\d\\d)(\\d\\d)\\.(txt|lzh)$"),
                                       QRegularExpression::CaseInsensitiveOption);
  const int latest = day.year() * 100 + day.month();
  const QStringList files = QDir(folder).entryList(QDir::Files);
  for (const QString& file : files) {
    const QRegularExpressionMatch match = name.match(file);
    // Two-digit years: every period file was published after 2000.
    if (match.hasMatch() &&
        (2000 + match.captured(1).toInt()) * 100 + match.captured(2).toInt() <= latest) {
      return true;
    }
  }
  return false;
}

QDateTime ResultsFinalAfter(QDate day) {
  // Night racing ends before 21:00 and its results follow within the hour.
  return QDateTime(day, QTime(23, 0));
}

DayDownload::DayDownload(Options options, QObject* parent)
    : QObject(parent), options_(std::move(options)) {}

DayDownload::~DayDownload() {
  // The manager deletes its replies; none may call back into a half-destroyed download.
  if (reply_) reply_->disconnect(this);
}

void DayDownload::Start() {
  const QDate day = options_.day;
  const QString program = ProgramArchiveName(day);
  if (const QString present = Present(program); !present.isEmpty()) {
    result_.kept << program;
    result_.programArchive = present;
  } else {
    steps_.append({Kind::Program, program, options_.site.ProgramUrl(day)});
  }
  // A result archive fetched while the day's racing went on is fetched again.
  const QString results = ResultArchiveName(day);
  if (!Present(results).isEmpty() && !QFile::exists(PendingMarkerOf(results))) {
    result_.kept << results;
  } else {
    steps_.append({Kind::Result, results, options_.site.ResultUrl(day)});
  }
  if (!HasStatsFile(options_.folder, day)) {
    const int period = LatestStatsPeriod(day);
    steps_.append({Kind::Stats, StatsArchiveName(period), options_.site.StatsUrl(period), period});
  }
  QTimer::singleShot(0, this, &DayDownload::Next);
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
  received_ = 0;
  stalled_ = false;
  if (!QDir().mkpath(options_.folder)) {
    Finish(QStringLiteral("データフォルダ(\"%1\")を作れませんでした。").arg(options_.folder));
    return;
  }
  file_ = std::make_unique<QSaveFile>(PathOf(step.name));
  if (!file_->open(QIODevice::WriteOnly)) {
    const QString reason = file_->errorString();
    file_.reset();
    Finish(QStringLiteral("%1を保存できませんでした。\n%2").arg(Describe(step), reason));
    return;
  }
  if (!network_) network_ = std::make_unique<QNetworkAccessManager>();
  if (!stallTimer_) {
    stallTimer_ = new QTimer(this);
    stallTimer_->setSingleShot(true);
    connect(stallTimer_, &QTimer::timeout, this, &DayDownload::OnStalled);
  }
  reply_ = network_->get(QNetworkRequest(step.url));
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
  if (status < 200 || status >= 300 || !file_) return;
  if (file_->write(bytes) != bytes.size()) {
    reply_->abort();
    return;
  }
  received_ += bytes.size();
  const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
  emit Progress(QStringLiteral("%1をダウンロードしています...").arg(Describe(current_)), received_,
                length.isValid() ? length.toLongLong() : 0);
}

void DayDownload::OnStalled() {
  stalled_ = true;
  if (reply_) reply_->abort();
}

void DayDownload::OnFinished() {
  stallTimer_->stop();
  QNetworkReply* reply = reply_;
  reply_ = nullptr;
  reply->deleteLater();
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (status >= 200 && status < 300 && file_ && reply->bytesAvailable() > 0) {
    const QByteArray rest = reply->readAll();
    if (file_->write(rest) == rest.size()) received_ += rest.size();
  }
  const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
  const qint64 expected = length.isValid() ? length.toLongLong() : -1;

  QString failure;
  if (cancelled_) {
    failure = QStringLiteral("%1のダウンロードを中止しました。").arg(Describe(current_));
  } else if (stalled_) {
    failure = QStringLiteral("%1秒間、受信が進みませんでした。")
                  .arg(options_.stallMilliseconds / 1000.0, 0, 'g', 3);
  } else if (file_ && file_->error() != QFileDevice::NoError) {
    failure = QStringLiteral("保存できませんでした。%1").arg(file_->errorString());
  } else if (status == 404) {
    // A period file is often published weeks after its month begins: the one before serves.
    if (current_.kind == Kind::Stats && current_.period == LatestStatsPeriod(options_.day)) {
      const int previous = PreviousStatsPeriod(current_.period);
      Discard();
      steps_.prepend(
          {Kind::Stats, StatsArchiveName(previous), options_.site.StatsUrl(previous), previous});
      Next();
      return;
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
    Discard();
    Finish(cancelled_ ? failure
                      : QStringLiteral("%1をダウンロードできませんでした。\n%2")
                            .arg(Describe(current_), failure));
    return;
  }
  if (const QString unsaved = Keep(); !unsaved.isEmpty()) {
    Finish(QStringLiteral("%1を保存できませんでした。\n%2").arg(Describe(current_), unsaved));
    return;
  }
  Next();
}

void DayDownload::Discard() {
  // The temporary file goes with the QSaveFile that was not committed.
  if (file_) file_->cancelWriting();
  file_.reset();
}

QString DayDownload::Keep() {
  std::unique_ptr<QSaveFile> file = std::move(file_);
  const QString marker = PendingMarkerOf(current_.name);
  // The marker is written before the archive appears, so that no pending archive is ever
  // taken for a complete one.
  const bool pending =
      current_.kind == Kind::Result && options_.now < ResultsFinalAfter(options_.day);
  if (pending) {
    QFile note(marker);
    if (!note.open(QIODevice::WriteOnly) ||
        note.write(options_.now.toString(Qt::ISODate).toLatin1()) < 0) {
      file->cancelWriting();
      return note.errorString();
    }
  }
  if (!file->commit()) return file->errorString();
  if (!pending) QFile::remove(marker);
  result_.fetched << current_.name;
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
