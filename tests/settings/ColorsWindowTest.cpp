#include "SettingsRig.h"
#include "platform/BgrColor.h"
#include "platform/PictureBox.h"
#include "settings/frmColors.h"

#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {
uint32_t previewColor(const QFrame *box) { return frmColors::backColor(box); }

struct ColorsRig : SettingsRig {
    frmPlinkard *w = nullptr;
    void SetUp() override { w = &start(); }
    frmColors &colors() { return rig.forms->colors(); }
    FakeColorDialogs &colorDialogs() { return rig.fakes.colorDialogs; }
    FakeFileDialogs &fileDialogs() { return rig.fakes.fileDialogs; }

    // A picture file of one colour, for the two picture pickers.
    QString picture(const QTemporaryDir &dir, const char *name, QColor fill) {
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(fill);
        const QString path = dir.path() + u'/' + QLatin1String(name);
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }
    // The field's, the panel's and the panel text's preview colours.
    std::vector<uint32_t> previews() {
        return {previewColor(colors().picBGColor), previewColor(colors().picSBGColor), previewColor(colors().picSFore)};
    }
    // Picks the three colours, then the field's and the panel's pictures.
    void chooseAll(std::deque<std::optional<uint32_t>> colours, std::deque<std::optional<QString>> pictures) {
        colorDialogs().answers = std::move(colours);
        fileDialogs().answers = std::move(pictures);
        for (QPushButton *b : {colors().cmdBGColor, colors().cmdSBGColor, colors().cmdForeColor, colors().cmdBGBrowse,
                               colors().cmdSBGBrowse}) {
            b->click();
        }
    }
};
} // namespace

// The window as laid out, with the load-time previews: the field's, the panel's and white.
TEST_F(ColorsRig, WindowIsLaidOut) {
    frmColors &c = colors();
    EXPECT_EQ(c.windowTitle(), QStringLiteral("Colors"));
    EXPECT_EQ(c.size(), QSize(px(4590), px(2805)));
    EXPECT_EQ(c.minimumSize(), c.maximumSize());
    const std::vector<std::tuple<QWidget *, QWidget *, QString, QRect>> expected{
        {c.fraColors, &c, "", pxRect(30, -15, 4530, 1020)},
        {c.Label[2], c.fraColors, "&BG Image:", pxRect(150, 300, 750, 195)},
        {c.txtBGImage, c.fraColors, "", pxRect(975, 255, 2625, 285)},
        {c.cmdBGBrowse, c.fraColors, "&Browse", pxRect(3675, 225, 750, 330)},
        {c.Label[0], c.fraColors, "B&G Color:", pxRect(150, 660, 675, 195)},
        {c.cmdBGColor, c.fraColors, "C&hoose", pxRect(2100, 600, 900, 315)},
        {c.picBGColor, c.fraColors, "", pxRect(975, 615, 1035, 285)},
        {c.fraPanel, &c, "Score Panel", pxRect(30, 1020, 4530, 1395)},
        {c.Label[3], c.fraPanel, "BG &Image:", pxRect(150, 300, 750, 195)},
        {c.txtSBGImage, c.fraPanel, "", pxRect(975, 255, 2625, 285)},
        {c.cmdSBGBrowse, c.fraPanel, "Bro&wse", pxRect(3675, 225, 750, 330)},
        {c.Label[6], c.fraPanel, "BG Co&lor:", pxRect(150, 675, 675, 195)},
        {c.picSBGColor, c.fraPanel, "", pxRect(975, 630, 1035, 285)},
        {c.cmdSBGColor, c.fraPanel, "Choos&e", pxRect(2100, 600, 900, 315)},
        {c.Label[1], c.fraPanel, "&Fore Color:", pxRect(150, 1050, 765, 195)},
        {c.picSFore, c.fraPanel, "", pxRect(975, 1005, 1035, 285)},
        {c.cmdForeColor, c.fraPanel, "Choo&se", pxRect(2100, 990, 900, 315)},
        {c.cmdOk, &c, "&Okay", pxRect(2880, 2460, 795, 330)},
        {c.cmdNo, &c, "&Cancel", pxRect(3750, 2460, 795, 330)},
    };
    for (const auto &[control, container, caption, at] : expected) {
        const char *property = qobject_cast<QGroupBox *>(control) ? "title" : "text";
        EXPECT_EQ(control->property(property).toString(), caption) << caption.toStdString();
        EXPECT_EQ(control->geometry(), at) << caption.toStdString();
        EXPECT_EQ(control->parentWidget(), container) << caption.toStdString();
    }
}

// In the game's font every caption fits its control.
TEST_F(ColorsRig, NoCaptionIsCutOff) { EXPECT_EQ(clippedCaptions(&colors()).join(", ").toStdString(), ""); }

// Every opening starts from the load-time content, whatever was chosen or cancelled before.
TEST_F(ColorsRig, EveryOpeningStartsFromTheLoadTimePreviews) {
    for (int opening = 0; opening < 2; ++opening) {
        frmColors &c = colors();
        EXPECT_EQ(previews(), std::vector<uint32_t>({0x00E0DCA7U, 0x00800000U, 0x00FFFFFFU}));
        EXPECT_TRUE(c.txtBGImage->text().isEmpty() && c.txtSBGImage->text().isEmpty());
        chooseAll({0x00010203U, 0x00040506U, 0x00070809U}, {QString("/a.bmp"), QString("/b.bmp")});
        EXPECT_EQ(previewColor(c.picSFore), 0x00070809U);
        opening == 0 ? c.cmdNo->click() : (void)c.close();
        EXPECT_FALSE(rig.forms->isColorsLoaded());
    }
}

