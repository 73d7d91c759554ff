#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/gui/Runtime.h"

// GUI tests run on Qt's offscreen platform unless the environment names
// another one (the end-to-end test runs on an X server).
int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    platform::runtime::Initialize(argc, argv);
    return RUN_ALL_TESTS();
}
