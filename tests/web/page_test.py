#!/usr/bin/env python3
"""The page as a player meets it: it loads from 127.0.0.1, draws the title window as the
desktop does, Return starts the game, a walk into the water opens the box, Return answers it,
P pauses, and the recording replays under node; a gamepad walks, answers the box and lets go of
what it held when it goes; a click on OK answers the box; the Fullscreen button, F11 and
Alt+Return ask for fullscreen; kept settings, damaged or out of reach, cost no game; T shows the
run timer in the corner and is kept, the best times are read from the browser's storage and a
damaged value is kept aside; the desktop's recorded whole run plays in the page to the
millisecond, at full and at half speed, and sets the best times at full speed only; a kept key
map walks with its keys and buttons; ?speed=50 halves the game clock and is kept; without
WebAssembly the page says so.
  tests/web/page_test.py build-web/site build/reddoor build-web/node/reddoor.js"""
import os
import subprocess
import sys
import tempfile

from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select

from page_session import browser, open_game, served, state, wait_for

# The canvas against the desktop's picture of the same window, in the page: the pixels that
# differ, how many differ by more than text anti-aliasing does, and the box around them.
COMPARE = """
const done = arguments[arguments.length - 1];
const game = document.getElementById('game');
const image = new Image();
image.onload = () => {
  const c = document.createElement('canvas');
  c.width = image.width; c.height = image.height;
  const x = c.getContext('2d');
  x.drawImage(image, 0, 0);
  if (c.width !== game.width || c.height !== game.height) {
    done({size: [game.width, game.height, c.width, c.height]}); return;
  }
  const a = x.getImageData(0, 0, c.width, c.height).data;
  const b = game.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  let differ = 0, far = 0, box = [c.width, c.height, -1, -1];
  for (let i = 0; i < a.length; i += 4) {
    const d = Math.max(Math.abs(a[i] - b[i]), Math.abs(a[i + 1] - b[i + 1]),
                       Math.abs(a[i + 2] - b[i + 2]));
    if (d === 0) continue;
    ++differ;
    if (d > 160) ++far;
    const p = i / 4, px = p % c.width, py = Math.floor(p / c.width);
    box = [Math.min(box[0], px), Math.min(box[1], py), Math.max(box[2], px), Math.max(box[3], py)];
  }
  done({differ, far, box, pixels: a.length / 4});
};
image.src = 'intro.png';
"""


def check_title_drawn(driver, address):
    assert open_game(driver, address) == ("Intro", False, (), "")
    assert driver.title == "Intro", driver.title
    wait_for("the first frame", lambda: driver.execute_script("return window.redDoorFirstFrameAt"))
    result = driver.execute_async_script(COMPARE)
    assert "size" not in result, f"canvas and desktop picture differ in size: {result}"
    # Only the caption of Play is text on the title window (its box: 145..247 x 369..391).
    left, top, right, bottom = result["box"]
    assert result["differ"] == 0 or (left >= 145 and top >= 369 and right <= 247 and
                                     bottom <= 391), result
    assert result["far"] <= 40, result
    print(f"title: {result['differ']} of {result['pixels']} pixels differ from the desktop's, "
          f"{result['far']} by more than 160, all in the text of Play")


def check_return_starts(driver, address):
    open_game(driver, address)
    ActionChains(driver).send_keys(Keys.RETURN).perform()
    wait_for("Level1 after Return", lambda: state(driver).window == "Level1")
    assert driver.title == "Level1", driver.title


# The navy caption bar of the box drawn over the window: its pixels on the canvas and their
# bounding box (left, top, right, bottom, inclusive), and where the canvas lies in the page.
NAVY = """
const g = document.getElementById('game');
const d = g.getContext('2d').getImageData(0, 0, g.width, g.height).data;
let n = 0, box = [g.width, g.height, -1, -1];
for (let i = 0; i < d.length; i += 4) {
  if (d[i] !== 0 || d[i + 1] !== 0 || d[i + 2] !== 128) continue;
  ++n;
  const p = i / 4, x = p % g.width, y = Math.floor(p / g.width);
  box = [Math.min(box[0], x), Math.min(box[1], y), Math.max(box[2], x), Math.max(box[3], y)];
}
const r = g.getBoundingClientRect();
return {n, box, page: [r.left, r.top, r.width / g.width]};"""


