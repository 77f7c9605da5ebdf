#!/usr/bin/python3
# Makes the program's two sounds, data/Sounds/Msg2.MP3 and data/Sounds/mzdhl.mp3.
# Rerun from the repository's root with:  /usr/bin/python3 tools/makesounds.py
# It needs `lame` (Debian package lame) and is run by hand, not by the build:
# the small MP3 files it writes are committed.
#
# Both sounds are synthesised here from sine tones, so the program ships no
# recording of anyone else:
#   Msg2.MP3   the reminder chime: two soft bell tones, under a second;
#   mzdhl.mp3  the background music: a slow arpeggio of a few seconds that
#              starts and ends in silence, so it loops without a click.
import math
import os
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 22050


def bell(freq, seconds, volume):
    """A bell-like tone: a fundamental and a quiet octave, a short attack and
    an exponential decay."""
    samples = []
    count = int(RATE * seconds)
    attack = int(RATE * 0.01)
    for i in range(count):
        t = i / RATE
        envelope = min(1.0, i / attack) * math.exp(-4.0 * t / seconds)
        value = math.sin(2 * math.pi * freq * t) + 0.3 * math.sin(4 * math.pi * freq * t)
        samples.append(volume * envelope * value / 1.3)
    # The last few milliseconds fade to zero, so tones join without clicks.
    fade = int(RATE * 0.02)
    for i in range(fade):
        samples[count - fade + i] *= 1.0 - i / fade
    return samples


def mix(track, samples, start_seconds):
    start = int(RATE * start_seconds)
    end = start + len(samples)
    if len(track) < end:
        track.extend([0.0] * (end - len(track)))
    for i, value in enumerate(samples):
        track[start + i] += value


def chime():
    track = []
    mix(track, bell(1046.5, 0.45, 0.6), 0.0)   # C6
    mix(track, bell(784.0, 0.45, 0.6), 0.22)   # G5
    return track


def loop_music():
    # C major, A minor, F major, G major: four bars of a slow arpeggio.
    chords = [
        (261.6, 329.6, 392.0, 523.3),
        (220.0, 261.6, 329.6, 440.0),
        (174.6, 220.0, 261.6, 349.2),
        (196.0, 246.9, 293.7, 392.0),
    ]
    step = 0.3
    track = []
    for bar, chord in enumerate(chords):
        for n, freq in enumerate(chord):
            mix(track, bell(freq, 0.9, 0.25), (bar * 4 + n) * step)
    # Pad to a whole number of steps so every repeat keeps the beat; the
    # last tone has faded out by then.
    total = int(RATE * step * 16) + int(RATE * 0.6)
    track.extend([0.0] * (total - len(track)))
    return track[:total]


def write_wave(path, samples):
    peak = max(1e-9, max(abs(s) for s in samples))
    scale = min(1.0, 0.9 / peak) * 32767
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(s * scale)) for s in samples))


def encode(samples, target):
    with tempfile.TemporaryDirectory() as folder:
        source = os.path.join(folder, "sound.wav")
        write_wave(source, samples)
        subprocess.run(["lame", "--quiet", "-m", "m", "-b", "48", source, target], check=True)


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "Sounds")
    os.makedirs(root, exist_ok=True)
    encode(chime(), os.path.join(root, "Msg2.MP3"))
    encode(loop_music(), os.path.join(root, "mzdhl.mp3"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
