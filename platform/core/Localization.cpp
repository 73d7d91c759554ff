#include "platform/core/Localization.h"

#include <map>
#include <memory>
#include <optional>

#include <QFile>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>

namespace platform {
namespace {

std::string& LanguageOverride()
{
    static std::string code;
    return code;
}

QString TablePath(std::string_view code)
{
    return QStringLiteral(":/i18n/sorvanel_%1.qm").arg(QString::fromUtf8(code.data(), static_cast<qsizetype>(code.size())));
}

// One loaded table per language code, or none when the code has no table.
const QTranslator* Table(std::string_view code)
{
    static std::map<std::string, std::unique_ptr<QTranslator>, std::less<>> tables;
    auto found = tables.find(code);
    if (found == tables.end()) {
        auto translator = std::make_unique<QTranslator>();
        if (code.empty() || !translator->load(TablePath(code))) translator.reset();
        found = tables.emplace(std::string(code), std::move(translator)).first;
    }
    return found->second.get();
}

std::string SystemLanguage()
{
    for (const QString& name : QLocale::system().uiLanguages()) {
        const std::string code = name.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower().toStdString();
        if (code == "en" || Table(code) != nullptr) return code;
    }
    return "en";
}

} // namespace

std::string ActiveLanguage()
{
    if (!LanguageOverride().empty()) return LanguageOverride();
    return SystemLanguage();
}

void SetActiveLanguage(std::string_view code)
{
    LanguageOverride() = std::string(code);
}

std::string GetLocalizedString(std::string_view key, std::string_view englishDefault, std::string_view language)
{
    const std::string code = language.empty() ? ActiveLanguage() : std::string(language);
    if (const QTranslator* table = Table(code)) {
        const std::string id(key);
        const QString text = table->translate(nullptr, id.c_str());
        if (!text.isEmpty()) return text.toStdString();
    }
    return std::string(englishDefault);
}

} // namespace platform
