#include "qt/QtFonts.h"

#include <QApplication>

#include <gtest/gtest.h>

// Widgets need an application object for the whole run. Without a display the tests draw on Qt's
// offscreen platform, which is also what test discovery at build time gets.
int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setFont(kal::InterfaceFont(9));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
