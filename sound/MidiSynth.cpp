#include "MidiSynth.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <fluidsynth.h>

namespace {
// FluidSynth writes its complaints to stderr; ours are silent failures.
void silenceLog() {
    static const bool once = [] {
        for (const int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
            fluid_set_log_function(level, nullptr, nullptr);
        }
        return true;
    }();
    (void)once;
}

// Loud enough beside the shot sounds, with headroom so the drums never clip.
constexpr double Gain = 0.5;
} // namespace

QString MidiSynth::defaultSoundFont() {
    for (const char *path : {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3"}) {
        const QString name = QString::fromLatin1(path);
        if (QFileInfo(name).isFile()) {
            return name;
        }
    }
    return {};
}

bool MidiSynth::isMidiFile(const QString &file) {
    // FluidSynth's player accepts any name and fails only later, so the header is checked first.
    return !file.isEmpty() && QFileInfo(file).isFile() && fluid_is_midifile(QFile::encodeName(file).constData()) != 0;
}

MidiSynth::MidiSynth(const QString &soundFont) {
    silenceLog();
    m_settings = new_fluid_settings();
    if (m_settings == nullptr) {
        return;
    }
    fluid_settings_setnum(m_settings, "synth.sample-rate", SampleRate);
    fluid_settings_setnum(m_settings, "synth.gain", Gain);
    m_synth = new_fluid_synth(m_settings);
    if (m_synth != nullptr && !soundFont.isEmpty() && QFileInfo(soundFont).isFile()) {
        const int id = fluid_synth_sfload(m_synth, QFile::encodeName(soundFont).constData(), 1);
        m_fontId = id == FLUID_FAILED ? -1 : id;
    }
}

MidiSynth::~MidiSynth() {
    stop();
    if (m_synth != nullptr) {
        delete_fluid_synth(m_synth);
    }
    if (m_settings != nullptr) {
        delete_fluid_settings(m_settings);
    }
}

bool MidiSynth::start(const QString &file) {
    stop();
    if (m_synth == nullptr || !isMidiFile(file)) {
        return false;
    }
    // A fresh player for every start: it begins at tick 0 with the synthesiser reset.
    m_player = new_fluid_player(m_synth);
    if (m_player == nullptr) {
        return false;
    }
    if (fluid_player_add(m_player, QFile::encodeName(file).constData()) != FLUID_OK ||
        fluid_player_play(m_player) != FLUID_OK) {
        stop();
        return false;
    }
    return true;
}

void MidiSynth::stop() {
    if (m_player != nullptr) {
        fluid_player_stop(m_player);
        delete_fluid_player(m_player);
        m_player = nullptr;
    }
    if (m_synth != nullptr) {
        // A reset alone lets notes ring on through their release; sounds-off cuts them.
        fluid_synth_system_reset(m_synth);
        fluid_synth_all_sounds_off(m_synth, -1);
    }
}

bool MidiSynth::isPlaying() const {
    return m_player != nullptr && fluid_player_get_status(m_player) == FLUID_PLAYER_PLAYING;
}

int MidiSynth::currentTick() const { return m_player != nullptr ? fluid_player_get_current_tick(m_player) : -1; }

void MidiSynth::render(int16_t *stereo, int frames) {
    if (frames <= 0) {
        return;
    }
    if (m_synth == nullptr) {
        std::fill(stereo, stereo + 2 * frames, int16_t{0});
        return;
    }
    fluid_synth_write_s16(m_synth, frames, stereo, 0, 2, stereo, 1, 2);
}
