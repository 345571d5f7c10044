#include <gtest/gtest.h>

#include "watchdog.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The longest scenario takes about a minute and a half on a busy machine.
    InstallTestWatchdog(300);
    return RUN_ALL_TESTS();
}
