#include "repair/RegExVesk.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Localization.h"
#include "platform/core/Text.h"
#include "repair/Messages.h"

namespace RegExVesk {

std::unique_ptr<platform::RegEx> reg;

namespace {

constexpr std::string_view kEndOfLine = "\n";

void ShowEngineError(const platform::RegExException& error)
{
    repair::ShowMessageBox("RegEx error: " + std::string(kEndOfLine) + error.what());
}

} // namespace

std::string kAlert_Metacharacters(std::string_view language)
{
    return platform::GetLocalizedString("RegExVesk.kAlert_Metacharacters", "Metacharacters ^ $ \\b cannot be used alone.", language);
}

void MakeRegEx()
{
    reg.reset();
    reg = std::make_unique<platform::RegEx>();
}

std::string MachStr(std::string_view source, std::string_view pattern, std::int64_t startPosition, bool caseSensitive)
{
    if (platform::LenB(source) == 0 || platform::LenB(pattern) == 0) return {};
    try {
        MakeRegEx();
        reg->Options.CaseSensitive = caseSensitive;
        reg->SearchStartPosition = static_cast<std::int64_t>(platform::CharactersToBytes(source, startPosition));
        reg->SearchPattern = std::string(pattern);
        const std::optional<platform::RegExMatch> match = reg->Search(source);
        if (!match) return {};
        return match->SubExpressionString(0);
    } catch (const platform::RegExException& error) {
        ShowEngineError(error);
        return {};
    }
}

std::string ReplaceAll(std::string_view source, std::string_view pattern, std::string_view replacement, bool caseSensitive)
{
    if (platform::LenB(source) == 0 || platform::LenB(pattern) == 0) return std::string(source);
    if (platform::PlainEquals(pattern, "^") || platform::PlainEquals(pattern, "$") || platform::PlainEquals(pattern, "\\b")) {
        repair::ShowMessageBox(kAlert_Metacharacters());
        return std::string(source);
    }
    try {
        MakeRegEx();
        reg->Options.ReplaceAllMatches = true;
        reg->Options.CaseSensitive = caseSensitive;
        reg->SearchStartPosition = 0;
        reg->SearchPattern = std::string(pattern);
        reg->ReplacementPattern = std::string(replacement);
        return reg->Replace(source);
    } catch (const platform::RegExException& error) {
        ShowEngineError(error);
        return {};
    }
}

} // namespace RegExVesk
