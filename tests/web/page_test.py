#!/usr/bin/env python3
"""The page as a player meets it: it loads from 127.0.0.1, draws the title window as the
desktop does, Return starts the game, a walk into the water opens the box, Return answers it,
P pauses, and the recording replays under node.
  tests/web/page_test.py build-web/site build/reddoor build-web/node/reddoor.js"""
import os
import subprocess
import sys
import tempfile

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

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
    assert open_game(driver, address) == ("Intro", False, "")
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
    wait_for("Level1 after Return", lambda: state(driver)[0] == "Level1")
    assert driver.title == "Level1", driver.title


def check_water_and_box(driver, address, node_js):
    open_game(driver, address, "?start=Level2")
    ActionChains(driver).key_down(Keys.ARROW_RIGHT).perform()
    wait_for("the water's message", lambda: state(driver)[2] == "You Cant Swim?")
    ActionChains(driver).key_up(Keys.ARROW_RIGHT).perform()
    # The box is drawn over the level: its caption bar is navy.
    navy = driver.execute_script("""
      const g = document.getElementById('game');
      const d = g.getContext('2d').getImageData(0, 0, g.width, g.height).data;
      let n = 0;
      for (let i = 0; i < d.length; i += 4) if (d[i] === 0 && d[i+1] === 0 && d[i+2] === 128) ++n;
      return n;""")
    assert navy > 1000, f"no box drawn ({navy} navy pixels)"
    ActionChains(driver).send_keys(Keys.RETURN).perform()
    wait_for("the box answered", lambda: state(driver) == ("Level2", False, ""))

    ActionChains(driver).send_keys("p").perform()
    wait_for("the pause", lambda: state(driver)[1])
    assert driver.title == "Level2 (paused)", driver.title
    ActionChains(driver).send_keys("p").perform()
    wait_for("the game going on", lambda: not state(driver)[1])

    # The page hidden (another tab, a minimized browser): the game pauses, and goes on when the
    # page is seen again.
    hide = """
      Object.defineProperty(document, 'hidden', {value: arguments[0], configurable: true});
      document.dispatchEvent(new Event('visibilitychange'));"""
    driver.execute_script(hide, True)
    wait_for("the pause of a hidden page", lambda: state(driver)[1])
    driver.execute_script(hide, False)
    wait_for("the game going on when seen", lambda: not state(driver)[1])

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


def main():
    site, desktop, node_js = sys.argv[1:4]
    with tempfile.TemporaryDirectory() as work:
        reference = os.path.join(work, "intro.png")
        subprocess.run([desktop, "--render", "Intro", reference], check=True)
        with served(site, [reference]) as address, browser() as driver:
            check_title_drawn(driver, address)
            check_return_starts(driver, address)
            check_water_and_box(driver, address, node_js)
    print("page: all checks passed")


if __name__ == "__main__":
    main()
