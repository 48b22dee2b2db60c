#include <QCoreApplication>

#include <gtest/gtest.h>

// The program runs inside a Qt application, which sets the process locale the client library uses to encode
// file names; the tests run the same way.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
