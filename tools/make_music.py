#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Writes the game's background music, assets/snot.mid: a lively General MIDI piece of our own.

G major at 150 beats a minute, 56 bars (about a minute and a half), played once to its end:
intro, theme, theme with glockenspiel, a minor-key trumpet tune, a drum break, the theme,
a call and response between lead and trumpet, the theme once more and a final chord.
Channels: 1 square lead, 2 electric-piano off-beats, 3 bass, 4 trumpet, 5 glockenspiel, 10 drums.

Python 3 standard library only; the small timing and velocity variations are seeded.
Usage: tools/make_music.py [output file]
"""

import os
import random
import struct
import sys

PPQ = 480
TEMPO_BPM = 150
BAR = 4.0

LEAD, KEYS, BASS, HORN, GLOCK, DRUMS = 0, 1, 2, 3, 4, 9
PROGRAMS = {LEAD: 80, KEYS: 4, BASS: 33, HORN: 56, GLOCK: 9}
VOLUMES = {LEAD: 92, KEYS: 70, BASS: 108, HORN: 96, GLOCK: 72, DRUMS: 100}
PANS = {LEAD: 58, KEYS: 44, BASS: 64, HORN: 78, GLOCK: 84, DRUMS: 64}

KICK, SNARE, HAT, OPEN_HAT, CRASH, LOW_TOM, MID_TOM, HIGH_TOM, CLAP = 36, 38, 42, 46, 49, 45, 47, 50, 39

NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
CHORDS = {"G": (7, 11, 2), "Em": (4, 7, 11), "C": (0, 4, 7), "D": (2, 6, 9), "Bm": (11, 2, 6), "A": (9, 1, 4)}


def pitch(name):
    """'F#5' -> 78 (MIDI, C4 = 60)."""
    note, rest = name[0], name[1:]
    shift = 0
    while rest and rest[0] in "#b":
        shift += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + NAMES[note] + shift


def tune(text):
    """'D5/.5 G5/.5 r/1' -> [(pitch or None, beats)]."""
    out = []
    for token in text.split():
        name, beats = token.split("/")
        out.append((None if name == "r" else pitch(name), float(beats)))
    return out


THEME = [
    "D5/.5 G5/.5 B5/.5 G5/.5 D5/.5 G5/.5 B5/1",
    "A5/.5 G5/.5 E5/.5 G5/.5 B5/1 A5/1",
    "G5/.5 E5/.5 C5/.5 E5/.5 G5/.5 A5/.5 G5/1",
    "F#5/.5 E5/.5 D5/.5 E5/.5 F#5/1 A5/1",
    "B5/.5 A5/.5 G5/.5 A5/.5 B5/.5 D6/.5 B5/1",
    "G5/.5 E5/.5 G5/.5 B5/.5 E6/1 D6/1",
    "C6/.5 B5/.5 A5/.5 G5/.5 F#5/.5 G5/.5 A5/1",
    "G5/1.5 D5/.5 G5/1 r/1",
]
THEME_ENDING = [
    "C6/.5 D6/.5 E6/.5 D6/.5 C6/.5 B5/.5 A5/1",
    "G5/2 B5/.5 A5/.5 G5/1",
]
ENDING_THIRDS = [
    "A5/.5 B5/.5 C6/.5 B5/.5 A5/.5 G5/.5 F#5/1",
    "D5/2 G5/.5 F#5/.5 D5/1",
]
TRUMPET_TUNE = [
    "E5/1.5 B4/.5 E5/.5 F#5/.5 G5/1",
    "E5/1.5 C5/.5 E5/.5 G5/.5 C6/1",
    "B5/1.5 G5/.5 D5/1 G5/1",
    "A5/2 F#5/1 D5/1",
    "E5/.5 F#5/.5 G5/.5 A5/.5 B5/1 G5/1",
    "C6/.5 B5/.5 A5/.5 G5/.5 E5/1 G5/1",
    "C#6/1 B5/.5 A5/.5 E5/1 A5/1",
    "F#5/1 A5/1 D6/1 r/1",
]
CALL = ["E6/.5 E6/.5 r/.5 E6/.5 D6/.5 C6/.5 G5/1", "r/4",
        "D6/.5 D6/.5 r/.5 D6/.5 B5/.5 F#5/.5 B5/1", "r/4",
        "C6/.5 D6/.5 E6/.5 G6/.5 E6/1 C6/1", "r/4",
        "G5/.5 B5/.5 D6/.5 G6/.5 D6/1 B5/1", "G5/3 r/1"]
RESPONSE = ["r/4", "r/.5 A4/.5 D5/.5 F#5/.5 A5/2",
            "r/4", "r/.5 B4/.5 E5/.5 G5/.5 B5/2",
            "r/4", "D5/.5 E5/.5 F#5/.5 A5/.5 D6/1 A5/1",
            "r/4", "r/4"]

# (name, chords per bar, melody parts {channel: bars}, drum style)
SECTIONS = [
    ("intro", ["G", "G", "C", "D"], {}, "intro"),
    ("theme", ["G", "Em", "C", "G D", "G", "Em", "C D", "G"], {LEAD: THEME}, "groove"),
    ("theme2", ["G", "Em", "C", "G D", "G", "Em", "C D", "G"],
     {LEAD: THEME[:6] + THEME_ENDING, GLOCK: THEME[:6] + THEME_ENDING}, "groove"),
    ("trumpet", ["Em", "C", "G", "D", "Em", "C", "A", "D"], {HORN: TRUMPET_TUNE}, "half"),
    ("break", ["D", "D"], {}, "break"),
    ("theme3", ["G", "Em", "C", "G D", "G", "Em", "C D", "G"], {LEAD: THEME}, "groove"),
    ("calls", ["C", "D", "Bm", "Em", "C", "D", "G", "G"], {LEAD: CALL, HORN: RESPONSE}, "groove"),
    ("theme4", ["G", "Em", "C", "G D", "G", "Em", "C D", "G"],
     {LEAD: THEME[:6] + THEME_ENDING, GLOCK: THEME[:6] + THEME_ENDING, HORN: [""] * 6 + ENDING_THIRDS}, "groove"),
    ("ending", ["G"], {}, "ending"),
]


class Piece:
    def __init__(self, seed):
        self.events = {}  # channel -> [(tick, order, bytes)]
        self.rng = random.Random(seed)

    def note(self, channel, start_beats, beats, key, velocity):
        jitter = 0 if channel == DRUMS else self.rng.randint(-6, 6)
        on = max(0, int(round(start_beats * PPQ)) + (self.rng.randint(0, 4) if channel != DRUMS else 0))
        off = max(on + 1, int(round((start_beats + beats) * PPQ)) - 12)
        velocity = max(1, min(127, velocity + jitter))
        track = self.events.setdefault(channel, [])
        track.append((on, 1, bytes([0x90 | channel, key, velocity])))
        track.append((off, 0, bytes([0x80 | channel, key, 0])))

    def melody(self, channel, start, bar, velocity):
        at = start
        for key, beats in tune(bar):
            if key is not None:
                # Strong beats a little louder, so the tune bounces.
                accent = 8 if abs(at - round(at)) < 1e-6 and int(round(at)) % 2 == 0 else 0
                self.note(channel, at, beats * 0.92, key, velocity + accent)
            at += beats

    def bar_chords(self, start, names):
        parts = names.split()
        span = BAR / len(parts)
        for i, name in enumerate(parts):
            yield start + i * span, span, CHORDS[name]


def bass_root(chord):
    root = chord[0]
    return 40 + (root - 4) % 12  # E2 .. D#3


def add_bass(piece, start, span, chord, style):
    root = bass_root(chord)
    fifth = root + 7
    octave = root + 12
    if style == "ending":
        piece.note(BASS, start, 2.0, root, 112)
        return
    if span >= BAR:
        pattern = [(0, .75, root), (.75, .25, root), (1, .5, fifth), (1.5, .5, octave),
                   (2, .75, root), (2.75, .25, root), (3, .5, fifth), (3.5, .5, root + 9)]
    else:
        pattern = [(0, .75, root), (.75, .25, root), (1, .5, fifth), (1.5, .5, octave)]
    if style == "break":
        pattern = [(i * .5, .5, root if i % 2 == 0 else octave) for i in range(8)]
    for at, beats, key in pattern:
        piece.note(BASS, start + at, beats * 0.9, key, 100 if at == 0 else 88)


def add_keys(piece, start, span, chord, style):
    if style in ("intro", "break") and start < 2 * BAR:
        return
    voicing = sorted(55 + (pc - 7) % 12 for pc in chord)
    if style == "ending":
        for key in voicing + [voicing[0] + 12]:
            piece.note(KEYS, start, 2.0, key, 96)
        return
    beats = int(span)
    for b in range(beats):
        for key in voicing:
            piece.note(KEYS, start + b + 0.5, 0.25, key, 74)


def add_drums(piece, start, bar_index, bars, style):
    d = lambda at, key, vel: piece.note(DRUMS, start + at, 0.25, key, vel)
    last = bar_index == bars - 1
    if style == "ending":
        d(0, CRASH, 120)
        d(0, KICK, 120)
        d(0, SNARE, 100)
        return
    if style == "break":
        for i in range(16):
            tom = (HIGH_TOM, HIGH_TOM, MID_TOM, MID_TOM, LOW_TOM, LOW_TOM, SNARE, SNARE)[i % 8]
            d(i * 0.25, tom if bar_index == 0 or i < 12 else SNARE, 70 + 3 * i)
        d(0, KICK, 110)
        d(2, KICK, 110)
        return
    if bar_index == 0 and style != "intro":
        d(0, CRASH, 110)
    for i in range(8):
        if style == "intro" and bar_index < 2 and i % 2:
            continue
        d(i * 0.5, OPEN_HAT if (i == 7 and bar_index % 2) else HAT, 84 if i % 2 == 0 else 64)
    kicks = [0, 2] if style in ("half", "intro") else [0, 1.5, 2, 3.5 if bar_index % 2 else 2.75]
    for at in kicks:
        d(at, KICK, 112 if at in (0, 2) else 96)
    if style == "half":
        d(2, SNARE, 108)
    elif not (style == "intro" and bar_index < 2):
        d(1, SNARE, 104)
        d(3, SNARE, 108)
        if style == "groove":
            d(3, CLAP, 70)
    if last and style != "half":
        for i, tom in enumerate((SNARE, SNARE, HIGH_TOM, MID_TOM)):
            d(3 + i * 0.25, tom, 88 + 6 * i)


def compose():
    piece = Piece(seed=150)
    at = 0.0
    for _name, chords, parts, style in SECTIONS:
        for channel, bars in parts.items():
            velocity = {LEAD: 92, HORN: 96, GLOCK: 70}[channel]
            for i, bar in enumerate(bars):
                if bar:
                    piece.melody(channel, at + i * BAR, bar, velocity)
        for i, names in enumerate(chords):
            for start, span, chord in piece.bar_chords(at + i * BAR, names):
                add_bass(piece, start, span, chord, style)
                add_keys(piece, start, span, chord, style)
            add_drums(piece, at + i * BAR, i, len(chords), style)
        if style == "ending":
            # The last chord, melody on top, then the piece ends.
            piece.note(LEAD, at, 2.0, pitch("G5"), 100)
            piece.note(HORN, at, 2.0, pitch("D5"), 96)
            piece.note(GLOCK, at, 2.0, pitch("G6"), 80)
            at += 3.0
            break
        at += BAR * len(chords)
    return piece, at


def varlen(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def track_chunk(events, end_tick):
    events = sorted(events, key=lambda e: (e[0], e[1]))
    data, last = bytearray(), 0
    for tick, _order, message in events:
        data += varlen(tick - last) + message
        last = tick
    data += varlen(max(0, end_tick - last)) + b"\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(data)) + bytes(data)


def meta(kind, payload):
    return bytes([0xFF, kind]) + varlen(len(payload)) + payload


def write_midi(path, piece, end_beats):
    end_tick = int(end_beats * PPQ)
    tempo = 60_000_000 // TEMPO_BPM
    conductor = [
        (0, 0, meta(0x03, b"Plinkard")),
        (0, 0, meta(0x58, bytes([4, 2, 24, 8]))),
        (0, 0, meta(0x59, bytes([1, 0]))),  # one sharp, major: G
        (0, 0, meta(0x51, tempo.to_bytes(3, "big"))),
    ]
    tracks = [track_chunk(conductor, end_tick)]
    for channel in sorted(piece.events):
        setup = [(0, -1, bytes([0xB0 | channel, 7, VOLUMES[channel]])),
                 (0, -1, bytes([0xB0 | channel, 10, PANS[channel]])),
                 (0, -1, bytes([0xB0 | channel, 91, 40]))]
        if channel in PROGRAMS:
            setup.append((0, -1, bytes([0xC0 | channel, PROGRAMS[channel]])))
        tracks.append(track_chunk(setup + piece.events[channel], end_tick))
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), PPQ)
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, "wb") as out:
        out.write(header + b"".join(tracks))


def main():
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets", "snot.mid")
    path = sys.argv[1] if len(sys.argv) > 1 else default
    piece, end_beats = compose()
    write_midi(path, piece, end_beats)
    print(f"{os.path.normpath(path)}: {end_beats * 60 / TEMPO_BPM:.1f} s")


if __name__ == "__main__":
    main()
