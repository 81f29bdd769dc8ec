#include "ledger/BetLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <limits>
#include <string_view>

#include <sqlite3.h>

namespace wakorin::ledger {
namespace {

constexpr const char* kCodes[] = {"win", "place", "exacta", "quinella", "wide", "trifecta", "trio"};

// Only the entries waiting for results, so that settling one takes it out and puts nothing in.
constexpr char kOpenIndex[] = "CREATE INDEX bets_open ON bets(day) WHERE settled = 0";

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
       "UPDATE bets SET purchase = id", kOpenIndex},
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

// A prepared statement of SQLite's own, finalized at its end.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) {
    if (db != nullptr) sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr);
  }
  ~Statement() { sqlite3_finalize(statement_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  explicit operator bool() const { return statement_ != nullptr; }
  sqlite3_stmt* get() const { return statement_; }

 private:
  sqlite3_stmt* statement_ = nullptr;
};

std::string_view TextOf(sqlite3_stmt* row, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(row, column));
  return text != nullptr ? std::string_view(text, static_cast<std::size_t>(sqlite3_column_bytes(row, column)))
                         : std::string_view();
}

std::optional<AnyBet> BetOfBytes(std::string_view code) {
  for (AnyBet bet : kAnyBets) {
    if (code == BetCode(bet)) return bet;
  }
  return std::nullopt;
}

