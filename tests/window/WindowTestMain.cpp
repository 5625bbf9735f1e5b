// The window tests: one application for all of them, with the program's own look.
#include "FixedLook.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    UseFixedLook(application);
    // A steady text cursor, so that a picture does not depend on the moment it is taken.
    QApplication::setCursorFlashTime(0);
    return RUN_ALL_TESTS();
}
