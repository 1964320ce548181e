#!/usr/bin/env python3
"""Writes the program's wave files into data/program/wav/: short chimes of our own making.

22050 Hz, mono, 16-bit PCM. Every sound is a few bell-like notes (a fundamental with a few
soft partials and an exponential decay), so the set sounds like one family. Deterministic:
running it again gives the same bytes.

    python3 scripts/make-sounds.py [output-directory]
"""
import math
import os
import struct
import sys
import wave

RATE = 22050
PEAK = 0.55  # of full scale: room for overlapping notes without clipping

# Equal-tempered note frequencies by name, A4 = 440 Hz.
_SEMITONES = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}


def freq(note):
    name, accidental, octave = note[0], note[1:-1], int(note[-1])
    n = _SEMITONES[name] + (octave - 4) * 12 + (1 if accidental == "#" else -1 if accidental == "b" else 0)
    return 440.0 * 2 ** (n / 12)


def bell(f, length, decay, partials=((1, 1.0), (2, 0.35), (3, 0.12), (4.2, 0.05))):
    """One note: a 6 ms attack, then exponential decay; `decay` is the time to fall to 1/e."""
    n = int(length * RATE)
    attack = int(0.006 * RATE)
    out = []
    for i in range(n):
        t = i / RATE
        env = math.exp(-t / decay) * (i / attack if i < attack else 1.0)
        # Release the last 20 ms smoothly so no note ends in a click.
        tail = n - i
        if tail < int(0.02 * RATE):
            env *= tail / (0.02 * RATE)
        s = sum(a * math.sin(2 * math.pi * f * k * t) for k, a in partials)
        out.append(env * s)
    return out


def soft(f, length, decay):
    """A rounder note for the result sounds: fewer, weaker partials."""
    return bell(f, length, decay, partials=((1, 1.0), (2, 0.2), (3, 0.05)))


def mix(events, length):
    """events: (start seconds, samples). Returns the sum, scaled so the loudest sample is PEAK."""
    buf = [0.0] * int(length * RATE)
    for start, samples in events:
        o = int(start * RATE)
        for i, s in enumerate(samples):
            if o + i < len(buf):
                buf[o + i] += s
    top = max(1e-9, max(abs(s) for s in buf))
    return [s * PEAK / top for s in buf]


def sequence(notes, step, note_len, decay, voice=bell, extra=0.3):
    events = [(i * step, voice(freq(n), note_len, decay)) for i, n in enumerate(notes)]
    return mix(events, step * (len(notes) - 1) + note_len + extra)


def chord(notes, note_len, decay, voice=bell, spread=0.025):
    events = [(i * spread, voice(freq(n), note_len, decay)) for i, n in enumerate(notes)]
    return mix(events, note_len + spread * len(notes))


def write(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32767)) for s in samples))


SOUNDS = {
    # Course menu welcome: a rising major arpeggio.
    "test.wav": lambda: sequence(["C5", "E5", "G5", "C6"], 0.11, 0.6, 0.22),
    # Exam start: two clear strokes, the second a fifth higher.
    "start.wav": lambda: sequence(["G4", "D5"], 0.22, 0.7, 0.25),
    # Category selection: one light, short ping.
    "cat.wav": lambda: sequence(["A5"], 0.1, 0.45, 0.12),
    # Remaining time: ten minutes one stroke, five minutes two, one minute three quick ones.
    "10min.wav": lambda: sequence(["E5"], 0.2, 0.9, 0.3),
    "05min.wav": lambda: sequence(["E5", "E5"], 0.28, 0.7, 0.22),
    "01min.wav": lambda: sequence(["A5", "A5", "A5"], 0.16, 0.45, 0.12),
    # Result sounds, from level E to level A.
    "Ouch.wav": lambda: sequence(["E4", "Eb4", "D4", "Db4"], 0.2, 0.5, 0.25, voice=soft),
    "Bad.wav": lambda: sequence(["G4", "Eb4"], 0.28, 0.7, 0.28, voice=soft),
    "Soso.wav": lambda: sequence(["C5", "D5", "C5"], 0.18, 0.5, 0.2, voice=soft),
    "Good.wav": lambda: sequence(["C5", "E5", "G5"], 0.14, 0.6, 0.25, voice=soft),
    "Excellent.wav": lambda: mix(
        [(0.0, bell(freq("C5"), 0.4, 0.15)), (0.1, bell(freq("E5"), 0.4, 0.15)), (0.2, bell(freq("G5"), 0.4, 0.15))]
        + [(0.32 + i * 0.02, bell(freq(n), 1.0, 0.35)) for i, n in enumerate(["C5", "E5", "G5", "C6"])],
        1.45,
    ),
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "program", "wav")
    os.makedirs(out, exist_ok=True)
    for name, make in SOUNDS.items():
        path = os.path.join(out, name)
        write(path, make())
        print(f"{name}: {os.path.getsize(path)} bytes")


if __name__ == "__main__":
    main()
