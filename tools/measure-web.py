#!/usr/bin/env python3
"""Measures the page against its budgets: the site's size (at most 3 MB), the time from the
start of the load to the title window drawn (at most 1 s, cache off), and the processor time
the game takes while a level plays (at most 5 % of a core; the whole browser's is printed too). Prints one line each and
exits 1 when a budget is exceeded.
  tools/measure-web.py [build-web/site]   (tools/build-web.sh first)"""
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from page_session import browser, open_game, served, wait_for  # noqa: E402

SITE_BUDGET_BYTES = 3 * 1024 * 1024
TITLE_BUDGET_MS = 1000
CPU_BUDGET_PERCENT = 5.0
LOADS = 5
PLAY_SECONDS = 20


# Wraps the page's calls into the game and its drawing on the canvas in a stopwatch.
GAME_TIME = """
const time = window.redDoorGameTime = {ms: 0, frames: 0};
function timed(object, name, counts) {
  const call = object[name];
  object[name] = (...args) => {
    const start = performance.now();
    const result = call(...args);
    time.ms += performance.now() - start;
    if (counts) ++time.frames;
    return result;
  };
}
timed(Module, '_RedDoorFrame', true);
timed(Module, '_RedDoorKey', false);
timed(Module.redDoorPage, 'show', false);
"""


def site_bytes(site):
    return sum(os.path.getsize(os.path.join(root, f))
               for root, _, files in os.walk(site) for f in files)


def process_tree(pid):
    """`pid` and all its descendants, from /proc."""
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    parent = int(f.read().rsplit(")", 1)[1].split()[1])
                children.setdefault(parent, []).append(int(entry))
            except OSError:
                pass
    tree, todo = [], [pid]
    while todo:
        p = todo.pop()
        tree.append(p)
        todo.extend(children.get(p, []))
    return tree


def cpu_seconds(pids):
    total = 0
    for pid in pids:
        try:
            with open(f"/proc/{pid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            total += int(fields[11]) + int(fields[12])  # utime, stime
        except OSError:
            pass
    return total / os.sysconf("SC_CLK_TCK")


def main():
    site = sys.argv[1] if len(sys.argv) > 1 else "build-web/site"
    failed = False

    size = site_bytes(site)
    ok = size <= SITE_BUDGET_BYTES
    failed |= not ok
    print(f"site size: {size / 1e6:.2f} MB (budget 3 MB) {'ok' if ok else 'OVER'}")

    with served(site) as address, browser() as driver:
        driver.execute_cdp_cmd("Network.enable", {})
        driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
        times = []
        for _ in range(LOADS):
            open_game(driver, address)
            times.append(wait_for("the first frame", lambda: driver.execute_script(
                "return window.redDoorFirstFrameAt")))
        ok = max(times) <= TITLE_BUDGET_MS
        failed |= not ok
        print(f"title drawn after the load starts: median {statistics.median(times):.0f} ms, "
              f"slowest {max(times):.0f} ms of {LOADS} loads, cache off (budget 1000 ms) "
              f"{'ok' if ok else 'OVER'}")

        open_game(driver, address, "?start=Level1")
        # The game's own time: its frames in C++ and the frames put on the canvas.
        driver.execute_script(GAME_TIME)
        pids = process_tree(driver.service.process.pid)
        before, start = cpu_seconds(pids), time.monotonic()
        # Level1 plays on its own: the monsters patrol and the blocks move every tick.
        wait_for("the play", lambda: time.monotonic() - start >= PLAY_SECONDS,
                 timeout=PLAY_SECONDS + 5)
        elapsed = time.monotonic() - start
        browser_percent = 100 * (cpu_seconds(pids) - before) / elapsed
        game = driver.execute_script("return window.redDoorGameTime")
        percent = game["ms"] / 10 / elapsed
        ok = percent <= CPU_BUDGET_PERCENT
        failed |= not ok
        print(f"Level1 playing {PLAY_SECONDS} s: the game took {percent:.1f} % of a core in "
              f"{game['frames']} frames (budget 5 %) {'ok' if ok else 'OVER'}; the whole headless "
              f"browser, drawing without a GPU, {browser_percent:.1f} %")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
