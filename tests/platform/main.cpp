#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // These tests never need a screen; the offscreen platform also lets the test list be read at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Resumen de ventas"));
    ::testing::InitGoogleTest(&argc, argv);
    // A death test runs again in a fresh process rather than in a fork of one that holds a QApplication.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    return RUN_ALL_TESTS();
}
