#include "app/QtJapanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace wakorin {

bool InstallQtJapanese() {
  // Dates and sizes in the file dialog, month and weekday names, whatever the system's language.
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  // Owned by the application, which outlives every dialog.
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace wakorin
