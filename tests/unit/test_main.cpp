#include <gtest/gtest.h>

#include "watchdog.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The longest unit test takes seconds; a program-manager test that
    // waits out every time-out of the shell, about a minute and a half.
    InstallTestWatchdog(120);
    return RUN_ALL_TESTS();
}
