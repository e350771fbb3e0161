#!/usr/bin/env python3
"""Measures Red Door against its performance targets and writes docs/performance.md.

Run through tools/measure-performance.sh, which builds the Release binaries first:
    tools/measure_performance.py BUILD_DIR DOC
Needs Xvfb, strace and /usr/bin/time (GNU time) for the real-window figures.
"""
import json
import os
import platform
import random
import re
import resource
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time
from datetime import datetime, timezone
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
PLAYTHROUGH = ROOT / "tests/golden/full_playthrough.script"
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")
PAGE_KIB = os.sysconf("SC_PAGE_SIZE") // 1024


def run(cmd, **kwargs):
    return subprocess.run(cmd, check=True, capture_output=True, text=True, **kwargs)


def load_average():
    return os.getloadavg()[0]


def machine():
    cpuinfo = Path("/proc/cpuinfo").read_text()
    model = re.search(r"^model name\s*:\s*(.+)$", cpuinfo, re.M)
    meminfo = Path("/proc/meminfo").read_text()
    mem_kib = int(re.search(r"^MemTotal:\s*(\d+)", meminfo, re.M).group(1))
    return {
        "cpus": os.cpu_count(),
        "model": model.group(1).strip() if model else platform.processor(),
        "memory": f"{mem_kib / 1024 / 1024:.1f} GiB",
        "kernel": platform.release(),
    }


# --- benchmarks -------------------------------------------------------------------------------


def benchmarks(build):
    """Median of 5 repetitions of each benchmark, by name."""
    out = run([str(build / "bench/reddoor_bench"), "--benchmark_repetitions=5",
               "--benchmark_report_aggregates_only=true", "--benchmark_format=json"]).stdout
    figures = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            figures[b["run_name"]] = b
    return figures


# --- the scripted playthrough ----------------------------------------------------------------


def wall_ms(cmd, runs=20):
    """Median and best wall time of a whole process, and its median CPU time."""
    times, cpu = [], []
    for _ in range(runs):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.perf_counter_ns()
        subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL)
        times.append((time.perf_counter_ns() - start) / 1e6)
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpu.append((after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime) * 1e3)
    return statistics.median(times), min(times), statistics.median(cpu)


def shared_libraries(game):
    return len(run(["ldd", str(game)]).stdout.splitlines())


def playthrough_peak_rss_kib(game):
    err = run(["/usr/bin/time", "-v", str(game), "--script", str(PLAYTHROUGH)]).stderr
    return int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", err).group(1))


def fonts_opened(game):
    """Font files a scripted run without a screenshot opens (strace)."""
    with tempfile.NamedTemporaryFile(suffix=".strace") as trace:
        run(["strace", "-f", "-e", "trace=openat,open", "-o", trace.name, str(game), "--script",
             str(PLAYTHROUGH)])
        opened = Path(trace.name).read_text().splitlines()
    return [line for line in opened if re.search(r"\.(ttf|otf|pcf)\b|/etc/fonts|fontconfig/", line)
            and "ENOENT" not in line]


# --- memory over 1,000,000 headless ticks -----------------------------------------------------


def soak(build, ticks=1_000_000):
    out = run([str(build / "tests/reddoor_soak"), "--ticks", str(ticks), "--seed", "1"]).stdout
    live = re.search(r"live allocations: (\d+) after the first game, (\d+) at the end, (\d+) at most",
                     out)
    rss = re.search(r"peak resident memory: (\d+) KiB", out)
    return {"baseline": int(live.group(1)), "final": int(live.group(2)),
            "peak": int(live.group(3)), "rss_kib": int(rss.group(1)), "ticks": ticks}


# --- real windows under Xvfb ------------------------------------------------------------------


class XServer:
    """An Xvfb of our own on a display number drawn at random, far from -displayfd's."""

    def __enter__(self):
        for _ in range(5):
            display = f":{random.randint(100, 999)}"
            self.proc = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24",
                                          "-nolisten", "tcp"], stderr=subprocess.DEVNULL)
            env = dict(os.environ, DISPLAY=display)
            for _ in range(100):
                if self.proc.poll() is not None:
                    break
                if subprocess.run(["xwininfo", "-root"], env=env, capture_output=True).returncode == 0:
                    self.env = env
                    return self
                time.sleep(0.1)
            self.proc.kill()
            self.proc.wait()
        raise RuntimeError("Xvfb did not start")

    def __exit__(self, *_):
        self.proc.terminate()
        self.proc.wait()


