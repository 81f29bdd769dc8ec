#include "app/FileDialogFolder.h"

#include <QCoreApplication>
#include <QDir>

#include "app/Settings.h"

namespace wakorin {

QString FileDialogFolder::Folder() const {
  const QString last = settings::LastFileFolder();
  if (!last.isEmpty() && QDir(last).exists()) return last;
  return settings::DataFolder();
}

QList<QUrl> FileDialogFolder::Sidebar() const {
  QList<QUrl> places{QUrl::fromLocalFile(QDir::homePath()),
                     QUrl::fromLocalFile(settings::DataFolder())};
  // Someone who declined the download at first start finds the sample day one click away.
  if (!samples_.isEmpty() && QDir(samples_).exists()) places << QUrl::fromLocalFile(samples_);
  return places;
}

QString FileDialogFolder::InstalledSamplesFolder() {
  return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/../share/wakorin/samples"));
}

void FileDialogFolder::Remember(const QString& folder) {
  settings::SetLastFileFolder(folder);
}

bool FileDialogFolder::HoldsProgramFile(const QString& folder) {
  // Name filters ignore letter case unless told otherwise.
  return !QDir(folder)
              .entryList({QStringLiteral("B*.TXT"), QStringLiteral("B*.LZH")},
                         QDir::Files | QDir::Readable)
              .isEmpty();
}

}  // namespace wakorin
