#!/usr/bin/env python3
"""Plays the keys of a game script into the focused window in real time, as a player would.
Presses Return first: the title window's button, Play, which is the script's t = 0. The keys
of the script after `wait N` are sent N + 50 ms after that Return, half a tick after the tick
due at N, so that they land mid-way between two ticks. Keys from UNTIL ms on are left out.
One xdotool reads all the keys on its standard input: one started per key comes too late, and
no key waits for the one before (xdotool waits 12 ms after each key unless told not to).
Prints `play NS`, the CLOCK_MONOTONIC time at which Return was sent, then `N NS` for each key
after `wait N`: when the X server had made the key, as a round trip after it tells.
Usage: play_keys.py SCRIPT UNTIL"""
import itertools
import subprocess
import sys
import time

HALF_TICK_MS = 50
KEYSYMS = {"Space": "space"}


def keys_of(script, until):
    """The keys of the script before `until` ms: (ms, xdotool's command)."""
    keys = []
    t = 0
    with open(script, encoding="utf-8") as lines:
        for line in lines:
            words = line.split()
            if words and words[0] == "wait":
                t += int(words[1])
            elif words and words[0] in ("down", "up") and t < until:
                keysym = KEYSYMS.get(words[1], words[1])
                keys.append((t, f"key{words[0]} --delay 0 {keysym}"))
    return keys


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    keys = keys_of(sys.argv[1], int(sys.argv[2]))
    xdotool = subprocess.Popen(["xdotool", "-"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                               text=True)

    def send(commands):
        """Sends the commands and waits until the X server has carried them out."""
        xdotool.stdin.write("".join(c + "\n" for c in commands) + "getmouselocation\n")
        xdotool.stdin.flush()
        xdotool.stdout.readline()
        return time.monotonic_ns()

    # Return is sent once xdotool runs: its start would delay Return and no other key.
    send([])
    play = time.monotonic_ns()
    send(["key Return"])
    print("play", play)
    for t, batch in itertools.groupby(keys, key=lambda key: key[0]):
        early = play + (t + HALF_TICK_MS) * 1_000_000 - time.monotonic_ns()
        if early > 0:
            time.sleep(early / 1e9)
        batch = [command for _, command in batch]
        made = send(batch)
        for _ in batch:
            print(t, made)
    xdotool.stdin.close()
    sys.exit(xdotool.wait())


if __name__ == "__main__":
    main()