class TimingLog:
    def __init__(self, path):
        self.ticks = []  # (window, timer, due, at)
        self.frames = []  # (window, at)
        self.zero_ns = None
        for line in Path(path).read_text().splitlines():
            words = line.split()
            if words[:2] == ["clock", "0"]:
                self.zero_ns = int(words[3])
            elif words and words[0] == "tick" and len(words) >= 7:
                self.ticks.append((words[1], words[2], int(words[4]), float(words[6])))
            elif words and words[0] == "frame" and len(words) == 4:
                self.frames.append((words[1], float(words[3])))


def log_zero(path):
    return TimingLog(path).zero_ns


def cpu_seconds(pid):
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS  # utime + stime


def peak_rss_kib(pid):
    status = Path(f"/proc/{pid}/status").read_text()
    return int(re.search(r"^VmHWM:\s*(\d+)", status, re.M).group(1))


def wait_for(predicate, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if predicate():
            return True
        time.sleep(0.01)
    return False


class Game:
    """The game in a real window with a timing log; ended by SIGTERM, which SDL turns into quit."""

    def __init__(self, game, xserver, args, log):
        self.log = log
        log.unlink(missing_ok=True)  # a log of an earlier run must not pass for this one's
        self.started_ns = time.monotonic_ns()
        self.proc = subprocess.Popen([str(game), "--timing-log", str(log), *args], env=xserver.env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)

    def first_frame(self, seconds=10):
        def framed():
            return self.log.exists() and TimingLog(self.log).frames

        if not wait_for(framed, seconds):
            raise RuntimeError("the game drew no frame: " + self.stop())
        return TimingLog(self.log)

    def stop(self):
        self.proc.send_signal(signal.SIGTERM)
        try:
            _, err = self.proc.communicate(timeout=10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            _, err = self.proc.communicate()
        return err.decode(errors="replace")


def startup_ms(game, xserver, work, runs=7):
    """Exec to the first frame of Intro on the screen, by the monotonic clock."""
    times, cpu = [], []
    for i in range(runs):
        g = Game(game, xserver, [], work / f"startup{i}.log")
        log = g.first_frame()
        cpu.append(cpu_seconds(g.proc.pid) * 1e3)
        g.stop()
        window, at = log.frames[0]
        assert window == "Intro"
        times.append((log.zero_ns + at * 1e6 - g.started_ns) / 1e6)
    return statistics.median(times), max(times), statistics.median(cpu)


def idle_title(game, xserver, work, seconds):
    g = Game(game, xserver, [], work / "title.log")
    g.first_frame()
    time.sleep(1)  # the window is shown and exposed
    begin_cpu, begin = cpu_seconds(g.proc.pid), time.monotonic()
    begin_at = (time.monotonic_ns() - log_zero(g.log)) / 1e6
    time.sleep(seconds)
    cpu = (cpu_seconds(g.proc.pid) - begin_cpu) / (time.monotonic() - begin)
    g.stop()
    log = TimingLog(g.log)
    return {"cpu": cpu, "frames": sum(1 for f in log.frames if f[1] >= begin_at),
            "startup_frames": sum(1 for f in log.frames if f[1] < begin_at),
            "ticks": len(log.ticks)}


def percentile(values, p):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(p / 100 * (len(ordered) - 1))))]


