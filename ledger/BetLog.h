#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "results/RacePayouts.h"

struct sqlite3;

namespace wakorin::ledger {

// Why the bet log could not be opened. The file is then left exactly as it was found.
enum class LogFault {
  None,
  CannotCreate,  // no file yet, and none can be made in the folder
  Locked,        // another program holds it
  ReadOnly,      // the file or its folder may not be written
  Damaged,       // not a database, or one whose pages do not read
  Newer,         // written by a later version of the program: `version`
  Failed,        // a migration or a write failed: `detail`
};
struct LogProblem {
  LogFault fault = LogFault::None;
  QString path;
  QString detail;  // SQLite's own words, for the message
  int version = 0;
};

// How an entry stands.
enum class Settled { Open, Paid, Refund, Loss };

// One combination bought.
struct Entry {
  qint64 id = 0;
  int day = 0;  // yyyymmdd
  QString venue;  // "01".."24"
  int race = 0;
  AnyBet bet = AnyBet::Win;
  Combination boats;
  qint64 stake = 0;  // yen on this combination
  QDateTime created;
  qint64 purchase = 0;  // the entries bought together (a box, a formation, a recommendation)
  QString note;
  Settled settled = Settled::Open;
  qint64 payout = 0;  // yen paid back: a payout or a refund
};

// What is recorded at once: the combinations of one purchase, each with the same stake.
struct Purchase {
  int day = 0;
  QString venue;
  int race = 0;
  AnyBet bet = AnyBet::Win;
  std::vector<Combination> combinations;
  qint64 stake = 0;
  QString note;
};

// Sums of entries (yen); `open` is staked on entries not settled yet, outside stake and payout.
struct Tally {
  qint64 stake = 0, payout = 0, open = 0;
  int entries = 0;
  qint64 Balance() const { return payout - stake; }
};

// What settling makes of an open entry: its state and payout (yen), or nullopt while it stays open.
using Outcome = std::optional<std::pair<Settled, qint64>>;
// Takes the outcomes of entries [begin, end) of those being settled, `outcomes` pointing at the
// first; false when writing them failed.
using SettleWrite = std::function<bool(std::size_t begin, std::size_t end, const Outcome* outcomes)>;
// Settles the entries given, handing each part to `write` as soon as it is settled, on the thread
// that called SettleOpen; false, and no more writes, once a write failed.
using Settler = std::function<bool(const std::vector<Entry>& open, const SettleWrite& write)>;

// One day's sums, for the balance.
struct DayTally {
  int day = 0;
  Tally tally;
};

// The fan's bet log: an SQLite file in the data folder. Each change is one transaction; the file
// is kept in write-ahead logging; a file of an earlier schema is copied aside before it is
// migrated. Used from one thread. Opened through Qt SQL; the season-sized reads and writes of
// settling go to SQLite itself through the driver's handle, the same library the driver uses.
class BetLog {
 public:
  static constexpr int kVersion = 2;

  // Opens the log at `path`, making it when there is no file. Any problem leaves the file as it
  // was and answers nullptr with the problem said in `problem`.
  static std::unique_ptr<BetLog> Open(const QString& path, LogProblem* problem, int busyMs = 1500);
  ~BetLog();
  BetLog(const BetLog&) = delete;
  BetLog& operator=(const BetLog&) = delete;

  const QString& Path() const { return path_; }
  // What the last failed change said.
  const QString& LastError() const { return error_; }

  // Records every combination of the purchase; the purchase's id (its first entry's), or nullopt.
  std::optional<qint64> Record(const Purchase& purchase);
  // Each of these is one transaction; false (and nothing changed) when it failed.
  bool Remove(const std::vector<qint64>& ids);
  bool RemovePurchase(qint64 purchase);
  bool SetStake(const std::vector<qint64>& ids, qint64 stake);
  // Reads the open entries (as OpenEntries), has `settle` settle them and writes what it hands
  // back, in one transaction: no other program changes an entry between its reading and its
  // writing. How many were settled, or nullopt (and nothing changed) when it failed.
  std::optional<int> SettleOpen(const Settler& settle);

  std::vector<Entry> EntriesOf(int day) const;
  // Every entry, or only those of a venue and/or a bet type, in day order.
  std::vector<Entry> Entries(const QString& venue = {}, std::optional<AnyBet> bet = {}) const;
  // Entries not settled yet, of every day in day order, with what settling needs: id, day,
  // venue, race, bet type, boats and stake (not the time, purchase or note).
  std::vector<Entry> OpenEntries() const;
  // The days (yyyymmdd) with entries not settled yet, in order.
  std::vector<int> OpenDays() const;
  // Per day, of a venue and/or a bet type (or all), in day order.
  std::vector<DayTally> Days(const QString& venue = {}, std::optional<AnyBet> bet = {}) const;
  int Count() const;

 private:
  explicit BetLog(QString path, QString connection);
  // The open entries, the ids of rows passed over (not entries this program wrote) and what failed.
  std::vector<Entry> ReadOpen(std::vector<qint64>* passedOver, QString* error) const;
  QString path_, connection_, error_;
  sqlite3* db_ = nullptr;  // the Qt connection's own handle, not owned
};

// The log's file in a data folder.
QString LogPathIn(const QString& dataFolder);
// The code a bet type is stored as ("win", "trifecta"...), and back.
const char* BetCode(AnyBet bet);
std::optional<AnyBet> BetOfCode(const QString& code);
// "1-2-3" and back; nullopt for a text that is no combination of the type.
QString BoatsText(const Combination& boats);
std::optional<Combination> BoatsOfText(AnyBet bet, const QString& text);

}  // namespace wakorin::ledger
