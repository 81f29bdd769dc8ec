#include "ui/ledger/RecordDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <map>

#include "ui/ledger/LedgerText.h"

namespace wakorin::ui {
namespace {

constexpr int kPurchaseRole = Qt::UserRole;
constexpr int kEntryRole = Qt::UserRole + 1;
constexpr qint64 kMaxStake = 10'000'000;  // per combination; more is a slip of the keyboard

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace

RecordDialog::RecordDialog(ledger::BetLog& log, RecordContext context, QWidget* parent)
    : QDialog(parent), log_(log), context_(std::move(context)) {
  setObjectName(QStringLiteral("RecordDialog"));
  setWindowTitle(QStringLiteral("舟券を記録"));
  resize(600, 660);
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  layout->addLayout(form);
  form->addRow(QStringLiteral("日付"), Named(new QLabel(DayText(context_.day), this), "Day"));

  auto* raceRow = new QHBoxLayout;
  venue_ = Named(new QComboBox(this), "Venue");
  for (const auto& v : context_.venues) venue_->addItem(v.name, v.code);
  if (context_.venue < context_.venues.size()) venue_->setCurrentIndex(static_cast<int>(context_.venue));
  race_ = Named(new QSpinBox(this), "Race");
  race_->setRange(1, 99);
  race_->setSuffix(QStringLiteral("R"));
  race_->setValue(context_.race);
  raceRow->addWidget(venue_);
  raceRow->addWidget(race_);
  raceRow->addStretch();
  form->addRow(QStringLiteral("レース"), raceRow);

  auto* betRow = new QHBoxLayout;
  bet_ = Named(new QComboBox(this), "BetType");
  for (AnyBet bet : kAnyBets) bet_->addItem(BetName(bet));
  bet_->setCurrentIndex(static_cast<int>(AnyBet::Trifecta));
  form_ = Named(new QComboBox(this), "Form");
  form_->addItems({QStringLiteral("1点"), QStringLiteral("ボックス"), QStringLiteral("流し・フォーメーション")});
  betRow->addWidget(bet_);
  betRow->addWidget(form_);
  betRow->addStretch();
  form->addRow(QStringLiteral("券種"), betRow);

  typed_ = Named(new QLineEdit(this), "Typed");
  typed_->setPlaceholderText(QStringLiteral("1点は 1-2-3 と打っても選べます"));
  form->addRow(QStringLiteral("組番"), typed_);

  auto* grid = new QGridLayout;
  for (int place = 0; place < 3; ++place) {
    placeLabels_[static_cast<std::size_t>(place)] = new QLabel(this);
    grid->addWidget(placeLabels_[static_cast<std::size_t>(place)], place, 0);
    for (int boat = 1; boat <= 6; ++boat) {
      auto* box = new QCheckBox(QString::number(boat), this);
      box->setObjectName(QStringLiteral("Boat%1_%2").arg(place + 1).arg(boat));
      boats_[static_cast<std::size_t>(place)][static_cast<std::size_t>(boat - 1)] = box;
      grid->addWidget(box, place, boat);
      connect(box, &QCheckBox::toggled, this, [this] { UpdateCount(); });
    }
  }
  form->addRow(QStringLiteral("艇"), grid);

  stake_ = Named(new QLineEdit(QStringLiteral("100"), this), "Stake");
  auto* stakeRow = new QHBoxLayout;
  stakeRow->addWidget(stake_);
  stakeRow->addWidget(new QLabel(QStringLiteral("円 (1点あたり、100円単位)"), this));
  form->addRow(QStringLiteral("金額"), stakeRow);
  count_ = Named(new QLabel(this), "Count");
  form->addRow(QStringLiteral("点数"), count_);
  reason_ = Named(new QLabel(this), "Reason");
  reason_->setStyleSheet(QStringLiteral("color: #d00000"));
  reason_->setWordWrap(true);
  layout->addWidget(reason_);

  auto* buttons = new QHBoxLayout;
  record_ = Named(new QPushButton(QStringLiteral("記録"), this), "Record");
  recommended_ = Named(new QPushButton(QStringLiteral("推奨を記録"), this), "RecordRecommended");
  recommended_->setEnabled(context_.sheetBet.has_value() && !context_.sheet.empty());
  if (context_.sheetBet) {
    recommended_->setToolTip(QStringLiteral("画面の%1の推奨6点を、上の金額で記録します").arg(BetName(*context_.sheetBet)));
  }
  buttons->addWidget(record_);
  buttons->addWidget(recommended_);
  buttons->addStretch();
  layout->addLayout(buttons);

  entries_ = Named(new QTreeWidget(this), "Entries");
  entries_->setHeaderLabels({QStringLiteral("場"), QStringLiteral("R"), QStringLiteral("券種"),
                             QStringLiteral("組番"), QStringLiteral("金額"), QStringLiteral("結果")});
  entries_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  entries_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  entries_->setMinimumHeight(180);
  layout->addWidget(new QLabel(QStringLiteral("この日の記録 (まとめて買った分は一行、開くと1点ずつ)"), this));
  layout->addWidget(entries_);
  auto* editRow = new QHBoxLayout;
  auto* stakeButton = Named(new QPushButton(QStringLiteral("金額を変更"), this), "ChangeStake");
  auto* deleteButton = Named(new QPushButton(QStringLiteral("削除"), this), "Delete");
  auto* close = Named(new QPushButton(QStringLiteral("閉じる"), this), "Close");
  editRow->addWidget(stakeButton);
  editRow->addWidget(deleteButton);
  editRow->addStretch();
  editRow->addWidget(close);
  layout->addLayout(editRow);

  connect(record_, &QPushButton::clicked, this, [this] { RecordEntered(); });
  connect(recommended_, &QPushButton::clicked, this, [this] { RecordRecommended(); });
  connect(stakeButton, &QPushButton::clicked, this, [this] { ChangeSelectedStake(); });
  connect(deleteButton, &QPushButton::clicked, this, [this] { DeleteSelected(); });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  connect(bet_, &QComboBox::currentIndexChanged, this, [this] { UpdateCount(); });
  connect(form_, &QComboBox::currentIndexChanged, this, [this] { UpdateCount(); });
  connect(typed_, &QLineEdit::textChanged, this, [this] { UpdateCount(); });
  connect(stake_, &QLineEdit::textChanged, this, [this] { UpdateCount(); });
  UpdateCount();
  Reload();
}

TicketForm RecordDialog::Form() const {
  return static_cast<TicketForm>(form_->currentIndex());
}

AnyBet RecordDialog::Bet() const {
  return kAnyBets[static_cast<std::size_t>(std::max(0, bet_->currentIndex()))];
}

TicketExpansion RecordDialog::Expansion() const {
  std::array<std::vector<int>, 3> places;
  const QString typed = typed_->text().trimmed();
  if (Form() == TicketForm::Single && !typed.isEmpty()) {
    // Typed boats, one a place: "1-2-3", "123", "1 2 3".
    int place = 0;
    for (QChar c : typed) {
      if (c.isDigit()) {
        if (place < 3) places[static_cast<std::size_t>(place)].push_back(c.digitValue());
        ++place;
      }
    }
    if (place > 3) return TicketExpansion{{}, TicketFault::WrongCount};
    return ExpandTicket(Bet(), Form(), places);
  }
  for (int place = 0; place < 3; ++place) {
    for (int boat = 1; boat <= 6; ++boat) {
      if (boats_[static_cast<std::size_t>(place)][static_cast<std::size_t>(boat - 1)]->isChecked()) {
        places[static_cast<std::size_t>(place)].push_back(boat);
      }
    }
  }
  return ExpandTicket(Bet(), Form(), places);
}

void RecordDialog::UpdateCount() {
  // Only the places the bet type and the form use can be chosen.
  const int places = Form() == TicketForm::Box ? 1 : BoatsOf(Bet());
  static const char* const kPlaces[] = {"1着", "2着", "3着"};
  for (int place = 0; place < 3; ++place) {
    const bool used = place < places;
    placeLabels_[static_cast<std::size_t>(place)]->setText(
        Form() == TicketForm::Box ? (place == 0 ? QStringLiteral("ボックス") : QString()) : QString::fromUtf8(kPlaces[place]));
    for (QCheckBox* box : boats_[static_cast<std::size_t>(place)]) box->setEnabled(used);
  }
  typed_->setEnabled(Form() == TicketForm::Single);
  const TicketExpansion e = Expansion();
  bool ok = false;
  const qint64 stake = stake_->text().trimmed().toLongLong(&ok);
  const auto n = static_cast<qint64>(e.combinations.size());
  count_->setText(ok && stake > 0 ? QStringLiteral("%1点　合計 %2円").arg(n).arg(YenText(n * stake))
                                  : QStringLiteral("%1点").arg(n));
}

void RecordDialog::Refuse(const QString& reason) {
  reason_->setText(reason);
}

std::optional<qint64> RecordDialog::Stake() {
  bool ok = false;
  const qint64 stake = stake_->text().trimmed().toLongLong(&ok);
  if (!ok) {
    Refuse(QStringLiteral("金額は数字で入れてください(100円単位)。"));
  } else if (stake <= 0) {
    Refuse(QStringLiteral("金額が0円以下です。"));
  } else if (stake % 100 != 0) {
    Refuse(QStringLiteral("金額は100円単位です(%1円)。").arg(stake));
  } else if (stake > kMaxStake) {
    Refuse(QStringLiteral("1点 %1円 を超える金額は記録しません。").arg(YenText(kMaxStake)));
  } else {
    return stake;
  }
  return std::nullopt;
}

bool RecordDialog::RaceExists() {
  const int v = venue_->currentIndex();
  if (v < 0 || static_cast<std::size_t>(v) >= context_.venues.size()) {
    Refuse(QStringLiteral("この日には場がありません。"));
    return false;
  }
  const auto& venue = context_.venues[static_cast<std::size_t>(v)];
  if (race_->value() < 1 || race_->value() > venue.races) {
    Refuse(QStringLiteral("%1はこの日 %2R までです。").arg(venue.name).arg(venue.races));
    return false;
  }
  return true;
}

bool RecordDialog::Save(const ledger::Purchase& purchase) {
  if (!log_.Record(purchase)) {
    Refuse(QStringLiteral("記録できませんでした: %1").arg(log_.LastError()));
    return false;
  }
  Refuse(QString());
  Reload();
  emit Changed();
  return true;
}

bool RecordDialog::RecordEntered() {
  if (!RaceExists()) return false;
  const TicketExpansion e = Expansion();
  if (e.fault != TicketFault::None) {
    Refuse(TicketFaultText(e.fault));
    return false;
  }
  const auto stake = Stake();
  if (!stake) return false;
  ledger::Purchase p;
  p.day = context_.day;
  p.venue = venue_->currentData().toString();
  p.race = race_->value();
  p.bet = Bet();
  p.combinations = e.combinations;
  p.stake = *stake;
  return Save(p);
}

bool RecordDialog::RecordRecommended() {
  if (!context_.sheetBet || context_.sheet.empty() || context_.venue >= context_.venues.size()) {
    Refuse(QStringLiteral("画面に推奨舟券がありません。"));
    return false;
  }
  if (!RaceExists()) return false;
  const auto stake = Stake();
  if (!stake) return false;
  ledger::Purchase p;
  p.day = context_.day;
  // The sheet belongs to the race on screen, whatever the lists were changed to.
  p.venue = context_.venues[context_.venue].code;
  p.race = context_.race;
  p.bet = *context_.sheetBet;
  for (const auto& ticket : context_.sheet) {
    for (const Combination& c : ticket) {
      if (std::find(p.combinations.begin(), p.combinations.end(), c) == p.combinations.end()) p.combinations.push_back(c);
    }
  }
  p.stake = *stake;
  p.note = QStringLiteral("推奨");
  return Save(p);
}

void RecordDialog::Reload() {
  entries_->clear();
  std::map<qint64, QTreeWidgetItem*> purchases;
  const std::vector<ledger::Entry> entries = log_.EntriesOf(context_.day);
  std::map<qint64, int> sizes;
  for (const auto& e : entries) ++sizes[e.purchase];
  for (const auto& e : entries) {
    const QStringList columns{VenueNameText(e.venue), QString::number(e.race), BetName(e.bet), ledger::BoatsText(e.boats),
                              YenText(e.stake), SettledText(e)};
    if (sizes[e.purchase] == 1) {
      auto* item = new QTreeWidgetItem(entries_, columns);
      item->setData(0, kPurchaseRole, e.purchase);
      item->setData(0, kEntryRole, e.id);
      continue;
    }
    QTreeWidgetItem*& group = purchases[e.purchase];
    if (group == nullptr) {
      group = new QTreeWidgetItem(entries_, QStringList{VenueNameText(e.venue), QString::number(e.race), BetName(e.bet),
                                                         QStringLiteral("%1点").arg(sizes[e.purchase]), QString(), QString()});
      group->setData(0, kPurchaseRole, e.purchase);
      group->setData(0, kEntryRole, 0);
      group->setData(4, Qt::UserRole, 0);
      group->setData(5, Qt::UserRole, 0);
    }
    auto* item = new QTreeWidgetItem(group, columns);
    item->setData(0, kPurchaseRole, e.purchase);
    item->setData(0, kEntryRole, e.id);
    // The purchase's line sums its combinations.
    const qint64 stake = group->data(4, Qt::UserRole).toLongLong() + e.stake;
    const qint64 paid = group->data(5, Qt::UserRole).toLongLong() + e.payout;
    group->setData(4, Qt::UserRole, stake);
    group->setData(5, Qt::UserRole, paid);
    group->setText(4, YenText(stake));
    const bool open = e.settled == ledger::Settled::Open || group->text(5) == QStringLiteral("未確定");
    group->setText(5, open ? QStringLiteral("未確定")
                           : paid > 0 ? QStringLiteral("払戻 %1円").arg(YenText(paid)) : QStringLiteral("不的中"));
  }
}

bool RecordDialog::DeleteSelected() {
  std::vector<qint64> ids;
  std::vector<qint64> groups;
  for (QTreeWidgetItem* item : entries_->selectedItems()) {
    const qint64 id = item->data(0, kEntryRole).toLongLong();
    if (id != 0) {
      ids.push_back(id);
    } else {
      groups.push_back(item->data(0, kPurchaseRole).toLongLong());
    }
  }
  if (ids.empty() && groups.empty()) {
    Refuse(QStringLiteral("削除する記録を選んでください。"));
    return false;
  }
  bool ok = ids.empty() || log_.Remove(ids);
  for (qint64 g : groups) ok = ok && log_.RemovePurchase(g);
  Refuse(ok ? QString() : QStringLiteral("削除できませんでした: %1").arg(log_.LastError()));
  Reload();
  emit Changed();
  return ok;
}

bool RecordDialog::ChangeSelectedStake() {
  std::vector<qint64> ids;
  for (QTreeWidgetItem* item : entries_->selectedItems()) {
    const qint64 id = item->data(0, kEntryRole).toLongLong();
    if (id != 0) {
      ids.push_back(id);
    } else {
      for (int k = 0; k < item->childCount(); ++k) ids.push_back(item->child(k)->data(0, kEntryRole).toLongLong());
    }
  }
  if (ids.empty()) {
    Refuse(QStringLiteral("金額を変える記録を選んでください。"));
    return false;
  }
  const auto stake = Stake();
  if (!stake) return false;
  const bool ok = log_.SetStake(ids, *stake);
  Refuse(ok ? QString() : QStringLiteral("変更できませんでした: %1").arg(log_.LastError()));
  Reload();
  emit Changed();
  return ok;
}

}  // namespace wakorin::ui
