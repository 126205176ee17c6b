#include "platform/qt_translations.h"

#include <vector>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace morvane {

namespace {

// Qt's catalogues a widget program needs: qtbase holds the dialogs, the standard buttons and the text fields.
constexpr const char* kQtCatalogues[] = {"qtbase"};

// The translators installed last. They are children of the application object, so they go with it; the pointers
// then read as null.
std::vector<QPointer<QTranslator>>& installedTranslators()
{
    static std::vector<QPointer<QTranslator>> translators;
    return translators;
}

}  // namespace

bool installQtTranslations(const std::string& lang)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    for (const QPointer<QTranslator>& translator : installedTranslators())
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    installedTranslators().clear();
    if (lang != "ru") return true;

    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    bool loaded = true;
    for (const char* catalogue : kQtCatalogues) {
        auto* translator = new QTranslator(app);
        if (!translator->load(russian, QString::fromLatin1(catalogue), "_", folder)) {
            delete translator;
            loaded = false;
            continue;
        }
        QCoreApplication::installTranslator(translator);
        installedTranslators().push_back(translator);
    }
    return loaded;
}

}  // namespace morvane
