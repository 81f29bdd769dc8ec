#pragma once

namespace wakorin {

// Installs Qt's own Japanese translation (qtbase_ja.qm, from Qt's translations folder) in the
// running application, so that the dialogs Qt draws — file, print, message, progress — and its
// network errors speak Japanese, and makes Japanese the default locale for the dates and sizes
// they show. False when the translation is not installed.
bool InstallQtJapanese();

}  // namespace wakorin
