#include "app/TitleForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include "ui/Fonts.h"
#include "ui/Pictures.h"
#include "ui/Widgets.h"

namespace wakorin {

TTitleForm::TTitleForm(QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("TitleForm"));
  setWindowTitle(QStringLiteral("Wakorin"));
  setFixedSize(476, 123);
  setFont(ui::MsPGothic(12));
  ui::SetBackground(this, QColor(0x00, 0xFF, 0xFF));

  KyoteiImage = new QLabel(this);
  KyoteiImage->setObjectName(QStringLiteral("KyoteiImage"));
  KyoteiImage->setGeometry(0, 0, 476, 123);
  KyoteiImage->setScaledContents(true);
  KyoteiImage->setPixmap(QPixmap::fromImage(ui::TitleArtwork()));

  LabelVer = ui::MakeCell(this, "LabelVer", QRect(296, 96, 169, 19),
                          QStringLiteral("Ver2.11 '06前期データ版"), ui::MsPGothic(13, true),
                          QColor(0x00, 0xFF, 0xFF), QColor(0xFF, 0x00, 0x00));
}

void TTitleForm::ShowPainted() {
  if (QScreen* screen = QApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  show();
  raise();
  // A window manager maps the window asynchronously; wait briefly for it to be exposed.
  QElapsedTimer waited;
  waited.start();
  while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < 1000) {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
  }
  repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TTitleForm::paintEvent(QPaintEvent* event) {
  ++paintCount_;
  QWidget::paintEvent(event);
}

}  // namespace wakorin
