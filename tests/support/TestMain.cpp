#include <QCoreApplication>
#include <gtest/gtest.h>

// Exchanges process pending events while they wait, so every test runs with an application object.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
