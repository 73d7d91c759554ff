#include "platform/gui/ToolkitTranslations.h"

#include <memory>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform {

bool InstallToolkitTranslations(const QLocale& locale)
{
    static std::unique_ptr<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    auto table = std::make_unique<QTranslator>();
    // Tried in the order of the locale's UI languages; English needs none.
    if (!table->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    QCoreApplication::installTranslator(table.get());
    installed = std::move(table);
    return true;
}

} // namespace platform
