// "印刷": what the window shows, laid out for paper rather than copied from the screen.
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>

#include "program/RaceCard.h"
#include "ui/Cp932Text.h"
#include "ui/Desktop.h"
#include "ui/LaneColors.h"
#include "ui/MainForm.h"
#include "ui/PrintPage.h"
#include "ui/RaceCardPanel.h"

namespace wakorin {
namespace {

// Page units are points (1/72 inch); fonts are sized in the same units.
QFont PageFont(double points, bool bold = false) {
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(static_cast<int>(points + 0.5));
  font.setBold(bold);
  return font;
}

class Page {
 public:
  Page(QPainter& painter, double width) : p_(painter), width_(width) {}

  double y() const { return y_; }
  void Skip(double points) { y_ += points; }

  void Title(const QString& text, const QString& right) {
    p_.setFont(PageFont(15, true));
    p_.setPen(Qt::black);
    p_.drawText(QRectF(0, y_, width_, 22), Qt::AlignLeft | Qt::AlignVCenter, text);
    p_.setFont(PageFont(9));
    p_.drawText(QRectF(0, y_, width_, 22), Qt::AlignRight | Qt::AlignVCenter, right);
    y_ += 24;
    p_.setPen(QPen(QColor(11, 31, 77), 1.2));
    p_.drawLine(QPointF(0, y_), QPointF(width_, y_));
    y_ += 8;
  }

  void Line(const QString& text, double size = 10, bool bold = false) {
    p_.setFont(PageFont(size, bold));
    p_.setPen(Qt::black);
    p_.drawText(QRectF(0, y_, width_, size + 6), Qt::AlignLeft | Qt::AlignVCenter, text);
    y_ += size + 6;
  }

  struct Cell {
    QString text;
    QColor background = Qt::white;
    QColor color = Qt::black;
    Qt::Alignment alignment = Qt::AlignCenter;
  };

  // One table row across the page: cells in proportion to the given widths, framed in grey.
  void Row(const std::vector<double>& widths, const std::vector<Cell>& cells, double height,
           double fontSize, bool bold = false) {
    double total = 0;
    for (double w : widths) total += w;
    const double stretch = total > 0 ? width_ / total : 1;
    double x = 0;
    p_.setFont(PageFont(fontSize, bold));
    for (std::size_t i = 0; i < cells.size() && i < widths.size(); ++i) {
      const QRectF box(x, y_, widths[i] * stretch, height);
      p_.fillRect(box, cells[i].background);
      p_.setPen(QPen(QColor(160, 160, 160), 0.5));
      p_.drawRect(box);
      p_.setPen(cells[i].color);
      DrawWhole(box.adjusted(3, 0, -3, 0), cells[i].alignment | Qt::AlignVCenter, cells[i].text);
      x += widths[i] * stretch;
    }
    y_ += height;
  }

  // A text wider than its box is squeezed across to fit: a figure cut short would read as
  // another figure.
  void DrawWhole(const QRectF& box, Qt::Alignment alignment, const QString& text) {
    const double needed = p_.boundingRect(box, static_cast<int>(alignment), text).width();
    if (needed <= box.width()) {
      p_.drawText(box, static_cast<int>(alignment), text);
      return;
    }
    p_.save();
    p_.translate(box.left(), 0);
    p_.scale(box.width() / needed, 1);
    p_.drawText(QRectF(0, box.top(), needed, box.height()), static_cast<int>(alignment), text);
    p_.restore();
  }

  QPainter& painter() { return p_; }
  double width() const { return width_; }

  // Everything drawn from here to the next Begin (or End) makes the region `name`.
  void Begin(const QString& name) {
    End();
    open_ = name;
    top_ = y_;
  }
  void End() {
    if (!open_.isEmpty()) regions_.push_back({open_, QRectF(0, top_, width_, y_ - top_)});
    open_.clear();
  }
  // A region of its own size, such as a picture narrower than the page.
  void Add(const QString& name, const QRectF& place) { regions_.push_back({name, place}); }
  std::vector<ui::PrintedRegion> TakeRegions() {
    End();
    return std::move(regions_);
  }

