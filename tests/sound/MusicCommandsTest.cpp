#include "fakes/GameRig.h"
#include "platform/ImageControl.h"
#include "platform/MessageBoxes.h"
#include "settings/frmSettings.h"

#include <QCheckBox>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {
const QString Snot = QStringLiteral("/opt/plinkard/snot.mid");

// The media device as the commands leave it: which file is open under the alias and whether it plays.
struct MediaDevice {
    QString openFile;
    bool playing = false;
    int opensWhileOpen = 0;

    explicit MediaDevice(const QStringList &calls) {
        for (const QString &call : calls) {
            if (call == u"close mymid") {
                openFile.clear();
                playing = false;
            } else if (call.startsWith(u"open ") && call.endsWith(u" mymid")) {
                opensWhileOpen += openFile.isEmpty() ? 0 : 1;
                openFile = call.mid(5, call.size() - 5 - 6);
                playing = false;
            } else if (call == u"play mymid" && !openFile.isEmpty()) {
                playing = true;
            }
        }
    }
};
} // namespace

// PlayMidi restarts the music: close, open under the one alias, play from the start, in this order.
TEST(MusicCommands, PlayMidiClosesOpensAndPlaysInOrder) {
    GameRig rig;
    rig.mod.PlayMidi(Snot);
    EXPECT_EQ(rig.fakes.sound.calls, QStringList({"close mymid", "open " + Snot + " mymid", "play mymid"}));
}

// StopMidi only closes the alias, also when nothing is open.
TEST(MusicCommands, StopMidiCloses) {
    GameRig rig;
    rig.mod.StopMidi();
    rig.mod.PlayMidi(Snot);
    rig.mod.StopMidi();
    EXPECT_EQ(rig.fakes.sound.calls.first(), "close mymid");
    EXPECT_EQ(rig.fakes.sound.calls.last(), "close mymid");
    EXPECT_FALSE(MediaDevice(rig.fakes.sound.calls).playing);
}

// Starting twice in a row never opens a second piece: one piece plays, restarted from its beginning.
TEST(MusicCommands, StartingTwiceLeavesOnePieceFromItsBeginning) {
    GameRig rig;
    rig.mod.PlayMidi(Snot);
    rig.mod.PlayMidi(QStringLiteral("/opt/plinkard/other.mid"));
    const MediaDevice device(rig.fakes.sound.calls);
    EXPECT_EQ(device.opensWhileOpen, 0);
    EXPECT_EQ(device.openFile, "/opt/plinkard/other.mid");
    EXPECT_TRUE(device.playing);
    EXPECT_EQ(rig.fakes.sound.calls.mid(3),
              QStringList({"close mymid", "open /opt/plinkard/other.mid mymid", "play mymid"}));
}

// A file name with spaces reaches the device whole, as one argument.
TEST(MusicCommands, NameWithSpacesPassesThroughIntact) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    const QString spaced = QStringLiteral("/home/pat/My Music/fair ground.mid");
    rig.forms->settings().txtMidi->setText(spaced);
    rig.fakes.sound.calls.clear();
    w.chkMusic->setChecked(false);
    w.chkMusic->setChecked(true);
    EXPECT_EQ(rig.fakes.sound.calls,
              QStringList({"close mymid", "close mymid", "open " + spaced + " mymid", "play mymid"}));
}

// The music box: unchecking stops the music, checking restarts it with the settings window's file.
TEST(MusicCommands, MusicBoxStopsAndRestarts) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    EXPECT_TRUE(MediaDevice(rig.fakes.sound.calls).playing);
    rig.fakes.sound.calls.clear();
    w.chkMusic->setChecked(false);
    EXPECT_EQ(rig.fakes.sound.calls, QStringList({"close mymid"}));
    w.chkMusic->setChecked(true);
    EXPECT_EQ(rig.fakes.sound.calls.mid(1), QStringList({"close mymid", "open " + Snot + " mymid", "play mymid"}));
    const MediaDevice device(rig.fakes.sound.calls);
    EXPECT_EQ(device.openFile, Snot);
    EXPECT_TRUE(device.playing);
}

// Start-up plays the settings window's music when the stored switch is on, and nothing when it is off.
TEST(StartUpSound, MusicFollowsTheStoredSwitch) {
    GameRig on;
    on.start();
    EXPECT_EQ(on.fakes.sound.calls, QStringList({"devices", "close mymid", "open " + Snot + " mymid", "play mymid"}));

    GameRig off;
    off.fakes.store.set(QStringLiteral("MIDI ON-OFF"), QStringLiteral("0"));
    off.start();
    EXPECT_FALSE(MediaDevice(off.fakes.sound.calls).playing);
    EXPECT_FALSE(off.forms->isSettingsLoaded());
}

// With no output device the information box comes first, before any other step of start-up.
TEST(StartUpSound, NoDeviceShowsTheSoundTestFirst) {
    GameRig rig;
    rig.fakes.sound.devices = 0;
    rig.fakes.files.files.remove(QStringLiteral("/opt/plinkard/scores.dat"));
    QStringList callsWhileShown;
    bool stateFilled = true;
    rig.fakes.messages.during = [&](const ShownBox &box) {
        if (box.title == u"Sound Test") {
            callsWhileShown = rig.fakes.sound.calls;
            stateFilled = !rig.game().colLefts.empty() || !rig.mod.AppFolder.isEmpty() || rig.forms->isSettingsLoaded();
        }
    };
    rig.start();
    ASSERT_EQ(rig.fakes.messages.shown.size(), 2U);
    const ShownBox &first = rig.fakes.messages.shown.front();
    EXPECT_EQ(first.prompt, "Your system cannot play sounds.");
    EXPECT_EQ(first.title, "Sound Test");
    EXPECT_EQ(first.style, 64);
    EXPECT_EQ(rig.fakes.messages.shown.back().title, "Error!");
    EXPECT_EQ(callsWhileShown, QStringList({"devices"}));
    EXPECT_FALSE(stateFilled);
    // Only informs: both switches keep their values and the music is still started.
    EXPECT_TRUE(rig.game().chkMusic->isChecked());
    EXPECT_TRUE(rig.game().chkSounds->isChecked());
    EXPECT_TRUE(MediaDevice(rig.fakes.sound.calls).playing);
}

// One or more devices: no box at all.
TEST(StartUpSound, DevicesPresentShowNoBox) {
    for (const int devices : {1, 3}) {
        GameRig rig;
        rig.fakes.sound.devices = devices;
        rig.start();
        EXPECT_TRUE(rig.fakes.messages.shown.empty()) << devices;
    }
}

// Without a device shots and dry clicks still ask for their sounds.
TEST(StartUpSound, ShotsStillPlayWithNoDevice) {
    GameRig rig;
    rig.fakes.sound.devices = 0;
    frmPlinkard &w = rig.start();
    w.imgShoot[5]->show();
    w.imgShoot_Click(5);
    w.bulletsLeft = 0;
    w.Form_Click();
    EXPECT_EQ(rig.fakes.sound.waves(), QStringList({"/opt/plinkard/mchgun.wav", "/opt/plinkard/miss.wav"}));
}
