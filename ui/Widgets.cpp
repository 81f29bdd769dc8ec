#include "ui/Widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QPalette>
#include <QPixmap>

#include "ui/Fonts.h"

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

QComboBox* MakeList(QWidget* parent, QAnyStringView name, QRect geometry, int fontPixels) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setEditable(false);  // a drop-down list: no free text
  list->setMaxVisibleItems(12);
  list->setFont(MsGothic(fontPixels, true));
  list->setGeometry(geometry);
  // The lists sit on black panels; they keep the ordinary light field with dark text.
  list->setPalette(QApplication::palette());
  return list;
}

QLabel* MakePicture(QWidget* parent, QAnyStringView name, QRect geometry, const QImage& image,
                    bool stretch) {
  auto* picture = new QLabel(parent);
  picture->setObjectName(name);
  picture->setGeometry(geometry);
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picture->setScaledContents(stretch);
  picture->setPixmap(QPixmap::fromImage(image));
  return picture;
}

QString Numbered(const char* stem, int number) {
  return QString::fromLatin1(stem) + QString::number(number);
}

QString Numbered(const char* stem, int first, int second) {
  return QString::fromLatin1(stem) + QString::number(first) + QString::number(second);
}

}  // namespace wakorin::ui

namespace wakorin::ui {

QImage WidgetPicture(QWidget* widget, qreal scale) {
  QImage image((QSizeF(widget->size()) * scale).toSize(), QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::white);
  widget->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
  return image;
}

}  // namespace wakorin::ui
