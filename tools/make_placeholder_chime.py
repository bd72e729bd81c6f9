#!/usr/bin/env python3
"""Writes resources/BASMALAH_PLACEHOLDER_CHIME.WAV, the stand-in for the opening Basmalah.

The program plays a short recording when it starts. No recitation can be made here, so this
script writes a placeholder: a gentle rising three-note chime of about 1.5 seconds, 22050 Hz,
16-bit mono, each note fading in and out. Replace the file with a real recording when one is
available; the program carries whatever file is there under the resource name BASMALAH.

Usage: tools/make_placeholder_chime.py [output file]
"""

import math
import os
import struct
import sys
import wave

RATE = 22050
LENGTH = 1.5  # seconds
LEVEL = 0.35  # of full scale; gentle, with room for the notes to overlap

# (start in seconds, frequency in Hz): a rising major triad, each note ringing on.
NOTES = [(0.00, 523.25), (0.25, 659.25), (0.50, 783.99)]
NOTE_LENGTH = 1.0
ATTACK = 0.02  # seconds of fade-in of each note
FADE_OUT = 0.25  # seconds of fade-out at the end of the whole chime


def sample(t):
    value = 0.0
    for start, freq in NOTES:
        age = t - start
        if age < 0 or age >= NOTE_LENGTH:
            continue
        envelope = min(1.0, age / ATTACK) * math.exp(-3.5 * age)
        envelope *= min(1.0, (NOTE_LENGTH - age) / 0.1)  # each note ends softly
        # A soft bell: the tone and a quiet octave above it.
        value += envelope * (math.sin(2 * math.pi * freq * t) +
                             0.25 * math.sin(4 * math.pi * freq * t))
    value *= min(1.0, (LENGTH - t) / FADE_OUT)
    return value * LEVEL / 1.25


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        here, "..", "resources", "BASMALAH_PLACEHOLDER_CHIME.WAV")
    frames = int(RATE * LENGTH)
    data = bytearray()
    for i in range(frames):
        v = max(-1.0, min(1.0, sample(i / RATE)))
        data += struct.pack("<h", int(round(v * 32767)))
    with wave.open(out, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(data))
    print(f"wrote {os.path.normpath(out)}: {frames} frames, {LENGTH} s")


if __name__ == "__main__":
    main()
