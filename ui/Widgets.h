#pragma once

#include <QAnyStringView>
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QString>

class QComboBox;
class QFrame;
class QImage;
class QWidget;

namespace wakorin::ui {

// Small factories so that the layout reads as a table of names, places and colours.
QFrame* MakePanel(QWidget* parent, QAnyStringView name, QRect geometry, QColor background);
QLabel* MakeLabel(QWidget* parent, QAnyStringView name, QRect geometry, const QString& text,
                  const QFont& font, QColor textColor,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
// A label with an opaque background.
QLabel* MakeCell(QWidget* parent, QAnyStringView name, QRect geometry, const QString& text,
                 const QFont& font, QColor background, QColor textColor,
                 Qt::Alignment alignment = Qt::AlignCenter);
QFrame* MakeBevel(QWidget* parent, QAnyStringView name, QRect geometry);
// A drop-down list of fixed choices in the ordinary light field, whatever panel it sits on.
QComboBox* MakeList(QWidget* parent, QAnyStringView name, QRect geometry, int fontPixels);
// A picture at its design place, drawn at its own size or stretched over the place.
QLabel* MakePicture(QWidget* parent, QAnyStringView name, QRect geometry, const QImage& image,
                    bool stretch);

// A widget as it shows, children included, drawn `scale` times as fine for paper: a picture of
// pixels rather than the widget painted straight onto the printer, whose resolution the
// widget's pictures and fonts would otherwise be scaled by a second time.
QImage WidgetPicture(QWidget* widget, qreal scale);

void SetBackground(QWidget* widget, QColor color);
void SetTextColor(QWidget* widget, QColor color);
void SetButtonColors(QWidget* button, QColor background, QColor text);
// A button face of exactly `background`, which a style's own shading would otherwise tint.
void SetPlainButtonColors(QWidget* button, QColor background, QColor text);
QColor Background(const QWidget* widget);
QColor TextColor(const QWidget* widget);

// Names such as "LabelBorat" + 3.
QString Numbered(const char* stem, int number);
QString Numbered(const char* stem, int first, int second);

}  // namespace wakorin::ui
