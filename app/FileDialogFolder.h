#pragma once

#include <utility>

#include "ui/ProgramFileFolder.h"

namespace wakorin {

// Where the race program file dialog opens, kept between runs in the settings: the folder of
// the day last opened (chosen, given on the command line or downloaded), else the data folder,
// which also stands in the dialog's side bar.
class FileDialogFolder final : public ProgramFileFolder {
 public:
  // `samples`: the sample day's folder, offered in the side bar while it exists.
  explicit FileDialogFolder(QString samples = InstalledSamplesFolder()) : samples_(std::move(samples)) {}

  QString Folder() const override;
  QList<QUrl> Sidebar() const override;
  void Remember(const QString& folder) override;

  // Whether `folder` holds a race program file or its archive (B*.TXT, b*.lzh, any case).
  static bool HoldsProgramFile(const QString& folder);
  // Where an installed application keeps its sample day (share/wakorin/samples beside bin/).
  static QString InstalledSamplesFolder();

 private:
  QString samples_;
};

}  // namespace wakorin
