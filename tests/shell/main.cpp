#include "shell/application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Real widgets without a screen; the offscreen platform also lets the test list be read at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    quelmaro::shell::Application application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
