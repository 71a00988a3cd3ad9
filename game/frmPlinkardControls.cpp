// SPDX-License-Identifier: MIT
// The main window's controls and timers: what the window is made of, apart from what it does.
#include "frmPlinkard.h"

#include "Forms.h"
#include "TargetPictures.h"
#include "game/rules/Ammunition.h"
#include "game/rules/Level.h"
#include "game/rules/TargetRules.h"
#include "platform/AccessibleControls.h"
#include "platform/BgrColor.h"
#include "platform/ClickLabel.h"
#include "platform/Controls.h"
#include "platform/ImageControl.h"
#include "platform/PictureBox.h"
#include "platform/Services.h"
#include "platform/Timer.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>

namespace {
constexpr int ClientWidth = 5640;
constexpr int ClientHeight = 4830;

struct TargetPlace {
    int left;
    int top;
};

// Where each target sits until motion first moves it.
constexpr std::array<TargetPlace, TargetCount> StartPlaces{{
    {2265, 1635}, {4290, 1635}, {195, 2158},  {1610, 605},  {876, 2150},  {1610, 2665}, {876, 3180},  {4335, 1120},
    {195, 1641},  {4995, 2640}, {195, 2675},  {3615, 3195}, {195, 90},    {876, 90},    {876, 1120},  {1610, 90},
    {1610, 1120}, {2265, 90},   {1610, 3180}, {2265, 1120}, {195, 1124},  {1610, 2150}, {2950, 605},  {2895, 1095},
    {2950, 2150}, {2265, 2150}, {195, 607},   {2265, 3180}, {4965, 1635}, {3615, 1635}, {2265, 2665}, {3615, 605},
    {2950, 2665}, {195, 3195},  {876, 605},   {4965, 605},  {2950, 1635}, {2950, 3180}, {4335, 2665}, {3615, 2150},
    {2950, 90},   {3615, 90},   {3615, 1120}, {4335, 90},   {2265, 605},  {4965, 90},   {4335, 3180}, {4965, 1120},
    {4965, 2115}, {4335, 2150}, {3615, 2665}, {876, 1635},  {876, 2665},  {1610, 1635}, {4320, 615},  {4965, 3180},
    {2265, 1650},
}};

struct LevelOption {
    const char *caption;
    int left;
    int width;
};
constexpr std::array<LevelOption, 4> LevelOptions{{
    {QT_TRANSLATE_NOOP("frmPlinkard", "Too Easy"), 2100, 975},
    {QT_TRANSLATE_NOOP("frmPlinkard", "Easy"), 3135, 645},
    {QT_TRANSLATE_NOOP("frmPlinkard", "Hard"), 3840, 645},
    {QT_TRANSLATE_NOOP("frmPlinkard", "Too Hard"), 4545, 975},
}};

// The panel keeps its navy and white under any colour scheme, and its controls keep the light look they
// have on a light desktop: white indicators with black marks and light buttons, which stand out from the
// navy. A dark scheme's near-black circles and boxes would not.
QPalette panelPalette() {
    QPalette pal(QColor(0xEF, 0xEF, 0xEF)); // a whole light palette grown from its button colour
    pal.setColor(QPalette::Window, fromBgr(frmPlinkard::PanelColor));
    pal.setColor(QPalette::WindowText, fromBgr(frmPlinkard::PanelTextColor));
    pal.setColor(QPalette::Highlight, QColor(0x30, 0x8C, 0xC6));
    pal.setColor(QPalette::HighlightedText, Qt::white);
    return pal;
}

// The level options are as wide as their captions in the classic face, with no room to spare: Fusion's
// gap between a circle and its caption cut the tail of "Easy" at scale 2, and of translations as long.
// A narrower gap gives the captions the room the layout means them to have.
class PanelStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override {
        if (metric == PM_RadioButtonLabelSpacing || metric == PM_CheckBoxLabelSpacing) {
            return 3;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QLabel *panelLabel(QWidget *panel, const QString &caption, int left, int top) {
    auto *label = new QLabel(panel);
    label->move(px(left), px(top));
    setCaption(label, caption);
    return label;
}
} // namespace

frmPlinkard::frmPlinkard(Forms &forms) : QWidget(nullptr), m_forms(forms) {
    setWindowTitle(tr("Plinkard"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(px(ClientWidth), px(ClientHeight));
    setFont(gameFont(11));
    setWindowIcon(TargetPictures::windowIcon());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, fromBgr(BackColor));
    setPalette(pal);
    setAutoFillBackground(true);
    setCursor(TargetPictures::crosshairCursor());
    buildControls();

    TickSource &ticks = m_forms.services.ticks;
    tmrVeryEasy = new Timer(this, ticks, 300, false, [this] { tmrVeryEasy_Timer(); });
    tmrEasy = new Timer(this, ticks, 200, true, [this] { tmrEasy_Timer(); });
    tmrHard = new Timer(this, ticks, 100, false, [this] { tmrHard_Timer(); });
    tmrVeryHard = new Timer(this, ticks, 50, false, [this] { tmrVeryHard_Timer(); });
    tmrTime = new Timer(this, ticks, 1000, true, [this] { tmrTime_Timer(); });
    tmrWinScore = new Timer(this, ticks, 500, true, [this] { tmrWinScore_Timer(); });
    nameControls();
}

frmPlinkard::~frmPlinkard() = default;

void frmPlinkard::buildControls() {
    // Targets first, so that the reload sign and the panel lie above them.
    for (int i = 0; i < TargetCount; ++i) {
        auto *target = new ImageControl(this, TargetPictures::target(i));
        target->setObjectName(QStringLiteral("imgShoot%1").arg(i));
        target->setGeometry(px(StartPlaces.at(static_cast<size_t>(i)).left),
                            px(StartPlaces.at(static_cast<size_t>(i)).top), px(480), px(480));
        target->hide();
        connect(target, &ImageControl::clicked, this, [this, i] { imgShoot_Click(i); });
        imgShoot.at(static_cast<size_t>(i)) = target;
    }

    lblFlash = new ClickLabel(this);
    lblFlash->setObjectName(QStringLiteral("lblFlash"));
    lblFlash->setText(tr("RELOAD"));
    lblFlash->setGeometry(pxRect(2040, 3615, 1560, 420));
    lblFlash->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblFlash->setFont(gameFont(24, true));
    QPalette flashPal = lblFlash->palette();
    flashPal.setColor(QPalette::Window, fromBgr(BackColor));
    flashPal.setColor(QPalette::WindowText, Qt::black);
    lblFlash->setPalette(flashPal);
    lblFlash->setAutoFillBackground(true);
    lblFlash->hide();
    connect(lblFlash, &ClickLabel::clicked, this, [this] { lblFlash_Click(); });

    buildPanel();
}

void frmPlinkard::buildPanel() {
    picPicture = new PictureBox(this);
    picPicture->setObjectName(QStringLiteral("picPicture"));
    picPicture->setGeometry(pxRect(0, 3735, 5655, 1185));
    picPicture->setCursor(TargetPictures::arrowCursor());
    picPicture->setPalette(panelPalette());
    connect(picPicture, &PictureBox::keyDown, this, [this](int code, int shift) { picPicture_KeyDown(code, shift); });

    Label1 = panelLabel(picPicture, tr("Score:"), 60, 60);
    lblScore = panelLabel(picPicture, QStringLiteral("0"), 735, 60);
    Label2 = panelLabel(picPicture, tr("Misses:"), 60, 270);
    lblMiss = panelLabel(picPicture, QStringLiteral("0"), 735, 270);
    Label4 = panelLabel(picPicture, tr("Time:"), 60, 495);
    lblTime = panelLabel(picPicture, QStringLiteral("0:0:0"), 735, 495);
    hour = panelLabel(picPicture, QStringLiteral("0"), 1260, 495);
    minute = panelLabel(picPicture, QStringLiteral("0"), 1365, 495);
    second = panelLabel(picPicture, QStringLiteral("0"), 1470, 495);
    for (QLabel *counter : {hour, minute, second}) {
        counter->hide();
    }

    // The prompt keeps its size while empty: it must stay clickable.
    lblReload = new ClickLabel(picPicture);
    lblReload->setGeometry(pxRect(60, 765, 1665, 195));
    lblReload->setFont(gameFont(11, true));
    connect(lblReload, &ClickLabel::clicked, this, [this] { lblReload_Click(); });

    for (int i = 0; i < MagazineSize; ++i) {
        auto *bullet = new ImageControl(picPicture, TargetPictures::Bullet);
        bullet->setGeometry(pxRect(105 + 120 * i, 720, 75, 285));
        connect(bullet, &ImageControl::clicked, this, [this, i] { imgBullet_Click(i); });
        imgBullet.at(static_cast<size_t>(i)) = bullet;
    }

    auto *panelStyle = new PanelStyle(QApplication::style()->name());
    panelStyle->setParent(picPicture);
    for (int i = 0; i < 4; ++i) {
        const LevelOption &level = LevelOptions.at(static_cast<size_t>(i));
        auto *option = new QRadioButton(tr(level.caption), picPicture);
        option->setStyle(panelStyle);
        option->setGeometry(pxRect(level.left, 105, level.width, 210));
        option->setChecked(i == Easy);
        // Tab stops at the selected option only, as in every desktop's option groups; the arrows
        // select within the group.
        option->setFocusPolicy(i == Easy ? Qt::StrongFocus : Qt::ClickFocus);
        connect(option, &QRadioButton::toggled, this, [this, i, option](bool on) {
            option->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
            if (on) {
                optLevel_Click(i);
            }
        });
        optLevel.at(static_cast<size_t>(i)) = option;
    }

    chkMusic = new QCheckBox(tr("Music On/Off"), picPicture);
    chkMusic->setGeometry(pxRect(2355, 375, 1380, 240));
    chkMusic->setChecked(true);
    chkMusic->setStyle(panelStyle);
    connect(chkMusic, &QCheckBox::toggled, this, [this] { chkMusic_Click(); });
    chkSounds = new QCheckBox(tr("Sounds On/Off"), picPicture);
    chkSounds->setGeometry(pxRect(3795, 375, 1440, 240));
    chkSounds->setChecked(true);
    chkSounds->setStyle(panelStyle);

    auto button = [this](const QString &caption, int left, int width) {
        auto *b = new FocusButton(caption, picPicture);
        b->setGeometry(pxRect(left, 675, width, 330));
        return b;
    };
    cmdNew = button(tr("New Game"), 1920, 1020);
    cmdSettings = button(tr("Settings"), 2985, 795);
    cmdHigh = button(tr("High Scores"), 3825, 1065);
    cmdExit = button(tr("E&xit"), 4935, 630);
    connect(cmdNew, &QPushButton::clicked, this, [this] { cmdNew_Click(); });
    connect(cmdSettings, &QPushButton::clicked, this, [this] { cmdSettings_Click(); });
    connect(cmdHigh, &QPushButton::clicked, this, [this] { cmdHigh_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    // Each control whose mouse-up has a handler; eventFilter reaches it.
    m_mouseUp = {
        {cmdNew, [this] { cmdNew_MouseUp(0, 0, 0, 0); }},
        {cmdSettings, [this] { cmdSettings_MouseUp(0, 0, 0, 0); }},
        {cmdHigh, [this] { cmdHigh_MouseUp(0, 0, 0, 0); }},
        {cmdExit, [this] { cmdExit_MouseUp(0, 0, 0, 0); }},
        {chkMusic, [this] { chkMusic_MouseUp(0, 0, 0, 0); }},
        {chkSounds, [this] { chkSounds_MouseUp(0, 0, 0, 0); }},
    };
    for (int i = 0; i < 4; ++i) {
        m_mouseUp.emplace_back(optLevel.at(static_cast<size_t>(i)), [this, i] { optLevel_MouseUp(i, 0, 0, 0, 0); });
    }
    for (const auto &[control, handler] : m_mouseUp) {
        control->installEventFilter(this);
    }

    // The panel comes first in the tab order, so it holds the focus when the window opens.
    QWidget::setTabOrder(picPicture, optLevel[0]);
    picPicture->setFocus();
}

// What a screen reader says; labels, buttons and options already speak their captions.
void frmPlinkard::nameControls() {
    picPicture->setAccessibleName(tr("Score panel"));
    Label1->setBuddy(lblScore);
    Label2->setBuddy(lblMiss);
    Label4->setBuddy(lblTime);
    for (int i = 0; i < TargetCount; ++i) {
        ImageControl *target = imgShoot.at(static_cast<size_t>(i));
        target->setAccessibleName(TargetPictures::targetName(i));
        target->setAccessibleRole(QAccessible::Button);
    }
    // Each bullet tells how many are left, wherever the reader lands in the magazine.
    new ShownCountName(picPicture, {imgBullet.begin(), imgBullet.end()}, tr("1 bullet left"), tr("%1 bullets left"));
    const QString reload = tr("Click to reload");
    for (ImageControl *bullet : imgBullet) {
        bullet->setAccessibleDescription(reload);
    }
    lblReload->setAccessibleDescription(reload);
    lblFlash->setAccessibleDescription(reload);
}
