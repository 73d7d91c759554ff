#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/core/FolderItem.h"

namespace Preferences {

// A preference value: any JSON value. Objects keep the order of their
// members, so that a rewritten file reads like the one it replaces.
using Value = nlohmann::ordered_json;

// One JSON object in memory, bound to the file <name>.pref in the folder
// <name> of the user's application-data folder.
class PrefsClass {
public:
    // A store for the named application, holding an empty object and bound
    // to no file yet.
    explicit PrefsClass(std::string appName);
    virtual ~PrefsClass() = default;
    PrefsClass(const PrefsClass&) = delete;
    PrefsClass& operator=(const PrefsClass&) = delete;

    // The value of the member `name`; throws PreferenceNotFoundException when
    // the object has no such member.
    virtual Value Get(const std::string& name) const;
    // Binds the store to its file, creating the folder when it is missing.
    // True when the file existed and held a JSON object, which then replaces
    // the one in memory; false when there is no file or its text is not a
    // JSON object, leaving the object in memory as it was. A file that exists
    // but cannot be read throws platform::IOException.
    virtual bool Load();
    // Writes the object to the bound file, atomically. False when the store
    // is bound to no file or the file cannot be written.
    virtual bool Save();
    // Adds the member or replaces its value.
    virtual void Set(const std::string& name, Value value);
    // Deletes the preference file if there is one; the folder stays and the
    // object in memory is not changed.
    virtual void Remove();

    // Member-style access: store["WinLeft"] reads through Get, and assigning
    // to it writes through Set, so that subclasses see both.
    class Member {
    public:
        operator Value() const { return m_store.Get(m_name); }
        Member& operator=(Value value)
        {
            m_store.Set(m_name, std::move(value));
            return *this;
        }

    private:
        friend class PrefsClass;
        Member(PrefsClass& store, std::string name) : m_store(store), m_name(std::move(name)) {}
        PrefsClass& m_store;
        std::string m_name;
    };
    Member operator[](std::string name) { return Member(*this, std::move(name)); }

private:
    platform::FolderItem Folder() const;
    platform::FolderItem FileIn(const platform::FolderItem& folder) const;

    Value mPrefs = Value::object();
    std::optional<platform::FolderItem> mPrefsFile;
    std::string mAppName;
};

} // namespace Preferences
