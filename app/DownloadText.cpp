#include "app/DownloadText.h"

#include "ui/CalendarDay.h"
#include <QStringList>

namespace wakorin {

const DownloadWords kJapaneseDownloadWords{
    .programFile = "レース番組表ファイル(\"%1\")",
    .resultFile = "競走成績ファイル(\"%1\")",
    .statsFile = "選手期別成績ファイル(\"%1\")",
    .programKind = "レース番組表ファイル",
    .resultKind = "競走成績ファイル",
    .statsKind = "選手期別成績ファイル",
    .htmlKind = "HTMLのページ",
    .otherKind = "データファイルではないもの",
    .date = "%1年%2月%3日",

    .downloading = "%1をダウンロードしています...",
    .cancelled = "ダウンロードを中止しました。",
    .cancelledFile = "%1のダウンロードを中止しました。",
    .folderNotMade = "データフォルダ(\"%1\")を作れませんでした。",
    .notWritten = "%1を書き込めませんでした(%2)。",
    .diskFull = "ディスクがいっぱいです",
    .folderNotWritable = "フォルダ\"%1\"には書き込めません: %2",
    .writeError = "書き込みエラー",

    .notDownloaded = "%1をダウンロードできませんでした。",
    .stalled = "%1秒間、受信が進みませんでした。",
    .tooSlow = "受信が遅すぎるので打ち切りました(%1秒で %2 バイト、毎秒 %3 バイト未満)。",
    .tooLarge = "大きすぎるので打ち切りました(%1 MB を超えます)。",
    .redirectLoop = "転送(リダイレクト)が%1回を超えて続きました。転送が堂々めぐりしています。",
    .redirectToOtherScheme =
        "別の方式(%1)の転送先(%2)へ転送(リダイレクト)されたので、たどりませんでした。",
    .redirectNotFollowed = "転送先(%1)へ転送(リダイレクト)されましたが、たどれませんでした。",
    .redirectFailed =
        "別の方式(%1)の転送先(%2)へ転送(リダイレクト)されましたが、たどれませんでした(%3)。",
    .notOnServer = "サーバーにありません(HTTP 404)。",
    .httpError = "サーバーがエラーを返しました(HTTP %1)。",
    .cutShort = "受信が途中で途切れました(%1 / %2 バイト)。",
    .networkError = "通信エラー: %1",

    .notWanted = "%1として届いたものは求めたファイルではないので、保存しませんでした。",
    .keptOld = "すでにある\"%1\"はそのまま残しました。",
    .venuesLost = "前に取得したものにあった会場(%1)の結果がありません。",
    .venueSeparator = " ",
    .notArchive = "LHA形式の圧縮ファイルではありません。",
    .archiveEmpty = "圧縮ファイルの中にファイルがありません。",
    .archiveSeveralFiles = "圧縮ファイルにファイルが2つ以上入っています。",
    .archiveNotAFile = "圧縮ファイルにフォルダかリンクが入っています。",
    .archiveTooLarge = "圧縮ファイルを展開すると大きすぎます(%1 MB を超えます)。",
    .archiveDamaged = "圧縮ファイルが壊れています。",
    .archiveTruncated = "圧縮ファイルが途中で切れています。",
    .archiveBadChecksum = "圧縮ファイルの中身が検査値(CRC)と合いません。",
    .archiveUnsafeName = "圧縮ファイルの中のファイル名がフォルダの外を指しています(\"../\" など)。",
    .notPacked = "圧縮されていない%1です。",
    .html = "データファイルではなくHTMLのページです(ログイン画面やエラー画面など)。",
    .notDataFile = "レース番組表・競走成績・選手期別成績のどのファイルでもありません。",
    .otherKindOfDay = "%1の%2です。",
    .otherKindAlone = "%1です。",
    .flawed = "%1ですが、%2",
    .otherDay = "別の日(%1)の%2です。",
    .datesDisagree = "会場によって日付が違います。",
    .noVenue = "会場がひとつもありません。",
    .noDate = "日付が読めません。",
};

namespace {

QString Words(const char* pattern) {
  return QString::fromUtf8(pattern);
}

QString FileText(const DownloadFile& file, const DownloadWords& words) {
  switch (file.kind) {
    case DownloadFile::Kind::Program:
      return Words(words.programFile).arg(file.name);
    case DownloadFile::Kind::Result:
      return Words(words.resultFile).arg(file.name);
    case DownloadFile::Kind::Stats:
      break;
  }
  return Words(words.statsFile).arg(file.name);
}

QString KindText(DayFileKind kind, const DownloadWords& words) {
  switch (kind) {
    case DayFileKind::Program:
      return Words(words.programKind);
    case DayFileKind::Result:
      return Words(words.resultKind);
    case DayFileKind::Stats:
      return Words(words.statsKind);
    case DayFileKind::Html:
      return Words(words.htmlKind);
    case DayFileKind::Other:
      break;
  }
  return Words(words.otherKind);
}

QString DateText(int yyyymmdd, const DownloadWords& words) {
  const QDate day = DayAsDate(yyyymmdd);
  return Words(words.date).arg(QString::number(day.year()), QString::number(day.month()), QString::number(day.day()));
}

QString FlawText(DayFileFlaw flaw, const DownloadWords& words) {
  switch (flaw) {
    case DayFileFlaw::DatesDisagree:
      return Words(words.datesDisagree);
    case DayFileFlaw::NoVenue:
      return Words(words.noVenue);
    case DayFileFlaw::NoDate:
    case DayFileFlaw::None:
      break;
  }
  return Words(words.noDate);
}

QString ArchiveText(const DownloadFault& fault, const DownloadWords& words) {
  switch (fault.archive) {
    case ArchiveFault::NotArchive:
      return Words(words.notArchive);
    case ArchiveFault::Empty:
      return Words(words.archiveEmpty);
    case ArchiveFault::SeveralFiles:
      return Words(words.archiveSeveralFiles);
    case ArchiveFault::NotAFile:
      return Words(words.archiveNotAFile);
    case ArchiveFault::TooLarge:
      return Words(words.archiveTooLarge).arg(fault.megabytes);
    case ArchiveFault::Truncated:
      return Words(words.archiveTruncated);
    case ArchiveFault::BadChecksum:
      return Words(words.archiveBadChecksum);
    case ArchiveFault::UnsafeName:
      return Words(words.archiveUnsafeName);
    case ArchiveFault::Damaged:
      break;
  }
  return Words(words.archiveDamaged);
}

// What arrived instead of the file asked for.
QString ArrivedText(const DayFileMismatch& arrived, const DownloadWords& words) {
  using Kind = DayFileMismatch::Kind;
  const QString kind = KindText(arrived.found, words);
  switch (arrived.kind) {
    case Kind::None:
      // Of the kind asked for, only not packed.
      return Words(words.notPacked).arg(kind);
    case Kind::Html:
      return Words(words.html);
    case Kind::NotDataFile:
      return Words(words.notDataFile);
    case Kind::OtherKind:
      return arrived.date != 0
                 ? Words(words.otherKindOfDay).arg(DateText(arrived.date, words), kind)
                 : Words(words.otherKindAlone).arg(kind);
    case Kind::Flawed:
      return Words(words.flawed).arg(kind, FlawText(arrived.flaw, words));
    case Kind::NoDate:
      return Words(words.flawed).arg(kind, FlawText(DayFileFlaw::NoDate, words));
    case Kind::OtherDay:
      break;
  }
  return Words(words.otherDay).arg(DateText(arrived.date, words), kind);
}

QString WriteText(const DownloadFault& fault, const DownloadWords& words) {
  switch (fault.write) {
    case DownloadFault::WriteCause::DiskFull:
      return Words(words.diskFull);
    case DownloadFault::WriteCause::FolderNotWritable:
    case DownloadFault::WriteCause::Other:
      break;
  }
  const QString said = fault.detail.isEmpty() ? Words(words.writeError) : fault.detail;
  if (fault.write == DownloadFault::WriteCause::FolderNotWritable) {
    return Words(words.folderNotWritable).arg(fault.folder, said);
  }
  return said;
}

}  // namespace

QString ProgressText(const DownloadFile& file, const DownloadWords& words) {
  return Words(words.downloading).arg(FileText(file, words));
}

QString FaultText(const DownloadFault& fault, const DownloadWords& words) {
  using Kind = DownloadFault::Kind;
  const QString file = fault.file ? FileText(*fault.file, words) : QString();
  const auto notDownloaded = [&](const QString& why) {
    return Words(words.notDownloaded).arg(file) + QLatin1Char('\n') + why;
  };
  const auto notWanted = [&](const QString& why) {
    QString text = Words(words.notWanted).arg(file) + QLatin1Char('\n') + why;
    if (!fault.left.isEmpty()) text += QLatin1Char('\n') + Words(words.keptOld).arg(fault.left);
    return text;
  };
  switch (fault.kind) {
    case Kind::Cancelled:
      return fault.file ? Words(words.cancelledFile).arg(file) : Words(words.cancelled);
    case Kind::FolderNotMade:
      return Words(words.folderNotMade).arg(fault.folder);
    case Kind::NotWritten:
      return Words(words.notWritten).arg(file, WriteText(fault, words));
    case Kind::Stalled:
      return notDownloaded(Words(words.stalled).arg(QString::number(fault.seconds, 'g', 3)));
    case Kind::TooSlow:
      return notDownloaded(Words(words.tooSlow)
                               .arg(QString::number(fault.seconds, 'f', 1),
                                    QString::number(fault.bytes),
                                    QString::number(fault.bytesPerSecond)));
    case Kind::TooLarge:
      return notDownloaded(Words(words.tooLarge).arg(fault.megabytes));
    case Kind::RedirectLoop:
      return notDownloaded(Words(words.redirectLoop).arg(fault.redirects));
    case Kind::RedirectToOtherScheme:
      return notDownloaded(Words(words.redirectToOtherScheme).arg(fault.scheme, fault.url));
    case Kind::RedirectNotFollowed:
      return notDownloaded(Words(words.redirectNotFollowed).arg(fault.url));
    case Kind::RedirectFailed:
      return notDownloaded(Words(words.redirectFailed).arg(fault.scheme, fault.url, fault.detail));
    case Kind::NotOnServer:
      return notDownloaded(Words(words.notOnServer));
    case Kind::HttpError:
      return notDownloaded(Words(words.httpError).arg(fault.status));
    case Kind::CutShort:
      return notDownloaded(
          Words(words.cutShort).arg(QString::number(fault.bytes), QString::number(fault.expected)));
    case Kind::NetworkError:
      return notDownloaded(Words(words.networkError).arg(fault.detail));
    case Kind::DamagedArchive:
      return notWanted(ArchiveText(fault, words));
    case Kind::NotAnArchive:
      return notWanted(Words(words.notArchive) + QLatin1Char('\n') +
                       ArrivedText(fault.arrived, words));
    case Kind::NotWanted:
      return notWanted(ArrivedText(fault.arrived, words));
    case Kind::VenuesLost:
      return notWanted(Words(words.venuesLost).arg(fault.venues.join(Words(words.venueSeparator))));
    case Kind::Count:
      break;
  }
  return QString();
}

QString StatsMissingText(const QList<int>& periods, const std::optional<DownloadFault>& why) {
  QStringList names;
  for (int period : periods) names << StatsArchiveName(period);
  QString text = QStringLiteral(
                     "選手期別成績ファイル(%1)を取得できなかったので、この日は標準の予想が"
                     "できません(データ予想はできます)。")
                     .arg(names.join(QStringLiteral("、")));
  if (why) text += QLatin1Char('\n') + FaultText(*why);
  return text;
}

}  // namespace wakorin
