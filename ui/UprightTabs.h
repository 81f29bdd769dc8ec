#pragma once

#include <QTabBar>
#include <QTabWidget>

namespace wakorin::ui {

// A tab bar on the left or right whose captions read top to bottom with upright characters,
// as Japanese is written in a vertical tab, instead of lying on their side.
class UprightTabBar : public QTabBar {
 public:
  using QTabBar::QTabBar;

 protected:
  QSize tabSizeHint(int index) const override;
  void paintEvent(QPaintEvent* event) override;
};

// A page control whose tabs are an UprightTabBar.
class UprightTabWidget : public QTabWidget {
 public:
  explicit UprightTabWidget(QWidget* parent = nullptr);
};

}  // namespace wakorin::ui
