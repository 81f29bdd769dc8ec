// Downloading a day's archives from a local stand-in for the official site.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "app/DayDownload.h"
#include "tests/TempFiles.h"
#include "tests/app/ArchiveServer.h"

namespace wakorin {
namespace {

using testing::ArchiveServer;

const QDate kDay(2024, 11, 15);
const QString kProgramPath = QStringLiteral("/od2/B/202411/b241115.lzh");
const QString kResultPath = QStringLiteral("/od2/K/202411/k241115.lzh");
const QString kStatsPath = QStringLiteral("/kibetsu/fan2410.lzh");

QByteArray Bytes(const char* text, int repeat = 1) {
  return QByteArray(text).repeated(repeat);
}

class DayDownloadTest : public ::testing::Test {
 protected:
  DayDownloadTest() {
    server.Serve(kProgramPath, Bytes("program ", 5000));
    server.Serve(kResultPath, Bytes("results "));
    server.Serve(kStatsPath, Bytes("racers "));
  }

  DayFiles Download(QDateTime now = QDateTime(kDay.addDays(1), QTime(9, 0)), int stallMs = 30000) {
    DayDownload::Options options;
    options.folder = folder;
    options.day = kDay;
    options.site = {server.DayFiles(), server.RacerFiles()};
    options.now = now;
    options.stallMilliseconds = stallMs;
    return DayDownload::Run(options);
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
};

TEST(ArchiveNames, AddressesPeriodsAndStatisticsAtHand) {
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

  const struct {
    const char* file;
    bool atHandOn20241115;
  } stats[] = {{"Fan0510.txt", true},
               {"FAN2411.LZH", true},
               {"fan2412.lzh", false},
               {"fan2404.txt.bak", false},
               {"fanXX04.txt", false}};
  for (const auto& s : stats) {
    testing::TempDir folder;
    folder.Write(s.file, "x");
    EXPECT_EQ(HasStatsFile(QString::fromStdString(folder.path().string()), kDay),
              s.atHandOn20241115)
        << s.file;
  }
}

TEST_F(DayDownloadTest, WholeDayArrivesAndIsNotFetchedAgain) {
  const DayFiles files = Download();
  ASSERT_TRUE(files.ok) << files.message.toStdString();
  EXPECT_EQ(Files(), (QStringList{QStringLiteral("b241115.lzh"), QStringLiteral("fan2410.lzh"),
                                  QStringLiteral("k241115.lzh")}));
  EXPECT_EQ(Read(QStringLiteral("b241115.lzh")), Bytes("program ", 5000));
  EXPECT_EQ(Read(QStringLiteral("fan2410.lzh")), Bytes("racers "));
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
  server.Serve(QStringLiteral("/kibetsu/fan2404.lzh"), Bytes("spring racers"));
  const DayFiles files = Download();
  ASSERT_TRUE(files.ok) << files.message.toStdString();
  EXPECT_EQ(Read(QStringLiteral("fan2404.lzh")), Bytes("spring racers"));
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
  } cases[] = {
      {"not published", kProgramPath, {"", 404}, "b241115.lzh", "HTTP 404"},
      {"server error", kProgramPath, {"", 500}, "b241115.lzh", "HTTP 500"},
      {"stops mid-file",
       kProgramPath,
       {Bytes("program ", 5000), 200, 1000},
       "b241115.lzh",
       "1000 / 40000"},
      {"stalls mid-file",
       kProgramPath,
       {Bytes("program ", 5000), 200, 1000, true},
       "b241115.lzh",
       "受信が進みませんでした"},
      {"both periods missing", kStatsPath, {"", 404}, "fan2404.lzh", "HTTP 404"},
  };
  for (const auto& c : cases) {
    testing::TempDir scratch;
    folder = PathOf(scratch);
    server.Serve(kProgramPath, Bytes("program ", 5000));
    server.Serve(kStatsPath, Bytes("racers "));
    server.Serve(c.path, c.answer);
    const DayFiles files = Download(QDateTime(kDay.addDays(1), QTime(9, 0)), 300);
    EXPECT_FALSE(files.ok) << c.what;
    EXPECT_TRUE(files.message.contains(QString::fromLatin1(c.file))) << c.what;
    EXPECT_TRUE(files.message.contains(QString::fromUtf8(c.reason)))
        << c.what << ": " << files.message.toStdString();
    // The program archive is fetched first; a failure later keeps only the whole files before it.
    for (const QString& name : Files()) {
      EXPECT_NE(name, QString::fromLatin1(c.file)) << c.what;
      EXPECT_TRUE(name == QStringLiteral("b241115.lzh") || name == QStringLiteral("k241115.lzh"))
          << c.what << ": " << name.toStdString();
    }
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
  EXPECT_EQ(download.Result().message, QStringLiteral("ダウンロードを中止しました。"));
  QCoreApplication::processEvents();
  EXPECT_TRUE(server.requests.isEmpty());
  EXPECT_TRUE(Files().isEmpty());
}

TEST_F(DayDownloadTest, ResultsFetchedBeforeTheRacingEndedAreFetchedAgain) {
  const QDateTime afternoon(kDay, QTime(15, 0));
  ASSERT_TRUE(Download(afternoon).ok);
  EXPECT_TRUE(Files().contains(QStringLiteral(".k241115.lzh.pending")));

  // Asked again the same evening: only the result archive comes again.
  server.Serve(kResultPath, Bytes("all results"));
  server.requests.clear();
  ASSERT_TRUE(Download(QDateTime(kDay, QTime(22, 0))).ok);
  EXPECT_EQ(server.requests, QStringList{kResultPath});
  EXPECT_EQ(Read(QStringLiteral("k241115.lzh")), Bytes("all results"));

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
  EXPECT_TRUE(early.ok) << early.message.toStdString();
  EXPECT_EQ(early.awaited, QStringList{QStringLiteral("k241115.lzh")});
}

}  // namespace
}  // namespace wakorin
