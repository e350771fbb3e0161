"""The page in Debian's headless chromium, driven by chromium-driver through selenium, served
from 127.0.0.1 as tools/serve-web.sh serves it. Shared by the page's test and its budgets."""
import collections
import contextlib
import functools
import http.server
import os
import shutil
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


@contextlib.contextmanager
def served(site, extra_files=()):
    """The site, and any extra files, on a free port of 127.0.0.1; yields the address. An extra
    file takes the place of the site's file of its name."""
    root = tempfile.mkdtemp(prefix="reddoor-site-")
    try:
        replaced = {os.path.basename(path) for path in extra_files}
        for name in set(os.listdir(site)) - replaced:
            os.symlink(os.path.abspath(os.path.join(site, name)), os.path.join(root, name))
        for path in extra_files:
            shutil.copy(path, root)
        handler = functools.partial(QuietHandler, directory=root)
        server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        thread = threading.Thread(target=server.serve_forever, daemon=True)
        thread.start()
        try:
            yield f"http://127.0.0.1:{server.server_address[1]}/"
        finally:
            server.shutdown()
            server.server_close()
    finally:
        shutil.rmtree(root)


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


@contextlib.contextmanager
def browser(width=1000, height=800):
    options = webdriver.ChromeOptions()
    for arg in ("--headless=new", "--no-sandbox", "--disable-gpu",
                f"--window-size={width},{height}"):
        options.add_argument(arg)
    options.binary_location = "/usr/bin/chromium"
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        yield driver
    finally:
        driver.quit()


def wait_for(what, check, timeout=10.0):
    """Polls `check` until it gives a true value, which it returns; fails after `timeout` s."""
    end = time.monotonic() + timeout
    while True:
        value = check()
        if value:
            return value
        if time.monotonic() > end:
            raise AssertionError(f"waited {timeout} s for {what}")
        time.sleep(0.02)


# Where the game stands: the visible window, paused or not, the keys down (as "Right") and the
# message open ("" for none).
State = collections.namedtuple("State", "window paused keys message")


def state(driver):
    """The State as the page's game tells it; None before the game has started."""
    text = driver.execute_script("return window.redDoorState ? window.redDoorState() : ''")
    if not text:
        return None
    window, paused, keys, message = text.split("|", 3)
    return State(window, paused == "paused", tuple(keys.split()), message)


def open_game(driver, address, query=""):
    driver.get(address + query)
    return wait_for("the game to start", lambda: state(driver))
