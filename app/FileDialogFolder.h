#pragma once

#include "ui/ProgramFileFolder.h"

namespace wakorin {

// Where the race program file dialog opens, kept between runs in the settings: the folder of
// the day last opened (chosen, given on the command line or downloaded), else the data folder,
// which also stands in the dialog's side bar.
class FileDialogFolder final : public ProgramFileFolder {
 public:
  QString Folder() const override;
  QList<QUrl> Sidebar() const override;
  void Remember(const QString& folder) override;

  // Whether `folder` holds a race program file or its archive (B*.TXT, b*.lzh, any case).
  static bool HoldsProgramFile(const QString& folder);
};

}  // namespace wakorin
