// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
// A check that fails inside a callback meant to close a modal box (an ASSERT returns from it early) would
// leave the box, and the test, waiting for ever. After a failure, each modal window open at that moment is
// closed once the callback has returned, unless it has closed meanwhile, so the test runs on and reports it.
class CloseModalsOnFailure : public testing::EmptyTestEventListener {
    void OnTestPartResult(const testing::TestPartResult &result) override {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (result.failed() && window->isVisible() && window->isModal()) {
                QTimer::singleShot(0, window, [window] {
                    if (window->isVisible()) {
                        window->close();
                    }
                    // A box whose Yes/No must be answered ignores its close box.
                    if (auto *dialog = qobject_cast<QDialog *>(window); dialog != nullptr && dialog->isVisible()) {
                        dialog->done(QDialog::Rejected);
                    }
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
    ::testing::UnitTest::GetInstance()->listeners().Append(new CloseModalsOnFailure);
    return RUN_ALL_TESTS();
}
