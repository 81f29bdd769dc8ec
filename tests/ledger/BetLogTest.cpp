// The bet log's file: what goes in comes out, an earlier schema is migrated with a copy kept,
// and a file that cannot be used is named and left byte for byte as it was.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <filesystem>

#include "ledger/BetLog.h"
#include "ledger/Settlement.h"
#include "tests/TempFiles.h"

namespace wakorin::ledger {
namespace {

Combination Boats(std::initializer_list<int> boats) {
  Combination c;
  for (int b : boats) c.boats[c.count++] = static_cast<std::uint8_t>(b);
  return c;
}

QString Path(const testing::TempDir& dir, const char* name = "betlog.sqlite") {
  return QString::fromStdString(dir.PathOf(name));
}

QByteArray Bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs SQL on the file through a connection of its own, as another program would.
bool Sql(const QString& path, const QStringList& statements) {
  bool ok = true;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
    db.setDatabaseName(path);
    ok = db.open();
    QSqlQuery q(db);
    for (const QString& sql : statements) ok = ok && q.exec(sql);
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
  return ok;
}

// The rows of a query through a connection of its own: columns joined by '|', rows by ' '.
std::string Rows(const QString& path, const QString& sql) {
  QStringList rows;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("reader"));
    db.setDatabaseName(path);
    db.open();
    QSqlQuery q(db);
    q.exec(sql);
    while (q.next()) {
      QStringList values;
      for (int k = 0; k < q.record().count(); ++k) values << q.value(k).toString();
      rows << values.join(QLatin1Char('|'));
    }
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("reader"));
  return rows.join(QLatin1Char(' ')).toStdString();
}

bool RealSeason() {
  return std::filesystem::exists(std::filesystem::path(WAKORIN_REALDATA_DIR) / "season2024" / "k240710.lzh");
}

// A data folder with the results of 2024-07-10 only.
void CopyJulyTenth(const testing::TempDir& data) {
  const auto season = std::filesystem::path(WAKORIN_REALDATA_DIR) / "season2024";
  std::filesystem::copy_file(season / "k240710.lzh", data.path() / "k240710.lzh");
}

Purchase Trifecta(int day, const char* venue, int race, std::vector<Combination> combinations, qint64 stake) {
  Purchase p;
  p.day = day;
  p.venue = QString::fromLatin1(venue);
  p.race = race;
  p.bet = AnyBet::Trifecta;
  p.combinations = std::move(combinations);
  p.stake = stake;
  return p;
}

TEST(BetLog, WhatIsRecordedReadsBackAfterReopening) {
  testing::TempDir dir;
  LogProblem problem;
  {
    auto log = BetLog::Open(Path(dir), &problem);
    ASSERT_TRUE(log) << problem.detail.toStdString();
    const auto box = log->Record(Trifecta(20240710, "24", 1, {Boats({1, 2, 3}), Boats({2, 1, 3})}, 200));
    ASSERT_TRUE(box) << log->LastError().toStdString();
    Purchase place;
    place.day = 20240710;
    place.venue = QStringLiteral("15");
    place.race = 12;
    place.bet = AnyBet::Place;
    place.combinations = {Boats({4})};
    place.stake = 1000;
    place.note = QStringLiteral("本命");
    ASSERT_TRUE(log->Record(place));
    ASSERT_TRUE(log->Record(Trifecta(20240711, "24", 2, {Boats({6, 5, 4})}, 100)));
    EXPECT_TRUE(QFile::exists(Path(dir, "betlog.sqlite-wal"))) << "write-ahead logging";
    // One combination of the box, then the stake of what is left, then a whole purchase.
    const auto first = log->EntriesOf(20240710);
    ASSERT_EQ(first.size(), 3u);
    ASSERT_TRUE(log->Remove({first[1].id}));
    ASSERT_TRUE(log->SetStake({first[0].id}, 500));
    ASSERT_TRUE(log->RemovePurchase(log->EntriesOf(20240711).at(0).purchase));
  }
  auto log = BetLog::Open(Path(dir), &problem);
  ASSERT_TRUE(log);
  const auto entries = log->Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].bet, AnyBet::Trifecta);
  EXPECT_EQ(entries[0].boats, Boats({1, 2, 3}));
  EXPECT_EQ(entries[0].stake, 500);
  EXPECT_EQ(entries[0].venue, QStringLiteral("24"));
  EXPECT_EQ(entries[0].race, 1);
  EXPECT_TRUE(entries[0].created.isValid());
  EXPECT_EQ(entries[1].bet, AnyBet::Place);
  EXPECT_EQ(entries[1].note, QStringLiteral("本命"));
  EXPECT_EQ(entries[1].settled, Settled::Open);
  EXPECT_EQ(log->Entries(QStringLiteral("15")).size(), 1u);
  EXPECT_EQ(log->Entries({}, AnyBet::Trifecta).size(), 1u);
  const auto days = log->Days();
  ASSERT_EQ(days.size(), 1u);
  EXPECT_EQ(days[0].tally.open, 1500);
  EXPECT_EQ(days[0].tally.stake, 0);
}

