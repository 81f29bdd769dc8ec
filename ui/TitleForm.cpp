#include "ui/TitleForm.h"

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

namespace {

constexpr int kBorder = 1;
constexpr int kCaptionHeight = 15;  // a tool window's thin title bar
const QColor kAqua(0x00, 0xFF, 0xFF);

}  // namespace

// Window managers put buttons on every title bar they draw, whatever the window asks for; the
// title bar without buttons is therefore the window's own, and the manager draws nothing.
TTitleForm::TTitleForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("TitleForm"));
  setWindowTitle(QStringLiteral("Wakorin"));
  setFixedSize(476 + 2 * kBorder, kCaptionHeight + 123 + 2 * kBorder);
  setFont(ui::MsPGothic(12));
  ui::SetBackground(this, palette().color(QPalette::Shadow));

  // The thin title bar with the caption and nothing else, and the artwork's area below it.
  QLabel* caption =
      ui::MakeCell(this, "Caption", QRect(kBorder, kBorder, 476, kCaptionHeight), windowTitle(),
                   ui::MsPGothic(11, true), palette().color(QPalette::Highlight),
                   palette().color(QPalette::HighlightedText), Qt::AlignLeft | Qt::AlignVCenter);
  caption->setIndent(3);

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("Client"));
  client->setGeometry(kBorder, kBorder + kCaptionHeight, 476, 123);
  ui::SetBackground(client, kAqua);

  auto* kyoteiImage = new QLabel(client);
  kyoteiImage->setObjectName(QStringLiteral("KyoteiImage"));
  kyoteiImage->setGeometry(0, 0, 476, 123);
  kyoteiImage->setScaledContents(true);
  kyoteiImage->setPixmap(QPixmap::fromImage(ui::TitleArtwork()));

  ui::MakeCell(client, "LabelVer", QRect(296, 96, 169, 19),
               QStringLiteral("Ver2.11 '06前期データ版"), ui::MsPGothic(13, true), kAqua,
               QColor(0xFF, 0x00, 0x00));
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
