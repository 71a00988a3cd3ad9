// SPDX-License-Identifier: MIT
#include "MidiSynth.h"

#include "platform/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <fluidsynth.h>
#include <string_view>

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
// The game's piece sounds at most 63 voices at once (counted while rendering it); half as many again
// in reserve. FluidSynth's default of 256 holds another 1.6 MiB that no note uses.
constexpr int Polyphony = 96;
// Larger files are no music anyone would pick: the game's piece has 19 KB.
constexpr qint64 MaxMidiBytes = 4 << 20;
// FluidSynth's player keeps some 56 bytes for every event of a piece, frees them one by one when the
// piece stops, and plays all the events of one instant in one go on the music's thread: 65,536 notes at
// once take it a third of a second. The game's piece has 4,518 events, a long song some tens of
// thousands. The 8.4 million events of a 16 MiB file held 460 MB, and every New Game kept the sound
// thread busy for most of a second.
constexpr int MaxMidiEvents = 1 << 16;

// RIFF MIDI files hold their "data" chunk first or behind a few small ones (INFO, DISP). One that
// holds it further on is no music: walking thousands of empty chunks kept the sound thread busy.
constexpr int MaxChunksBeforeData = 16;

// A standard MIDI file, or a RIFF MIDI file ("RIFF" size "RMID", then chunks).
bool startsAsMidi(const QByteArray &head) {
    return head.startsWith("MThd") || (head.size() == 12 && head.startsWith("RIFF") && head.mid(8) == "RMID");
}

// Where the standard MIDI data of a file lies: the whole file, or the "data" chunk of a RIFF MIDI
// file. Only headers are read. A null size for anything else.
struct MidiSpan {
    qint64 offset = 0;
    qint64 size = 0;
};

MidiSpan findMidi(QFile &file) {
    const auto startsMidi = [&file](qint64 at) { return file.seek(at) && file.read(4) == "MThd"; };
    const QByteArray head = file.read(12);
    if (head.startsWith("MThd")) {
        return file.size() <= MaxMidiBytes ? MidiSpan{0, file.size()} : MidiSpan{};
    }
    if (!startsAsMidi(head)) {
        return {};
    }
    qint64 at = 12;
    for (int chunks = 0; chunks < MaxChunksBeforeData && at + 8 <= file.size(); ++chunks) {
        if (!file.seek(at)) {
            return {};
        }
        // A read can come back short (the file shrank): the header is taken from a buffer of its own size.
        std::array<char, 8> chunk{};
        if (file.read(chunk.data(), 8) != 8) {
            return {};
        }
        const qint64 size = qFromLittleEndian<quint32>(chunk.data() + 4);
        if (std::string_view(chunk.data(), 4) == "data") {
            const qint64 body = std::min(size, file.size() - at - 8);
            return body <= MaxMidiBytes && startsMidi(at + 8) ? MidiSpan{at + 8, body} : MidiSpan{};
        }
        at += 8 + size + (size & 1);
    }
    return {};
}

// The events of the tracks of standard MIDI data, read as FluidSynth's player reads them, counted up to
// one past `limit`. A length that runs past the data is cut to it.
int countEvents(const QByteArray &midi, int limit) {
    const auto *bytes = reinterpret_cast<const uchar *>(midi.constData());
    const qint64 size = midi.size();
    const auto length = [&](qint64 at) { return at + 8 <= size ? qint64(qFromBigEndian<quint32>(bytes + at + 4)) : 0; };
    // A variable-length number: seven bits a byte, at most four bytes.
    const auto number = [&](qint64 &at, qint64 end) {
        qint64 value = 0;
        for (int n = 0; n < 4 && at < end; ++n) {
            value = (value << 7) | (bytes[at] & 0x7f);
            if ((bytes[at++] & 0x80) == 0) {
                break;
            }
        }
        return value;
    };
    int events = 0;
    uchar status = 0; // running status: a data byte first repeats the last status, as FluidSynth does across tracks
    for (qint64 chunk = 8 + length(0); chunk + 8 <= size && events <= limit; chunk += 8 + length(chunk)) {
        if (std::string_view(midi.constData() + chunk, 4) != "MTrk") {
            continue;
        }
        const qint64 end = std::min(size, chunk + 8 + length(chunk));
        for (qint64 at = chunk + 8; at < end && events <= limit; ++events) {
            number(at, end); // the time since the event before
            if (at < end && (bytes[at] & 0x80) != 0) {
                status = bytes[at++];
            }
            if (status == 0xff) { // meta event: its type, then the length of its data
                ++at;
                at += number(at, end);
            } else if (status == 0xf0 || status == 0xf7) { // system exclusive: the length of its data
                at += number(at, end);
            } else {
                at += (status & 0xe0) == 0xc0 ? 1 : 2; // program change and channel pressure have one data byte
            }
        }
    }
    return events;
}

