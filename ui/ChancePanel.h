#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <array>

class QFrame;
class QLabel;
class QWidget;

namespace wakorin {

struct DataForecast;

namespace ui {

// The data mode's prediction in the start panels' place: each boat's estimated chance to win,
// to finish in the top two and in the top three, in lane colours.
class ChancePanel {
 public:
  explicit ChancePanel(QWidget* parent);

  void Show(const DataForecast& forecast);
  void SetShown(bool shown);
  // The result files the racers' form could not use, and why, as the panel's tooltip.
  void ShowFormNotes(const QStringList& refused);
  // Each lane's three chances as shown ("41.2%"), for printing and tests.
  const std::array<std::array<QString, 3>, 6>& Texts() const { return texts_; }
  QFrame* Panel() const { return PanelChance_; }
  // The panel as it shows, drawn `scale` times as fine.
  QImage Picture(qreal scale) const;

 private:
  QFrame* PanelChance_;
  std::array<std::array<QLabel*, 3>, 6> cells_{};
  std::array<std::array<QFrame*, 3>, 6> bars_{};
  std::array<std::array<QString, 3>, 6> texts_;
};

}  // namespace ui
}  // namespace wakorin
