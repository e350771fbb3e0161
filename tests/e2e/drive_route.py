#!/usr/bin/env python3
"""Plays a route of the scripted run (its `down`, `up`, `tap` and `wait` lines) in the real
game's windows, in step with the game's ticks, so that the real game makes the very moves of the
headless run and the two can be compared picture for picture.

The scripted run starts Level1's game tick at `click Play` and ticks every 100 ms: the route's
time t is the moment of the game tick number t / 100, counted over the levels one after the
other (the next level's tick goes on on the same beat). The real game writes each tick it runs
into its timing log (--timing-log) as it happens; this program reads the log as it grows and,
once the tick of time t has run, sends the key changes the route makes at t, some milliseconds
later and well before the next tick. So each key goes down or up between the same two ticks as
in the headless run, whatever the real clock's jitter.

  drive_route.py script ROUTE UNTIL PICTURE
      prints the route cut at time UNTIL, as a script that then takes a picture and a dump.
  drive_route.py drive ROUTE UNTIL LOG SHOWN [--picture T:PATH]...
      plays the route up to time UNTIL in the real game writing the timing log LOG, and takes a
      picture (PPM) of the level's window at each time T, between its tick and the next;
      SHOWN is the output of the headless run, whose "show" lines tell which level plays when.
  drive_route.py compare REAL HEADLESS
      fails unless the two pictures are equal pixel for pixel.
"""
import argparse
import ctypes
import ctypes.util
import json
import os
import statistics
import sys
import time

import compare_shots

TICK_MS = 100
# When a key change is sent after its tick was due. Any moment after the tick has started (its
# line is in the log) is safe on the early side: the game reads the keys only between its ticks,
# never during one. So the earlier a change goes out, the more time it has to reach the game
# before the next tick, even when the machine is busy.
KEY_DELAY_MS = 10
# No tick for this long means that the game stopped: a message box (the player died) holds it.
STALL_MS = 1500
FIRST_TICK_WAIT_MS = 10000
KEYSYMS = {"Right": 0xFF53, "Left": 0xFF51, "Space": 0x0020, "E": 0x0065}


def fail(message):
    print(f"drive_route: {message}", file=sys.stderr)
    sys.exit(1)


# --- The route ---------------------------------------------------------------------------------

def read_route(path):
    """The route's key changes as (time, "down"|"up", key), in order."""
    changes, now = [], 0
    with open(path) as f:
        for number, line in enumerate(f, 1):
            words = line.split()
            if not words or words[0].startswith("#") or words == ["click", "Play"]:
                continue
            if words[0] == "close":
                break
            if words[0] == "wait" and len(words) == 2 and words[1].isdigit():
                now += int(words[1])
            elif words[0] in ("down", "up", "tap") and len(words) == 2 and words[1] in KEYSYMS:
                actions = ["down", "up"] if words[0] == "tap" else [words[0]]
                changes += [(now, action, words[1]) for action in actions]
            elif words[0] not in ("dump", "screenshot"):
                fail(f"{path}:{number}: not a line of a route: {line.strip()}")
    return changes


def cut_script(route, until, picture):
    """The route's lines up to time `until`, then a picture and a dump."""
    lines, now = ["click Play"], 0
    for at, action, key in read_route(route):
        if at >= until:
            break
        if at > now:
            lines.append(f"wait {at - now}")
            now = at
        lines.append(f"{action} {key}")
    lines += [f"wait {until - now}", f"screenshot {picture}", "dump"]
    return "\n".join(lines) + "\n"


def shown_levels(headless_output):
    """When each window was shown in the headless run, as (time, name)."""
    with open(headless_output) as f:
        events = [json.loads(line) for line in f if line.strip()]
    return [(e["t"], e["window"]) for e in events if e.get("event") == "show"]


def level_ticking(shows, t):
    """The level whose game tick runs at time t: a level shown by a tick ticks from the next."""
    return [window for shown, window in shows if shown < t][-1]


def level_shown(shows, t):
    """The window on screen once the tick of time t has run."""
    return [window for shown, window in shows if shown <= t][-1]


# --- The X server ------------------------------------------------------------------------------

class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
                ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong)]