def level2_play(game, xserver, work, seconds):
    g = Game(game, xserver, ["--start", "Level2"], work / "level2.log")
    log = g.first_frame()
    begin_cpu, begin = cpu_seconds(g.proc.pid), time.monotonic()
    begin_at = (time.monotonic_ns() - log.zero_ns) / 1e6
    time.sleep(seconds)
    cpu = (cpu_seconds(g.proc.pid) - begin_cpu) / (time.monotonic() - begin)
    rss = peak_rss_kib(g.proc.pid)
    err = g.stop()
    log = TimingLog(g.log)
    ticks = [t for t in log.ticks if t[3] >= begin_at]
    game_ticks = [t for t in ticks if t[0] == "Level2" and t[1] == "tmrGame"]
    if not game_ticks:
        raise RuntimeError("no game ticks logged: " + err)
    late = [at - due for _, _, due, at in game_ticks]
    all_late = [at - due for _, _, due, at in ticks]
    first_due, last_due = game_ticks[0][2], game_ticks[-1][2]
    # A tick later than a whole period is not made up: the next keeps to the grid.
    off_grid = sum(1 for t in game_ticks if (t[2] - first_due) % 100 != 0)
    skipped = (last_due - first_due) // 100 + 1 - len(game_ticks)
    half = len(late) // 2
    return {
        "cpu": cpu, "rss_kib": rss, "game_ticks": len(game_ticks), "timer_ticks": len(ticks),
        "p50": percentile(late, 50), "p99": percentile(late, 99), "worst": max(late),
        "all_p99": percentile(all_late, 99), "all_worst": max(all_late),
        "off_grid": off_grid, "skipped": skipped,
        "drift": statistics.mean(late[half:]) - statistics.mean(late[:half]),
        "frames": sum(1 for f in log.frames if f[1] >= begin_at),
        "timers": sorted({t[1] for t in ticks}),
    }


# --- the document ------------------------------------------------------------------------------


def verdict(ok):
    return "met" if ok else "**not met**"


HISTORY = "\n## History\n"


