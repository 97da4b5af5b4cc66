# What the end-to-end scripts' WAV checks share: reading the synthesizer's 16-bit WAV file and
# the power of one frequency in a stretch of it (Goertzel).
import math, struct, wave


def read(path):
    # The sample rate and the frames, each a tuple of its channels' samples.
    w = wave.open(path, "rb")
    rate, channels, n = w.getframerate(), w.getnchannels(), w.getnframes()
    s = struct.unpack("<%dh" % (n * channels), w.readframes(n))
    return rate, [s[i:i + channels] for i in range(0, len(s), channels)]


def mono(frames):
    return [sum(f) / len(f) for f in frames]


def peaks(frames):
    return [max(abs(x) for x in f) for f in frames]


def power(mono, rate, start, length, freq):
    k = 2 * math.cos(2 * math.pi * freq / rate)
    a = b = 0.0
    for x in mono[start:start + length]:
        a, b = x + k * a - b, a
    return a * a + b * b - k * a * b