def box_client(driver):
    """The drawn box's client area, below its caption bar: its width at scale 1, and a function
    giving where a point of it, in pixels at scale 1, lies in the page."""
    found = driver.execute_script(NAVY)
    assert found["n"] > 1000, f"no box drawn ({found['n']} navy pixels)"
    left, top, right, bottom = found["box"]
    scale = (bottom - top + 1) / 18  # the caption bar is 18 pixels high at scale 1
    page_left, page_top, css = found["page"]

    def at(x, y):
        return (round(page_left + (left + x * scale) * css),
                round(page_top + (bottom + 1 + y * scale) * css))
    return (right - left + 1) / scale, at


def click_at(driver, point):
    actions = ActionBuilder(driver)
    actions.pointer_action.move_to_location(*point).click()
    actions.perform()


def click_ok(driver):
    """Clicks the box's icon, which leaves it open, then its OK. As scene/message_box_layout.cpp
    lays the box out: the icon 32 pixels square at (12, 12), OK 75 by 23, centred, 12 below the
    icon (the message's line is less high than the icon)."""
    width, at = box_client(driver)
    click_at(driver, at(28, 28))
    assert state(driver).message, "a click on the box's icon answered it"
    click_at(driver, at(width / 2, 12 + 32 + 12 + 23 / 2))


def check_water_and_box(driver, address, node_js):
    open_game(driver, address, "?start=Level2")
    ActionChains(driver).key_down(Keys.ARROW_RIGHT).perform()
    wait_for("the water's message", lambda: state(driver).message == "You Cant Swim?")
    # The box lets go of the keys: Right let go of while it is open must not walk on after it.
    assert state(driver).keys == (), state(driver)
    ActionChains(driver).key_up(Keys.ARROW_RIGHT).perform()
    assert driver.execute_script(NAVY)["n"] > 1000, "no box drawn"
    ActionChains(driver).send_keys(Keys.RETURN).perform()
    wait_for("the box answered", lambda: state(driver)[:3] == ("Level2", False, ()))

    ActionChains(driver).send_keys("p").perform()
    wait_for("the pause", lambda: state(driver).paused)
    assert driver.title == "Level2 (paused)", driver.title
    ActionChains(driver).send_keys("p").perform()
    wait_for("the game going on", lambda: not state(driver).paused)

    # The page hidden (another tab, a minimized browser): the game pauses, and goes on when the
    # page is seen again.
    hide = """
      Object.defineProperty(document, 'hidden', {value: arguments[0], configurable: true});
      document.dispatchEvent(new Event('visibilitychange'));"""
    driver.execute_script(hide, True)
    wait_for("the pause of a hidden page", lambda: state(driver).paused)
    driver.execute_script(hide, False)
    wait_for("the game going on when seen", lambda: not state(driver).paused)

    recording = driver.execute_script(
        "return Module.UTF8ToString(Module._RedDoorRecording())")
    assert recording.startswith("# args: --start Level2\n"), recording[:200]
    assert "down Right" in recording and recording.rstrip().endswith("close"), recording
    with tempfile.NamedTemporaryFile("w", suffix=".script", delete=False) as f:
        f.write(recording)
    try:
        replay = subprocess.run(["node", "--no-experimental-fetch", node_js, "--script", f.name],
                                capture_output=True, text=True, timeout=60)
    finally:
        os.unlink(f.name)
    assert replay.returncode == 0, replay.stderr
    assert '"text":"You Cant Swim?"' in replay.stdout, replay.stdout
    print("water: the box opened, Return answered it, P and a hidden page paused; the recording "
          "replays")