def write_doc(path, m, f):
    b = f["bench"]
    ticks = {lvl: b[f"GameTicks/level:{i}"]["ticks/s"] for i, lvl in ((1, "Level1"), (2, "Level2"),
                                                                         (3, "Level3"))}
    frame1 = b["Level1Frame/scale:1"]["real_time"]
    frame3 = b["Level1Frame/scale:3"]["real_time"]
    first1 = b["Level1FirstFrame/scale:1"]["real_time"]
    first3 = b["Level1FirstFrame/scale:3"]["real_time"]
    s, t, l2 = f["soak"], f["title"], f["level2"]
    peak_rss = max(f["script_rss"], l2["rss_kib"], f["startup_rss"])
    # The soak's own test: idle moments differ by at most 64 live allocations.
    flat = s["final"] - s["baseline"] <= 64
    rows = [
        ("Simulation speed, Level1 (one core)", ">= 2,000,000 ticks/s",
         f"{ticks['Level1']:,.0f} ticks/s (Level2 {ticks['Level2']:,.0f}, Level3 "
         f"{ticks['Level3']:,.0f})", ticks["Level1"] >= 2e6),
        ("Scripted playthrough, whole process", "<= 50 ms wall",
         f"{f['script_ms'][0]:.1f} ms median of 20 (best {f['script_ms'][1]:.1f} ms; CPU "
         f"{f['script_ms'][2]:.0f} ms); `reddoor --version` alone {f['version_ms'][0]:.1f} ms "
         f"(best {f['version_ms'][1]:.1f}; CPU {f['version_ms'][2]:.0f} ms)",
         f["script_ms"][0] <= 50),
        ("Fonts opened by a scripted run without `screenshot`", "none",
         f"{len(f['fonts'])} files", not f["fonts"]),
        ("Level1 frame drawn, scale 1 (caches warm)", "<= 1 ms", f"{frame1:.3f} ms", frame1 <= 1),
        ("Level1 frame drawn, scale 3 (caches warm)", "<= 4 ms", f"{frame3:.3f} ms", frame3 <= 4),
        ("Level2, 60 s real play: CPU", "<= 2 % of one core", f"{l2['cpu'] * 100:.2f} %",
         l2["cpu"] <= 0.02),
        ("Level2: game tick lateness, 99th percentile", "<= 2 ms", f"{l2['p99']:.2f} ms",
         l2["p99"] <= 2),
        ("Level2: game tick lateness, worst", "<= 10 ms", f"{l2['worst']:.2f} ms",
         l2["worst"] <= 10),
        ("Level2: drift (n-th tick due at start + n x 100 ms)", "none",
         f"{l2['off_grid']} of {l2['game_ticks']} ticks off the grid ({l2['skipped']} skipped "
         f"for being a period late); mean lateness 2nd half - 1st half {l2['drift']:+.3f} ms",
         l2["off_grid"] == 0 and abs(l2["drift"]) < 1),
        ("Title window, nothing moving: CPU", "< 0.5 %", f"{t['cpu'] * 100:.2f} %",
         t["cpu"] < 0.005),
        (f"Title window: frames drawn while idle ({f['title_seconds']} s)", "none",
         f"{t['frames']} ({t['startup_frames']} while it came up)", t["frames"] == 0),
        ("Exec to first presented frame of Intro", "<= 150 ms",
         f"{f['startup'][0]:.0f} ms median of 7 (worst {f['startup'][1]:.0f} ms; CPU time "
         f"{f['startup'][2]:.0f} ms)",
         f["startup"][0] <= 150),
        ("Peak resident memory", "<= 64 MB",
         f"{peak_rss / 1024:.1f} MiB (real window {l2['rss_kib'] / 1024:.1f}, scripted "
         f"{f['script_rss'] / 1024:.1f})", peak_rss <= 64 * 1024),
        ("Memory over 1,000,000 headless ticks", "flat",
         f"live allocations {s['baseline']} after the first game, {s['final']} at the end "
         f"(at most {s['peak']}); peak RSS {s['rss_kib'] / 1024:.1f} MiB", flat),
    ]
    table = "\n".join(f"| {name} | {target} | {value} | {verdict(ok)} |"
                      for name, target, value, ok in rows)
    loaded = max(f["load"]) > 1.0
    load_note = (f"The load average (1 min) was {min(f['load']):.2f} to {max(f['load']):.2f} while "
                 "measuring" + (": **the machine was loaded** by other builds and fuzzers, so the CPU "
                                "and timing figures are pessimistic." if loaded else "."))
    text = f"""# Performance

Figures of the latest run of `tools/measure-performance.sh`, which regenerates this file. It
builds the Release configuration in `build-perf`, runs the benchmarks of `bench/` and measures
the real program from outside.

## Machine

- {m['cpus']} cores: {m['model']}
- {m['memory']} memory; Linux {m['kernel']}
- measured {f['when']}. {load_note}

## Figures against the targets

| what | target | measured | |
|---|---|---|---|
{table}

## Method

- **Simulation speed**: `reddoor_bench --benchmark_filter=GameTicks` (`bench/simulation_bench.cpp`):
  one 100 ms game tick and the block timers due in it, per iteration, the player walking right,
  sometimes left, and jumping every other second; no drawing, no JSON. Median of 5 repetitions.
- **Drawing**: `Level1Frame` (`bench/drawing_bench.cpp`): `Renderer::Draw` of the whole Level1
  window through `SdlMedia`, caches warm as on every frame but the first. `Level1FirstFrame`
  draws with a fresh `SdlMedia` (fonts opened, text and pictures drawn from scratch):
  {first1:.2f} ms at scale 1 and {first3:.2f} ms at scale 3, the cost the caches save.
- **Scripted playthrough**: wall time of the whole process
  `reddoor --script tests/golden/full_playthrough.script`, 20 runs. Peak resident memory of the
  same run from `/usr/bin/time -v`. `reddoor --version`, timed the same way, is the cost of
  starting the process at all: the loader maps {f['libraries']} shared libraries (SDL2 and its
  image and font libraries bring most of them). `strace -e openat` of the same run lists the font files
  opened: a run without `screenshot` opens none.
- **Memory over 1,000,000 headless ticks**: `reddoor_soak --ticks 1000000` counts the live
  heap allocations after the first game and at the end; it fails by itself when they differ by
  more than 64 (what an idle moment on one level holds more than on another).
- **Real play** (a window of its own under `Xvfb`): `reddoor --start Level2 --timing-log FILE`,
  no keys pressed, for 60 s. CPU use is utime + stime from `/proc/PID/stat` over the interval;
  peak resident memory is `VmHWM` from `/proc/PID/status`. The timing log has one line per timer
  tick with its due time and the time it ran, on the game clock, and one per presented frame;
  lateness is the difference for the `tmrGame` ticks ({l2['game_ticks']} in the interval; over
  all {l2['timer_ticks']} timer ticks, {', '.join(l2['timers'])}: p99 {l2['all_p99']:.2f} ms,
  worst {l2['all_worst']:.2f} ms; median game tick lateness {l2['p50']:.2f} ms; {l2['frames']}
  frames presented). Drift: every tick's due time must be the first one's plus n x 100 ms, and
  the mean lateness must not grow from the first half to the second.
- **Title window**: `reddoor --timing-log FILE` idle for {f['title_seconds']} s, from 1 s after its
  first frame: CPU as above, and the frames presented in that time ({t['ticks']} timer ticks
  logged).
- **Start-up**: the log's first line gives the game clock's zero on `CLOCK_MONOTONIC`; the
  measurement takes the same clock just before starting the process, and subtracts it from the
  time of the first `frame Intro` line. Median of 7 runs.
"""
    if not all(ok for *_, ok in rows):
        text += notes(f, loaded)
    # The history below the figures is written by hand and kept.
    old = Path(path).read_text() if Path(path).exists() else ""
    if HISTORY in old:
        text += old[old.index(HISTORY):]
    Path(path).write_text(text)
    return rows


