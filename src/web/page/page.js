'use strict';
// Red Door in a web page: the page's side of the game (src/web/page_main.cpp). The game draws
// its frames in C++; the page puts them on the canvas, draws text for it in the web fonts,
// passes on keys, clicks and the page's focus, and runs the game clock once a frame.
(function () {
  const FACES = ['"Liberation Sans"', '"Comic Neue"'];
  // Keys by the names of the desktop's key map: by the key's meaning, as the keyboard's layout
  // gives it, but for the keys that only their place tells apart.
  const KEY_NAMES = { ArrowLeft: 'Left', ArrowRight: 'Right', ArrowUp: 'Up', ArrowDown: 'Down',
                      ' ': 'Space', Enter: 'Return', Tab: 'Tab', Backspace: 'Backspace',
                      Escape: 'Escape', Insert: 'Insert', Delete: 'Delete', Home: 'Home',
                      End: 'End', PageUp: 'PageUp', PageDown: 'PageDown' };
  const KEY_PLACES = { ShiftLeft: 'Left Shift', ShiftRight: 'Right Shift',
                       ControlLeft: 'Left Ctrl', ControlRight: 'Right Ctrl', AltLeft: 'Left Alt',
                       AltRight: 'Right Alt', NumpadEnter: 'Keypad Enter', Numpad0: 'Keypad 0',
                       Numpad2: 'Keypad 2', Numpad4: 'Keypad 4', Numpad5: 'Keypad 5',
                       Numpad6: 'Keypad 6', Numpad8: 'Keypad 8' };
  const SETTINGS = 'reddoor.settings';
  const SLOWEST = 25;  // percent of full speed
  const stage = document.getElementById('stage');
  const canvas = document.getElementById('game');
  const context = canvas.getContext('2d');
  const caption = document.getElementById('caption');
  const scaleChoice = document.getElementById('scale');
  const textCanvas = document.createElement('canvas');
  const text = textCanvas.getContext('2d', { willReadFrequently: true });
  let started = false;
  let pointerFrom = null;
  // The name each key down had when it went down, by its place: Shift let go of first must not
  // leave "1" held as "!".
  const keysDown = new Map();

  // The scales the menu offers; a kept scale must be one of them.
  const SCALES = Array.from(scaleChoice.options, option => Number(option.value));
  const NOT_KEPT = 'This browser does not let the page keep settings: the scale, the timer, ' +
                   'the speed and the best times last only while the page is open.';
  // Shows `message` in the page's element `id`: 'note' in the bar, or 'fault' over the game. A
  // second note goes after the first.
  function show(id, message) {
    const box = document.getElementById(id);
    box.textContent = id === 'note' && !box.hidden && !box.textContent.includes(message)
      ? box.textContent + ' ' + message : message;
    box.hidden = false;
  }
  // The browser's storage, or null (and a note) where it refuses the page.
  const storage = {
    get(key) {
      try {
        return localStorage.getItem(key);
      } catch (e) {
        show('note', NOT_KEPT);
        return null;
      }
    },
    // Keeps `value` under `key`; null removes it.
    set(key, value) {
      try {
        if (value === null) {
          localStorage.removeItem(key);
        } else {
          localStorage.setItem(key, value);
        }
      } catch (e) {
        show('note', NOT_KEPT);
      }
    },
  };
  const isSpeed = v => Number.isInteger(v) && v >= SLOWEST && v <= 100;
  const isMap = v => typeof v === 'object' && v !== null && !Array.isArray(v);
  const isMapOrNone = v => v === undefined || isMap(v);
  // Each setting kept, and whether it is of its kind; the key map's names the game checks.
  const CHECKS = { largestScale: v => SCALES.includes(v), timer: v => typeof v === 'boolean',
                   speed: isSpeed, keys: isMapOrNone, buttons: isMapOrNone };
  // The settings kept in the browser, or the defaults where none are kept or they cannot be read.
  function loadSettings() {
    const defaults = { largestScale: 0, timer: false, speed: 100 };
    const kept = storage.get(SETTINGS);
    if (kept === null) return defaults;
    try {
      const parsed = JSON.parse(kept);
      const settings = Object.assign({}, defaults, parsed);
      if (isMap(parsed) && Object.entries(CHECKS).every(([name, check]) => check(settings[name]))) {
        return settings;
      }
    } catch (e) { /* told below */ }
    show('note', 'The kept settings could not be read: the game starts with the defaults.');
    return defaults;
  }
  const settings = loadSettings();
  function saveSettings() {
    storage.set(SETTINGS, JSON.stringify(settings));
  }
  // ?speed=50 slows the game to that percent of full speed, and is kept for the next game.
  const askedSpeed = new URLSearchParams(location.search).get('speed');
  if (askedSpeed !== null) {
    if (isSpeed(Number(askedSpeed))) {
      settings.speed = Number(askedSpeed);
      saveSettings();
    } else {
      show('note', `The speed is a percent from ${SLOWEST} to 100: ${askedSpeed} is left out.`);
    }
  }

  // The font at `scale` times its size at 96 dots per inch, as the desktop draws it.
  function setFont(face, points, bold, scale) {
    text.font = (bold ? 'bold ' : '') + (points * scale * 96 / 72) + 'px ' + FACES[face];
  }
  function ascentOf() {
    return Math.ceil(text.measureText('').fontBoundingBoxAscent);
  }

  const Module = window.Module = {
    redDoorText: {
      width(face, points, bold, scale, s) {
        setFont(face, points, bold, scale);
        return Math.ceil(text.measureText(s).width);
      },
      lineHeight(face, points, bold, scale) {
        setFont(face, points, bold, scale);
        const m = text.measureText('');
        return Math.ceil(m.fontBoundingBoxAscent) + Math.ceil(m.fontBoundingBoxDescent);
      },
      // Coverage of the text in white on nothing: its alpha, row by row.
      mask(face, points, bold, scale, s, width, height) {
        textCanvas.width = Math.max(width, 1);
        textCanvas.height = Math.max(height, 1);
        setFont(face, points, bold, scale);
        text.fillStyle = '#fff';
        text.fillText(s, 0, ascentOf());
        const rgba = text.getImageData(0, 0, width, height).data;
        const coverage = new Uint8Array(width * height);
        for (let i = 0; i < coverage.length; ++i) coverage[i] = rgba[4 * i + 3];
        return coverage;
      },
    },
    redDoorPage: {
      caption(s) {
        caption.textContent = s;
        document.title = s || 'Red Door';
      },
      show(pixels, width, height, rects) {
        if (canvas.width !== width || canvas.height !== height) {
          canvas.width = width;
          canvas.height = height;
          canvas.style.width = (width / devicePixelRatio) + 'px';
          canvas.style.height = (height / devicePixelRatio) + 'px';
        }
        const frame = new ImageData(pixels, width, height);
        for (let i = 0; i < rects.length; i += 4) {
          context.putImageData(frame, 0, 0, rects[i], rects[i + 1], rects[i + 2] - rects[i],
                               rects[i + 3] - rects[i + 1]);
        }
        if (!window.redDoorFirstFrameAt) window.redDoorFirstFrameAt = performance.now();
      },
      fault(s) {
        show('fault', 'reddoor: ' + s);
      },
      note(s) {
        show('note', s);
      },
      fullscreen() {
        toggleFullscreen();
      },
      timerShown(shown) {
        settings.timer = shown;
        saveSettings();
      },
      // "Best run: ...\nBest splits: ..." on one line of the bar.
      bestTimes(s) {
        document.getElementById('best').textContent = s.trim().split('\n').join(' \u00b7 ');
      },
      storage,
    },
    onRuntimeInitialized() {
      fontsReady.then(start);
    },
    // The game's WebAssembly did not load or run: the page says so instead of staying blank.
    onAbort(what) {
      show('fault', typeof WebAssembly !== 'object'
        ? 'Red Door needs WebAssembly, which this browser does not have or has turned off.'
        : (started ? 'The game stopped: ' : 'The game could not start: ') + what);
    },
  };

  // Every face is loaded before the first text is measured.
  const fontsReady = Promise.all([0, 1].flatMap(face => [false, true].map(bold =>
    document.fonts.load((bold ? 'bold ' : '') + '16px ' + FACES[face]))));

  // The space for the game in the page's pixels: the stage less the window's caption and border.
  function space() {
    const full = document.fullscreenElement === stage;
    const width = stage.clientWidth - (full ? 0 : 2);
    const height = stage.clientHeight - (full ? 0 : 20);
    return [Math.floor(width * devicePixelRatio), Math.floor(height * devicePixelRatio)];
  }
  function fit() {
    if (started) Module._RedDoorFit(...space(), settings.largestScale);
  }

  function start() {
    const level = new URLSearchParams(location.search).get('start');
    const first = { Level1: 1, Level2: 2, Level3: 3 }[level] || 0;
    const options = { speed: settings.speed, timer: settings.timer, keys: settings.keys,
                      buttons: settings.buttons };
    Module.ccall('RedDoorStart', null, ['number', 'number', 'number', 'number', 'number', 'string'],
                 [performance.now(), first, ...space(), settings.largestScale,
                  JSON.stringify(options)]);
    started = true;
    canvas.focus();
    wake();
  }
  // The clock runs once a frame while a tick is due within the next frames or a gamepad is to be
  // read; until then, and while the game is held without a gamepad, the page asks for no frames.
  // Input wakes the loop.
  let scheduled = false;
  const FRAME_MS = 17;
  function frame() {
    scheduled = false;
    const now = performance.now();
    if (pads.size) readPads(now);
    const until = Module._RedDoorFrame(now);
    if (until < 0 && !pads.size) return;
    scheduled = true;
    if (until <= FRAME_MS || pads.size) {
      requestAnimationFrame(frame);
    } else {
      setTimeout(() => requestAnimationFrame(frame), until - FRAME_MS);
    }
  }
  function wake() {
    if (started && !scheduled) {
      scheduled = true;
      requestAnimationFrame(frame);
    }
  }

  function toggleFullscreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen();
    } else if (stage.requestFullscreen) {
      stage.requestFullscreen().catch(() => {});
    }
  }
  // The key's name as the key map names keys; '' for a key it cannot name.
  function keyName(event) {
    const name = KEY_PLACES[event.code] || KEY_NAMES[event.key] || '';
    if (name || /^F[0-9]{1,2}$/.test(event.key)) return name || event.key;
    return event.key.length === 1 ? event.key.toUpperCase() : '';
  }
  function key(event, down) {
    if (event.code === 'Enter' && event.altKey) {
      event.preventDefault();
      if (down && !event.repeat) toggleFullscreen();
      return;
    }
    if (event.ctrlKey || event.metaKey || !started) return;
    const name = down ? keyName(event) : keysDown.get(event.code) || keyName(event);
    if (down) {
      keysDown.set(event.code, name);
    } else {
      keysDown.delete(event.code);
    }
    if (!name) return;
    if (event.repeat) {
      if (keysUsed.has(name)) event.preventDefault();
      return;
    }
    const used = Module.ccall('RedDoorKey', 'number', ['string', 'number', 'number'],
                              [name, down ? 1 : 0, performance.now()]);
    if (used) {
      keysUsed.add(name);
      event.preventDefault();
    }
    wake();
  }
  // The keys the game took: their repeats are the game's too.
  const keysUsed = new Set();
  window.addEventListener('keydown', e => key(e, true));
  window.addEventListener('keyup', e => key(e, false));

  // Gamepads with the browser's standard mapping, whose buttons the game knows by number (others
  // are left alone, as the desktop leaves joysticks that are no game controllers). The browser
  // tells of no change on a pad: the page reads the pads once a frame while one is connected.
  const pads = new Set();
  function padGone(index) {
    if (pads.delete(index) && started) Module._RedDoorPadGone(index, performance.now());
  }
  function readPads(now) {
    const seen = navigator.getGamepads();
    for (const index of pads) {
      const pad = seen[index];
      if (!pad || !pad.connected) {
        padGone(index);
        continue;
      }
      let buttons = 0;
      pad.buttons.forEach((button, i) => { if (button.pressed && i < 32) buttons |= 1 << i; });
      Module._RedDoorPad(index, buttons, Math.round((pad.axes[0] || 0) * 32767), now);
    }
  }
  window.addEventListener('gamepadconnected', e => {
    if (e.gamepad.mapping !== 'standard') return;
    pads.add(e.gamepad.index);
    wake();
  });
  window.addEventListener('gamepaddisconnected', e => padGone(e.gamepad.index));

  function canvasPoint(event) {
    const box = canvas.getBoundingClientRect();
    return [Math.floor((event.clientX - box.left) * canvas.width / box.width),
            Math.floor((event.clientY - box.top) * canvas.height / box.height)];
  }
  canvas.addEventListener('pointerdown', e => {
    if (e.button === 0) pointerFrom = canvasPoint(e);
    canvas.focus();
  });
  canvas.addEventListener('pointerup', e => {
    if (e.button !== 0 || !pointerFrom || !started) return;
    Module._RedDoorClick(...pointerFrom, ...canvasPoint(e), performance.now());
    wake();
    pointerFrom = null;
  });

  // The game pauses while the page is hidden or has lost the focus.
  function away() {
    if (started) {
      Module._RedDoorAway(document.hidden || !document.hasFocus() ? 1 : 0, performance.now());
      wake();
    }
  }
  document.addEventListener('visibilitychange', away);
  window.addEventListener('blur', away);
  window.addEventListener('focus', away);
  window.addEventListener('resize', fit);
  document.addEventListener('fullscreenchange', fit);

  document.getElementById('fullscreen').addEventListener('click', toggleFullscreen);
  scaleChoice.value = String(settings.largestScale);
  scaleChoice.addEventListener('change', () => {
    settings.largestScale = Number(scaleChoice.value);
    saveSettings();
    fit();
    canvas.focus();
  });
  document.getElementById('record').addEventListener('click', () => {
    if (!started) return;
    const script = Module.UTF8ToString(Module._RedDoorRecording());
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([script], { type: 'text/plain' }));
    link.download = 'reddoor-recording.script';
    link.click();
    URL.revokeObjectURL(link.href);
    canvas.focus();
  });
  // For the page's tests: where the game stands, as "window|paused|keys|message", and the game
  // time at a moment of the page's clock.
  window.redDoorState = () => started ? Module.UTF8ToString(Module._RedDoorState()) : '';
  window.redDoorGameTimeAt = now => Module._RedDoorGameTime(now);
})();