# Stands in for the browser's gamepads: pads shaped as the Gamepad API's, with the standard
# mapping, which navigator.getGamepads lists while they are `listed`. Changes pad `index` by
# `change` (buttons by number, the left stick's x, listed) and dispatches `event` for it, if any.
# window.padReads counts the page's readings of the pads, window.gameFrames its frames, and
# window.untilDue is what the last frame answered (-1: no tick comes without input).
PAD = """
const [index, change, event] = arguments;
if (!window.testPads) {
  window.testPads = [];
  window.padReads = window.gameFrames = 0;
  const frame = Module._RedDoorFrame;
  Module._RedDoorFrame = now => (++window.gameFrames, window.untilDue = frame(now));
  navigator.getGamepads = () => {
    ++window.padReads;
    return [0, 1, 2, 3].map(i => testPads[i] && testPads[i].listed ? testPads[i] : null);
  };
}
const pad = testPads[index] = testPads[index] || {
  index, id: 'test pad', connected: true, listed: true, mapping: 'standard', axes: [0, 0, 0, 0],
  buttons: Array.from({length: 17}, () => ({pressed: false, value: 0}))};
for (const [button, down] of Object.entries(change.buttons || {})) {
  pad.buttons[button].pressed = down;
}
if ('x' in change) pad.axes[0] = change.x;
if ('listed' in change) pad.listed = change.listed;
if (event) {
  const e = new Event(event);
  e.gamepad = pad;
  window.dispatchEvent(e);
}"""
SOUTH, WEST, NORTH, BACK, START, RIGHT = 0, 2, 3, 8, 9, 15  # the standard mapping's numbers

# Waits for `count` animation frames of the page.
FRAMES = """
const done = arguments[arguments.length - 1];
let count = arguments[0];
const next = () => --count > 0 ? requestAnimationFrame(next) : done();
requestAnimationFrame(next);"""


def pad(driver, index, event=None, **change):
    if "buttons" in change:
        change["buttons"] = {str(b): down for b, down in change["buttons"].items()}
    driver.execute_script(PAD, index, change, event)


def keys_down(driver, *keys):
    return lambda: state(driver).keys == keys


def check_gamepad(driver, address):
    open_game(driver, address)
    pad(driver, 0, "gamepadconnected")
    pad(driver, 0, buttons={START: True})
    wait_for("Level1 after start", lambda: state(driver).window == "Level1")

    open_game(driver, address, "?start=Level2")
    pad(driver, 0, "gamepadconnected", buttons={RIGHT: True})
    wait_for("a walk into the water", lambda: state(driver).message == "You Cant Swim?")
    assert state(driver).keys == (), "the box let go of nothing"
    click_ok(driver)
    wait_for("the box answered by OK", lambda: not state(driver).message)
    # Held through the box, the button must be pressed again.
    driver.execute_async_script(FRAMES, 3)
    assert state(driver).keys == (), state(driver)
    pad(driver, 0, buttons={RIGHT: False}, x=-1.0)
    wait_for("the stick walking left", keys_down(driver, "Left"))
    pad(driver, 0, listed=False)
    wait_for("the pad gone from the list letting go", keys_down(driver))

    # A second pad goes with the browser's event, though still listed.
    pad(driver, 1, "gamepadconnected", buttons={WEST: True})
    wait_for("the west button", keys_down(driver, "E"))
    pad(driver, 1, "gamepaddisconnected")
    wait_for("the disconnected pad letting go", keys_down(driver))

    # With no pad the pads are not read, and a paused game asks for no frames; a pad connected
    # is read while the game stays paused.
    reads = driver.execute_script("return window.padReads")
    driver.execute_async_script(FRAMES, 5)
    assert driver.execute_script("return window.padReads") == reads, "pads read with none there"
    ActionChains(driver).send_keys("p").perform()
    # The frames the key asked for run first; then one that finds the game held ends the loop.
    driver.execute_async_script(FRAMES, 1)
    wait_for("a frame of the paused game", lambda: driver.execute_script("return untilDue") == -1)
    frames = driver.execute_script("return window.gameFrames")
    driver.execute_async_script(FRAMES, 5)
    assert driver.execute_script("return window.gameFrames") == frames, "frames while held"
    pad(driver, 2, "gamepadconnected")
    wait_for("the pad read", lambda: driver.execute_script("return window.padReads") > reads)
    ActionChains(driver).send_keys("p").perform()
    pad(driver, 2, buttons={RIGHT: True})
    wait_for("the water again", lambda: state(driver).message == "You Cant Swim?")
    pad(driver, 2, buttons={SOUTH: True})
    wait_for("the box answered by the south button", lambda: not state(driver).message)
    print("gamepad: start plays, the d-pad and the stick walk, the south button and a click on "
          "OK answer the box, a pad gone lets go; no reading without a pad")