QByteArray standardMidi(const QString &name) {
    QFile file;
    if (!openRegularFile(file, name)) {
        return {};
    }
    const MidiSpan span = findMidi(file);
    QByteArray midi = span.size > 0 && file.seek(span.offset) ? file.read(span.size) : QByteArray();
    return countEvents(midi, MaxMidiEvents) <= MaxMidiEvents ? midi : QByteArray();
}
} // namespace

QString MidiSynth::defaultSoundFont() {
    // FluidSynth's own setting, which a distribution points at its SoundFont; then Debian's General MIDI one.
    QStringList names;
    if (fluid_settings_t *settings = new_fluid_settings(); settings != nullptr) {
        char *configured = nullptr;
        if (fluid_settings_getstr_default(settings, "synth.default-soundfont", &configured) == FLUID_OK &&
            configured != nullptr) {
            names << QFile::decodeName(configured);
        }
        delete_fluid_settings(settings);
    }
    names << QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2")
          << QStringLiteral("/usr/share/sounds/sf3/default-GM.sf3");
    for (const QString &name : names) {
        if (QFileInfo(name).isFile()) {
            return name;
        }
    }
    return {};
}

bool MidiSynth::isMidiFile(const QString &file) {
    // FluidSynth's player accepts any name and fails only later, so the header is checked first.
    // The chunks of a RIFF MIDI file are looked through once, when the piece starts.
    QFile midi;
    return openRegularFile(midi, file) && startsAsMidi(midi.read(12));
}

MidiSynth::MidiSynth(const QString &soundFont) {
    silenceLog();
    m_settings = new_fluid_settings();
    if (m_settings == nullptr) {
        return;
    }
    fluid_settings_setnum(m_settings, "synth.sample-rate", SampleRate);
    fluid_settings_setnum(m_settings, "synth.gain", Gain);
    fluid_settings_setint(m_settings, "synth.polyphony", Polyphony);
    // Only the samples of the presets a piece selects are read in.
    fluid_settings_setint(m_settings, "synth.dynamic-sample-loading", 1);
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
    const QByteArray midi = m_synth != nullptr ? standardMidi(file) : QByteArray();
    if (midi.isEmpty()) {
        return false;
    }
    // A fresh player for every start: it begins at tick 0 with the synthesiser reset.
    m_player = new_fluid_player(m_synth);
    if (m_player == nullptr) {
        return false;
    }
    // The player takes the bytes, so a RIFF MIDI file plays from its data chunk.
    if (fluid_player_add_mem(m_player, midi.constData(), static_cast<size_t>(midi.size())) != FLUID_OK ||
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

void MidiSynth::render(int16_t *stereo, int frames) {
    if (frames <= 0) {
        return;
    }
    if (m_synth == nullptr) {
        std::fill(stereo, stereo + 2 * static_cast<ptrdiff_t>(frames), int16_t{0});
        return;
    }
    fluid_synth_write_s16(m_synth, frames, stereo, 0, 2, stereo, 1, 2);
}
