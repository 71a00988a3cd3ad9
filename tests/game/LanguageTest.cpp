// SPDX-License-Identifier: MIT
#include "game/Language.h"
#include "GameTestSupport.h"

#include <QGroupBox>
#include <QKeySequence>
#include <QStyleOption>

namespace {
struct Fit {
    QString window, text;
    int need, room;
};

// What a control's caption needs and the room it has: a push button's text and margin, a check box's or option's
// box and text, a frame's title; a label sized to its caption has the room up to the next control on its line, and
// a word-wrapped one its height.
Fit fit(const QWidget *c) {
    const auto *l = qobject_cast<const QLabel *>(c);
    const auto *b = qobject_cast<const QAbstractButton *>(c);
    const auto *g = qobject_cast<const QGroupBox *>(c);
    const QString text = l ? l->text() : b ? b->text() : g ? g->title() : QString();
    const QFontMetrics metrics = c->fontMetrics();
    if (l && l->wordWrap()) {
        return {c->window()->windowTitle(), text,
                metrics.boundingRect(l->contentsRect(), Qt::TextWordWrap | int(l->alignment()), text).height(),
                l->contentsRect().height()};
    }
    const int width = metrics.horizontalAdvance(QString(text).replace("&&", "\x01").remove('&'));
    QStyleOption option;
    option.initFrom(c);
    const QRect contents = qobject_cast<const QPushButton *>(c) ? c->rect().adjusted(2, 0, -2, 0)
                           : qobject_cast<const QRadioButton *>(c)
                               ? c->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, c)
                           : b ? c->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, c)
                           : g ? c->rect().adjusted(0, 0, -12, 0)
                               : c->contentsRect();
    int room = contents.width();
    if (l && c->width() == l->sizeHint().width()) { // sized to its caption: the room is up to its neighbour
        room = c->parentWidget()->width() - c->x();
        for (const QWidget *s : c->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (s != c && s->isVisible() && s->x() > c->x() && s->y() < c->geometry().bottom() &&
                s->geometry().bottom() > c->y()) {
                room = std::min(room, s->x() - c->x() - 2);
            }
        }
    }
    return {c->window()->windowTitle(), text, width, room};
}
} // namespace

// Catches a translated text cut by its control, a label's text running into the next control, a wrapped text taller
// than its label, or an access key given twice in one window, in German, French and Spanish; each language's
// tightest text is printed. The sign and the prompt of an empty magazine and a full table are looked at too.
TEST(Languages, EveryTextFitsItsControlAndKeysStayOnePerWindow) {
    for (const char *language : {"de", "fr", "es"}) {
        ASSERT_TRUE(Language::use(QString::fromLatin1(language)));
        GameRig rig;
        frmPlinkard &w = rig.start();
        while (w.bulletsLeft > 0) {
            w.Form_Click();
        }
        rig.forms->scores().fill(rig.mod.ScoreLines);
        std::optional<Fit> tightest;
        for (QWidget *window :
             QWidgetList{&w, &rig.forms->settings(), &rig.forms->colors(), &rig.forms->scores(), &rig.forms->name()}) {
            window->show();
            QStringList keys;
            for (QWidget *c : window->findChildren<QWidget *>()) {
                const Fit f = fit(c);
                if (!c->isVisible() || f.text.isEmpty()) {
                    continue;
                }
                EXPECT_LE(f.need, f.room) << language << ": " << f.window.toStdString() << " \""
                                              << f.text.toStdString() << "\" needs " << f.need << " of " << f.room;
                const QString key = QKeySequence::mnemonic(f.text).toString();
                EXPECT_TRUE(key.isEmpty() || !keys.contains(key))
                    << language << ": " << f.window.toStdString() << " " << key.toStdString() << " twice";
                keys << key;
                if (!tightest || f.need * tightest->room > tightest->need * f.room) {
                    tightest = f;
                }
            }
            window->hide();
        }
        std::printf("%s: \"%s\" in %s needs %d of %d px\n", language, qPrintable(tightest->text),
                    qPrintable(tightest->window), tightest->need, tightest->room);
    }
    Language::use({});
}

// Catches a language chosen past the player's first wish, English overridden by a later one, or a language not
// shipped taken for one that is.
TEST(Languages, TheFirstOfThePlayersLanguagesThatIsShippedOrEnglish) {
    const std::vector<std::pair<QStringList, QString>> rows{{{"de-DE"}, "de"},
                                                            {{"fr_CA.UTF-8"}, "fr"},
                                                            {{"it", "es-ES", "de"}, "es"},
                                                            {{"en-GB", "de"}, ""},
                                                            {{"C"}, ""},
                                                            {{"pt-BR", "nl"}, ""},
                                                            {{}, ""}};
    for (const auto &[preferred, code] : rows) {
        EXPECT_EQ(Language::chosen(preferred), code) << preferred.join(u':').toStdString();
    }
}