def fullscreen(driver):
    return driver.execute_script(
        "return document.fullscreenElement ? document.fullscreenElement.id : ''")


def check_fullscreen(driver, address):
    """The Fullscreen button, F11 and Alt+Return ask the browser for fullscreen and back; the
    game on the title window takes none of them as Return."""
    open_game(driver, address)
    driver.find_element(By.ID, "fullscreen").click()
    wait_for("fullscreen from the button", lambda: fullscreen(driver) == "stage")
    ActionChains(driver).send_keys(Keys.F11).perform()
    wait_for("a window again after F11", lambda: fullscreen(driver) == "")
    ActionChains(driver).key_down(Keys.ALT).send_keys(Keys.RETURN).key_up(Keys.ALT).perform()
    wait_for("fullscreen from Alt+Return", lambda: fullscreen(driver) == "stage")
    ActionChains(driver).send_keys(Keys.F11).perform()
    wait_for("a window again", lambda: fullscreen(driver) == "")
    assert state(driver).window == "Intro", state(driver)
    print("fullscreen: the button, F11 and Alt+Return switch it")


def note(driver):
    return driver.execute_script(
        "const n = document.getElementById('note'); return n.hidden ? '' : n.textContent")


def scale_shown(driver):
    """The canvas's width over the title window's width at scale 1, and the scale menu's value."""
    return driver.execute_script(
        "return [document.getElementById('game').width / 459, "
        "document.getElementById('scale').value]")


def check_settings(driver, address):
    """A kept scale is used; a damaged one, or storage the browser refuses, leaves the defaults
    with a note, and the game plays."""
    driver.set_window_size(1400, 1100)  # room for the title window at scale 2
    open_game(driver, address)
    assert scale_shown(driver) == [2, "0"] and note(driver) == "", scale_shown(driver)
    kept = "localStorage.setItem('reddoor.settings', arguments[0])"
    driver.execute_script(kept, '{"largestScale": 1}')
    open_game(driver, address)
    assert scale_shown(driver) == [1, "1"] and note(driver) == "", scale_shown(driver)

    for damaged in ('{"largestScale": "huge"}', '{"largestScale": 9}', "{largestScale", "null",
                    '{"timer": "yes"}', '{"speed": 7}', '{"keys": ["Left"]}'):
        driver.execute_script(kept, damaged)
        open_game(driver, address)
        assert scale_shown(driver) == [2, "0"], (damaged, scale_shown(driver))
        assert "could not be read" in note(driver), (damaged, note(driver))

    refuse = driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": """
      for (const name of ['getItem', 'setItem']) {
        Storage.prototype[name] = () => { throw new DOMException('refused', 'SecurityError'); };
      }"""})["identifier"]
    try:
        open_game(driver, address)
        assert scale_shown(driver) == [2, "0"], scale_shown(driver)
        assert "does not let the page keep settings" in note(driver), note(driver)
        Select(driver.find_element(By.ID, "scale")).select_by_value("1")
        wait_for("the scale chosen", lambda: scale_shown(driver) == [1, "1"])
        ActionChains(driver).send_keys(Keys.RETURN).perform()
        wait_for("Level1 without storage", lambda: state(driver).window == "Level1")
    finally:
        driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", {"identifier": refuse})
        driver.execute_script("localStorage.clear()")
        driver.set_window_size(1000, 800)
    print("settings: a kept scale is used; damaged or refused, the defaults with a note")


KEPT = "localStorage.setItem(arguments[0], arguments[1])"
STORED = "return localStorage.getItem(arguments[0])"
# The red, green and blue of each pixel of the canvas's bottom right corner, the run timer's
# place, summed.
CORNER = """
const g = document.getElementById('game');
const d = g.getContext('2d').getImageData(g.width - g.width / 8, g.height - g.height / 12,
                                          g.width / 8, g.height / 12).data;