TEST(BetLog, EmptyAndEarlierFilesAreMigratedWithACopyKept) {
  testing::TempDir dir;
  // An empty file is a log without entries.
  QFile(Path(dir, "empty.sqlite")).open(QIODevice::WriteOnly);
  LogProblem problem;
  EXPECT_TRUE(BetLog::Open(Path(dir, "empty.sqlite"), &problem)) << problem.detail.toStdString();

  // The first schema, as the first version wrote it.
  const QString v1 = Path(dir);
  ASSERT_TRUE(Sql(v1, {QStringLiteral("CREATE TABLE bets(id INTEGER PRIMARY KEY, day INTEGER NOT NULL,"
                                      " venue TEXT NOT NULL, race INTEGER NOT NULL, bet TEXT NOT NULL,"
                                      " boats TEXT NOT NULL, stake INTEGER NOT NULL, created TEXT NOT NULL,"
                                      " settled INTEGER NOT NULL DEFAULT 0, payout INTEGER NOT NULL DEFAULT 0)"),
                       QStringLiteral("CREATE INDEX bets_day ON bets(day)"),
                       QStringLiteral("INSERT INTO bets(day, venue, race, bet, boats, stake, created, settled, payout)"
                                      " VALUES(20240710, '24', 1, 'trifecta', '5-6-3', 300, '2024-07-10T10:00:00', 1, 79740)"),
                       QStringLiteral("INSERT INTO bets(day, venue, race, bet, boats, stake, created)"
                                      " VALUES(20240711, '02', 3, 'wide', '1-4', 100, '2024-07-11T09:00:00')"),
                       QStringLiteral("PRAGMA user_version = 1")}));
  const QByteArray before = Bytes(v1);
  auto log = BetLog::Open(v1, &problem);
  ASSERT_TRUE(log) << problem.detail.toStdString();
  EXPECT_EQ(Bytes(v1 + QStringLiteral(".v1.bak")), before);
  const auto entries = log->Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].purchase, entries[0].id);
  EXPECT_EQ(entries[1].purchase, entries[1].id);
  EXPECT_EQ(entries[0].settled, Settled::Paid);
  EXPECT_EQ(entries[0].payout, 79740);
  EXPECT_EQ(entries[1].bet, AnyBet::Wide);
  EXPECT_TRUE(entries[1].note.isEmpty());
  // A new purchase after the migration is a purchase of its own.
  const auto added = log->Record(Trifecta(20240712, "01", 1, {Boats({1, 2, 3})}, 100));
  ASSERT_TRUE(added);
  EXPECT_EQ(log->EntriesOf(20240712).at(0).purchase, *added);
  log.reset();
  // Migrated once: the next opening copies nothing.
  ASSERT_TRUE(BetLog::Open(v1, &problem));
  EXPECT_FALSE(QFile::exists(v1 + QStringLiteral(".v1.2.bak")));
}

