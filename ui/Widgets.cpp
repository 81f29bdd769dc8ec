#include "ui/Widgets.h"

#include <QFrame>
#include <QPalette>

namespace wakorin::ui {

void SetBackground(QWidget* widget, QColor color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, color);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void SetButtonColors(QWidget* button, QColor background, QColor text) {
  QPalette palette = button->palette();
  palette.setColor(QPalette::Button, background);
  palette.setColor(QPalette::ButtonText, text);
  button->setPalette(palette);
}

void SetTextColor(QWidget* widget, QColor color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  widget->setPalette(palette);
}

void SetPlainButtonColors(QWidget* button, QColor background, QColor text) {
  SetButtonColors(button, background, text);
  // A raised edge that shows on every face colour, white and black included.
  button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2; "
                                       "border: 1px solid; border-color: #FFFFFF #808080 "
                                       "#808080 #FFFFFF; }"
                                       "QPushButton:pressed { border-color: #808080 #FFFFFF "
                                       "#FFFFFF #808080; }")
                            .arg(background.name(), text.name()));
}

QColor Background(const QWidget* widget) {
  return widget->palette().color(QPalette::Window);
}
QColor TextColor(const QWidget* widget) {
  return widget->palette().color(QPalette::WindowText);
}

QFrame* MakePanel(QWidget* parent, QAnyStringView name, QRect geometry, QColor background) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  panel->setGeometry(geometry);
  if (background.isValid()) SetBackground(panel, background);
  return panel;
}

QLabel* MakeLabel(QWidget* parent, QAnyStringView name, QRect geometry, const QString& text,
                  const QFont& font, QColor textColor, Qt::Alignment alignment) {
  auto* label = new QLabel(parent);
  if (!name.isEmpty()) label->setObjectName(name);
  // File text must never be taken for markup.
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(geometry);
  label->setFont(font);
  label->setAlignment(alignment);
  label->setText(text);
  SetTextColor(label, textColor);
  return label;
}

QLabel* MakeCell(QWidget* parent, QAnyStringView name, QRect geometry, const QString& text,
                 const QFont& font, QColor background, QColor textColor, Qt::Alignment alignment) {
  QLabel* label = MakeLabel(parent, name, geometry, text, font, textColor, alignment);
  SetBackground(label, background);
  return label;
}

QFrame* MakeBevel(QWidget* parent, QAnyStringView name, QRect geometry) {
  auto* bevel = new QFrame(parent);
  bevel->setObjectName(name);
  bevel->setGeometry(geometry);
  bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bevel->setLineWidth(1);
  return bevel;
}

QString Numbered(const char* stem, int number) {
  return QString::fromLatin1(stem) + QString::number(number);
}

QString Numbered(const char* stem, int first, int second) {
  return QString::fromLatin1(stem) + QString::number(first) + QString::number(second);
}

}  // namespace wakorin::ui