class ShmSegment(ctypes.Structure):
    _fields_ = [("shmseg", ctypes.c_ulong), ("shmid", ctypes.c_int),
                ("shmaddr", ctypes.c_void_p), ("readOnly", ctypes.c_int)]


def x_library(name, functions):
    """Loads a library and declares its functions: name -> (result type, argument types)."""
    library = ctypes.CDLL(ctypes.util.find_library(name) or f"lib{name}.so.6")
    for function, (result, arguments) in functions.items():
        getattr(library, function).restype = result
        getattr(library, function).argtypes = arguments
    return library


P, INT, UINT, ULONG = ctypes.c_void_p, ctypes.c_int, ctypes.c_uint, ctypes.c_ulong
X11 = {
    "XOpenDisplay": (P, [ctypes.c_char_p]),
    "XKeysymToKeycode": (ctypes.c_ubyte, [P, ULONG]),
    "XGetInputFocus": (INT, [P, ctypes.POINTER(ULONG), ctypes.POINTER(INT)]),
    "XFetchName": (INT, [P, ULONG, ctypes.POINTER(ctypes.c_char_p)]),
    "XGetGeometry": (INT, [P, ULONG, ctypes.POINTER(ULONG)] + [ctypes.POINTER(INT)] * 2
                     + [ctypes.POINTER(UINT)] * 4),
    "XDefaultScreen": (INT, [P]),
    "XDefaultRootWindow": (ULONG, [P]),
    "XDefaultVisual": (P, [P, INT]),
    "XDefaultDepth": (INT, [P, INT]),
    "XSync": (INT, [P, INT]),
    "XFlush": (INT, [P]),
    "XFree": (INT, [P]),
}
XEXT = {
    "XShmQueryExtension": (INT, [P]),
    "XShmAttach": (INT, [P, ctypes.POINTER(ShmSegment)]),
    "XShmCreateImage": (ctypes.POINTER(XImage), [P, P, UINT, INT, P, ctypes.POINTER(ShmSegment),
                                                 UINT, UINT]),
    "XShmGetImage": (INT, [P, ULONG, ctypes.POINTER(XImage), INT, INT, ULONG]),
}
XTST = {"XTestFakeKeyEvent": (INT, [P, UINT, INT, ULONG])}
LIBC = {"shmget": (INT, [INT, ctypes.c_size_t, INT]), "shmat": (P, [INT, P, INT]),
        "shmctl": (INT, [INT, INT, P])}