// The colour buttons share one dialog starting from the colour last chosen; a cancel leaves everything as it was.
TEST_F(ColorsRig, TheColourDialogCarriesItsColourFromButtonToButton) {
    frmColors &c = colors();
    colorDialogs().answers = {0x00123456U, std::nullopt, 0x00ABCDEFU};
    c.cmdBGColor_Click();
    c.cmdSBGColor_Click();
    c.cmdForeColor_Click();
    std::vector<uint32_t> starts;
    for (const auto &call : colorDialogs().calls) {
        EXPECT_EQ(call.title, "Choose Color");
        starts.push_back(call.current);
    }
    EXPECT_EQ(starts, std::vector<uint32_t>({0U, 0x00123456U, 0x00123456U}));
    EXPECT_EQ(previews(), std::vector<uint32_t>({0x00123456U, 0x00800000U, 0x00ABCDEFU}));
    // A new opening starts the dialog afresh.
    c.cmdNo_Click();
    colors().cmdSBGColor_Click();
    EXPECT_EQ(colorDialogs().calls.back().current, 0U);
}

// The picture pickers: title, filter and start folder; a cancel keeps the box's text.
TEST_F(ColorsRig, PicturePickersFillTheirBoxOrChangeNothing) {
    frmColors &c = colors();
    fileDialogs().answers = {QString("/pics/Field.BMP"), std::nullopt};
    c.cmdBGBrowse->click();
    c.txtSBGImage->setText("/typed.gif");
    c.cmdSBGBrowse->click();
    EXPECT_EQ(QStringList({c.txtBGImage->text(), c.txtSBGImage->text()}),
              QStringList({"/pics/Field.BMP", "/typed.gif"}));
    ASSERT_EQ(fileDialogs().calls.size(), 2U);
    for (const auto &call : fileDialogs().calls) {
        EXPECT_EQ(call.title + " | " + call.filter + " | " + call.startFolder,
                  "Select File | Graphics|*.gif;*.jpg;*.bmp;*.wmf;*.dib | " + Folder);
    }
}

// Okay puts the five choices on the main window for this run, stores nothing and closes the window.
TEST_F(ColorsRig, OkayAppliesTheChoicesToTheMainWindow) {
    QTemporaryDir dir;
    const QString field = picture(dir, "field.bmp", QColor(10, 200, 30));
    const QString panel = picture(dir, "panel.bmp", QColor(250, 5, 90));
    chooseAll({0x00332211U, 0x00665544U, 0x00998877U}, {field, panel});
    forgetStartUp();
    colors().cmdOk->click();
    EXPECT_FALSE(rig.forms->isColorsLoaded());
    EXPECT_TRUE(store().writes.isEmpty());
    EXPECT_EQ(w->palette().color(QPalette::Window), fromBgr(0x00332211U));
    EXPECT_EQ(w->picPicture->palette().color(QPalette::Window), fromBgr(0x00665544U));
    for (QLabel *text : {w->lblScore, w->Label1}) {
        EXPECT_EQ(text->palette().color(QPalette::WindowText), fromBgr(0x00998877U));
    }
    const QImage shown = w->grab().toImage();
    EXPECT_EQ(shown.pixelColor(20, 20), QColor(10, 200, 30));
    EXPECT_EQ(shown.pixelColor(60, 20), fromBgr(0x00332211U));
    const QImage panelShown = w->picPicture->grab().toImage();
    EXPECT_EQ(panelShown.pixelColor(30, 2), QColor(250, 5, 90));
    EXPECT_EQ(panelShown.pixelColor(100, 2), fromBgr(0x00665544U));
}

// Mended: a second visit starts from what the first put in force, so its Okay changes only what it chose.
TEST_F(ColorsRig, ASecondVisitStartsFromWhatIsInForce) {
    QTemporaryDir dir;
    const QString field = picture(dir, "field.bmp", QColor(10, 200, 30));
    chooseAll({0x00332211U, 0x00665544U, 0x00998877U}, {field, std::nullopt});
    colors().cmdOk->click();
    EXPECT_EQ(previews(), std::vector<uint32_t>({0x00332211U, 0x00665544U, 0x00998877U}));
    EXPECT_EQ(colors().txtBGImage->text(), field);
    colorDialogs().answers = {0x00000001U};
    colors().cmdSBGColor->click();
    colors().cmdOk->click();
    EXPECT_EQ(w->palette().color(QPalette::Window), fromBgr(0x00332211U));
    EXPECT_EQ(w->picPicture->palette().color(QPalette::Window), fromBgr(0x00000001U));
    EXPECT_EQ(w->lblScore->palette().color(QPalette::WindowText), fromBgr(0x00998877U));
    EXPECT_EQ(w->grab().toImage().pixelColor(20, 20), QColor(10, 200, 30));
}

// Cancel applies nothing; the settings window opens the colours window modally over itself and carries on after.
TEST_F(ColorsRig, CancelAppliesNothingAndSettingsCarriesOn) {
    frmSettings &s = settings();
    bool sawModal = false;
    QTimer::singleShot(0, [&] {
        frmColors &c = colors();
        sawModal = c.isVisible() && c.isModal() && c.parentWidget() == &s;
        colorDialogs().answers = {0x00000001U};
        c.cmdBGColor_Click();
        c.cmdNo->click();
    });
    s.cmdColors->click();
    EXPECT_TRUE(sawModal);
    EXPECT_FALSE(rig.forms->isColorsLoaded());
    EXPECT_TRUE(rig.forms->isSettingsLoaded());
    EXPECT_EQ(w->palette().color(QPalette::Window), fromBgr(0x00E0DCA7U));
    EXPECT_EQ(w->picPicture->palette().color(QPalette::Window), fromBgr(0x00800000U));
}
