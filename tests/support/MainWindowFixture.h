#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "platform/gui/Window.h"
#include "tests/support/TempDir.h"
#include "window/FileTypeGroup1.h"
#include "window/Window1.h"

// Opens the main window for a test and closes it afterwards. The program's
// file types are registered once, as start-up does.
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!FileTypeGroup1::App()) FileTypeGroup1::Initialize();
        window = &Window1();
    }

    void TearDown() override
    {
        if (window != nullptr && window->IsOpen()) window->Close();
        // Let the framework release the closed window.
        QTimer::singleShot(0, [] {});
        QApplication::processEvents();
        QApplication::processEvents();
    }

    class Window1* window = nullptr;
};