class Display:
    """Keys through XTEST, as xdotool sends them to the window that has the focus, and pictures
    of a window read through shared memory in one request: quick even on a busy machine, and no
    frame of the game can come in between."""

    Z_PIXMAP, ALL_PLANES = 2, 0xFFFFFFFF
    IPC_PRIVATE, IPC_CREAT, IPC_RMID = 0, 0o1000, 0
    # Room for any window on the X server's 1280 x 1024 screen.
    SHARED_BYTES = 4 * 1280 * 1024

    def __init__(self):
        self.x11 = x_library("X11", X11)
        self.xext = x_library("Xext", XEXT)
        self.xtst = x_library("Xtst", XTST)
        self.display = self.x11.XOpenDisplay(None)
        if not self.display:
            fail("cannot open the display")
        self.keycodes = {key: self.x11.XKeysymToKeycode(self.display, sym)
                         for key, sym in KEYSYMS.items()}
        self.titles = {}
        self.images = {}
        self.shared = self.attach_shared_memory()
        # The server's first copy into the segment is slow: not while a picture counts.
        self.picture(self.x11.XDefaultRootWindow(self.display))

    def attach_shared_memory(self):
        if not self.xext.XShmQueryExtension(self.display):
            fail("the X server has no shared memory extension (MIT-SHM)")
        libc = x_library("c", LIBC)
        segment = ShmSegment()
        segment.shmid = libc.shmget(self.IPC_PRIVATE, self.SHARED_BYTES, self.IPC_CREAT | 0o600)
        if segment.shmid < 0:
            fail("cannot make a shared memory segment")
        segment.shmaddr = libc.shmat(segment.shmid, None, 0)
        self.xext.XShmAttach(self.display, ctypes.byref(segment))
        self.x11.XSync(self.display, 0)
        # Gone once both sides have let go of it, even if this program is killed.
        libc.shmctl(segment.shmid, self.IPC_RMID, None)
        return segment

    def focused_window(self):
        """The id and title of the window that has the keyboard focus."""
        window, revert = ULONG(), INT()
        self.x11.XGetInputFocus(self.display, ctypes.byref(window), ctypes.byref(revert))
        if window.value not in self.titles:
            name = ctypes.c_char_p()
            if window.value <= 1 or not self.x11.XFetchName(self.display, window,
                                                            ctypes.byref(name)):
                return window.value, None  # None, PointerRoot, or a window with no title
            self.titles[window.value] = name.value.decode()
            self.x11.XFree(name)
        return window.value, self.titles[window.value]

    def key(self, key, down):
        self.xtst.XTestFakeKeyEvent(self.display, self.keycodes[key], down, 0)
        self.x11.XFlush(self.display)

    def prepare_picture(self, window):
        """An image of the window's size in the shared memory, made once for each window."""
        if window not in self.images:
            root, x, y = ULONG(), INT(), INT()
            width, height, border, depth = (UINT() for _ in range(4))
            self.x11.XGetGeometry(self.display, window, ctypes.byref(root), ctypes.byref(x),
                                  ctypes.byref(y), ctypes.byref(width), ctypes.byref(height),
                                  ctypes.byref(border), ctypes.byref(depth))
            screen = self.x11.XDefaultScreen(self.display)
            if depth.value != self.x11.XDefaultDepth(self.display, screen):
                fail(f"the window {window:#x} is {depth.value} bits deep, unlike the screen")
            image = self.xext.XShmCreateImage(
                self.display, self.x11.XDefaultVisual(self.display, screen), depth,
                self.Z_PIXMAP, None, ctypes.byref(self.shared), width, height)
            image.contents.data = self.shared.shmaddr
            self.images[window] = image
        return self.images[window]

    def picture(self, window):
        """The window's pixels as they are now: width, height, bytes per row and the rows."""
        image = self.prepare_picture(window)
        if not self.xext.XShmGetImage(self.display, window, image, 0, 0, self.ALL_PLANES):
            fail(f"cannot read the pixels of the window {window:#x}")
        shot = image.contents
        if shot.bits_per_pixel != 32 or shot.byte_order != 0 or shot.red_mask != 0xFF0000:
            fail(f"unexpected pixel format: {shot.bits_per_pixel} bits, byte order "
                 f"{shot.byte_order}, red mask {shot.red_mask:#x}")
        return (shot.width, shot.height, shot.bytes_per_line,
                ctypes.string_at(shot.data, shot.bytes_per_line * shot.height))


def ppm(width, height, pitch, rows):
    """A binary PPM of pixels stored as blue, green, red and an unused byte."""
    rgb = bytearray(3 * width * height)
    for row in range(height):
        line = rows[row * pitch:row * pitch + 4 * width]
        for colour in range(3):
            rgb[3 * width * row + colour:3 * width * (row + 1):3] = line[2 - colour::4]
    return b"P6\n%d %d\n255\n" % (width, height) + bytes(rgb)


# --- The game's timing log ---------------------------------------------------------------------

class Tick:
    def __init__(self, line, level, timer, due, ran, seen):
        self.line, self.level, self.timer, self.due, self.ran = line, level, timer, due, ran
        self.seen = seen  # when this program read the tick's line


