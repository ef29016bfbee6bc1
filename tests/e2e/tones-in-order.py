#!/usr/bin/python3
"""Checks that a recording (raw s16le stereo, 44100 Hz) holds tone A alone,
then A and B together, then B alone, in that order.

Usage: tones-in-order.py RECORDING A_HZ B_HZ
"""
import sys

from tonepower import WINDOW, left_channel, power


def main():
    path, a, b = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
    left = left_channel(path)
    count = len(left)
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


sys.exit(main())
