#include "ledger/BetLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace wakorin::ledger {
namespace {

constexpr const char* kCodes[] = {"win", "place", "exacta", "quinella", "wide", "trifecta", "trio"};

// Each schema version's step from the one before, run in the migration's one transaction.
const std::vector<std::vector<const char*>>& Steps() {
  static const std::vector<std::vector<const char*>> steps{
      // 1: the entries.
      {"CREATE TABLE bets(id INTEGER PRIMARY KEY, day INTEGER NOT NULL, venue TEXT NOT NULL,"
       " race INTEGER NOT NULL, bet TEXT NOT NULL, boats TEXT NOT NULL, stake INTEGER NOT NULL,"
       " created TEXT NOT NULL, settled INTEGER NOT NULL DEFAULT 0, payout INTEGER NOT NULL DEFAULT 0)",
       "CREATE INDEX bets_day ON bets(day)"},
      // 2: what was bought together, and a note; each earlier entry is a purchase of its own.
      {"ALTER TABLE bets ADD COLUMN purchase INTEGER NOT NULL DEFAULT 0",
       "ALTER TABLE bets ADD COLUMN note TEXT NOT NULL DEFAULT ''",
       "UPDATE bets SET purchase = id",
       // Only the entries waiting for results, so that settling one takes it out and puts nothing in.
       "CREATE INDEX bets_open ON bets(day) WHERE settled = 0"},
  };
  return steps;
}

LogFault FaultOf(const QSqlError& error) {
  bool ok = false;
  const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
  if (!ok) return LogFault::Failed;
  switch (code) {
    case 5:  // SQLITE_BUSY
    case 6:  // SQLITE_LOCKED
      return LogFault::Locked;
    case 8:  // SQLITE_READONLY
      return LogFault::ReadOnly;
    case 11:  // SQLITE_CORRUPT
    case 26:  // SQLITE_NOTADB
      return LogFault::Damaged;
    case 14:  // SQLITE_CANTOPEN
      return LogFault::CannotCreate;
    default:
      return LogFault::Failed;
  }
}

// A file or folder that may be written, by the system's rule and by its own mode: a file made
// read-only on purpose stays so even for an administrator.
bool Writable(const QFileInfo& info) {
  return info.isWritable() &&
         (info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)) != 0;
}

constexpr char kColumns[] =
    "SELECT id, day, venue, race, bet, boats, stake, created, purchase, note, settled, payout FROM bets";

std::vector<Entry> ReadEntries(QSqlQuery& query) {
  std::vector<Entry> entries;
  while (query.next()) {
    Entry e;
    e.id = query.value(0).toLongLong();
    e.day = query.value(1).toInt();
    e.venue = query.value(2).toString();
    e.race = query.value(3).toInt();
    const auto bet = BetOfCode(query.value(4).toString());
    const auto boats = bet ? BoatsOfText(*bet, query.value(5).toString()) : std::nullopt;
    if (!boats) continue;  // a row another program wrote: passed over, never guessed
    e.bet = *bet;
    e.boats = *boats;
    e.stake = query.value(6).toLongLong();
    e.created = QDateTime::fromString(query.value(7).toString(), Qt::ISODate);
    e.purchase = query.value(8).toLongLong();
    e.note = query.value(9).toString();
    const int settled = query.value(10).toInt();
    e.settled = settled >= 0 && settled <= 3 ? static_cast<Settled>(settled) : Settled::Open;
    e.payout = query.value(11).toLongLong();
    entries.push_back(std::move(e));
  }
  return entries;
}

// The filter of a venue and a bet type, empty meaning any.
QString Where(const QString& venue, std::optional<AnyBet> bet) {
  QStringList terms;
  if (!venue.isEmpty()) terms << QStringLiteral("venue = :venue");
  if (bet) terms << QStringLiteral("bet = :bet");
  return terms.isEmpty() ? QString() : QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "));
}
void BindWhere(QSqlQuery& query, const QString& venue, std::optional<AnyBet> bet) {
  if (!venue.isEmpty()) query.bindValue(QStringLiteral(":venue"), venue);
  if (bet) query.bindValue(QStringLiteral(":bet"), QString::fromLatin1(BetCode(*bet)));
}

}  // namespace

