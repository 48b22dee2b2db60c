#include "tests/schema/companies.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstring>
#include <iostream>

// The program runs inside a Qt application, which sets the process locale the client library uses to encode
// file names; the tests run the same way. "--prepare-demo DIR" makes the demo the tests copy, once per run.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--prepare-demo") == 0) {
        try {
            quelmaro::test::demo::prepare(QString::fromLocal8Bit(argv[2]));
        } catch (const std::exception& error) {
            std::cerr << error.what() << '\n';
            return 1;
        }
        return 0;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
