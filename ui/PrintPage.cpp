// "印刷": what the window shows, laid out for paper rather than copied from the screen.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPrinter>

#include "ui/Desktop.h"
#include "ui/Cp932Text.h"
#include "ui/MainForm.h"
#include "ui/Pictures.h"
#include "ui/Widgets.h"

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

 private:
  QPainter& p_;
  double width_;
  double y_ = 0;
};

QString Venue(const std::string& entry) {
  return FromCp932(entry).left(3);
}

}  // namespace

void TMainForm::Print2Click() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  printer.setDocName(QStringLiteral("Wakorin"));
  if (!desktop_.SetUpPrinter(this, printer)) return;

  QPainter painter;
  if (!painter.begin(&printer)) {
    desktop_.ShowMessage(this, QStringLiteral("印刷を開始できませんでした。"));
    return;
  }
  const QRectF area = printer.pageRect(QPrinter::DevicePixel);
  const double scale = printer.resolution() / 72.0;
  painter.scale(scale, scale);
  Page page(painter, area.width() / scale);
  const QString venue = Venue(SelectedVenueEntry());
  const QString day =
      LabelCount->text().trimmed() + QStringLiteral("  ") + LabelDDate->text().trimmed();
  const Page::Cell blank;

  if (!IsRaceCardMode()) {
    page.Title(QStringLiteral("%1  全レース結果照合").arg(venue), day);
    page.Line(LabelDName->text(), 11, true);
    page.Skip(6);
    const std::vector<double> widths{40, 52, 68, 52, 68, 66, 70, 66, 70};
    auto heading = [](const char* text) {
      return Page::Cell{QString::fromUtf8(text), QColor(11, 31, 77), Qt::white};
    };
    page.Row(
        widths,
        {heading("レース"), heading("２連複"), heading("払戻"), heading("２連単"), heading("払戻"),
         heading("３連複"), heading("払戻"), heading("３連単"), heading("払戻")},
        18, 9, true);
    for (std::size_t r = 0; r < 12; ++r) {
      std::vector<Page::Cell> cells{{LabelKekkaR[r]->text()}};
      for (auto [ticket, payout] : {std::pair{LabelKekka2F[r], LabelKekka2FR[r]},
                                    std::pair{LabelKekka2T[r], LabelKekka2TR[r]},
                                    std::pair{LabelKekka3F[r], LabelKekka3FR[r]},
                                    std::pair{LabelKekka3T[r], LabelKekka3TR[r]}}) {
        const bool hit = ui::Background(ticket) == QColor(Qt::red);
        cells.push_back({ticket->text(), hit ? QColor(Qt::red) : QColor(Qt::white),
                         hit ? QColor(Qt::white) : QColor(Qt::black)});
        cells.push_back({payout->text(), Qt::white, Qt::black, Qt::AlignRight});
      }
      page.Row(widths, cells, 17, 9);
    }
    page.Skip(8);
    page.Line(QStringLiteral("赤地に白抜きは的中船券（括弧内は推奨の順位）を示す。"), 8);
    for (const QString& line :
         LabelHitReturn->toolTip().split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
      page.Line(line, 9);
    }
    painter.end();
    return;
  }

  page.Title(QStringLiteral("%1  %2R  %3")
                 .arg(venue, SelectR->currentText(), LabelRName->text().trimmed()),
             day);
  page.Line(LabelDName->text(), 11, true);
  page.Line(
      QStringLiteral("距離 %1    発売 %2    締切 %3%4")
          .arg(LabelRLeng->text().trimmed(), LabelRChkt->text().trimmed(),
               LabelRTime->text().trimmed(),
               LabelRKotei->isHidden() ? QString() : QStringLiteral("    ") + LabelRKotei->text()),
      9);
  page.Skip(6);
  // The 2-place rates take six characters ("100.00") and the meeting results twelve.
  const std::vector<double> widths{22, 56, 26, 32, 26, 26, 34, 40, 34, 40, 28, 40, 28, 40, 70};
  std::vector<Page::Cell> head;
  for (const char* text : {"艇", "選手名", "年齢", "出身", "体重", "級別", "全国", "複勝率", "当地",
                           "複勝率", "ボート", "複勝率", "モータ", "複勝率", "今節成績"}) {
    head.push_back({QString::fromUtf8(text), QColor(11, 31, 77), Qt::white});
  }
  page.Row(widths, head, 18, 8, true);
  for (std::size_t i = 0; i < 6; ++i) {
    const int lane = static_cast<int>(i) + 1;
    QString results;
    for (std::size_t slot = 0; slot < 6; ++slot) results += LabelKekka[slot][i]->text();
    page.Row(widths,
             {{QString::number(lane), ui::LaneColor(lane), ui::LaneFontColor(lane)},
              {LabelBorat[i]->text() + QLatin1Char('\n') + LabelBorat[i]->toolTip(), Qt::white,
               Qt::black, Qt::AlignLeft},
              {LabelOld[i]->text()},
              {LabelSyusin[i]->text()},
              {LabelWght[i]->text()},
              {LabelClas[i]->text()},
              {LabelGWin[i]->text()},
              {LabelGWSd[i]->text()},
              {LabelRWin[i]->text()},
              {LabelRWSd[i]->text()},
              {LabelBtNo[i]->text()},
              {LabelBtWn[i]->text()},
              {LabelMtNo[i]->text()},
              {LabelMtWn[i]->text()},
              {results, Qt::white, Qt::black, Qt::AlignLeft}},
             26, 9);
  }

  if (Panel3->isHidden()) {
    painter.end();
    return;
  }
  // The start pictures as drawn in the window, then the tickets as a list.
  page.Skip(14);
  page.Line(QStringLiteral("予想"), 12, true);
  const double top = page.y() + 4;
  double x = 0;
  const double gap = 8;
  const double zoom =
      (page.width() - 2 * gap) / (Panel3->width() + Panel4->width() + Panel5->width());
  for (QFrame* panel : {Panel3, Panel4, Panel5}) {
    painter.save();
    painter.translate(x, top);
    painter.scale(zoom, zoom);
    panel->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.restore();
    x += panel->width() * zoom + gap;
  }
  page.Skip(4 + Panel3->height() * zoom + 12);
  for (const auto& [heading, rows] :
       {std::pair{LabelRace2Chekt, 2}, std::pair{LabelRace3Chekt, 3}}) {
    page.Line(heading->text().trimmed(), 10, true);
    std::vector<double> cells;
    std::vector<Page::Cell> line;
    for (std::size_t r = 0; r < 6; ++r) {
      for (int c = 0; c < rows; ++c) {
        QLabel* digit = rows == 2 ? Funa2Ken[r][static_cast<std::size_t>(c)]
                                  : Funa3Ken[r][static_cast<std::size_t>(c)];
        const int lane = digit->text().toInt();
        cells.push_back(16);
        line.push_back(
            lane ? Page::Cell{digit->text(), ui::LaneColor(lane), ui::LaneFontColor(lane)} : blank);
        if (c + 1 < rows) {
          cells.push_back(12);
          line.push_back({rows == 2 ? Funa2KenY[r]->text() : Funa3KenY[r][0]->text()});
        }
      }
      cells.push_back(14);
      line.push_back(blank);
    }
    page.Row(cells, line, 18, 10, true);
    page.Skip(6);
  }
  painter.end();
}

}  // namespace wakorin