// Each file the log cannot use is named, and neither it nor its folder is changed.
TEST(BetLog, AFileItCannotUseIsNamedAndLeftAlone) {
  testing::TempDir dir;
  const QString good = Path(dir, "good.sqlite");
  {
    auto log = BetLog::Open(good, nullptr);
    ASSERT_TRUE(log);
    for (int k = 0; k < 400; ++k) log->Record(Trifecta(20240101 + k % 28, "24", 1 + k % 12, {Boats({1, 2, 3})}, 100));
  }
  Sql(good, {QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")});
  const QByteArray whole = Bytes(good);
  ASSERT_GT(whole.size(), 8192);

  struct Case {
    const char* what;
    std::function<void(const QString&)> make;
    LogFault fault;
  };
  auto write = [](const QByteArray& bytes) {
    return [bytes](const QString& path) {
      QFile file(path);
      file.open(QIODevice::WriteOnly);
      file.write(bytes);
    };
  };
  const Case cases[] = {
      {"text saved under the name", write("date,venue,stake\n20240710,24,100\n"), LogFault::Damaged},
      {"cut short", write(whole.left(whole.size() / 2)), LogFault::Damaged},
      {"pages overwritten", write(whole.left(4096) + QByteArray(whole.size() - 4096, '\x5a')), LogFault::Damaged},
      {"someone else's database",
       [](const QString& path) { Sql(path, {QStringLiteral("CREATE TABLE notes(text TEXT)")}); }, LogFault::Damaged},
      {"a later version",
       [&](const QString& path) {
         write(whole)(path);
         Sql(path, {QStringLiteral("PRAGMA user_version = 7"), QStringLiteral("PRAGMA journal_mode=DELETE")});
       },
       LogFault::Newer},
      {"read-only",
       [&](const QString& path) {
         write(whole)(path);
         QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
       },
       LogFault::ReadOnly},
  };
  for (const Case& c : cases) {
    testing::TempDir folder;
    const QString path = Path(folder);
    c.make(path);
    const QByteArray before = Bytes(path);
    const QStringList filesBefore = QDir(Path(folder, "")).entryList(QDir::Files);
    LogProblem problem;
    EXPECT_FALSE(BetLog::Open(path, &problem)) << c.what;
    EXPECT_EQ(problem.fault, c.fault) << c.what;
    EXPECT_EQ(problem.path, path) << c.what;
    if (c.fault == LogFault::Newer) {
      EXPECT_EQ(problem.version, 7) << c.what;
    }
    EXPECT_EQ(Bytes(path), before) << c.what;
    EXPECT_EQ(QDir(Path(folder, "")).entryList(QDir::Files), filesBefore) << c.what;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  }
}

TEST(BetLog, ALogAnotherProgramWritesIsNamedLocked) {
  testing::TempDir dir;
  const QString path = Path(dir);
  ASSERT_TRUE(BetLog::Open(path, nullptr));
  {
    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
    other.setDatabaseName(path);
    ASSERT_TRUE(other.open());
    QSqlQuery q(other);
    ASSERT_TRUE(q.exec(QStringLiteral("BEGIN IMMEDIATE")));
    LogProblem problem;
    EXPECT_FALSE(BetLog::Open(path, &problem, 50));
    EXPECT_EQ(problem.fault, LogFault::Locked);
    q.exec(QStringLiteral("ROLLBACK"));
    other.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("other"));
  EXPECT_TRUE(BetLog::Open(path, nullptr));
}

// Entries settled from the day's archive in the data folder: a payout, a loss, a special payout,
// a refund for a boat that flew, and entries left open for a day without results.
TEST(BetLog, EntriesAreSettledFromTheDaysResultFile) {
  const std::filesystem::path season = std::filesystem::path(WAKORIN_REALDATA_DIR) / "season2024";
  if (!std::filesystem::exists(season / "k240710.lzh")) GTEST_SKIP() << "no real files beside the project";
  testing::TempDir data;
  std::filesystem::copy_file(season / "k240710.lzh", data.path() / "k240710.lzh");
  std::filesystem::copy_file(season / "b240711.lzh", data.path() / "b240711.lzh");
  std::filesystem::copy_file(std::filesystem::path(WAKORIN_REALDATA_DIR) / "K240116.TXT", data.path() / "K240116.TXT");
  auto log = BetLog::Open(Path(data), nullptr);
  ASSERT_TRUE(log);
  // 大村 1R 5-6-3 ３連単 26580; 丸亀 1R ２連単 特払い 70; 2024-01-16 venue 23 7R boats 1-3 flew.
  log->Record(Trifecta(20240710, "24", 1, {Boats({5, 6, 3}), Boats({5, 3, 6})}, 300));
  Purchase special;
  special.day = 20240710;
  special.venue = QStringLiteral("15");
  special.race = 1;
  special.bet = AnyBet::Exacta;
  special.combinations = {Boats({1, 2})};
  special.stake = 200;
  log->Record(special);
  Purchase flew = special;
  flew.day = 20240116;
  flew.venue = QStringLiteral("23");
  flew.race = 7;
  flew.combinations = {Boats({1, 5})};
  flew.stake = 100;
  log->Record(flew);
  log->Record(Trifecta(20240711, "24", 1, {Boats({1, 2, 3})}, 100));

  const SettleReport report = SettleFromFolders(*log, {Path(data, "")});
  EXPECT_TRUE(report.written);
  EXPECT_EQ(report.settled, 4);
  EXPECT_EQ(report.open, 1);
  const auto july = log->EntriesOf(20240710);
  ASSERT_EQ(july.size(), 3u);
  EXPECT_EQ(july[0].settled, Settled::Paid);
  EXPECT_EQ(july[0].payout, 79740);
  EXPECT_EQ(july[1].settled, Settled::Loss);
  EXPECT_EQ(july[1].payout, 0);
  EXPECT_EQ(july[2].settled, Settled::Refund);
  EXPECT_EQ(july[2].payout, 140);
  EXPECT_EQ(log->EntriesOf(20240116).at(0).settled, Settled::Refund);
  EXPECT_EQ(log->EntriesOf(20240116).at(0).payout, 100);
  EXPECT_EQ(log->EntriesOf(20240711).at(0).settled, Settled::Open);
  const auto days = log->Days();
  ASSERT_EQ(days.size(), 3u);
  EXPECT_EQ(days[1].tally.stake, 800);
  EXPECT_EQ(days[1].tally.payout, 79880);
  EXPECT_EQ(days[2].tally.open, 100);
  // Settling again changes nothing.
  EXPECT_EQ(SettleFromFolders(*log, {Path(data, "")}).settled, 0);
}

// Losses are written a run of ids at a time: a row between them that is not settled now (another
// program's row, an entry of a day without results, one settled before) keeps what it holds.
TEST(BetLog, RowsBetweenSettledLossesKeepTheirState) {
  if (!RealSeason()) GTEST_SKIP() << "no real files beside the project";
  testing::TempDir data;
  CopyJulyTenth(data);
  const QString path = Path(data);
  auto log = BetLog::Open(path, nullptr);
  ASSERT_TRUE(log);
  // 大村 (24) 1R: 5-6-3 won the trifecta; every other row below that is read loses.
  struct Row {
    const char* values;  // day, venue, bet, boats, settled, payout
    const char* after;   // settled|payout
  };
  const Row rows[] = {
      {"20240710, '24', 'trifecta', '1-2-3', 0, 0", "3|0"},
      {"20240710, '2', 'trifecta', '1-2-4', 0, 0", "0|0"},  // not a venue code
      {"20240710, '24', 'trifecta', '1-2-5', 0, 0", "3|0"},
      {"20240711, '24', 'trifecta', '1-2-3', 0, 0", "0|0"},  // no results for the day
      {"20240710, '24', 'trifecta', '1-2-6', 0, 0", "3|0"},
      {"20240710, '24', 'trifecta', '1-3-2', 1, 999", "1|999"},  // settled before
      {"20240710, '24', 'trifecta', '1-3-4', 0, 0", "3|0"},
      {"20240710, '24', 'trifecta', '5-6-3', 0, 0", "1|26580"},  // paid amid losses
      {"20240710, '24', 'trifecta', '1-3-5', 0, 0", "3|0"},
      {"20240710, '24', 'trifecta', '1-1-2', 0, 0", "0|0"},  // a boat twice
      {"20240710, '24', 'lottery', '1-2-3', 0, 0", "0|0"},
      {"20240710, '00', 'trifecta', '1-3-5', 0, 0", "0|0"},
      {"20240710, '24', 'trifecta', '1-3-6', 0, 0", "3|0"},
  };
  QStringList inserts;
  QStringList expected;
  for (const Row& row : rows) {
    inserts << QStringLiteral("INSERT INTO bets(day, venue, bet, boats, settled, payout, race, stake, created)"
                              " VALUES(%1, 1, 100, '2024-07-10T09:00:00')")
                   .arg(QLatin1String(row.values));
    expected << QLatin1String(row.after);
  }
  ASSERT_TRUE(Sql(path, inserts));
  const std::string indexBefore = Rows(path, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index'"));

  const SettleReport report = SettleFromFolders(*log, {Path(data, "")});
  EXPECT_TRUE(report.written);
  EXPECT_EQ(report.settled, 7);
  EXPECT_EQ(report.open, 1);
  EXPECT_EQ(Rows(path, QStringLiteral("SELECT settled, payout FROM bets ORDER BY id")),
            expected.join(QLatin1Char(' ')).toStdString());
  EXPECT_EQ(Rows(path, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index'")), indexBefore);
  const auto open = log->OpenEntries();
  ASSERT_EQ(open.size(), 1u);
  EXPECT_EQ(open[0].day, 20240711);
}

// A settlement the log refuses part way leaves every entry, and the index of open ones, as it was.
TEST(BetLog, AFailedSettlementChangesNothing) {
  if (!RealSeason()) GTEST_SKIP() << "no real files beside the project";
  const QString holdLock = QStringLiteral("hold");
  const struct {
    const char* what;
    QString obstacle;  // run by another program before settling; its trigger or lock is then undone
  } cases[] = {
      {"a row refused by a trigger",
       QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON bets WHEN OLD.id = 5"
                      " BEGIN SELECT RAISE(ABORT, 'refused'); END")},
      {"another program writing", holdLock},
  };
  for (const auto& c : cases) {
    testing::TempDir data;
    CopyJulyTenth(data);
    const QString path = Path(data);
    auto log = BetLog::Open(path, nullptr, 50);
    ASSERT_TRUE(log);
    log->Record(Trifecta(20240710, "24", 1, {Boats({1, 2, 3}), Boats({5, 6, 3}), Boats({1, 2, 4})}, 100));
    log->Record(Trifecta(20240710, "24", 2, {Boats({1, 2, 3}), Boats({2, 1, 3}), Boats({3, 1, 2})}, 100));
    const std::string before = Rows(path, QStringLiteral("SELECT settled, payout FROM bets ORDER BY id"));
    const std::string schema = Rows(path, QStringLiteral("SELECT sql FROM sqlite_master ORDER BY name"));

    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
    other.setDatabaseName(path);
    ASSERT_TRUE(other.open());
    ASSERT_TRUE(QSqlQuery(other).exec(c.obstacle == holdLock ? QStringLiteral("BEGIN IMMEDIATE") : c.obstacle)) << c.what;
    const SettleReport refused = SettleFromFolders(*log, {Path(data, "")});
    EXPECT_FALSE(refused.written) << c.what;
    EXPECT_EQ(refused.settled, 0) << c.what;
    EXPECT_EQ(refused.open, 6) << c.what;
    EXPECT_FALSE(log->LastError().isEmpty()) << c.what;
    QSqlQuery(other).exec(c.obstacle == holdLock ? QStringLiteral("ROLLBACK") : QStringLiteral("DROP TRIGGER refuse"));
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    EXPECT_EQ(Rows(path, QStringLiteral("SELECT settled, payout FROM bets ORDER BY id")), before) << c.what;
    EXPECT_EQ(Rows(path, QStringLiteral("SELECT sql FROM sqlite_master ORDER BY name")), schema) << c.what;

    // The obstacle gone, the same settlement goes through.
    const SettleReport report = SettleFromFolders(*log, {Path(data, "")});
    EXPECT_TRUE(report.written) << c.what;
    EXPECT_EQ(report.settled, 6) << c.what;
  }
}

// The days with open entries, also when another program wrote a day as text or a fraction (the
// search steps past each value found, so it must end) or dropped the index it searches.
TEST(BetLog, OpenDaysEndOnAnyDayValue) {
  testing::TempDir dir;
  const QString path = Path(dir);
  auto log = BetLog::Open(path, nullptr);
  ASSERT_TRUE(log);
  QStringList inserts;
  for (const char* values : {"20240712, 0", "20240710, 0", "20240710, 0", "'20240711x', 0", "20240713.5, 0", "20240714, 3"}) {
    inserts << QStringLiteral("INSERT INTO bets(day, settled, venue, race, bet, boats, stake, created)"
                              " VALUES(%1, '24', 1, 'win', '1', 100, '')")
                   .arg(QLatin1String(values));
  }
  ASSERT_TRUE(Sql(path, inserts));
  const std::vector<int> expected{20240710, 20240712, 20240713, 20240711};  // numbers sort before text
  EXPECT_EQ(log->OpenDays(), expected);
  ASSERT_TRUE(Sql(path, {QStringLiteral("DROP INDEX bets_open")}));
  EXPECT_EQ(log->OpenDays(), expected) << "without the index";
}

}  // namespace
}  // namespace wakorin::ledger
