#pragma once

#include "ui/ProgramFileFolder.h"

namespace wakorin {

// Where the race program file dialog opens, kept between runs in the settings: the folder of
// the last file chosen there.
class FileDialogFolder final : public ProgramFileFolder {
 public:
  QString Folder() const override;
  void Remember(const QString& folder) override;
};

}  // namespace wakorin
