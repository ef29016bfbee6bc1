#!/usr/bin/python3
"""Checks that a recording (raw s16le stereo, 44100 Hz) holds tone A alone,
then A and B together, then B alone, in that order; with tone A alone given,
that A was heard for two seconds at least.

Usage: tones-in-order.py RECORDING A_HZ [B_HZ]
"""
import sys

from tonepower import RATE, WINDOW, left_channel, power


def main():
    path, a = sys.argv[1], float(sys.argv[2])
    left = left_channel(path)
    count = len(left)
    if len(sys.argv) == 3:
        windows = sum(power(left[start:start + WINDOW], a) > 0.05 for start in range(0, count - WINDOW, WINDOW))
        print("heard %g Hz for %.1f s" % (a, windows * WINDOW / RATE))
        return 0 if windows * WINDOW >= 2 * RATE else 1
    b = float(sys.argv[3])
    states = []
    for start in range(0, count - WINDOW, WINDOW):
        window = left[start:start + WINDOW]
        has_a = power(window, a) > 0.05
        has_b = power(window, b) > 0.05
        state = {(True, False): "A", (True, True): "AB", (False, True): "B"}.get((has_a, has_b))
        if state and (not states or states[-1] != state):
            states.append(state)
    print("heard, in order:", " ".join(states) or "nothing")
    for i in range(len(states) - 2):
        if states[i:i + 3] == ["A", "AB", "B"]:
            return 0
    print("tones-in-order: expected A, then A and B, then B", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
