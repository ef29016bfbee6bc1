"""What the tone checks measure in a recording (raw s16le stereo, 44100 Hz)."""
import math
import struct

RATE = 44100
WINDOW = RATE // 10  # 100 ms


def left_channel(path):
    data = open(path, "rb").read()
    count = len(data) // 4
    return struct.unpack("<%dh" % (count * 2), data[: count * 4])[0::2]


def power(samples, hz):
    """Goertzel power of one frequency, relative to a full-scale sine."""
    coefficient = 2 * math.cos(2 * math.pi * hz / RATE)
    s1 = s2 = 0.0
    for x in samples:
        s1, s2 = x + coefficient * s1 - s2, s1
    magnitude = math.sqrt(max(s1 * s1 + s2 * s2 - coefficient * s1 * s2, 0.0))
    return magnitude / (len(samples) / 2) / 32768
