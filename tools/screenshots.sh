#!/usr/bin/env bash
# Builds Red Door and draws the README's pictures of its five windows, in play, with the
# headless scripted run: docs/screenshots/{intro,level1,level2,level3,finish}.png.
#
# The pictures are taken along the full playthrough (tests/golden/full_playthrough.script).
# Rather than keeping a copy of that route with screenshot lines in it, which would go stale
# whenever the route changes, the script is made here on the fly: each window's picture is
# taken a set time after the window shows, and the times the windows show are read from the
# route's expected output (full_playthrough.jsonl), which the golden test keeps in step with
# the route. A wait that runs past a picture's time is split around the screenshot line.
#
# REDDOOR_BUILD names the build directory (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${REDDOOR_BUILD:-build}
route=tests/golden/full_playthrough
out=docs/screenshots

tools/install-deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target reddoor -j"$(nproc)"

# Milliseconds after its window shows that each picture is taken: the title as it opens; the
# first level with nine coins taken; the second on the sliding block, ten of its coins taken;
# the third on the top ledge, walking to the door; the closing window once its caption has
# changed colour a few times.
delays="Intro=0 Level1=10000 Level2=34000 Level3=13000 Finish=300"

mkdir -p "$out"
awk -v delays="$delays" -v out="$out" '
  BEGIN {
    pictured = split(delays, pairs, " ")
    for (i = 1; i <= pictured; i++) { split(pairs[i], kv, "="); delay[kv[1]] = kv[2] }
  }
  function due(shot) { split(shot, part, " "); return part[1] + 0 }
  function take_due_shots() {
    while (next_shot <= count && due(shots[next_shot]) <= now) {
      split(shots[next_shot++], part, " ")
      print "screenshot " out "/" tolower(part[2]) ".png"
    }
  }

  # First file, the expected output: each pictured window gives a shot, "TIME WINDOW".
  FNR == NR {
    if ($0 ~ /"event":"show"/ && match($0, /"window":"[A-Za-z0-9]+"/)) {
      window = substr($0, RSTART + 10, RLENGTH - 11)
      match($0, /"t":[0-9]+/)
      shown = substr($0, RSTART + 4, RLENGTH - 4)
      if (window in delay) shots[++count] = shown + delay[window] " " window
    }
    next
  }

  # Second file, the route itself. Put the shots in time order first (there are five).
  FNR == 1 {
    for (i = 2; i <= count; i++)
      for (j = i; j > 1 && due(shots[j]) < due(shots[j - 1]); j--) {
        swap = shots[j]; shots[j] = shots[j - 1]; shots[j - 1] = swap
      }
    next_shot = 1
  }
  /^[ \t]*(#|$)/ { print; next }
  $1 == "wait" {
    take_due_shots()
    end = now + $2
    while (next_shot <= count && due(shots[next_shot]) < end) {
      print "wait " due(shots[next_shot]) - now
      now = due(shots[next_shot])
      take_due_shots()
    }
    if (end > now) print "wait " end - now
    now = end
    next
  }
  # Shots due after the last wait are taken before the window closes.
  $1 == "close" {
    take_due_shots()
    if (next_shot <= count) {
      print "wait " due(shots[count]) - now
      now = due(shots[count])
    }
  }
  { take_due_shots(); print }

  END {
    if (count < pictured) fail("a pictured window never shows in the route")
    if (next_shot <= count) fail("the route ends before every picture is taken")
  }
  function fail(message) { print message > "/dev/stderr"; exit 1 }
' "$route.jsonl" "$route.script" | "$build/reddoor" --script - --scale 1 >/dev/null

echo "Wrote $out/intro.png, level1.png, level2.png, level3.png and finish.png."
