#pragma once

#include <QList>
#include <QString>
#include <QUrl>

namespace wakorin {

// Where the race program file dialog opens and what it learns from a choice. The application
// keeps this between runs; a form given none opens the dialog in the working folder and
// remembers nothing.
class ProgramFileFolder {
 public:
  virtual ~ProgramFileFolder() = default;
  // The folder the dialog opens in; empty for the working folder.
  virtual QString Folder() const = 0;
  // Places offered in the dialog's side bar.
  virtual QList<QUrl> Sidebar() const { return {}; }
  // A file was chosen in `folder`, which exists.
  virtual void Remember(const QString& folder) = 0;
};

}  // namespace wakorin
