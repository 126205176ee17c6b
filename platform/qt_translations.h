// Qt's own texts in the interface's language: the standard buttons of dialogs and message boxes, the file and colour
// dialogs, the context menus of text fields. They come from the translation files Qt ships (on Debian the package
// qt6-translations-l10n), found where Qt says its translations are.
#pragma once

#include <string>

namespace morvane {

// Installs Qt's translations for the interface language `lang` in the running application (a QCoreApplication must
// exist), in place of those installed before: "ru" gives Russian; any other language removes them, and Qt speaks its
// own English. Widgets that exist already are told by a LanguageChange event. Returns false when Russian was asked
// for and Qt's translation files could not be loaded; Qt then speaks English.
bool installQtTranslations(const std::string& lang);

}  // namespace morvane