QString LogPathIn(const QString& dataFolder) {
  return QDir(dataFolder).filePath(QStringLiteral("betlog.sqlite"));
}

const char* BetCode(AnyBet bet) {
  return kCodes[static_cast<int>(bet)];
}

std::optional<AnyBet> BetOfCode(const QString& code) {
  for (AnyBet bet : kAnyBets) {
    if (code == QLatin1String(BetCode(bet))) return bet;
  }
  return std::nullopt;
}

QString BoatsText(const Combination& boats) {
  QString text;
  for (int k = 0; k < boats.count; ++k) {
    if (k > 0) text += QLatin1Char('-');
    text += QString::number(boats.boats[static_cast<std::size_t>(k)]);
  }
  return text;
}

std::optional<Combination> BoatsOfText(AnyBet bet, const QString& text) {
  // "5-6-3": a boat 1..6 at every even place, a dash at every odd one, none twice.
  const int count = BoatsOf(bet);
  if (text.size() != 2 * count - 1) return std::nullopt;
  Combination c;
  for (int k = 0; k < text.size(); ++k) {
    const char16_t ch = text[k].unicode();
    if (k % 2 == 1) {
      if (ch != u'-') return std::nullopt;
      continue;
    }
    if (ch < u'1' || ch > u'6') return std::nullopt;
    const auto boat = static_cast<std::uint8_t>(ch - u'0');
    for (int j = 0; j < c.count; ++j) {
      if (c.boats[static_cast<std::size_t>(j)] == boat) return std::nullopt;
    }
    c.boats[c.count++] = boat;
  }
  return c;
}

BetLog::BetLog(QString path, QString connection) : path_(std::move(path)), connection_(std::move(connection)) {}

BetLog::~BetLog() {
  {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    db.close();
  }
  QSqlDatabase::removeDatabase(connection_);
}

