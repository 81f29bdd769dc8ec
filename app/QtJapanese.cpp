#include "app/QtJapanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace wakorin {

bool InstallQtJapanese() {
  // Dates and sizes in the file dialog, month and weekday names, whatever the system's language.
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return false;
  // Handed to the application, which outlives every dialog.
  translator->setParent(QCoreApplication::instance());
  return QCoreApplication::installTranslator(translator.release());
}

}  // namespace wakorin