class TimingLog:
    """The ticks and frames of the real game as its timing log tells them, in ms of the game's
    clock, which this program reads too."""

    def __init__(self, path):
        self.path, self.file, self.pending = path, None, ""
        self.zero_ms = None  # the game clock's zero on CLOCK_MONOTONIC, in ms
        self.ticks = []  # every timer's ticks, in the order they ran
        self.game_ticks = []  # the game ticks (tmrGame) among them
        self.frames = []  # the frames shown: (line, level, time)
        self.lines = 0

    def now(self):
        return time.monotonic_ns() / 1e6 - self.zero_ms

    def read(self):
        if self.file is None:
            if not os.path.exists(self.path):
                return
            self.file = open(self.path)
        self.pending += self.file.read()
        *lines, self.pending = self.pending.split("\n")
        for line in lines:
            self.take(line.split())

    def take(self, words):
        self.lines += 1
        if words[:3] == ["clock", "0", "="]:
            self.zero_ms = int(words[3]) / 1e6
        elif words[:1] == ["tick"]:
            tick = Tick(self.lines, words[1], words[2], int(words[4]), float(words[6]),
                        self.now())
            self.ticks.append(tick)
            if tick.timer == "tmrGame":
                self.game_ticks.append(tick)
        elif words[:1] == ["frame"]:
            self.frames.append((self.lines, words[1], float(words[3])))

    def wait_for(self, found, what):
        """Reads the log until `found()` gives something; fails once the game has stopped."""
        started = time.monotonic()
        while True:
            self.read()
            result = found()
            if result:
                return result
            if self.ticks and self.now() > self.ticks[-1].due + STALL_MS:
                last = self.ticks[-1]
                fail(f"the game stopped while the route waited for {what}: no tick since "
                     f"{last.timer} of {last.level} due at {last.due} ms; a message box?")
            if not self.ticks and time.monotonic() - started > FIRST_TICK_WAIT_MS / 1000:
                fail(f"no tick in {self.path} after {FIRST_TICK_WAIT_MS} ms")
            time.sleep(0.001)

    def game_tick(self, number):
        """The game tick `number` (from 1), once it has run."""
        return self.wait_for(lambda: len(self.game_ticks) >= number and
                             self.game_ticks[number - 1], f"game tick {number}")

    def frame_after(self, tick):
        """The time of the first frame shown after this tick and the others due with it."""
        return self.wait_for(lambda: next((shown for line, level, shown in self.frames
                                           if line > tick.line and level == tick.level), None),
                             f"the frame after the tick due at {tick.due} ms")

    def tick_after(self, tick):
        """The first tick of any timer that falls due after this one."""
        return self.wait_for(lambda: next((later for later in self.ticks
                                           if later.line > tick.line and later.due > tick.due),
                                          None), f"the tick after the one due at {tick.due} ms")

    def check_beat(self):
        """Fails unless the game ticks ran on the 100 ms beat: a tick skipped because the game
        was too late would put the real game one tick behind the route."""
        for before, tick in zip(self.game_ticks, self.game_ticks[1:]):
            if tick.due != before.due + TICK_MS:
                fail(f"a game tick was skipped on {tick.level}: due {before.due} ms, then "
                     f"{tick.due} ms")


# --- Playing -----------------------------------------------------------------------------------

