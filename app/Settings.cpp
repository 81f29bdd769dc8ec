#include "app/Settings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>

namespace wakorin::settings {
namespace {

// The INI format on purpose: the native user settings are pointed at /dev/null at start-up so
// that Qt's file dialog records no history of its own.
QSettings Open() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QCoreApplication::organizationName(),
                   QCoreApplication::applicationName());
}

// A program that did not name itself (a benchmark, a test that does not ask for settings) keeps
// nothing and remembers nothing.
bool Named() {
  return !QCoreApplication::organizationName().isEmpty();
}

QString Read(const char* key) {
  if (!Named()) return QString();
  return Open().value(QString::fromLatin1(key)).toString();
}

void Write(const char* key, const QString& value) {
  if (!Named()) return;
  QSettings settings = Open();
  settings.setValue(QString::fromLatin1(key), value);
  settings.sync();
}

}  // namespace

void NameApplication() {
  QCoreApplication::setOrganizationName(QStringLiteral("wakorin"));
  // The application title also captions every message box.
  QCoreApplication::setApplicationName(QStringLiteral("Wakorin"));
}

QString LastFileFolder() {
  return Read(kLastFileFolderKey);
}

void SetLastFileFolder(const QString& folder) {
  Write(kLastFileFolderKey, folder);
}

QString DataFolder() {
  const QString chosen = Read(kDataFolderKey);
  if (!chosen.isEmpty()) return chosen;
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

void SetDataFolder(const QString& folder) {
  Write(kDataFolderKey, folder);
}

bool DataModeChosen() {
  return Read(kPredictionModeKey) == QStringLiteral("data");
}

void SetDataModeChosen(bool data) {
  Write(kPredictionModeKey, data ? QStringLiteral("data") : QStringLiteral("standard"));
}

QString ModelFile() {
  return Read(kModelFileKey);
}

void SetModelFile(const QString& path) {
  Write(kModelFileKey, path);
}

QDate LastDownloadDay() {
  return QDate::fromString(Read(kLastDownloadDayKey), Qt::ISODate);
}

void SetLastDownloadDay(QDate day) {
  Write(kLastDownloadDayKey, day.toString(Qt::ISODate));
}

}  // namespace wakorin::settings
