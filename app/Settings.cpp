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

bool Write(const char* key, const QString& value) {
  if (!Named()) return true;
  QSettings settings = Open();
  settings.setValue(QString::fromLatin1(key), value);
  settings.sync();
  if (settings.status() == QSettings::NoError) return true;
  qWarning("wakorin: could not write the settings file %s", qPrintable(settings.fileName()));
  return false;
}

}  // namespace

QString FilePath() {
  return Open().fileName();
}

void NameApplication() {
  QCoreApplication::setOrganizationName(QStringLiteral("wakorin"));
  // The application title also captions every message box.
  QCoreApplication::setApplicationName(QStringLiteral("Wakorin"));
}

QString LastFileFolder() {
  return Read(kLastFileFolderKey);
}

bool SetLastFileFolder(const QString& folder) {
  return Write(kLastFileFolderKey, folder);
}

QString DataFolder() {
  const QString chosen = Read(kDataFolderKey);
  if (!chosen.isEmpty()) return chosen;
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

bool SetDataFolder(const QString& folder) {
  return Write(kDataFolderKey, folder);
}

bool DataModeChosen() {
  return Read(kPredictionModeKey) == QStringLiteral("data");
}

bool SetDataModeChosen(bool data) {
  return Write(kPredictionModeKey, data ? QStringLiteral("data") : QStringLiteral("standard"));
}

QString ModelFile() {
  return Read(kModelFileKey);
}

bool SetModelFile(const QString& path) {
  return Write(kModelFileKey, path);
}

QDate LastDownloadDay() {
  return QDate::fromString(Read(kLastDownloadDayKey), Qt::ISODate);
}

bool SetLastDownloadDay(QDate day) {
  return Write(kLastDownloadDayKey, day.toString(Qt::ISODate));
}

}  // namespace wakorin::settings
