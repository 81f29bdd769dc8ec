#include "ui/UprightTabs.h"

#include <QFontMetrics>
#include <QStyleOptionTab>
#include <QStylePainter>

namespace wakorin::ui {

QSize UprightTabBar::tabSizeHint(int index) const {
  const QFontMetrics metrics(font());
  const int characters = static_cast<int>(tabText(index).size());
  return {metrics.height() + 8, characters * metrics.height() + 14};
}

void UprightTabBar::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  const QFontMetrics metrics(font());
  for (int i = 0; i < count(); ++i) {
    QStyleOptionTab option;
    initStyleOption(&option, i);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_TabBarTab, option);
    const QRect area = tabRect(i);
    int top = area.center().y() - static_cast<int>(caption.size()) * metrics.height() / 2;
    painter.setPen(palette().color(QPalette::WindowText));
    for (const QChar character : caption) {
      painter.drawText(QRect(area.left(), top, area.width(), metrics.height()), Qt::AlignCenter,
                       QString(character));
      top += metrics.height();
    }
  }
}

UprightTabWidget::UprightTabWidget(QWidget* parent) : QTabWidget(parent) {
  setTabBar(new UprightTabBar(this));
}

}  // namespace wakorin::ui
