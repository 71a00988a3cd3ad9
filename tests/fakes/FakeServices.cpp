// SPDX-License-Identifier: MIT
#include "FakeServices.h"

#include <QWidget>

MsgResult FakeMessageBoxes::show(QWidget *owner, const QString &prompt, int style, const QString &title) {
    shown.push_back({prompt, style, title, owner != nullptr ? owner->windowTitle() : QString()});
    if (during) {
        during(shown.back());
    }
    return nextAnswer(answers, (style & 7) == MsgStyle::YesNo ? MsgResult::Yes : MsgResult::Ok);
}

FakeServices::FakeServices(SoundSystem *real)
    : services{messages, fileDialogs, colorDialogs, store, files, random, program, real != nullptr ? *real : sound,
               ticks,    pictures} {
    // Scores 10000, 9000 ... 1000 named "Player 1" to "Player 10".
    QByteArray scores = "Plinkard\r\n\r\n\r\n";
    QByteArray names = "\r\n\r\n";
    for (int i = 0; i < 10; ++i) {
        scores += QByteArray::number(10000 - 1000 * i) + "\r\n";
        names += "Player " + QByteArray::number(i + 1) + "\r\n";
    }
    files.files.insert(files.folder + QStringLiteral("/scores.dat"), scores + names);
    for (const char *name : {"snot.mid", "mchgun.wav", "miss.wav"}) {
        files.files.insert(files.folder + u'/' + QLatin1String(name), QByteArray("data"));
    }
}
