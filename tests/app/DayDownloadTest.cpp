// Downloading a day's archives from a local stand-in for the official site.
#include <gtest/gtest.h>

#include <vector>

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <algorithm>

#include "app/DayDownload.h"
#include "app/DownloadText.h"
#include "base/Archive.h"
#include "tests/TempFiles.h"
#include "tests/app/ArchiveServer.h"
#include "tests/app/DayArchives.h"
#include "tools/FetchText.h"

namespace wakorin {
namespace {

using testing::ArchiveServer;

const QDate kDay(2024, 11, 15);
const QString kProgramPath = QStringLiteral("/od2/B/202411/b241115.lzh");
const QString kResultPath = QStringLiteral("/od2/K/202411/k241115.lzh");
const QString kStatsPath = QStringLiteral("/kibetsu/fan2410.lzh");

const QByteArray kLoginPage =
    "<!DOCTYPE html>\n<html><head><title>Login</title></head><body>Please log in</body></html>\n";

// What went wrong as the window says it.
QString Message(const DayFiles& files) {
  return files.fault ? FaultText(*files.fault) : QString();
}
QString StatsMessage(const DayFiles& files) {
  return files.statsFault ? FaultText(*files.statsFault) : QString();
}

class DayDownloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::CanPack()) GTEST_SKIP() << "jlha is not installed";
    program = testing::ProgramArchiveOf(kDay);
    results = testing::ResultArchiveOf(kDay, {"22"});
    stats = testing::StatsArchiveOf();
    server.Serve(kProgramPath, program);
    server.Serve(kResultPath, results);
    server.Serve(kStatsPath, stats);
  }

  DayFiles Download(QDateTime now = QDateTime(kDay.addDays(1), QTime(9, 0)), int stallMs = 30000) {
    DayDownload::Options options = Options(now);
    options.stallMilliseconds = stallMs;
    return DayDownload::Run(options);
  }
  DayDownload::Options Options(QDateTime now = QDateTime(kDay.addDays(1), QTime(9, 0))) const {
    DayDownload::Options options;
    options.folder = folder;
    options.day = kDay;
    options.site = {server.DayFiles(), server.RacerFiles()};
    options.now = now;
    return options;
  }
  void Write(const QString& name, const QByteArray& bytes) const {
    QFile file(QDir(folder).filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  // Every file in the folder, hidden ones and temporary ones included.
  QStringList Files() const {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
  }
  QByteArray Read(const QString& name) const {
    QFile file(QDir(folder).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  static QString PathOf(const testing::TempDir& d) {
    return QString::fromStdString(d.path().string());
  }

  testing::TempDir dir;
  QString folder = PathOf(dir);
  ArchiveServer server;
  QByteArray program, results, stats;
};

TEST(ArchiveNames, AddressesPeriodsAndStatisticsAtHand) {
  if (!testing::CanPack()) GTEST_SKIP() << "jlha is not installed";
  const ArchiveSite site = ArchiveSite::Official();
  EXPECT_EQ(site.ProgramUrl(kDay).toString(),
            QStringLiteral("https://www1.mbrace.or.jp/od2/B/202411/b241115.lzh"));
  EXPECT_EQ(site.ResultUrl(QDate(2025, 1, 5)).toString(),
            QStringLiteral("https://www1.mbrace.or.jp/od2/K/202501/k250105.lzh"));
  EXPECT_EQ(site.StatsUrl(202404).toString(),
            QStringLiteral("https://www.boatrace.jp/static_extra/pc_static/download/data/"
                           "kibetsu/fan2404.lzh"));
  qputenv("WAKORIN_DAY_FILES_URL", "http://127.0.0.1:1/mirror/od2/");
  EXPECT_EQ(ArchiveSite::FromEnvironment().ProgramUrl(kDay).toString(),
            QStringLiteral("http://127.0.0.1:1/mirror/od2/B/202411/b241115.lzh"));
  EXPECT_EQ(ArchiveSite::FromEnvironment().racerFiles, site.racerFiles);
  qunsetenv("WAKORIN_DAY_FILES_URL");

  const struct {
    QDate day;
    int latest, previous;
  } periods[] = {{QDate(2024, 3, 31), 202310, 202304},
                 {QDate(2024, 4, 1), 202404, 202310},
                 {QDate(2024, 9, 30), 202404, 202310},
                 {QDate(2024, 10, 1), 202410, 202404},
                 {QDate(2024, 12, 31), 202410, 202404}};
  for (const auto& p : periods) {
    EXPECT_EQ(LatestStatsPeriod(p.day), p.latest) << p.day.toString().toStdString();
    EXPECT_EQ(PreviousStatsPeriod(p.latest), p.previous) << p.latest;
  }

  // A first start offers the latest day whose results are out: today only after its last race.
  const struct {
    QDateTime now;
    QDate offered;
  } firstStarts[] = {{QDateTime(QDate(2024, 11, 15), QTime(22, 59)), QDate(2024, 11, 14)},
                     {QDateTime(QDate(2024, 11, 15), QTime(23, 0)), QDate(2024, 11, 15)},
                     {QDateTime(QDate(2025, 1, 1), QTime(0, 5)), QDate(2024, 12, 31)}};
  for (const auto& f : firstStarts) {
    EXPECT_EQ(LatestPublishedDay(f.now), f.offered) << f.now.toString().toStdString();
  }

  // Only a statistics file counts: a web page saved under its name does not.
  const std::string text = testing::StatsFileOf();
  const std::string archive = testing::StatsArchiveOf().toStdString();
  const struct {
    const char* file;
    std::string bytes;
    bool atHandOn20241115;
  } stats[] = {{"Fan0510.txt", text, true},
               {"FAN2411.LZH", archive, true},
               {"fan2410.lzh", kLoginPage.toStdString(), false},
               {"fan2410.lzh", text, false},
               {"fan2404.txt", archive, false},
               {"fan2412.lzh", archive, false},
               {"fan2404.txt.bak", text, false},
               {"fanXX04.txt", text, false}};
  for (const auto& s : stats) {
    testing::TempDir folder;
    folder.Write(s.file, s.bytes);
    EXPECT_EQ(HasStatsFile(QString::fromStdString(folder.path().string()), kDay),
              s.atHandOn20241115)
        << s.file;
  }
  // The day reads the latest period's file: an older good one does not make up for it.
  testing::TempDir both;
  both.Write("fan2404.lzh", archive);
  both.Write("fan2410.lzh", kLoginPage.toStdString());
  EXPECT_FALSE(HasStatsFile(QString::fromStdString(both.path().string()), kDay));
}

TEST_F(DayDownloadTest, WholeDayArrivesAndIsNotFetchedAgain) {
  const DayFiles files = Download();
  ASSERT_TRUE(files.ok) << Message(files).toStdString();
  EXPECT_EQ(Files(), (QStringList{QStringLiteral("b241115.lzh"), QStringLiteral("fan2410.lzh"),
                                  QStringLiteral("k241115.lzh")}));
  EXPECT_EQ(Read(QStringLiteral("b241115.lzh")), program);
  EXPECT_EQ(Read(QStringLiteral("fan2410.lzh")), stats);
  EXPECT_EQ(files.programArchive, QDir(folder).filePath(QStringLiteral("b241115.lzh")));

  server.requests.clear();
  const DayFiles again = Download();
  EXPECT_TRUE(again.ok);
  EXPECT_TRUE(server.requests.isEmpty()) << server.requests.join(QLatin1Char(' ')).toStdString();
  EXPECT_EQ(again.kept.size(), 2);
  EXPECT_EQ(again.programArchive, files.programArchive);
}

TEST_F(DayDownloadTest, MissingStatisticsPeriodFallsBackToThePreviousOne) {
  server.Serve(kStatsPath, ArchiveServer::Answer{"", 404});
  const QByteArray spring = testing::StatsArchiveOf("fan2404.txt");
  server.Serve(QStringLiteral("/kibetsu/fan2404.lzh"), spring);
  const DayFiles files = Download();
  ASSERT_TRUE(files.ok) << Message(files).toStdString();
  EXPECT_EQ(Read(QStringLiteral("fan2404.lzh")), spring);
  EXPECT_FALSE(Files().contains(QStringLiteral("fan2410.lzh")));
  EXPECT_EQ(server.requests.mid(2),
            (QStringList{kStatsPath, QStringLiteral("/kibetsu/fan2404.lzh")}));
}

TEST_F(DayDownloadTest, FailuresLeaveNothingAndSayWhatHappened) {
  const struct {
    const char* what;
    QString path;
    ArchiveServer::Answer answer;
    const char* file;
    const char* reason;
    DownloadFault::Kind kind;
  } cases[] = {
      {"not published",
       kProgramPath,
       {"", 404},
       "b241115.lzh",
       "HTTP 404",
       DownloadFault::Kind::NotOnServer},
      {"server error",
       kProgramPath,
       {"", 500},
       "b241115.lzh",
       "HTTP 500",
       DownloadFault::Kind::HttpError},
      {"stops mid-file",
       kProgramPath,
       {program, 200, 1000},
       "b241115.lzh",
       "1000 / ",
       DownloadFault::Kind::CutShort},
      {"stalls mid-file",
       kProgramPath,
       {program, 200, 1000, true},
       "b241115.lzh",
       "受信が進みませんでした",
       DownloadFault::Kind::Stalled},
  };
  for (const auto& c : cases) {
    testing::TempDir scratch;
    folder = PathOf(scratch);
    server.Serve(kProgramPath, program);
    server.Serve(kStatsPath, stats);
    server.Serve(c.path, c.answer);
    const DayFiles files = Download(QDateTime(kDay.addDays(1), QTime(9, 0)), 300);
    EXPECT_FALSE(files.ok) << c.what;
    ASSERT_TRUE(files.fault) << c.what;
    EXPECT_EQ(files.fault->kind, c.kind) << c.what;
    EXPECT_EQ(files.fault->file->name, QString::fromLatin1(c.file)) << c.what;
    EXPECT_TRUE(Message(files).contains(QString::fromLatin1(c.file))) << c.what;
    EXPECT_TRUE(Message(files).contains(QString::fromUtf8(c.reason)))
        << c.what << ": " << Message(files).toStdString();
    // The program archive is fetched first; a failure later keeps only the whole files before it.
    for (const QString& name : Files()) {
      EXPECT_NE(name, QString::fromLatin1(c.file)) << c.what;
      EXPECT_TRUE(name == QStringLiteral("b241115.lzh") || name == QStringLiteral("k241115.lzh"))
          << c.what << ": " << name.toStdString();
    }
  }
}

// The statistics are what the standard prediction needs, not part of the day: a period that
// cannot be had leaves the day whole, says which periods and why, and a period known missing
// is not asked for again.
TEST_F(DayDownloadTest, StatisticsNotHadLeaveTheDayWhole) {
  const QString spring = QStringLiteral("/kibetsu/fan2404.lzh");
  const QByteArray springArchive = testing::StatsArchiveOf("fan2404.txt");
  const struct {
    const char* what;
    ArchiveServer::Answer latest, previous;
    QList<int> knownMissing;
    QList<int> missing;
    QStringList asked;    // statistics archives asked for
    const char* because;  // in the message; empty: no message
  } cases[] = {
      {"both periods not published",
       {"", 404},
       {"", 404},
       {},
       {202410, 202404},
       {kStatsPath, spring},
       "選手期別成績ファイル(\"fan2404.lzh\")をダウンロードできませんでした。\n"
       "サーバーにありません(HTTP 404)。"},
      {"the previous one fails otherwise",
       {"", 404},
       {"", 500},
       {},
       {202410, 202404},
       {kStatsPath, spring},
       "HTTP 500"},
      {"a login page for the latest",
       {kLoginPage},
       {springArchive},
       {},
       {202410},
       {kStatsPath},
       "HTMLのページ"},
      {"both known missing", {stats}, {springArchive}, {202410, 202404}, {202410, 202404}, {}, ""},
      {"the latest known missing", {stats}, {springArchive}, {202410}, {}, {spring}, ""},
  };
  for (const auto& c : cases) {
    testing::TempDir scratch;
    folder = PathOf(scratch);
    server.Serve(kStatsPath, c.latest);
    server.Serve(spring, c.previous);
    server.requests.clear();
    DayDownload::Options options = Options();
    options.statsUnavailable = c.knownMissing;
    const DayFiles files = DayDownload::Run(options);
    EXPECT_TRUE(files.ok) << c.what << ": " << Message(files).toStdString();
    EXPECT_EQ(files.programArchive, QDir(folder).filePath(QStringLiteral("b241115.lzh"))) << c.what;
    // As vectors: Qt's own comparison of two empty lists passes memcmp a null pointer, which the
    // undefined-behaviour sanitizer stops on.
    EXPECT_EQ(std::vector<int>(files.statsMissing.begin(), files.statsMissing.end()),
              std::vector<int>(c.missing.begin(), c.missing.end()))
        << c.what;
    EXPECT_EQ(!files.statsFault, *c.because == '\0') << c.what;
    EXPECT_TRUE(StatsMessage(files).contains(QString::fromUtf8(c.because)))
        << c.what << ": " << StatsMessage(files).toStdString();
    EXPECT_EQ(server.requests.mid(2), c.asked) << c.what;
    QStringList kept = {QStringLiteral("b241115.lzh"), QStringLiteral("k241115.lzh")};
    if (c.missing.isEmpty()) kept.insert(1, QStringLiteral("fan2404.lzh"));
    EXPECT_EQ(Files(), kept) << c.what;
  }
}

// A cancel during a transfer is driven through the window's progress dialog (DownloadCommandTest).
TEST_F(DayDownloadTest, CancelledBeforeItsFirstRequestEndsAtOnce) {
  DayDownload::Options options;
  options.folder = folder;
  options.day = kDay;
  options.site = {server.DayFiles(), server.RacerFiles()};
  DayDownload download(options);
  bool ended = false;
  QObject::connect(&download, &DayDownload::Finished, &download, [&] { ended = true; });
  download.Start();
  download.Cancel();
  EXPECT_TRUE(ended);
  EXPECT_TRUE(download.Result().cancelled);
  EXPECT_EQ(Message(download.Result()), QStringLiteral("ダウンロードを中止しました。"));
  QCoreApplication::processEvents();
  EXPECT_TRUE(server.requests.isEmpty());
  EXPECT_TRUE(Files().isEmpty());
}

TEST_F(DayDownloadTest, ResultsFetchedBeforeTheRacingEndedAreFetchedAgain) {
  const QDateTime afternoon(kDay, QTime(15, 0));
  ASSERT_TRUE(Download(afternoon).ok);
  EXPECT_TRUE(Files().contains(QStringLiteral(".k241115.lzh.pending")));

  // Asked again the same evening: only the result archive comes again.
  const QByteArray all = testing::ResultArchiveOf(kDay, {"22", "23"});
  server.Serve(kResultPath, all);
  server.requests.clear();
  ASSERT_TRUE(Download(QDateTime(kDay, QTime(22, 0))).ok);
  EXPECT_EQ(server.requests, QStringList{kResultPath});
  EXPECT_EQ(Read(QStringLiteral("k241115.lzh")), all);

  // Fetched after the day's racing: complete, never fetched again.
  server.requests.clear();
  ASSERT_TRUE(Download(QDateTime(kDay, QTime(23, 30))).ok);
  EXPECT_EQ(server.requests, QStringList{kResultPath});
  EXPECT_FALSE(Files().contains(QStringLiteral(".k241115.lzh.pending")));
  server.requests.clear();
  ASSERT_TRUE(Download(QDateTime(kDay.addDays(3), QTime(8, 0))).ok);
  EXPECT_TRUE(server.requests.isEmpty());

  // Before a day's racing, its results are not published yet: the card still comes.
  testing::TempDir morning;
  folder = PathOf(morning);
  server.Serve(kResultPath, ArchiveServer::Answer{"", 404});
  const DayFiles early = Download(QDateTime(kDay, QTime(8, 0)));
  EXPECT_TRUE(early.ok) << Message(early).toStdString();
  EXPECT_EQ(early.awaited, QStringList{QStringLiteral("k241115.lzh")});
}

// What arrives with a 200 is kept only when it is the file asked for, of the day asked for; a bad
// file already in the folder is fetched again and stays, byte for byte, until a good one comes.
TEST_F(DayDownloadTest, OnlyWhatWasAskedForIsKept) {
  testing::TempDir pack;
  pack.Write("A.TXT", testing::ProgramFileOf(kDay));
  pack.Write("B.TXT", "b\r\n");
  ASSERT_TRUE(testing::Pack(pack.path(), "two.lzh", {"A.TXT", "B.TXT"}));
  // A bomb: a small archive unpacking past the cap.
  pack.Write("B241115.TXT", std::string(kMaxUnpackedSize + 1, '\0'));
  ASSERT_TRUE(testing::Pack(pack.path(), "bomb.lzh", {"B241115.TXT"}));
  const QByteArray bomb = QByteArray::fromStdString(testing::ReadAll(pack.path() / "bomb.lzh"));
  ASSERT_LT(bomb.size(), 100000);
  // A level-0 header holds the name as it stands, under a byte sum made again here.
  QByteArray climbing = testing::Packed("AAAAAAAAAAA", testing::ProgramFileOf(kDay), "a0");
  ASSERT_EQ(climbing.mid(22, 11), QByteArray("AAAAAAAAAAA"));
  climbing.replace(22, 11, "../B241115X");
  unsigned sum = 0;
  for (int i = 2; i < 2 + static_cast<unsigned char>(climbing[0]); ++i) {
    sum += static_cast<unsigned char>(climbing[i]);
  }
  climbing[1] = static_cast<char>(sum & 0xff);
  // A file stored as it stands, one of its bytes changed: the CRC does not match.
  QByteArray badCrc = testing::Packed("B241115.TXT", testing::ProgramFileOf(kDay), "a0z");
  const int stored = 2 + static_cast<unsigned char>(badCrc[0]);
  ASSERT_EQ(badCrc.mid(2, 5), QByteArray("-lh0-"));
  badCrc[stored + 100] = static_cast<char>(badCrc[stored + 100] ^ 1);

  const struct {
    const char* what;
    QByteArray answer;
    const char* reason;
    DownloadFault::Kind kind;
  } cases[] = {
      {"a login page", kLoginPage, "HTMLのページ", DownloadFault::Kind::NotAnArchive},
      {"a truncated archive", program.left(program.size() / 2), "途中で切れています",
       DownloadFault::Kind::DamagedArchive},
      {"another day's archive", testing::ProgramArchiveOf(QDate(2024, 4, 1)),
       "別の日(2024年4月1日)のレース番組表ファイル", DownloadFault::Kind::NotWanted},
      {"the result archive", results, "2024年11月15日の競走成績ファイルです",
       DownloadFault::Kind::NotWanted},
      {"two files", QByteArray::fromStdString(testing::ReadAll(pack.path() / "two.lzh")), "2つ以上",
       DownloadFault::Kind::DamagedArchive},
      {"a decompression bomb", bomb, "大きすぎます", DownloadFault::Kind::DamagedArchive},
      {"a name climbing out", climbing, "フォルダの外", DownloadFault::Kind::DamagedArchive},
      {"a bad CRC", badCrc, "CRC", DownloadFault::Kind::DamagedArchive},
      {"a file not packed", QByteArray::fromStdString(testing::ProgramFileOf(kDay)),
       "圧縮されていないレース番組表ファイル", DownloadFault::Kind::NotAnArchive},
  };
  // What the earlier version kept: a login page under the program archive's name.
  const QByteArray bad = kLoginPage + "old";
  for (const auto& c : cases) {
    testing::TempDir scratch;
    folder = PathOf(scratch);
    Write(QStringLiteral("b241115.lzh"), bad);
    server.Serve(kProgramPath, c.answer);
    const DayFiles files = Download();
    EXPECT_FALSE(files.ok) << c.what;
    ASSERT_TRUE(files.fault) << c.what;
    EXPECT_EQ(files.fault->kind, c.kind) << c.what;
    EXPECT_EQ(files.fault->left, QStringLiteral("b241115.lzh")) << c.what;
    EXPECT_TRUE(Message(files).contains(QStringLiteral("レース番組表ファイル(\"b241115.lzh\")")))
        << c.what;
    EXPECT_TRUE(Message(files).contains(QString::fromUtf8(c.reason)))
        << c.what << ": " << Message(files).toStdString();
    EXPECT_TRUE(Message(files).contains(QStringLiteral("そのまま残しました"))) << c.what;
    EXPECT_EQ(Files(), QStringList{QStringLiteral("b241115.lzh")}) << c.what;
    EXPECT_EQ(Read(QStringLiteral("b241115.lzh")), bad) << c.what;

    // A good server later replaces the bad file.
    server.Serve(kProgramPath, program);
    const DayFiles again = Download();
    EXPECT_TRUE(again.ok) << c.what << ": " << Message(again).toStdString();
    EXPECT_EQ(Read(QStringLiteral("b241115.lzh")), program) << c.what;
  }
}

TEST_F(DayDownloadTest, LoginPageForEveryFileKeepsNothingAndTouchesNothing) {
  for (const QString& path : {kProgramPath, kResultPath, kStatsPath})
    server.Serve(path, kLoginPage);
  DayFiles files = Download();
  EXPECT_FALSE(files.ok);
  EXPECT_TRUE(Message(files).contains(QStringLiteral("HTMLのページ")))
      << Message(files).toStdString();
  EXPECT_TRUE(Files().isEmpty()) << Files().join(QLatin1Char(' ')).toStdString();

  // A good day already there, its results fetched while it was racing: the login page that
  // comes for them is refused, and every file stays as it was.
  Write(QStringLiteral("b241115.lzh"), program);
  Write(QStringLiteral("fan2410.lzh"), stats);
  const QByteArray racing = testing::ResultArchiveOf(kDay, {"22"}, {"23"});
  Write(QStringLiteral("k241115.lzh"), racing);
  Write(QStringLiteral(".k241115.lzh.pending"), "2024-11-15T15:00:00");
  files = Download(QDateTime(kDay, QTime(22, 0)));
  EXPECT_FALSE(files.ok);
  EXPECT_TRUE(Message(files).contains(QStringLiteral("競走成績ファイル(\"k241115.lzh\")")))
      << Message(files).toStdString();
  EXPECT_TRUE(Message(files).contains(QStringLiteral("HTMLのページ")));
  EXPECT_TRUE(Message(files).contains(QStringLiteral("\"k241115.lzh\"はそのまま残しました")));
  EXPECT_EQ(Read(QStringLiteral("k241115.lzh")), racing);
  EXPECT_EQ(Read(QStringLiteral("b241115.lzh")), program);
  EXPECT_EQ(Files(),
            (QStringList{QStringLiteral(".k241115.lzh.pending"), QStringLiteral("b241115.lzh"),
                         QStringLiteral("fan2410.lzh"), QStringLiteral("k241115.lzh")}));
}

TEST_F(DayDownloadTest, PendingResultsReplacedOnlyByAsMuch) {
  const QByteArray racing = testing::ResultArchiveOf(kDay, {"22", "23"}, {"24"});
  Write(QStringLiteral("b241115.lzh"), program);
  Write(QStringLiteral("fan2410.lzh"), stats);
  Write(QStringLiteral("k241115.lzh"), racing);
  Write(QStringLiteral(".k241115.lzh.pending"), "2024-11-15T15:00:00");

  // A good archive that lost a venue's results is refused.
  server.Serve(kResultPath, testing::ResultArchiveOf(kDay, {"22"}, {"23", "24"}));
  DayFiles files = Download(QDateTime(kDay, QTime(20, 0)));
  EXPECT_FALSE(files.ok);
  EXPECT_TRUE(Message(files).contains(QStringLiteral("会場(23)の結果がありません")))
      << Message(files).toStdString();
  EXPECT_EQ(Read(QStringLiteral("k241115.lzh")), racing);
  EXPECT_TRUE(Files().contains(QStringLiteral(".k241115.lzh.pending")));

  // One holding all of them and more replaces it.
  const QByteArray all = testing::ResultArchiveOf(kDay, {"22", "23", "24"});
  server.Serve(kResultPath, all);
  files = Download(QDateTime(kDay, QTime(23, 30)));
  EXPECT_TRUE(files.ok) << Message(files).toStdString();
  EXPECT_EQ(Read(QStringLiteral("k241115.lzh")), all);
  EXPECT_FALSE(Files().contains(QStringLiteral(".k241115.lzh.pending")));
}

// The site may serve a result archive fetched during the day unchanged long after the racing:
// it is complete only once it holds every venue of the day's program.
TEST_F(DayDownloadTest, PendingResultsStayPendingUntilEveryVenueIsIn) {
  const QByteArray twoVenues = testing::ProgramArchiveOf(kDay, {"22", "23"});
  const QByteArray racing = testing::ResultArchiveOf(kDay, {"22"}, {"23"});
  const QByteArray all = testing::ResultArchiveOf(kDay, {"22", "23"});
  const QString marker = QStringLiteral(".k241115.lzh.pending");
  const struct {
    const char* what;
    bool markedBefore;
    QDateTime now;
    QByteArray served;
    bool pendingAfter;
  } cases[] = {
      {"marked, served unchanged after the racing", true, QDateTime(kDay, QTime(23, 30)), racing,
       true},
      {"marked, served unchanged days later", true, QDateTime(kDay.addDays(2), QTime(9, 0)), racing,
       true},
      {"first fetched after the racing, a venue short", false, QDateTime(kDay, QTime(23, 30)),
       racing, true},
      {"marked, every venue in", true, QDateTime(kDay, QTime(23, 30)), all, false},
  };
  for (const auto& c : cases) {
    testing::TempDir scratch;
    folder = PathOf(scratch);
    Write(QStringLiteral("b241115.lzh"), twoVenues);
    Write(QStringLiteral("fan2410.lzh"), stats);
    if (c.markedBefore) {
      Write(QStringLiteral("k241115.lzh"), racing);
      Write(marker, "2024-11-15T15:00:00");
    }
    server.Serve(kResultPath, c.served);
    server.requests.clear();
    const DayFiles files = Download(c.now);
    ASSERT_TRUE(files.ok) << c.what << ": " << Message(files).toStdString();
    EXPECT_EQ(server.requests, QStringList{kResultPath}) << c.what;
    EXPECT_EQ(Read(QStringLiteral("k241115.lzh")), c.served) << c.what;
    EXPECT_EQ(Files().contains(marker), c.pendingAfter) << c.what;
    EXPECT_EQ(files.incomplete.size(), c.pendingAfter ? 1 : 0) << c.what;
    // Pending is asked for again; complete never.
    server.requests.clear();
    ASSERT_TRUE(Download(QDateTime(kDay.addDays(3), QTime(9, 0))).ok) << c.what;
    EXPECT_EQ(server.requests.size(), c.pendingAfter ? 1 : 0) << c.what;
  }
}

TEST_F(DayDownloadTest, TrickleAndRedirectsEndWithWhatHappened) {
  const struct {
    const char* what;
    ArchiveServer::Answer answer;
    const char* reason;
  } cases[] = {
      {"a trickle", {program, 200, -1, false, 200}, "受信が遅すぎる"},
      {"a redirect loop",
       {"", 302, -1, false, 0, server.Base().toUtf8() + kProgramPath.toUtf8()},
       "転送(リダイレクト)が10回を超えて続きました"},
      {"a redirect to another scheme",
       {"", 302, -1, false, 0, "ftp://127.0.0.1/b241115.lzh"},
       "別の方式(ftp)"},
      {"a redirect to https",
       {"", 302, -1, false, 0, "https://127.0.0.1:1/b241115.lzh"},
       "別の方式(https)"},
  };
  for (const auto& c : cases) {
    testing::TempDir scratch;
    folder = PathOf(scratch);
    server.Serve(kProgramPath, c.answer);
    DayDownload::Options options = Options();
    options.slowAfterMilliseconds = 1000;
    options.minimumBytesPerSecond = 100;
    QElapsedTimer clock;
    clock.start();
    const DayFiles files = DayDownload::Run(options);
    EXPECT_LT(clock.elapsed(), 10000) << c.what;
    EXPECT_FALSE(files.ok) << c.what;
    EXPECT_TRUE(Message(files).contains(QString::fromUtf8(c.reason)))
        << c.what << ": " << Message(files).toStdString();
    EXPECT_FALSE(Message(files).contains(QStringLiteral("HTTP 302"))) << c.what;
    EXPECT_TRUE(Files().isEmpty()) << c.what;
    // wakorin-fetch's English says them as well.
    const QString english = FaultText(*files.fault, fetch_text::kEnglishDownloadWords);
    EXPECT_TRUE(std::none_of(english.begin(), english.end(),
                             [](QChar ch) { return ch.unicode() >= 0x3000; }))
        << c.what << ": " << english.toStdString();
  }
}

// A folder that cannot be written is named as such, not as a full disk.
TEST_F(DayDownloadTest, FolderThatCannotBeWrittenIsNotCalledFull) {
  folder = QStringLiteral("/proc/self");
  const DayFiles files = Download();
  EXPECT_FALSE(files.ok);
  EXPECT_TRUE(Message(files).contains(QStringLiteral("フォルダ\"/proc/self\"には書き込めません")))
      << Message(files).toStdString();
  EXPECT_FALSE(Message(files).contains(QStringLiteral("いっぱい"))) << Message(files).toStdString();
}

// A small tmpfs, mounted where the test runs as root.
TEST_F(DayDownloadTest, FullDiskIsNamedAsSuch) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting a small disk needs root";
  testing::TempDir mountPoint;
  const QString disk = PathOf(mountPoint);
  if (QProcess::execute(QStringLiteral("mount"),
                        {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                         QStringLiteral("size=64k"), QStringLiteral("tmpfs"), disk}) != 0) {
    GTEST_SKIP() << "cannot mount a tmpfs here";
  }
  struct Unmount {
    QString path;
    ~Unmount() { QProcess::execute(QStringLiteral("umount"), {path}); }
  } unmount{disk};
  folder = disk;
  // Filled up to its last byte, but for a good program archive already there.
  Write(QStringLiteral("b241115.lzh"), program);
  {
    QFile filler(QDir(disk).filePath(QStringLiteral("filler")));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
  }
  const DayFiles files = Download();
  EXPECT_FALSE(files.ok);
  EXPECT_TRUE(
      Message(files).contains(QStringLiteral("書き込めませんでした(ディスクがいっぱいです)")))
      << Message(files).toStdString();
  EXPECT_FALSE(Message(files).contains(QStringLiteral("途切れました")));
  EXPECT_EQ(Read(QStringLiteral("b241115.lzh")), program);
  EXPECT_EQ(Files(), (QStringList{QStringLiteral("b241115.lzh"), QStringLiteral("filler")}));
}

}  // namespace
}  // namespace wakorin
