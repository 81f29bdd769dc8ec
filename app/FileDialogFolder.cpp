#include "app/FileDialogFolder.h"

#include <QDir>

#include "app/Settings.h"

namespace wakorin {

QString FileDialogFolder::Folder() const {
  const QString last = settings::LastFileFolder();
  if (!last.isEmpty() && QDir(last).exists()) return last;
  return settings::DataFolder();
}

QList<QUrl> FileDialogFolder::Sidebar() const {
  return {QUrl::fromLocalFile(QDir::homePath()), QUrl::fromLocalFile(settings::DataFolder())};
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
