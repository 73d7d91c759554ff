#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include <QCoreApplication>

#include "platform/gui/Geometry.h"
#include "platform/gui/Runtime.h"
#include "tests/prefs/PrefsFixture.h"
#include "window/FileTypeGroup1.h"
#include "window/Window1.h"

// The main window opened and closed as the program does it; nothing that a
// handler raises may reach the framework's handler for unhandled exceptions.
class WindowFixture : public PrefsFixture {
protected:
    static void SetUpTestSuite()
    {
        static const bool initialized = (FileTypeGroup1::Initialize(), true);
        (void)initialized;
    }

    void SetUp() override
    {
        PrefsFixture::SetUp();
        platform::runtime::SetUnhandledExceptionReporterForTesting(
            [this](const std::string& text) { m_unhandled += text; });
    }

    void TearDown() override
    {
        EXPECT_EQ(m_unhandled, "");
        platform::runtime::SetUnhandledExceptionReporterForTesting(nullptr);
        PrefsFixture::TearDown();
    }

    // Closes the window and lets the framework release it.
    static void Close(platform::Window& window)
    {
        window.Close();
        QCoreApplication::processEvents();
    }

    std::string m_unhandled;
};

// A preference file and where the main window opens for it.
struct RestoreCase {
    const char* name;
    const char* file;
    std::int64_t left;
    std::int64_t top;
};

// The main window, which notes where its Open handler left it: the platform
// may add decorations of its own once the window is shown.
class RecordingWindow1 : public Window1 {
public:
    std::int64_t openedLeft = 0;
    std::int64_t openedTop = 0;
    platform::Rect openedBounds;

protected:
    void Event_Open() override
    {
        Window1::Event_Open();
        openedLeft = Left();
        openedTop = Top();
        openedBounds = Bounds();
    }
};
