#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Window tests need one application object for the whole run; they use the offscreen
// platform unless the caller chose another.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Pictures the programs keep between runs go to a cache of the test run's own, never to
    // the user's.
    const QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
