#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Writes the game's sound effects as 16-bit mono WAV files, synthesised from scratch.

  assets/mchgun.wav          a short machine-gun burst, the shot sound
  assets/miss.wav            the dry click of an empty gun
  assets/sounds/default.wav  the soft chime played for a file that cannot be played

Python 3 standard library only; the noise is seeded, so every run writes the same bytes.
Usage: tools/make_sounds.py [assets folder]
"""

import math
import os
import random
import struct
import sys
import wave

RATE = 44100


def write_wav(path, samples, rate=RATE, peak=0.89):
    """Normalises to `peak` of full scale and writes 16-bit mono PCM."""
    top = max(abs(s) for s in samples) or 1.0
    scale = peak / top
    frames = b"".join(struct.pack("<h", int(round(max(-1.0, min(1.0, s * scale)) * 32767))) for s in samples)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(frames)


def fade_out(samples, seconds, rate=RATE):
    """A short fade at the end, so the file never stops on a step."""
    n = min(len(samples), int(seconds * rate))
    for i in range(n):
        samples[len(samples) - n + i] *= 1.0 - (i + 1) / n
    return samples


def one_pole_lowpass(samples, cutoff, rate=RATE):
    a = math.exp(-2.0 * math.pi * cutoff / rate)
    out, y = [], 0.0
    for s in samples:
        y = (1.0 - a) * s + a * y
        out.append(y)
    return out


def machine_gun(rng):
    """Six rounds at about eleven a second: a bright crack, a body of filtered noise and a low thump each."""
    rounds, spacing, tail = 6, 0.088, 0.16
    length = int((rounds - 1) * spacing * RATE + tail * RATE)
    out = [0.0] * length
    for r in range(rounds):
        start = int((r * spacing + rng.uniform(-0.003, 0.003)) * RATE)
        loudness = rng.uniform(0.82, 1.0)
        span = int(tail * RATE)
        noise = [rng.uniform(-1.0, 1.0) for _ in range(span)]
        body = one_pole_lowpass(noise, 1400.0)
        for i in range(span):
            if start + i >= length:
                break
            t = i / RATE
            attack = min(1.0, t / 0.0004)
            crack = (noise[i] - (noise[i - 1] if i else 0.0)) * math.exp(-t / 0.006)
            thump_phase = 2.0 * math.pi * (48.0 * t + 70.0 * 0.02 * (1.0 - math.exp(-t / 0.02)))
            thump = math.sin(thump_phase) * math.exp(-t / 0.035)
            out[start + i] += loudness * attack * (0.55 * crack + 2.2 * body[i] * math.exp(-t / 0.03) + 0.9 * thump)
    # A touch of saturation gives the rounds their punch.
    out = [math.tanh(1.6 * s) for s in out]
    return fade_out(out, 0.02)


def empty_click(rng):
    """The sear lets go, then the hammer lands on nothing: two small metallic ticks, no echo."""
    length = int(0.11 * RATE)
    out = [0.0] * length

    def tick(at, strength, modes, ring):
        start = int(at * RATE)
        for i in range(length - start):
            t = i / RATE
            noise = rng.uniform(-1.0, 1.0) * math.exp(-t / 0.0012)
            tone = sum(a * math.sin(2.0 * math.pi * f * t) for f, a in modes) * math.exp(-t / ring)
            out[start + i] += strength * (0.8 * noise + tone)

    tick(0.004, 0.45, [(3150.0, 0.5), (4720.0, 0.35), (6900.0, 0.2)], 0.005)
    tick(0.022, 1.0, [(2280.0, 0.6), (3870.0, 0.4), (5610.0, 0.25), (190.0, 0.3)], 0.008)
    return fade_out(out, 0.01)


def chime(rate):
    """Two soft bell notes falling a third, with a slightly inharmonic overtone."""
    length = int(0.5 * rate)
    out = [0.0] * length
    for at, freq in ((0.0, 1318.5), (0.16, 1046.5)):
        start = int(at * rate)
        for i in range(length - start):
            t = i / rate
            attack = min(1.0, t / 0.004)
            env = attack * math.exp(-t / 0.12)
            out[start + i] += env * (math.sin(2.0 * math.pi * freq * t) + 0.25 * math.sin(2.0 * math.pi * freq * 2.76 * t))
    return fade_out(out, 0.03, rate)


def main():
    assets = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets")
    rng = random.Random(1945)
    write_wav(os.path.join(assets, "mchgun.wav"), machine_gun(rng), peak=0.89)
    write_wav(os.path.join(assets, "miss.wav"), empty_click(rng), peak=0.71)
    write_wav(os.path.join(assets, "sounds", "default.wav"), chime(22050), rate=22050, peak=0.5)


if __name__ == "__main__":
    main()