const sums = [];
for (let i = 0; i < d.length; i += 4) sums.push(d[i] + d[i + 1] + d[i + 2]);
return sums;"""


def corner_changed(driver, bare):
    """How many pixels of the corner differ from `bare`, a CORNER taken before, by much."""
    return sum(abs(a - b) > 90 for a, b in zip(driver.execute_script(CORNER), bare))


def best_shown(driver):
    return driver.execute_script("return document.getElementById('best').textContent")


def settings_kept(driver):
    return driver.execute_script("return JSON.parse(localStorage.getItem('reddoor.settings'))")


def check_timer_and_best_times(driver, address):
    """T shows the run timer over the window's corner, and the choice is kept; the
    best times come from the browser's storage in the desktop's form, and a damaged value is kept
    aside with a note while the game starts with none."""
    open_game(driver, address)
    assert best_shown(driver) == "Best run: none yet \u00b7 Best splits: none yet", \
        best_shown(driver)
    ActionChains(driver).send_keys(Keys.RETURN).perform()
    wait_for("Level1", lambda: state(driver).window == "Level1")
    bare = driver.execute_script(CORNER)
    ActionChains(driver).send_keys("t").perform()
    wait_for("the timer drawn", lambda: corner_changed(driver, bare) > 400)
    assert settings_kept(driver)["timer"] is True, settings_kept(driver)

    best = ('{"run":{"ms":74968,"splits":{"Level1":15600,"Level2":39700,"Level3":19668}},'
            '"splits":{"Level1":15600,"Level2":39700,"Level3":19668}}')
    driver.execute_script(KEPT, "reddoor.records", best)
    open_game(driver, address, "?start=Level1")
    assert best_shown(driver) == ("Best run: 1:14.9 (Level1 0:15.6, Level2 0:39.7, Level3 0:19.6)"
                                  " \u00b7 Best splits: Level1 0:15.6, Level2 0:39.7, Level3 0:19.6"
                                  " (together 1:14.9)"), best_shown(driver)
    # The kept timer is shown from the first tick of a game started on a level.
    wait_for("the kept timer drawn", lambda: corner_changed(driver, bare) > 400)
    ActionChains(driver).send_keys("t").perform()
    wait_for("the timer hidden", lambda: corner_changed(driver, bare) == 0)
    assert settings_kept(driver)["timer"] is False, settings_kept(driver)

    damaged = '{"run": {"ms": -5}}'
    driver.execute_script(KEPT, "reddoor.records", damaged)
    open_game(driver, address)
    assert "best times kept in this browser were damaged" in note(driver), note(driver)
    assert best_shown(driver).startswith("Best run: none yet"), best_shown(driver)
    assert driver.execute_script(STORED, "reddoor.records.damaged") == damaged
    assert driver.execute_script(STORED, "reddoor.records") is None
    driver.execute_script("localStorage.clear()")
    print("timer: T draws it in the corner and is kept; best times read, a damaged one set aside")


# The page's clock, performance.now(), made the test's own: it stands until advanced.
FAKE_CLOCK = """
let now = 1000;
performance.now = () => now;
window.advanceClock = ms => { now += ms; };"""
# Plays the lines of a script in the page on that clock: a wait advances it 10 ms at a time, a
# frame after each step (never so far at once that the page leaves a stall out of game time),
# and keys go in as the browser's key events. The window's button is pressed with Return. A
# slowed game's waits take `slowed` times as long on the page's clock.
REPLAY = """
const EVENTS = {Right: ['ArrowRight', 'ArrowRight'], Left: ['ArrowLeft', 'ArrowLeft'],
                Space: [' ', 'Space'], E: ['e', 'KeyE'], Return: ['Enter', 'Enter']};
const press = (type, name) => window.dispatchEvent(
  new KeyboardEvent(type, {key: EVENTS[name][0], code: EVENTS[name][1]}));
