#!/usr/bin/python3
"""Checks that a recording (raw s16le stereo, 44100 Hz) holds a tone for at
least some seconds and ends in silence for some seconds: what was heard
after playback was started and then paused.

Usage: tone-then-silence.py RECORDING HZ MIN_TONE_SECONDS SILENT_TAIL_SECONDS
"""
import sys

from tonepower import WINDOW, left_channel, power


def main():
    path, hz = sys.argv[1], float(sys.argv[2])
    min_tone, silent_tail = float(sys.argv[3]), float(sys.argv[4])
    left = left_channel(path)
    count = len(left)
    windows = [left[s:s + WINDOW] for s in range(0, count - WINDOW + 1, WINDOW)]
    tone = [power(w, hz) > 0.05 for w in windows]
    loud = [max(abs(x) for x in w) > 300 for w in windows]
    tail = int(silent_tail * 10)
    heard = sum(tone)
    print("heard %.1f s of %g Hz in %.1f s; the last %.1f s %s" %
          (heard / 10, hz, len(windows) / 10, silent_tail, "silent" if not any(loud[-tail:]) else "not silent"))
    if heard < min_tone * 10:
        print("tone-then-silence: the tone was not heard long enough", file=sys.stderr)
        return 1
    if len(windows) < tail or any(loud[-tail:]):
        print("tone-then-silence: playback did not stop", file=sys.stderr)
        return 1
    return 0


sys.exit(main())
