#!/usr/bin/env python3
"""Compares a screenshot of a real game window with the headless picture of the same moment.

The two runs differ only in timing: the real one ticks on the real clock, so the player may
have taken one step more or less, and the monsters, which walk from the moment the level
loads, stand elsewhere. Outside the areas given with --ignore the pictures must be equal pixel
for pixel. Inside them the player, cut out of the headless picture where its dump puts him,
must be found in the real picture within one step of his headless place. Boxes and the step
are given in twips; DUMP is the headless run's output, whose last line is a dump.
"""
import argparse
import json
import subprocess
import sys

TWIPS_PER_PIXEL = 15


def fail(message):
    print(f"compare_shots: {message}", file=sys.stderr)
    sys.exit(1)


def pixels(twips):
    """Twips to the nearest pixel, as the game draws them."""
    return (2 * twips + TWIPS_PER_PIXEL) // (2 * TWIPS_PER_PIXEL)


class Area:
    def __init__(self, left, top, width, height):
        self.left, self.top = pixels(left), pixels(top)
        self.right, self.bottom = self.left + pixels(width), self.top + pixels(height)

    @classmethod
    def parse(cls, text):
        try:
            return cls(*(int(v) for v in text.split(",")))
        except (TypeError, ValueError):
            raise argparse.ArgumentTypeError(f"not a box L,T,W,H in twips: {text}")

    def __contains__(self, point):
        x, y = point
        return self.left <= x < self.right and self.top <= y < self.bottom


class Picture:
    """An RGB picture read through ImageMagick as binary PPM."""

    def __init__(self, path):
        try:
            ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                                 capture_output=True).stdout
        except (OSError, subprocess.CalledProcessError) as e:
            fail(f"cannot read {path}: {e}")
        fields = ppm.split(maxsplit=4)
        if len(fields) != 5 or fields[0] != b"P6" or fields[3] != b"255":
            fail(f"{path}: unexpected picture format")
        self.width, self.height = int(fields[1]), int(fields[2])
        self.data = fields[4]

    def row(self, y, left, right):
        start = 3 * (y * self.width + left)
        return self.data[start:start + 3 * (right - left)]

    def pixel(self, x, y):
        return tuple(self.row(y, x, x + 1))


def compare_outside(real, headless, ignored):
    differing = [(x, y) for y in range(real.height)
                 if real.row(y, 0, real.width) != headless.row(y, 0, real.width)
                 for x in range(real.width)
                 if real.pixel(x, y) != headless.pixel(x, y)
                 and not any((x, y) in area for area in ignored)]
    if differing:
        xs, ys = [p[0] for p in differing], [p[1] for p in differing]
        x, y = differing[0]
        fail(f"{len(differing)} pixels differ outside the areas that depend on timing, within "
             f"x {min(xs)}..{max(xs)}, y {min(ys)}..{max(ys)}; first at ({x},{y}): real "
             f"{real.pixel(x, y)}, headless {headless.pixel(x, y)}")


def find_patch(picture, patch_rows, search):
    """Every place in `search` where the rows of `patch_rows` stand in `picture`."""
    width = len(patch_rows[0]) // 3
    found = []
    for y in range(search.top, search.bottom - len(patch_rows) + 1):
        for x in range(search.left, search.right - width + 1):
            if all(picture.row(y + i, x, x + width) == row for i, row in enumerate(patch_rows)):
                found.append((x, y))
    return found


def check_player(real, headless, man, search, step):
    left, top = pixels(man["Left"]), pixels(man["Top"])
    width, height = pixels(man["Width"]), pixels(man["Height"])
    patch = [headless.row(top + i, left, left + width) for i in range(height)]
    places = find_patch(real, patch, search)
    if not places:
        fail(f"the player (as drawn headless at {left},{top}) is nowhere in the real window")
    x, y = min(places, key=lambda p: abs(p[0] - left) + abs(p[1] - top))
    if abs(x - left) > step or abs(y - top) > step:
        fail(f"the player stands at ({x},{y}) in the real window but at ({left},{top}) headless: "
             f"more than one step ({step} pixels) apart")
    print(f"player at ({x},{y}) in the real window, ({left},{top}) headless")


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("real")
    parser.add_argument("headless")
    parser.add_argument("dump")
    parser.add_argument("--step", type=int, required=True)
    parser.add_argument("--search", type=Area.parse, required=True)
    parser.add_argument("--ignore", type=Area.parse, action="append", default=[])
    args = parser.parse_args()

    real, headless = Picture(args.real), Picture(args.headless)
    if (real.width, real.height) != (headless.width, headless.height):
        fail(f"the real window is {real.width}x{real.height} pixels, the headless picture "
             f"{headless.width}x{headless.height}")
    with open(args.dump) as f:
        man = json.loads(f.readlines()[-1])["controls"]["Man"]
    compare_outside(real, headless, args.ignore + [args.search])
    check_player(real, headless, man, args.search, -(-args.step // TWIPS_PER_PIXEL))


if __name__ == "__main__":
    main()
