#pragma once

#include <QString>

class QChart;
class QValueAxis;
class QAbstractAxis;

namespace wakorin::ui {

// A chart to sit on the windows' black: dark theme, white title, no legend until asked for.
QChart* DarkChart(const QString& title);
// White labels on the dark chart's axes.
void LightLabels(QAbstractAxis& axis);

}  // namespace wakorin::ui
