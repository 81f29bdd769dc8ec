#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <vector>

#include "ledger/BetLog.h"
#include "results/TicketForms.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace wakorin::ui {

// What the record dialog is opened on: the day on screen, its venues, the race shown, and the
// recommended tickets of the sheet on screen.
struct RecordContext {
  struct Venue {
    QString code, name;
    int races = 12;
  };
  int day = 0;  // yyyymmdd
  std::vector<Venue> venues;
  std::size_t venue = 0;
  int race = 1;
  std::optional<AnyBet> sheetBet;  // none when no sheet with tickets is on screen
  std::vector<std::vector<Combination>> sheet;  // each ticket's combinations
};

// 舟券を記録: what was bought on a race of the day, as one combination, a box or a formation,
// expanded and counted before it is saved; and the day's entries, to change a stake or delete a
// purchase or one of its combinations. Bad input is refused with its reason under the form.
class RecordDialog : public QDialog {
  Q_OBJECT
 public:
  RecordDialog(ledger::BetLog& log, RecordContext context, QWidget* parent = nullptr);

  // The buttons' work, for the window and its tests alike; false with the reason shown.
  bool RecordEntered();
  bool RecordRecommended();
  bool DeleteSelected();
  bool ChangeSelectedStake();
  // The day's entries again from the log (after a settlement).
  void Reload();

 signals:
  // The log changed: the balance window, if open, shows it again.
  void Changed();

 private:
  TicketForm Form() const;
  AnyBet Bet() const;
  std::optional<qint64> Stake();
  bool RaceExists();
  TicketExpansion Expansion() const;
  void UpdateCount();
  void Refuse(const QString& reason);
  bool Save(const ledger::Purchase& purchase);

  ledger::BetLog& log_;
  RecordContext context_;
  QComboBox *venue_, *bet_, *form_;
  QSpinBox* race_;
  QLineEdit *typed_, *stake_;
  std::array<std::array<QCheckBox*, 6>, 3> boats_{};
  std::array<QLabel*, 3> placeLabels_{};
  QLabel *count_, *reason_;
  QPushButton *record_, *recommended_;
  QTreeWidget* entries_;
};

}  // namespace wakorin::ui
