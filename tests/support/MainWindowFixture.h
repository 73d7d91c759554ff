#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "platform/gui/Application.h"
#include "platform/gui/Window.h"
#include "tests/support/TempDir.h"
#include "window/FileTypeGroup1.h"
#include "window/Window1.h"

// Opens the main window for a test and closes it afterwards. The program's
// file types are registered once, as start-up does, and an application
// object stands in for App: the window's Open event names its preference
// file after the application.
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!FileTypeGroup1::App()) FileTypeGroup1::Initialize();
        if (platform::GetAppObject() == nullptr) platform::RegisterAppObject(&m_app);
        window = &Window1();
    }

    void TearDown() override
    {
        if (window != nullptr && window->IsOpen()) window->Close();
        // Let the framework release the closed window.
        QTimer::singleShot(0, [] {});
        QApplication::processEvents();
        QApplication::processEvents();
        if (platform::GetAppObject() == &m_app) platform::RegisterAppObject(nullptr);
    }

    class Window1* window = nullptr;

private:
    platform::Application m_app;
};
