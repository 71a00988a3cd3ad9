// SPDX-License-Identifier: MIT
#include "game/GameTestSupport.h"
#include "platform/BgrColor.h"

#include <QImage>
#include <QTemporaryDir>

// Catches a choice not applied, or a second visit starting from the defaults (once, it undid the first).
TEST(ColorsWindow, OkayAppliesAndTheNextVisitStartsFromWhatIsInForce) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    QTemporaryDir dir;
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    ASSERT_TRUE(image.save(dir.filePath("field.bmp"), "BMP"));
    rig.fakes.colorDialogs.answers = {0x00332211U, 0x00665544U, 0x00998877U, 0x00000001U};
    rig.fakes.fileDialogs.answers = {dir.filePath("field.bmp")};
    for (int visit = 0; visit < 2; ++visit) {
        frmColors &c = rig.forms->colors();
        for (QPushButton *b : visit == 0 ? std::vector{c.cmdBGColor, c.cmdSBGColor, c.cmdForeColor, c.cmdBGBrowse}
                                         : std::vector{c.cmdSBGColor}) {
            b->click();
        }
        c.cmdOk->click();
    }
    EXPECT_EQ(w.picPicture->palette().color(QPalette::Window), fromBgr(0x00000001U));
    EXPECT_EQ(w.lblScore->palette().color(QPalette::WindowText), fromBgr(0x00998877U));
    const QImage onScreen = w.grab().toImage();
    EXPECT_EQ(onScreen.pixelColor(20, 20), QColor(10, 200, 30));
    EXPECT_EQ(onScreen.pixelColor(60, 20), fromBgr(0x00332211U));
}
