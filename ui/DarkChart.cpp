#include "ui/DarkChart.h"

#include <QAbstractAxis>
#include <QChart>
#include <QLegend>

#include "ui/Colors.h"

namespace wakorin::ui {

QChart* DarkChart(const QString& title) {
  auto* chart = new QChart;
  chart->setTheme(QChart::ChartThemeDark);
  chart->setBackgroundBrush(kBlack);
  chart->setTitle(title);
  chart->setTitleBrush(kWhite);
  chart->legend()->hide();
  chart->legend()->setLabelColor(kWhite);
  chart->setMargins(QMargins(4, 4, 4, 4));
  return chart;
}

void LightLabels(QAbstractAxis& axis) {
  axis.setLabelsColor(kWhite);
  axis.setTitleBrush(kWhite);
}

}  // namespace wakorin::ui
