// SPDX-License-Identifier: MIT
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv) {
    // Headless by default, so listing and running tests needs no display.
    qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ? void(qputenv("QT_QPA_PLATFORM", "offscreen")) : void();
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
