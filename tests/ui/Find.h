#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <stdexcept>

#include "ui/Widgets.h"

namespace wakorin::testing {

// Controls are found by their objectName, as a user finds them by their place. A control that
// is missing fails the test at once rather than crashing it later.
template <class T = QLabel>
T* Find(const QWidget& root, const QString& name) {
  T* found = root.findChild<T*>(name);
  if (!found) {
    ADD_FAILURE() << "no control named " << name.toStdString();
    throw std::runtime_error("missing control " + name.toStdString());
  }
  return found;
}

template <class T = QLabel>
T* Find(const QWidget& root, const char* name) {
  return Find<T>(root, QString::fromLatin1(name));
}

// A control of a numbered family by its 0-based index: Cell(form, "LabelBorat", 0) is LabelBorat1.
template <class T = QLabel>
T* Cell(const QWidget& root, const char* stem, std::size_t index) {
  return Find<T>(root, ui::Numbered(stem, static_cast<int>(index) + 1));
}

// Two indices, as in LabelKekka<slot><lane> or Funa3Ken<row><column>, each 0-based.
template <class T = QLabel>
T* Cell(const QWidget& root, const char* stem, std::size_t first, std::size_t second) {
  return Find<T>(root,
                 ui::Numbered(stem, static_cast<int>(first) + 1, static_cast<int>(second) + 1));
}

// A menu item or submenu by its objectName.
inline QAction* Action(const QWidget& root, const char* name) {
  return Find<QAction>(root, name);
}

}  // namespace wakorin::testing
