#include <QGuiApplication>

#include <gtest/gtest.h>

// Painting needs a GUI application; the pictures are drawn off screen, also while
// ctest lists the tests.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