const [lines, slowed] = arguments;
for (const line of lines) {
  const [command, what] = line.split(' ');
  if (command === 'wait') {
    for (let left = Number(what) * slowed; left > 0; left -= 10) {
      window.advanceClock(Math.min(left, 10));
      Module._RedDoorFrame(performance.now());
    }
  } else if (command === 'down' || command === 'up') {
    press(command === 'down' ? 'keydown' : 'keyup', what);
  } else if (command === 'click') {
    press('keydown', 'Return');
    press('keyup', 'Return');
  }
}"""


def play_recorded_run(driver, address, lines, query="", slowed=1):
    """Plays the lines in the page, from a fresh load, on a clock of the test's own; returns the
    page's own recording of the game."""
    clock = driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                   {"source": FAKE_CLOCK})["identifier"]
    try:
        open_game(driver, address, query)
        driver.execute_script(REPLAY, lines, slowed)
        assert state(driver).window == "Finish", state(driver)
        return driver.execute_script("return Module.UTF8ToString(Module._RedDoorRecording())")
    finally:
        driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", {"identifier": clock})


def verify_under_node(node_js, recording):
    with tempfile.NamedTemporaryFile("w", suffix=".script", delete=False) as f:
        f.write(recording)
    try:
        return subprocess.run(["node", "--no-experimental-fetch", node_js, "--verify", f.name],
                              capture_output=True, text=True, timeout=60)
    finally:
        os.unlink(f.name)


def check_whole_run(driver, address, node_js):
    """The desktop's recorded whole run, played in the page on a clock of the test's own, ends as
    it did on the desktop to the millisecond, at full speed and at half speed alike: the page's
    own recording of it passes --verify. Only the run at full speed becomes the best times kept
    in the browser, and the bar shows them."""
    recording = os.path.join(os.path.dirname(__file__), "..", "golden", "full_playthrough")
    with open(recording + ".recording") as f:
        lines = [line.strip() for line in f if line.strip() and not line.startswith("#")]
    with open(recording + ".verified") as f:
        verified = f.read()
    driver.execute_script(KEPT, "reddoor.settings", '{"timer": true}')
    slowed = play_recorded_run(driver, address, lines, "?speed=50", slowed=2)
    assert driver.execute_script(STORED, "reddoor.records") is None, "a slowed run was kept"
    played = play_recorded_run(driver, address, lines, "?speed=100")
    for recorded in (slowed, played):
        check = verify_under_node(node_js, recorded)
        assert check.returncode == 0 and check.stdout == verified, (check.stdout, check.stderr)
    splits = '{"Level1":15600,"Level2":39700,"Level3":19668}'
    kept = f'{{"run":{{"ms":74968,"splits":{splits}}},"splits":{splits}}}'
    assert driver.execute_script(STORED, "reddoor.records") == kept
    assert best_shown(driver).startswith("Best run: 1:14.9 (Level1 0:15.6,"), best_shown(driver)
    driver.execute_script("localStorage.clear()")
    print(f"whole run: played in the page as on the desktop ({verified.strip()[:45]}...), at "
          "full and half speed; only the first kept as the best")


def check_key_map(driver, address):
    """The key map kept with the settings: its keys and gamepad buttons walk, a key it gives away
    no longer does, and a name that is no key is told of, its action keeping the default."""
    driver.execute_script(KEPT, "reddoor.settings", '{"keys": {"walk-right": ["D"], '
                          '"jump": ["Q!"]}, "buttons": {"walk-left": ["y"]}}')
    open_game(driver, address, "?start=Level2")
    assert '"Q!" is no key for "jump"' in note(driver), note(driver)
    ActionChains(driver).key_down(Keys.ARROW_RIGHT).key_down("d").perform()
    wait_for("D walking right", keys_down(driver, "Right"))
    ActionChains(driver).key_up("d").perform()
    wait_for("Right, given away, not walking", keys_down(driver))
    ActionChains(driver).key_up(Keys.ARROW_RIGHT).key_down(Keys.SPACE).perform()
    wait_for("Space, kept for the jump", keys_down(driver, "Space"))
    ActionChains(driver).key_up(Keys.SPACE).perform()
    pad(driver, 0, "gamepadconnected", buttons={NORTH: True})
    wait_for("the north button walking left", keys_down(driver, "Left"))
    pad(driver, 0, buttons={NORTH: False})
    wait_for("the north button let go of", keys_down(driver))
    # The map's commands have their buttons too: back pauses, as the default map says.
    pad(driver, 0, buttons={BACK: True})
    wait_for("the pause from back", lambda: state(driver).paused)
    pad(driver, 0, buttons={BACK: False})
    reads = driver.execute_script("return window.padReads")
    wait_for("back read as let go of",
             lambda: driver.execute_script("return window.padReads") > reads)
    pad(driver, 0, buttons={BACK: True})
    wait_for("the game going on from back", lambda: not state(driver).paused)
    driver.execute_script("localStorage.clear()")
    print("keys: a kept map walks with its key and button, back pauses; a name that is no key is "
          "told of")


