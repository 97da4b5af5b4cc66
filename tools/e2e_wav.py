# What the end-to-end scripts' WAV checks share: reading the synthesizer's 16-bit WAV file, the
# power of one frequency in a stretch of it (Goertzel), where sound starts, where each hit starts,
# and the check of the song that tools/play_e2e.sh and tools/options_e2e.sh play.
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


def rms_onset(mono, rate, level=300):
    # The first hundredth of a second whose RMS passes level; None in silence.
    block = rate // 100
    for i in range(0, len(mono) - block, block):
        if math.sqrt(sum(x * x for x in mono[i:i + block]) / block) > level:
            return i
    return None


def hits(mono, rate, level=300):
    # Where each short, sharp sound (a drum hit) starts, in seconds: a hundredth of a second whose
    # RMS passes level and three times the one before, to its first sample past level.
    block, found, before = rate // 100, [], 0.0
    for i in range(0, len(mono) - block, block):
        rms = math.sqrt(sum(x * x for x in mono[i:i + block]) / block)
        if rms > level and rms > 3 * before:
            start = max(i - block, 0)
            first = next(k for k in range(start, i + block) if abs(mono[k]) > level)
            if not found or first / rate - found[-1] > 0.05:
                found.append(first / rate)
        before = rms
    return found


def play_song_heard(path, earliest, too_early):
    # The song of tw_play_e2e_song, three notes one second each (C5, A4, E4), must follow at least
    # `earliest` seconds of silence (else the error too_early), in order, each at its own pitch.
    # None when it does, else the error, for sys.exit.
    rate, frames = read(path)
    m = mono(frames)
    print("wav: %.2f s at %d Hz" % (len(frames) / rate, rate))
    onset = rms_onset(m, rate)
    if onset is None:
        return "no sound in the WAV"
    print("first sound at %.2f s" % (onset / rate))
    if onset < earliest * rate:
        return too_early
    notes = [("C5", 523.25), ("A4", 440.0), ("E4", 329.63)]
    ok = True
    for i, (name, f) in enumerate(notes):
        start, length = onset + int((i + 0.15) * rate), int(0.5 * rate)
        mine = power(m, rate, start, length, f)
        others = [power(m, rate, start, length, g) for _, g in notes if g != f]
        ratio = mine / max(max(others), 1.0)
        print("%s: %.0f Hz stronger than the other notes by %.0fx" % (name, f, ratio))
        ok = ok and ratio > 4
    return None if ok else "the notes in the WAV are not the song's"