class Driver:
    def __init__(self, log, shows):
        self.log, self.shows, self.display = log, shows, Display()
        self.held = set()
        self.keys_level = None  # the level whose window had the focus at the last key change
        self.key_delays = []  # (ms after the tick was due, the change)
        self.pictures = []  # (time, its tick, when it was taken, the picture, its file)

    def tick_of(self, t):
        """The real game tick that the route's time t follows, checked to be on the right level."""
        number = t // TICK_MS
        tick = self.log.game_tick(number)
        expected = level_ticking(self.shows, number * TICK_MS)
        if tick.level != expected:
            fail(f"the game tick of t = {number * TICK_MS} ran on {tick.level}, not on "
                 f"{expected}: the real game left the route")
        return tick

    def sleep_until(self, game_time):
        pause = game_time - self.log.now()
        if pause > 0:
            time.sleep(pause / 1000)

    def level_window(self, t, deadline):
        """The id of the window that shows the level at time t; it must have the focus, which
        the game gives each window it shows."""
        expected = level_shown(self.shows, t)
        while True:
            window, title = self.display.focused_window()
            if title == expected:
                return window
            if self.log.now() > deadline:
                fail(f"the keyboard focus is on {title or hex(window)}, not on {expected} "
                     f"at t = {t}")
            time.sleep(0.001)

    def change_key(self, t, action, key):
        tick = self.tick_of(t)
        self.sleep_until(tick.due + KEY_DELAY_MS)
        level = level_shown(self.shows, t)
        window = None
        if level != self.keys_level:
            # The game gives each window it shows the focus, and the keys go to the focus.
            window = self.level_window(t, tick.due + TICK_MS)
            self.keys_level = level
        self.display.key(key, action == "down")
        sent = self.log.now()
        if window:
            self.display.prepare_picture(window)
        if sent >= tick.due + TICK_MS:
            fail(f"{action} {key} at t = {t} went out {sent - tick.due:.1f} ms after its tick was "
                 f"due (which ran at {tick.ran - tick.due:.1f} ms, read at "
                 f"{tick.seen - tick.due:.1f} ms): after the next tick was due")
        if action == "down":
            self.held.add(key)
        else:
            self.held.discard(key)
        self.key_delays.append((sent - tick.due, f"{action} {key} at t = {t}"))

    def take_picture(self, t, path):
        """A picture of the level between the tick of time t and the next tick of any timer."""
        tick = self.tick_of(t)
        self.log.frame_after(tick)
        window = self.level_window(t, tick.due + TICK_MS)
        picture = self.display.picture(window)
        # Checked and written once the route is played: the keys of this tick come first.
        self.pictures.append((t, tick, self.log.now(), picture, path))

    def save_pictures(self):
        """Writes the pictures; fails unless each was taken before the next tick of any timer
        had run."""
        for t, tick, taken, picture, path in self.pictures:
            later = self.log.tick_after(tick)
            if later.ran <= taken:
                fail(f"the picture at t = {t} was taken {taken - tick.due:.1f} ms after its "
                     f"tick, after {later.timer} of {later.level} due at {later.due} ms had run")
            with open(path, "wb") as f:
                f.write(ppm(*picture))
            print(f"picture of {tick.level} at t = {t}: {taken - tick.due:.1f} ms after its tick")

    def release_keys(self):
        for key in sorted(self.held):
            self.display.key(key, False)
        self.held.clear()

    def report(self):
        """How late the game ran its ticks and this program sent the keys."""
        ticks = [tick.ran - tick.due for tick in self.log.game_ticks]
        print(f"{len(ticks)} game ticks ran {statistics.median(ticks):.1f} ms (median), "
              f"{max(ticks):.1f} ms (latest) after they were due")
        if self.key_delays:
            delays = [delay for delay, _ in self.key_delays]
            latest, change = max(self.key_delays)
            print(f"{len(delays)} key changes went out {statistics.median(delays):.1f} ms "
                  f"(median), {latest:.1f} ms (latest: {change}) after their tick was due")


def drive(args):
    actions = [(at, 1, lambda d, a=action, k=key, at=at: d.change_key(at, a, k))
               for at, action, key in read_route(args.route) if at < args.until]
    for taken_at, path in args.picture:
        actions.append((taken_at, 0, lambda d, at=taken_at, p=path: d.take_picture(at, p)))
    driver = Driver(TimingLog(args.log), shown_levels(args.shown))
    # Pictures first: a key change only shows at the next tick.
    for _, _, act in sorted(actions, key=lambda a: a[:2]):
        act(driver)
    driver.tick_of(args.until)
    driver.release_keys()
    driver.save_pictures()
    driver.log.check_beat()
    driver.report()


def picture_at(text):
    at, _, path = text.partition(":")
    if not at.isdigit() or int(at) % TICK_MS or not path:
        raise argparse.ArgumentTypeError(f"not TIME:PATH with a time on the tick beat: {text}")
    return int(at), path


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    commands = parser.add_subparsers(dest="command", required=True)
    script = commands.add_parser("script")
    script.add_argument("route")
    script.add_argument("until", type=int)
    script.add_argument("picture")
    play = commands.add_parser("drive")
    play.add_argument("route")
    play.add_argument("until", type=int)
    play.add_argument("log")
    play.add_argument("shown")
    play.add_argument("--picture", type=picture_at, action="append", default=[])
    compare = commands.add_parser("compare")
    compare.add_argument("real")
    compare.add_argument("headless")
    args = parser.parse_args()

    if args.command == "script":
        sys.stdout.write(cut_script(args.route, args.until, args.picture))
    elif args.command == "drive":
        drive(args)
    else:
        real, headless = compare_shots.Picture(args.real), compare_shots.Picture(args.headless)
        if (real.width, real.height) != (headless.width, headless.height):
            fail(f"the real window is {real.width}x{real.height} pixels, the headless picture "
                 f"{headless.width}x{headless.height}")
        compare_shots.compare_outside(real, headless, [])
        print(f"{args.real} and {args.headless} are equal")


if __name__ == "__main__":
    main()