std::unique_ptr<BetLog> BetLog::Open(const QString& path, LogProblem* problem, int busyMs) {
  LogProblem local;
  LogProblem& p = problem != nullptr ? *problem : local;
  p = LogProblem{};
  p.path = path;
  static std::atomic<int> connections{0};
  const QString name = QStringLiteral("wakorin-betlog-%1").arg(++connections);
  std::unique_ptr<BetLog> log(new BetLog(path, name));  // its end removes the connection

  auto fail = [&](LogFault fault, const QString& detail = {}) {
    p.fault = fault;
    p.detail = detail;
    return std::unique_ptr<BetLog>();
  };
  const QFileInfo info(path);
  const QFileInfo folder(info.absolutePath());
  const bool existed = info.exists();
  if (existed) {
    if (!info.isFile()) return fail(LogFault::Damaged);
    if (!Writable(info) || !Writable(folder)) return fail(LogFault::ReadOnly);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return fail(LogFault::ReadOnly, file.errorString());
    const QByteArray head = file.read(16);
    if (!head.isEmpty() && head != QByteArray("SQLite format 3\0", 16)) return fail(LogFault::Damaged);
  } else if (!QDir().mkpath(folder.absoluteFilePath()) || !Writable(QFileInfo(folder.absoluteFilePath()))) {
    return fail(LogFault::CannotCreate);
  }

  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
  if (!db.isValid()) return fail(LogFault::Failed, QStringLiteral("QSQLITE"));
  db.setDatabaseName(path);
  db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyMs));
  if (!db.open()) return fail(FaultOf(db.lastError()), db.lastError().text());
  QSqlQuery q(db);
  auto run = [&](const QString& sql) { return q.exec(sql); };
  auto failed = [&]() { return fail(FaultOf(q.lastError()), q.lastError().text()); };

  // Read before anything is written: a damaged or newer file is named and left alone.
  if (!run(QStringLiteral("PRAGMA quick_check"))) return failed();
  if (!q.next() || q.value(0).toString() != QLatin1String("ok")) {
    return fail(LogFault::Damaged, q.value(0).toString());
  }
  if (!run(QStringLiteral("PRAGMA user_version")) || !q.next()) return failed();
  const int version = q.value(0).toInt();
  if (version > kVersion) {
    p.version = version;
    return fail(LogFault::Newer);
  }
  if (!run(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next()) return failed();
  if (version == 0 && q.value(0).toInt() > 0) return fail(LogFault::Damaged);  // someone else's database
  // Another program writing holds it: said now rather than at the first entry.
  if (!run(QStringLiteral("BEGIN IMMEDIATE"))) return failed();
  run(QStringLiteral("ROLLBACK"));

  if (version < kVersion) {
    if (version > 0) {
      // The file as it was, whole, beside it before it changes.
      if (!run(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"))) return failed();
      QString copy = QStringLiteral("%1.v%2.bak").arg(path).arg(version);
      for (int n = 2; QFileInfo::exists(copy); ++n) copy = QStringLiteral("%1.v%2.%3.bak").arg(path).arg(version).arg(n);
      if (!QFile::copy(path, copy)) return fail(LogFault::Failed, copy);
    }
    if (!run(QStringLiteral("BEGIN IMMEDIATE"))) return failed();
    for (int step = version; step < kVersion; ++step) {
      for (const char* sql : Steps()[static_cast<std::size_t>(step)]) {
        if (!run(QString::fromLatin1(sql))) {
          auto result = failed();
          QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
          return result;
        }
      }
    }
    if (!run(QStringLiteral("PRAGMA user_version = %1").arg(kVersion)) || !run(QStringLiteral("COMMIT"))) {
      auto result = failed();
      QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
      return result;
    }
  }
  if (!run(QStringLiteral("PRAGMA journal_mode=WAL")) || !q.next()) return failed();
  if (q.value(0).toString() != QLatin1String("wal")) return fail(LogFault::Failed, q.value(0).toString());
  run(QStringLiteral("PRAGMA synchronous=NORMAL"));
  // A season's settlement changes every page of the table in one transaction: room for them all,
  // so that none is written out twice.
  run(QStringLiteral("PRAGMA cache_size=-32768"));
  return log;
}

namespace {

// One change in one transaction: committed when `body` answers true, else rolled back.
template <typename Body>
bool InTransaction(const QString& connection, QString& error, Body body) {
  QSqlDatabase db = QSqlDatabase::database(connection, false);
  QSqlQuery q(db);
  if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
    error = q.lastError().text();
    return false;
  }
  if (!body(db) || !q.exec(QStringLiteral("COMMIT"))) {
    if (error.isEmpty()) error = q.lastError().text();
    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    return false;
  }
  return true;
}

}  // namespace

std::optional<qint64> BetLog::Record(const Purchase& purchase) {
  error_.clear();
  if (purchase.combinations.empty()) return std::nullopt;
  qint64 first = 0;
  const bool ok = InTransaction(connection_, error_, [&](QSqlDatabase& db) {
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral(
        "INSERT INTO bets(day, venue, race, bet, boats, stake, created, purchase, note)"
        " VALUES(?, ?, ?, ?, ?, ?, ?, 0, COALESCE(?, ''))"));
    const QString created = QDateTime::currentDateTime().toString(Qt::ISODate);
    qint64 last = 0;
    for (const Combination& c : purchase.combinations) {
      insert.addBindValue(purchase.day);
      insert.addBindValue(purchase.venue);
      insert.addBindValue(purchase.race);
      insert.addBindValue(QString::fromLatin1(BetCode(purchase.bet)));
      insert.addBindValue(BoatsText(c));
      insert.addBindValue(purchase.stake);
      insert.addBindValue(created);
      insert.addBindValue(purchase.note);
      if (!insert.exec()) {
        error_ = insert.lastError().text();
        return false;
      }
      last = insert.lastInsertId().toLongLong();
      if (first == 0) first = last;
    }
    QSqlQuery group(db);
    group.prepare(QStringLiteral("UPDATE bets SET purchase = ? WHERE id BETWEEN ? AND ?"));
    group.addBindValue(first);
    group.addBindValue(first);
    group.addBindValue(last);
    if (!group.exec()) error_ = group.lastError().text();
    return error_.isEmpty();
  });
  return ok ? std::optional<qint64>(first) : std::nullopt;
}

