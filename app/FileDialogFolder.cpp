#include "app/FileDialogFolder.h"

#include "app/Settings.h"

namespace wakorin {

QString FileDialogFolder::Folder() const {
  return settings::LastFileFolder();
}

void FileDialogFolder::Remember(const QString& folder) {
  settings::SetLastFileFolder(folder);
}

}  // namespace wakorin