def check_speed(driver, address):
    """?speed=50 runs the game clock at half the page's and says so in the caption; it is kept
    until another speed is asked for, and a speed out of range is told of and left out."""
    game_time = ("return [window.redDoorGameTimeAt(arguments[0]), "
                 "window.redDoorGameTimeAt(arguments[0] + 1000)]")
    open_game(driver, address, "?speed=50")
    assert driver.title == "Intro (50% speed)", driver.title
    ActionChains(driver).send_keys(Keys.RETURN).perform()
    wait_for("Level1", lambda: state(driver).window == "Level1")
    now = driver.execute_script("return performance.now()")
    before, after = driver.execute_script(game_time, now)
    assert abs(after - before - 500) <= 1, (before, after)
    open_game(driver, address)
    assert driver.title == "Intro (50% speed)", driver.title
    open_game(driver, address, "?speed=7")
    assert "7 is left out" in note(driver) and driver.title == "Intro (50% speed)", note(driver)
    open_game(driver, address, "?speed=100")
    assert driver.title == "Intro", driver.title
    now = driver.execute_script("return performance.now()")
    before, after = driver.execute_script(game_time, now)
    assert abs(after - before - 1000) <= 1, (before, after)
    driver.execute_script("localStorage.clear()")
    print("speed: ?speed=50 halves the game clock, shows in the caption and is kept")


def fault_shown(driver):
    return driver.execute_script(
        "const f = document.getElementById('fault'); return f.hidden ? '' : f.textContent")


def check_without_webassembly(driver, address, broken_address):
    """A browser without WebAssembly, and a damaged reddoor.wasm, get a message, not a blank
    page."""
    without = driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                     {"source": "delete window.WebAssembly;"})["identifier"]
    try:
        driver.get(address)
        told = wait_for("the message without WebAssembly", lambda: fault_shown(driver))
        assert "needs WebAssembly" in told, told
    finally:
        driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", {"identifier": without})
    driver.get(broken_address)
    told = wait_for("the message of a damaged game", lambda: fault_shown(driver))
    assert told.startswith("The game could not start: "), told
    print(f"no WebAssembly: the page says so; a damaged one: {told[:70]}...")


def main():
    site, desktop, node_js = sys.argv[1:4]
    with tempfile.TemporaryDirectory() as work:
        reference = os.path.join(work, "intro.png")
        subprocess.run([desktop, "--render", "Intro", reference], check=True)
        broken = os.path.join(work, "reddoor.wasm")
        with open(broken, "w") as f:
            f.write("no WebAssembly")
        with served(site, [reference]) as address, served(site, [broken]) as broken_address, \
                browser() as driver:
            check_title_drawn(driver, address)
            check_return_starts(driver, address)
            check_water_and_box(driver, address, node_js)
            check_gamepad(driver, address)
            check_fullscreen(driver, address)
            check_settings(driver, address)
            check_timer_and_best_times(driver, address)
            check_whole_run(driver, address, node_js)
            check_key_map(driver, address)
            check_speed(driver, address)
            check_without_webassembly(driver, address, broken_address)
    print("page: all checks passed")


if __name__ == "__main__":
    main()
