#!/usr/bin/env python3
"""Writes resources/MP3_TEST_TONE_PLACEHOLDER.WAV, the compressed test sound of the first-run
wizard.

The wizard checks that compressed sound plays by playing the Fajr adhan of the SOUNDS folder. No
recording is shipped, so on a fresh installation it plays this placeholder instead: a short
falling three-note tone of about 2 seconds, compressed as MP3 (MPEG-1 Layer III, 48000 Hz, mono,
64 kbit/s) and stored inside a WAV file (format tag 0x55), which is the way the program's adhan
files are stored. So the test goes through the same decoders as a real adhan: the WAV parser, the
MP3 parser and the MP3 decoder.

The MP3 encoding is done by GStreamer's LAME element (gst-launch-1.0 from the Debian package
gstreamer1.0-tools, lamemp3enc from gstreamer1.0-plugins-good). Run by hand; the build carries
the committed output under the resource name MP3TESTTONE.

Usage: tools/make_mp3_test_tone.py [output file]
"""

import math
import os
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 48000
BITRATE = 64000
SAMPLES_PER_FRAME = 1152  # MPEG-1 Layer III
FRAME_BYTES = 144 * BITRATE // RATE  # 192: no padding byte is ever needed at this rate
LENGTH = 2.0  # seconds
LEVEL = 0.4  # of full scale

# (start in seconds, frequency in Hz): a falling minor third and fourth, each note ringing on.
NOTES = [(0.00, 880.0), (0.45, 739.99), (0.90, 554.37)]
NOTE_LENGTH = 1.0
ATTACK = 0.02
FADE_OUT = 0.3


def sample(t):
    value = 0.0
    for start, freq in NOTES:
        age = t - start
        if age < 0 or age >= NOTE_LENGTH:
            continue
        envelope = min(1.0, age / ATTACK) * math.exp(-3.0 * age)
        envelope *= min(1.0, (NOTE_LENGTH - age) / 0.1)
        value += envelope * math.sin(2 * math.pi * freq * t)
    value *= min(1.0, (LENGTH - t) / FADE_OUT)
    return value * LEVEL


def write_pcm(path):
    frames = int(RATE * LENGTH)
    data = bytearray()
    for i in range(frames):
        v = max(-1.0, min(1.0, sample(i / RATE)))
        data += struct.pack("<h", int(round(v * 32767)))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(data))
    return frames


def encode_mp3(pcm, mp3):
    subprocess.run(
        ["gst-launch-1.0", "-q", "filesrc", f"location={pcm}", "!", "wavparse", "!",
         "audioconvert", "!", "lamemp3enc", "target=bitrate", f"bitrate={BITRATE // 1000}",
         "cbr=true", "!", "filesink", f"location={mp3}"],
        check=True)
    with open(mp3, "rb") as f:
        return f.read()


def frame_count(stream):
    """Checks that the stream is nothing but MPEG-1 Layer III frames of FRAME_BYTES bytes."""
    if len(stream) % FRAME_BYTES != 0:
        sys.exit(f"unexpected MP3 stream length {len(stream)}")
    for at in range(0, len(stream), FRAME_BYTES):
        header = stream[at:at + 4]
        if header[0] != 0xFF or (header[1] & 0xFE) != 0xFA:
            sys.exit(f"no MPEG-1 Layer III frame at byte {at}")
    return len(stream) // FRAME_BYTES


def wrap_in_wave(stream, frames):
    # MPEGLAYER3WAVEFORMAT: the WAVEFORMATEX fields, then wID 1 (MPEG), fdwFlags 2 (no padding),
    # nBlockSize (one frame), nFramesPerBlock 1 and the encoder delay of LAME (1105 samples).
    fmt = struct.pack("<HHIIHHH", 0x55, 1, RATE, BITRATE // 8, 1, 0, 12)
    fmt += struct.pack("<HIHHH", 1, 2, FRAME_BYTES, 1, 1105)
    fact = struct.pack("<I", frames * SAMPLES_PER_FRAME)
    body = b"WAVE"
    body += b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"fact" + struct.pack("<I", len(fact)) + fact
    body += b"data" + struct.pack("<I", len(stream)) + stream
    if len(stream) % 2:
        body += b"\0"
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        here, "..", "resources", "MP3_TEST_TONE_PLACEHOLDER.WAV")
    with tempfile.TemporaryDirectory() as work:
        pcm = os.path.join(work, "tone.wav")
        mp3 = os.path.join(work, "tone.mp3")
        write_pcm(pcm)
        stream = encode_mp3(pcm, mp3)
    frames = frame_count(stream)
    with open(out, "wb") as f:
        f.write(wrap_in_wave(stream, frames))
    print(f"wrote {os.path.normpath(out)}: {frames} MP3 frames, {len(stream)} bytes of MP3")


if __name__ == "__main__":
    main()
