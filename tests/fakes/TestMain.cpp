// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
// A check that fails inside a callback meant to close a modal box (an ASSERT returns from it early) would leave the
// box, and the test, waiting for ever: after a failure, each modal dialog open then is ended once the callback has
// returned, so the test runs on and reports it.
class EndModalsOnFailure : public testing::EmptyTestEventListener {
    void OnTestPartResult(const testing::TestPartResult &result) override {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<QDialog *>(window); result.failed() && dialog && dialog->isModal()) {
                QTimer::singleShot(0, dialog, [dialog] {
                    // Its closing steps first, which a game may wait for; a Yes/No box ignores its close box.
                    dialog->isVisible() ? void(dialog->close()) : void();
                    dialog->isVisible() ? dialog->done(QDialog::Rejected) : void();
                });
            }
        }
    }
};
} // namespace

int main(int argc, char **argv) {
    // Headless by default, so listing and running tests needs no display.
    qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ? void(qputenv("QT_QPA_PLATFORM", "offscreen")) : void();
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new EndModalsOnFailure);
    return RUN_ALL_TESTS();
}
