#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

// Test main for tests that need Qt: a QApplication on the offscreen platform
// unless the caller chose another one (xvfb, say).
int main(int argc, char* argv[])
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("JACK_NO_START_SERVER", "1", 0);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
