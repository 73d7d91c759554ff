#include <gtest/gtest.h>

#include "tests/support/EnglishSession.h"

// The main of the tests that need no window system.
int main(int argc, char** argv)
{
    RunInAnEnglishSession();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
