// Entry of the widget tests: one QApplication for all of them (QT_QPA_PLATFORM=offscreen).

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