bool BetLog::Remove(const std::vector<qint64>& ids) {
  error_.clear();
  return InTransaction(connection_, error_, [&](QSqlDatabase& db) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("DELETE FROM bets WHERE id = ?"));
    for (qint64 id : ids) {
      q.addBindValue(id);
      if (!q.exec()) {
        error_ = q.lastError().text();
        return false;
      }
    }
    return true;
  });
}

bool BetLog::RemovePurchase(qint64 purchase) {
  error_.clear();
  return InTransaction(connection_, error_, [&](QSqlDatabase& db) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("DELETE FROM bets WHERE purchase = ?"));
    q.addBindValue(purchase);
    if (!q.exec()) error_ = q.lastError().text();
    return error_.isEmpty();
  });
}

bool BetLog::SetStake(const std::vector<qint64>& ids, qint64 stake) {
  error_.clear();
  return InTransaction(connection_, error_, [&](QSqlDatabase& db) {
    // A settled entry's payout scales with its stake: it is settled again from the file.
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE bets SET stake = ?, settled = 0, payout = 0 WHERE id = ?"));
    for (qint64 id : ids) {
      q.addBindValue(stake);
      q.addBindValue(id);
      if (!q.exec()) {
        error_ = q.lastError().text();
        return false;
      }
    }
    return true;
  });
}

bool BetLog::Settle(const std::vector<std::pair<qint64, std::pair<Settled, qint64>>>& settled) {
  error_.clear();
  if (settled.empty()) return true;
  return InTransaction(connection_, error_, [&](QSqlDatabase& db) {
    // Losses (most entries) a thousand ids a statement; the others one by one.
    QSqlQuery one(db);
    one.prepare(QStringLiteral("UPDATE bets SET settled = ?, payout = ? WHERE id = ?"));
    QString losses;
    int pending = 0;
    auto flush = [&] {
      if (pending == 0) return true;
      QSqlQuery many(db);
      const bool ok = many.exec(QStringLiteral("UPDATE bets SET settled = %1, payout = 0 WHERE id IN (%2)")
                                    .arg(static_cast<int>(Settled::Loss))
                                    .arg(losses));
      if (!ok) error_ = many.lastError().text();
      losses.clear();
      pending = 0;
      return ok;
    };
    for (const auto& [id, state] : settled) {
      if (state.first == Settled::Loss && state.second == 0) {
        if (pending > 0) losses += QLatin1Char(',');
        losses += QString::number(id);
        if (++pending == 1000 && !flush()) return false;
        continue;
      }
      one.addBindValue(static_cast<int>(state.first));
      one.addBindValue(state.second);
      one.addBindValue(id);
      if (!one.exec()) {
        error_ = one.lastError().text();
        return false;
      }
    }
    return flush();
  });
}

std::vector<Entry> BetLog::EntriesOf(int day) const {
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.setForwardOnly(true);
  q.prepare(QString::fromLatin1(kColumns) + QStringLiteral(" WHERE day = ? ORDER BY id"));
  q.addBindValue(day);
  if (!q.exec()) return {};
  return ReadEntries(q);
}