def notes(f, loaded):
    l2 = f["level2"]
    load = (f"- The machine was loaded while measuring (load average up to {max(f['load']):.1f} on "
            f"{os.cpu_count()} cores).\n" if loaded else "")
    return f"""
## Notes on the figures

{load}- Wall-clock figures stretch when the game waits for a core, while its CPU time does
  not. The scripted playthrough took {f['script_ms'][2]:.0f} ms of CPU, and `reddoor --version`,
  which only starts and ends the process, {f['version_ms'][2]:.0f} ms: nearly all of the run is
  the dynamic loader mapping and relocating {f['libraries']} shared libraries. The game itself
  (the simulation, the dump) costs next to nothing; see the simulation speed.
- Start-up to the first frame of Intro used {f['startup'][2]:.0f} ms of CPU in the game process;
  the rest of the wall time is waiting: for a core, and for the X server, which also competes
  for the same cores.
- The game tick lateness median was {l2['p50']:.2f} ms; the late ticks of the tail are most likely ticks whose
  process was ready to run on time but got a core late. A tick more than one period late is not
  made up ({l2['skipped']} skipped), the next one keeps to the grid: the due times stay on the
  100 ms grid of the first tick, so there is no drift.
"""


def main():
    build, doc = Path(sys.argv[1]), Path(sys.argv[2])
    game = build / "reddoor"
    f = {"when": datetime.now(timezone.utc).strftime("%Y-%m-%d %H:%M UTC"), "load": [load_average()]}
    print("benchmarks ...", flush=True)
    f["bench"] = benchmarks(build)
    f["load"].append(load_average())
    print("scripted playthrough ...", flush=True)
    f["script_ms"] = wall_ms([str(game), "--script", str(PLAYTHROUGH)])
    f["version_ms"] = wall_ms([str(game), "--version"])
    f["libraries"] = shared_libraries(game)
    f["script_rss"] = playthrough_peak_rss_kib(game)
    f["fonts"] = fonts_opened(game)
    print("1,000,000 headless ticks ...", flush=True)
    f["soak"] = soak(build)
    f["load"].append(load_average())
    f["title_seconds"] = 30
    work = build / "timing-logs"
    work.mkdir(exist_ok=True)
    with XServer() as x:
        print("start-up ...", flush=True)
        f["startup"] = startup_ms(game, x, work)
        g = Game(game, x, [], work / "rss.log")
        g.first_frame()
        f["startup_rss"] = peak_rss_kib(g.proc.pid)
        g.stop()
        print(f"title window, {f['title_seconds']} s ...", flush=True)
        f["title"] = idle_title(game, x, work, f["title_seconds"])
        f["load"].append(load_average())
        print("Level2, 60 s ...", flush=True)
        f["level2"] = level2_play(game, x, work, 60)
        f["load"].append(load_average())
    rows = write_doc(doc, machine(), f)
    for name, target, value, ok in rows:
        print(f"{'ok ' if ok else 'NOT'} {name}: {value} (target {target})")
    print(f"wrote {doc}")


if __name__ == "__main__":
    main()