 private:
  QPainter& p_;
  double width_;
  double y_ = 0;
  QString open_;
  double top_ = 0;
  std::vector<ui::PrintedRegion> regions_;
};

const QColor kHeadingColor(11, 31, 77);

Page::Cell Heading(const char* text) {
  return {QString::fromUtf8(text), kHeadingColor, Qt::white};
}

QString Trimmed(const std::string& bytes) {
  return FromCp932(bytes).trimmed();
}

// The meeting's day and date, right of the title.
QString Day(const TRaceCard& card) {
  return Trimmed(card.Count) + QStringLiteral("  ") + Trimmed(card.DDate);
}

// The check on screen, from the same values the grid shows; an empty grid before any check.
void PrintResultGrid(Page& page, const QString& venue, const TRaceCard& card,
                     const std::optional<ui::CheckShown>& shown) {
  page.Begin(QStringLiteral("title"));
  const QString mode = !shown ? QString() : QStringLiteral("（%1）").arg(shown->modeName);
  page.Title(QStringLiteral("%1  全レース結果照合%2").arg(venue, mode), Day(card));
  page.Line(FromCp932(card.DName), 11, true);
  page.End();
  page.Skip(6);
  page.Begin(QStringLiteral("grid"));
  const std::vector<double> widths{40, 52, 68, 52, 68, 66, 70, 66, 70};
  page.Row(
      widths,
      {Heading("レース"), Heading("２連複"), Heading("払戻"), Heading("２連単"), Heading("払戻"),
       Heading("３連複"), Heading("払戻"), Heading("３連単"), Heading("払戻")},
      18, 9, true);
  for (std::size_t r = 0; r < ui::ResultGrid::kRaces; ++r) {
    const ui::ResultGrid::Row row =
        !shown ? ui::ResultGrid::Row{}
               : ui::ResultGrid::RowOf(shown->check.rows[r], r < shown->check.races.size()
                                                                ? shown->check.races[r].skipped
                                                                : PerBet<bool>{});
    std::vector<Page::Cell> cells{{ui::ResultGrid::RaceCaption(static_cast<int>(r) + 1)}};
    for (BetType b : kBetTypes) {
      const bool hit = row.tickets[b].hit;
      cells.push_back({row.tickets[b].text, hit ? QColor(Qt::red) : QColor(Qt::white),
                       hit                         ? QColor(Qt::white)
                       : row.tickets[b].skipped    ? QColor(Qt::gray)
                                                   : QColor(Qt::black)});
      cells.push_back({row.payouts[b], Qt::white, Qt::black, Qt::AlignRight});
    }
    page.Row(widths, cells, 17, 9);
  }
  page.End();
  page.Skip(8);
  page.Begin(QStringLiteral("footer"));
  page.Line(QStringLiteral("赤地に白抜きは的中船券（括弧内は推奨の順位）%1を示す。")
                .arg(shown && shown->skips ? QStringLiteral("、灰色の「見送」は買わなかったレース") : QString()),
            8);
  if (shown) {
    for (const QString& line : ui::ResultGrid::TallyDetails(*shown)) page.Line(line, 9);
  }
}

void PrintRaceCard(Page& page, const QString& venue, int race, const TRaceCard& card) {
  page.Begin(QStringLiteral("title"));
  page.Title(QStringLiteral("%1  %2R  %3")
                 .arg(venue, race > 0 ? QString::number(race) : QString(), Trimmed(card.RName)),
             Day(card));
  page.Line(FromCp932(card.DName), 11, true);
  page.Line(QStringLiteral("距離 %1    発売 %2    締切 %3%4")
                .arg(Trimmed(card.RLeng), ui::SaleWords(card.Sale), Trimmed(card.RTime),
                     card.FixedEntry ? QStringLiteral("    進入固定") : QString()),
            9);
  page.End();
  page.Skip(6);
  page.Begin(QStringLiteral("card"));
  // The 2-place rates take six characters ("100.00") and the meeting results twelve.
  const std::vector<double> widths{22, 56, 26, 32, 26, 26, 34, 40, 34, 40, 28, 40, 28, 40, 70};
  std::vector<Page::Cell> head;
  for (const char* text : {"艇", "選手名", "年齢", "出身", "体重", "級別", "全国", "複勝率", "当地",
                           "複勝率", "ボート", "複勝率", "モータ", "複勝率", "今節成績"}) {
    head.push_back(Heading(text));
  }
  page.Row(widths, head, 18, 8, true);
  for (int lane = 1; lane <= 6; ++lane) {
    const TRacerEntry& racer = card.Lane(lane);
    QString results;
    for (const std::string& result : racer.MeetingResults) results += FromCp932(result);
    std::vector<Page::Cell> cells{
        {QString::number(lane), ui::LaneColor(lane), ui::LaneFontColor(lane)},
        {FromCp932(racer.Name) + QLatin1Char('\n') + FromCp932(racer.RacerNo), Qt::white, Qt::black,
         Qt::AlignLeft}};
    for (const std::string* field :
         {&racer.Old, &racer.Syusin, &racer.Wght, &racer.Clas, &racer.GWin, &racer.GWSd,
          &racer.RWin, &racer.RWSd, &racer.BtNo, &racer.BtWn, &racer.MtNo, &racer.MtWn}) {
      cells.push_back({FromCp932(*field)});
    }
    cells.push_back({results, Qt::white, Qt::black, Qt::AlignLeft});
    page.Row(widths, cells, 26, 9);
  }
}

// The prediction's picture as the window shows it (the start panels, or the data mode's chances)
// at one point a pixel, then the tickets as a list.
void PrintPrediction(Page& page, const QString& modeName, const QImage& picture,
                     const std::array<ui::TicketSheets::Sheet, 2>& sheets) {
  page.End();
  page.Skip(14);
  page.Begin(QStringLiteral("heading"));
  page.Line(QStringLiteral("予想（%1）").arg(modeName), 12, true);
  page.End();
  page.Skip(4);
  // Drawn at its size in window pixels, whatever the resolutions of the screen and the printer.
  QSizeF size = picture.deviceIndependentSize();
  if (size.width() > page.width()) size *= page.width() / size.width();
  const QRectF place(0, page.y(), size.width(), size.height());
  page.painter().drawImage(place, picture);
  page.Add(QStringLiteral("picture"), place);
  page.Skip(size.height() + 12);
  page.Begin(QStringLiteral("tickets"));
  const Page::Cell blank;
  for (const ui::TicketSheets::Sheet& sheet : sheets) {
    page.Line(sheet.heading.trimmed(), 10, true);
    if (sheet.skipped) {
      page.Line(QStringLiteral("見送り"), 10);
      page.Skip(6);
      continue;
    }
    std::vector<double> widths;
    std::vector<Page::Cell> line;
    for (std::size_t r = 0; r < 6; ++r) {
      for (int c = 0; c < sheet.boats; ++c) {
        const int lane = sheet.lanes[r][static_cast<std::size_t>(c)];
        widths.push_back(16);
        line.push_back(
            lane ? Page::Cell{QString::number(lane), ui::LaneColor(lane), ui::LaneFontColor(lane)}
                 : blank);
        if (c + 1 < sheet.boats) {
          widths.push_back(12);
          line.push_back({sheet.separators[r]});
        }
      }
      widths.push_back(14);
      line.push_back(blank);
    }
    page.Row(widths, line, 18, 10, true);
    QStringList chances;
    for (double chance : sheet.chances) {
      if (chance >= 0) chances << QStringLiteral("%1%").arg(100.0 * chance, 0, 'f', 1);
    }
    if (!chances.isEmpty()) page.Line(QStringLiteral("推定確率（左から）: ") + chances.join(QStringLiteral("  ")), 8);
    page.Skip(6);
  }
  page.End();
}

// A file name holds no ideographic spaces (桐　生) nor the characters file systems refuse.
QString FileNamePart(const QString& text) {
  QString part = text.simplified();
  part.remove(QRegularExpression(QStringLiteral("[\\s\u3000/\\\\:*?\"<>|]")));
  return part;
}

}  // namespace

QString TMainForm::ModeName() const {
  return predictionMode_ == PredictionMode::Data ? QStringLiteral("データ予想")
                                                 : QStringLiteral("標準予想");
}

// The PDF's default name names the day, the venue and what the page is: the card of a race
// (Wakorin-20241115-大村-8R-出走表) or the check of the venue (Wakorin-20241115-大村-結果照合).
QString TMainForm::PrintDocumentName() const {
  QString name = QStringLiteral("Wakorin");
  if (!day_) return name;
  if (const std::optional<int> date = day_->Day()) name += QLatin1Char('-') + QString::number(*date);
  if (venue_ < day_->Venues().size()) {
    const QString place = FileNamePart(FromCp932(day_->Venues()[venue_].name));
    if (!place.isEmpty()) name += QLatin1Char('-') + place;
  }
  if (!IsRaceCardMode()) return name + QStringLiteral("-結果照合");
  return name + QStringLiteral("-%1R-出走表").arg(race_);
}

std::vector<ui::PrintedRegion> TMainForm::PaintPage(QPainter& painter, double width) const {
  Page page(painter, width);
  const QString venue = day_ ? FromCp932(day_->Venues()[venue_].name) : QString();
  if (!IsRaceCardMode()) {
    PrintResultGrid(page, venue, raceCard_, checkShown_);
  } else {
    PrintRaceCard(page, venue, race_, raceCard_);
    if (predictionShown_) {
      // Three times as fine as the screen: sharp on paper, and still a small file.
      constexpr qreal kFine = 3;
      const bool data = dataForecast_.has_value();
      PrintPrediction(page, ModeName(),
                      data ? chancePanel_.Picture(kFine) : startPanels_.Picture(kFine),
                      ui::TicketSheets::SheetsOf(forecast_.tickets, orderedShown_,
                                                 data ? dataForecast_->skipped : PerBet<bool>{},
                                                 data ? &*dataForecast_ : nullptr));
    }
  }
  return page.TakeRegions();
}

void TMainForm::PrintShownPage() {
  // The page is drawn from the day and the selection, which must hold still until it is done.
  if (IsBusy()) return;
  const BusyScope busy(*this);
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  printer.setDocName(PrintDocumentName());
  if (!desktop_.SetUpPrinter(this, printer)) return;

  QPainter painter;
  if (!painter.begin(&printer)) {
    desktop_.ShowMessage(this, QStringLiteral("印刷を開始できませんでした。"));
    return;
  }
  const QRectF area = printer.pageRect(QPrinter::DevicePixel);
  const double scale = printer.resolution() / 72.0;
  painter.scale(scale, scale);
  PaintPage(painter, area.width() / scale);
  painter.end();
}

}  // namespace wakorin
