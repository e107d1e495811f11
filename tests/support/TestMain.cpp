// Test entry point shared by every test executable: a QApplication exists for
// the whole run so widget tests and plain tests run from the same main.
#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char **argv)
{
    // Widget tests never open a real window; CTest sets this too.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
