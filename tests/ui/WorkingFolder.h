#pragma once

#include <QDir>
#include <QString>
#include <string>

namespace wakorin::testing {

// Runs a test inside a folder, as the application runs inside its working directory.
class WorkingFolder {
 public:
  explicit WorkingFolder(const QString& folder) : previous_(QDir::currentPath()) {
    QDir::setCurrent(folder);
  }
  explicit WorkingFolder(const std::string& folder)
      : WorkingFolder(QString::fromStdString(folder)) {}
  ~WorkingFolder() { QDir::setCurrent(previous_); }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

 private:
  QString previous_;
};

}  // namespace wakorin::testing
