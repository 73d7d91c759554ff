#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include <QCoreApplication>

#include "platform/gui/Application.h"
#include "platform/gui/Keyboard.h"
#include "prefs/Preferences.h"
#include "tests/support/TempDir.h"

// Each test gets a data folder of its own (XDG_DATA_HOME, set before anything
// asks for it), a registered application object, no store yet and no
// modifier key held, whatever the real keyboard does.
class PrefsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* previous = std::getenv("XDG_DATA_HOME")) m_previousDataHome = previous;
        ::setenv("XDG_DATA_HOME", m_data.Path().c_str(), 1);
        platform::RegisterAppObject(&m_app);
        platform::Keyboard::SetHeldKeysForTesting(platform::Keyboard::HeldKeys{});
        Preferences::Prefs.reset();
    }

    void TearDown() override
    {
        Preferences::Prefs.reset();
        platform::Keyboard::SetHeldKeysForTesting(std::nullopt);
        platform::RegisterAppObject(nullptr);
        // Back to the test run's own data folder, never the user's.
        if (m_previousDataHome) {
            ::setenv("XDG_DATA_HOME", m_previousDataHome->c_str(), 1);
        } else {
            ::unsetenv("XDG_DATA_HOME");
        }
    }

    // The store is named after the running executable: here, the test binary.
    std::string AppName() const { return m_app.ExecutableFile().Name(); }
    std::string FolderPath() const { return m_data.Path(AppName()); }
    std::string FilePath() const { return FolderPath() + "/" + AppName() + ".pref"; }

    void WritePrefs(const std::string& text) const { m_data.Write(AppName() + "/" + AppName() + ".pref", text); }
    // A folder where the file should be: it exists, but cannot be read as a
    // file or replaced by one (also for root, which permission bits do not stop).
    void PutFolderInPlaceOfFile() const { m_data.MakeFolder(AppName() + "/" + AppName() + ".pref"); }

    std::string ReadPrefsText() const
    {
        std::ifstream in(FilePath(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    Preferences::Value ReadPrefs() const { return Preferences::Value::parse(ReadPrefsText()); }

    static void HoldKeys(bool option, bool command)
    {
        platform::Keyboard::SetHeldKeysForTesting(platform::Keyboard::HeldKeys{option, command});
    }

    TempDir m_data;
    std::optional<std::string> m_previousDataHome;
    platform::Application m_app;
};
