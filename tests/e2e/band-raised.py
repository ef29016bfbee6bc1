#!/usr/bin/python3
"""Checks that a recording (raw s16le stereo, 44100 Hz) of white noise holds
one band raised: the power at CENTRE_HZ at least MIN_DB above the power an
octave below and an octave above it, each averaged over 100 ms windows.

Usage: band-raised.py RECORDING CENTRE_HZ MIN_DB
"""
import importlib.util
import math
import os
import struct
import sys

# The Goertzel power of the tone check, which is a script of its own.
_spec = importlib.util.spec_from_file_location(
    "tones_in_order", os.path.join(os.path.dirname(os.path.abspath(__file__)), "tones-in-order.py"))
_tones = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(_tones)
RATE = _tones.RATE
WINDOW = _tones.WINDOW


def main():
    path, centre, least = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
    data = open(path, "rb").read()
    count = len(data) // 4
    left = struct.unpack("<%dh" % (count * 2), data[: count * 4])[0::2]
    windows = [left[at : at + WINDOW] for at in range(0, count - WINDOW, WINDOW)]
    heard = [w for w in windows if max(abs(x) for x in w) > 100]
    if len(heard) < 10:
        sys.exit("band-raised: only %d windows of sound in the recording" % len(heard))

    def level(hz):
        return 10 * math.log10(sum(_tones.power(w, hz) ** 2 for w in heard) / len(heard) + 1e-12)

    raised = level(centre)
    for away in (centre / 2, centre * 2):
        gap = raised - level(away)
        print("band-raised: %g Hz is %.1f dB above %g Hz" % (centre, gap, away))
        if gap < least:
            sys.exit("band-raised: %g Hz is only %.1f dB above %g Hz" % (centre, gap, away))


main()
