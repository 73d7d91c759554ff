#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "platform/gui/Runtime.h"
#include "tests/support/EnglishSession.h"
#include "tests/support/TempDir.h"

// GUI tests run on Qt's offscreen platform unless the environment names
// another one (the end-to-end test runs on an X server).
int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    RunInAnEnglishSession();

    // The main window keeps its position in the user's data folder; tests
    // never write there. The child processes of death tests inherit the
    // folder of the run that started them.
    std::optional<TempDir> dataHome;
    if (std::getenv("SORVANEL_TEST_DATA_HOME") == nullptr) {
        dataHome.emplace();
        ::setenv("SORVANEL_TEST_DATA_HOME", dataHome->Path().c_str(), 1);
        ::setenv("XDG_DATA_HOME", dataHome->Path().c_str(), 1);
    }

    ::testing::InitGoogleTest(&argc, argv);
    platform::runtime::Initialize(argc, argv);
    return RUN_ALL_TESTS();
}
