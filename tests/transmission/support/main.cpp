#include <QApplication>

#include <gtest/gtest.h>

// The transmission runs inside the program's widget application; its tests too (offscreen).
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