std::vector<Entry> BetLog::Entries(const QString& venue, std::optional<AnyBet> bet) const {
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.setForwardOnly(true);
  q.prepare(QString::fromLatin1(kColumns) + Where(venue, bet) + QStringLiteral(" ORDER BY day, id"));
  BindWhere(q, venue, bet);
  if (!q.exec()) return {};
  return ReadEntries(q);
}

std::vector<Entry> BetLog::OpenEntries() const {
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.setForwardOnly(true);
  std::vector<Entry> entries;
  // Read as numbers only (a season of entries is settled at every opening of a day): the venue
  // "24" as 24, the bet type by its place in the codes, the boats "5-6-3" as 563.
  QString sql = QStringLiteral("SELECT id, day, CAST(venue AS INTEGER), race, CASE bet");
  for (AnyBet bet : kAnyBets) {
    sql += QStringLiteral(" WHEN '%1' THEN %2").arg(QLatin1String(BetCode(bet))).arg(static_cast<int>(bet));
  }
  sql += QStringLiteral(" ELSE -1 END, CAST(replace(boats, '-', '') AS INTEGER), length(boats), stake,"
                        " length(venue) FROM bets WHERE settled = 0 ORDER BY day, id");
  if (!q.exec(sql)) return entries;
  static const QStringList kVenues = [] {
    QStringList codes;
    for (int code = 0; code < 100; ++code) codes << QStringLiteral("%1").arg(code, 2, 10, QLatin1Char('0'));
    return codes;
  }();
  while (q.next()) {
    const int bet = q.value(4).toInt();
    const int length = q.value(6).toInt();
    const int venue = q.value(2).toInt();
    if (bet < 0 || bet >= static_cast<int>(kAnyBets.size()) || venue < 1 || venue > 99 || q.value(8).toInt() != 2) continue;
    Entry e;
    e.bet = kAnyBets[static_cast<std::size_t>(bet)];
    const int count = BoatsOf(e.bet);
    if (length != 2 * count - 1) continue;
    int boats = q.value(5).toInt();
    for (int k = count - 1; k >= 0; --k, boats /= 10) e.boats.boats[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(boats % 10);
    e.boats.count = static_cast<std::uint8_t>(count);
    // A row another program wrote is passed over, never guessed.
    unsigned seen = 0;
    bool good = boats == 0;
    for (int k = 0; k < count; ++k) {
      const int boat = e.boats.boats[static_cast<std::size_t>(k)];
      good = good && boat >= 1 && boat <= 6 && (seen & (1u << boat)) == 0;
      seen |= 1u << boat;
    }
    if (!good) continue;
    e.id = q.value(0).toLongLong();
    e.day = q.value(1).toInt();
    e.venue = kVenues[venue];
    e.race = q.value(3).toInt();
    e.stake = q.value(7).toLongLong();
    entries.push_back(std::move(e));
  }
  return entries;
}

std::vector<DayTally> BetLog::Days(const QString& venue, std::optional<AnyBet> bet) const {
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.setForwardOnly(true);
  q.prepare(QStringLiteral(
                "SELECT day, SUM(CASE WHEN settled <> 0 THEN stake ELSE 0 END), SUM(payout),"
                " SUM(CASE WHEN settled = 0 THEN stake ELSE 0 END), COUNT(*) FROM bets") +
            Where(venue, bet) + QStringLiteral(" GROUP BY day ORDER BY day"));
  BindWhere(q, venue, bet);
  std::vector<DayTally> days;
  if (!q.exec()) return days;
  while (q.next()) {
    DayTally d;
    d.day = q.value(0).toInt();
    d.tally.stake = q.value(1).toLongLong();
    d.tally.payout = q.value(2).toLongLong();
    d.tally.open = q.value(3).toLongLong();
    d.tally.entries = q.value(4).toInt();
    days.push_back(d);
  }
  return days;
}

int BetLog::Count() const {
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  if (!q.exec(QStringLiteral("SELECT count(*) FROM bets")) || !q.next()) return 0;
  return q.value(0).toInt();
}

}  // namespace wakorin::ledger
