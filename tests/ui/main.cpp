// Entry of the widget tests: one QApplication for all of them, offscreen unless the caller
// chose a platform (screenshots run under a virtual X server). The program's own application
// object, so that what a command throws is caught as in the program.

#include <gtest/gtest.h>

#include "ui/app/GuardedApplication.h"

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TGuardedApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
