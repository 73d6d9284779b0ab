#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

// One application object for every window test; the offscreen platform
// needs no display.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#ifdef _WIN32
    // On Windows the offscreen platform reads its fonts from a folder, not
    // from the system: the system's own, unless the test run names one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR")) {
        qputenv("QT_QPA_FONTDIR", qgetenv("WINDIR") + "\\Fonts");
    }
#endif
    QApplication app(argc, argv);
    // The user's own folders stay out of it: a window a test starts without
    // naming where the game's originals go keeps them in Qt's test folders.
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
