#pragma once

#include <QWidget>

namespace wakorin {

// The title screen: the artwork with the version, on top of everything, shown at start-up and
// as the version information. It has no behaviour of its own.
class TTitleForm : public QWidget {
  Q_OBJECT

 public:
  explicit TTitleForm(QWidget* parent = nullptr);

  // Shows the window centred and returns once it is on screen and painted, so that it is
  // complete during the blocking wait that follows.
  void ShowPainted();
  int PaintCount() const { return paintCount_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int paintCount_ = 0;
};

}  // namespace wakorin
