#include "prefs/PrefsClass.h"

#include <filesystem>
#include <system_error>

#include "platform/core/Exceptions.h"
#include "platform/core/TextFile.h"
#include "prefs/PreferenceNotFoundException.h"

namespace Preferences {
namespace {

constexpr int kMaxNesting = 64;

} // namespace

PrefsClass::PrefsClass(std::string appName) : mAppName(std::move(appName)) {}

platform::FolderItem PrefsClass::Folder() const
{
    return platform::ApplicationDataFolder().Child(mAppName);
}

platform::FolderItem PrefsClass::FileIn(const platform::FolderItem& folder) const
{
    return folder.Child(mAppName + ".pref");
}

Value PrefsClass::Get(const std::string& name) const
{
    const auto found = mPrefs.find(name);
    if (found == mPrefs.end()) throw PreferenceNotFoundException(name);
    return *found;
}

void PrefsClass::Set(const std::string& name, Value value)
{
    mPrefs[name] = std::move(value);
}

bool PrefsClass::Load()
{
    const platform::FolderItem folder = Folder();
    if (!folder.Exists()) {
        // On a fresh account the data folder itself may be missing too, so
        // the folders above are made as well. A failure shows later, when
        // the file cannot be written.
        std::error_code ignored;
        std::filesystem::create_directories(folder.NativePath(), ignored);
    }
    mPrefsFile = FileIn(folder);
    if (!mPrefsFile->Exists()) return false;

    const std::string text = platform::ReadAllText(*mPrefsFile);
    // Nesting far beyond what a preference file needs is refused while it is
    // read: deep values are copied, printed and freed by recursion, and a
    // crafted file could overflow the stack at every start.
    bool tooDeep = false;
    const Value::parser_callback_t limitDepth = [&tooDeep](int depth, nlohmann::detail::parse_event_t, Value&) {
        if (depth > kMaxNesting) tooDeep = true;
        return !tooDeep;
    };
    Value parsed = Value::parse(text, limitDepth, /*allow_exceptions=*/false);
    if (tooDeep) return false;
    // Only an object can hold the named members; any other JSON text counts
    // as unusable as text that is not JSON.
    if (!parsed.is_object()) return false;
    mPrefs = std::move(parsed);
    return true;
}

bool PrefsClass::Save()
{
    if (!mPrefsFile) return false;
    const std::string text = mPrefs.dump(2) + "\n";
    try {
        platform::WriteTextAtomically(*mPrefsFile, text);
    } catch (const platform::IOException&) {
        return false;
    }
    return true;
}

void PrefsClass::Remove()
{
    const platform::FolderItem folder = Folder();
    if (!folder.Exists()) return;
    mPrefsFile = FileIn(folder);
    if (mPrefsFile->Exists()) mPrefsFile->Delete();
}

} // namespace Preferences