// "5-6-3": a boat 1..6 at every even place, a dash at every odd one, none twice.
template <typename Char>
std::optional<Combination> ParseBoats(AnyBet bet, const Char* text, std::size_t size) {
  const int count = BoatsOf(bet);
  if (size != static_cast<std::size_t>(2 * count - 1)) return std::nullopt;
  Combination c;
  for (std::size_t k = 0; k < size; ++k) {
    const auto ch = static_cast<char16_t>(text[k]);
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
  return QString::fromLatin1(CombinationAsWritten(boats));
}

std::optional<Combination> BoatsOfText(AnyBet bet, const QString& text) {
  return ParseBoats(bet, text.utf16(), static_cast<std::size_t>(text.size()));
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
  const QVariant handle = db.driver()->handle();
  if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
    log->db_ = *static_cast<sqlite3* const*>(handle.constData());
  }
  if (log->db_ == nullptr) return fail(LogFault::Failed, QStringLiteral("QSQLITE"));
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
  bool kept = false;
  try {
    kept = body(db) && q.exec(QStringLiteral("COMMIT"));
  } catch (...) {
    // Thrown out of the body (memory ran out): the connection must not stay inside the transaction.
    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    throw;
  }
  if (!kept) {
    if (error.isEmpty()) error = q.lastError().text();
    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
  }
  return kept;
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

std::optional<int> BetLog::SettleOpen(const Settler& settle) {
  error_.clear();
  int count = 0;
  const bool ok = InTransaction(connection_, error_, [&](QSqlDatabase&) {
    auto failed = [&] {
      error_ = QString::fromUtf8(sqlite3_errmsg(db_));
      return false;
    };
    std::vector<qint64> passedOver;
    const std::vector<Entry> open = ReadOpen(&passedOver, &error_);
    if (!error_.isEmpty()) return false;
    if (open.empty()) return true;

    // Each entry's place among all open rows by id, a passed-over row among them: entries settled
    // at neighbouring places have no other open row between them. Those paid or refunded (a few in
    // ten) are written one by one, then each run as losses by one ranged statement over the rows
    // still open, which walks the table instead of searching it for each row.
    std::vector<std::uint32_t> place(open.size());
    {
      std::vector<std::pair<qint64, std::size_t>> byId;
      byId.reserve(open.size() + passedOver.size());
      for (std::size_t k = 0; k < open.size(); ++k) byId.emplace_back(open[k].id, k);
      for (qint64 id : passedOver) byId.emplace_back(id, open.size());
      std::sort(byId.begin(), byId.end());
      for (std::size_t at = 0; at < byId.size(); ++at) {
        if (byId[at].second < open.size()) place[byId[at].second] = static_cast<std::uint32_t>(at);
      }
    }
    // Settling a season takes most rows out of the index of open entries: dropping it and making
    // it anew over those still open costs one pass over the table instead of a search per row.
    bool rebuild = false;
    {
      Statement last(db_, "SELECT max(id) FROM bets");
      if (!last || sqlite3_step(last.get()) != SQLITE_ROW) return failed();
      rebuild = 4 * static_cast<qint64>(open.size()) >= sqlite3_column_int64(last.get(), 0);
    }
    // Made at the first write, after the index is dropped.
    std::unique_ptr<Statement> one, losses;
    bool writeFailed = false;
    auto step = [&](sqlite3_stmt* statement) {
      const bool done = sqlite3_step(statement) == SQLITE_DONE;
      if (!done) failed();  // said before the reset
      sqlite3_reset(statement);
      return done;
    };
    const SettleWrite write = [&](std::size_t begin, std::size_t end, const Outcome* outcomes) {
      if (!one) {
        if (rebuild && sqlite3_exec(db_, "DROP INDEX IF EXISTS bets_open", nullptr, nullptr, nullptr) != SQLITE_OK) {
          return failed();
        }
        one = std::make_unique<Statement>(db_, "UPDATE bets SET settled = ?1, payout = ?2 WHERE id = ?3");
        losses = std::make_unique<Statement>(
            db_, "UPDATE bets SET settled = ?1, payout = 0 WHERE id BETWEEN ?2 AND ?3 AND settled = 0");
        if (!*one || !*losses) return failed();
      }
      // An outcome of Open is no settlement: the entry stays as it is.
      auto settles = [&](std::size_t k) { return outcomes[k - begin] && outcomes[k - begin]->first != Settled::Open; };
      for (std::size_t k = begin; k < end; ++k) {
        const Outcome& outcome = outcomes[k - begin];
        if (!settles(k) || (outcome->first == Settled::Loss && outcome->second == 0)) continue;
        sqlite3_bind_int(one->get(), 1, static_cast<int>(outcome->first));
        sqlite3_bind_int64(one->get(), 2, outcome->second);
        sqlite3_bind_int64(one->get(), 3, open[k].id);
        if (!step(one->get())) return false;
      }
      // Then each run as losses: its rows paid or refunded just now are no longer open, so the range
      // passes them over.
      for (std::size_t k = begin; k < end;) {
        if (!settles(k)) {
          ++k;
          continue;
        }
        std::size_t last = k;
        while (last + 1 < end && settles(last + 1) && place[last + 1] == place[last] + 1) ++last;
        sqlite3_bind_int(losses->get(), 1, static_cast<int>(Settled::Loss));
        sqlite3_bind_int64(losses->get(), 2, open[k].id);
        sqlite3_bind_int64(losses->get(), 3, open[last].id);
        if (!step(losses->get())) return false;
        count += static_cast<int>(last + 1 - k);
        k = last + 1;
      }
      return true;
    };
    // A write that failed fails the whole, whatever the settler makes of it.
    const SettleWrite guarded = [&](std::size_t begin, std::size_t end, const Outcome* outcomes) {
      writeFailed = writeFailed || !write(begin, end, outcomes);
      return !writeFailed;
    };
    if (!settle(open, guarded) || writeFailed) {
      if (error_.isEmpty()) error_ = QStringLiteral("settlement stopped");
      return false;
    }
    if (one && rebuild && sqlite3_exec(db_, kOpenIndex, nullptr, nullptr, nullptr) != SQLITE_OK) return failed();
    return true;
  });
  return ok ? std::optional<int>(count) : std::nullopt;
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
  QString error;
  return ReadOpen(nullptr, &error);
}

std::vector<int> BetLog::OpenDays() const {
  // One search of the index of open entries a day, rather than a walk through all of them. Each
  // search starts past the value found last, whatever its type, so that the walk ends even on a
  // day another program wrote as text or a fraction; such a day counts as its entries do.
  std::vector<int> days;
  auto add = [&](sqlite3_stmt* row) {
    const int day = sqlite3_column_int(row, 0);
    if (days.empty() || days.back() != day) days.push_back(day);
  };
  Statement q(db_, "SELECT min(day) FROM bets INDEXED BY bets_open WHERE settled = 0 AND day > ?1");
  std::unique_ptr<sqlite3_value, void (*)(sqlite3_value*)> after(nullptr, sqlite3_value_free);
  int rc = q ? sqlite3_bind_int64(q.get(), 1, std::numeric_limits<qint64>::min()) : SQLITE_ERROR;
  while (rc == SQLITE_OK && (rc = sqlite3_step(q.get())) == SQLITE_ROW) {
    if (sqlite3_column_type(q.get(), 0) == SQLITE_NULL) {
      rc = SQLITE_DONE;
      break;
    }
    add(q.get());
    after.reset(sqlite3_value_dup(sqlite3_column_value(q.get(), 0)));
    sqlite3_reset(q.get());
    rc = after ? sqlite3_bind_value(q.get(), 1, after.get()) : SQLITE_NOMEM;
  }
  if (rc == SQLITE_DONE) return days;
  // The index gone (another program dropped it): all open entries walked once.
  days.clear();
  Statement all(db_, "SELECT DISTINCT day FROM bets WHERE settled = 0 ORDER BY day");
  while (all && sqlite3_step(all.get()) == SQLITE_ROW) add(all.get());
  return days;
}

std::vector<Entry> BetLog::ReadOpen(std::vector<qint64>* passedOver, QString* error) const {
  std::vector<Entry> entries;
  // A season of entries is settled at every opening of a day: read by SQLite itself, in the
  // index's order, the texts taken as bytes.
  Statement q(db_, "SELECT id, day, venue, race, bet, boats, stake FROM bets WHERE settled = 0 ORDER BY day, id");
  if (!q) {
    *error = QString::fromUtf8(sqlite3_errmsg(db_));
    return entries;
  }
  static const QStringList kVenues = [] {
    QStringList codes;
    for (int code = 0; code < 100; ++code) codes << QStringLiteral("%1").arg(code, 2, 10, QLatin1Char('0'));
    return codes;
  }();
  sqlite3_stmt* row = q.get();
  int rc = SQLITE_ROW;
  while ((rc = sqlite3_step(row)) == SQLITE_ROW) {
    // A row another program wrote is passed over, never guessed.
    const std::string_view venue = TextOf(row, 2);
    const auto bet = BetOfBytes(TextOf(row, 4));
    const std::string_view boats = TextOf(row, 5);
    const auto combination = bet ? ParseBoats(*bet, boats.data(), boats.size()) : std::nullopt;
    if (venue.size() != 2 || venue[0] < '0' || venue[0] > '9' || venue[1] < '0' || venue[1] > '9' || venue == "00" ||
        !combination) {
      if (passedOver != nullptr) passedOver->push_back(sqlite3_column_int64(row, 0));
      continue;
    }
    Entry e;
    e.id = sqlite3_column_int64(row, 0);
    e.day = sqlite3_column_int(row, 1);
    e.venue = kVenues[(venue[0] - '0') * 10 + (venue[1] - '0')];
    e.race = sqlite3_column_int(row, 3);
    e.bet = *bet;
    e.boats = *combination;
    e.stake = sqlite3_column_int64(row, 6);
    entries.push_back(std::move(e));
  }
  if (rc != SQLITE_DONE) *error = QString::fromUtf8(sqlite3_errmsg(db_));
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
