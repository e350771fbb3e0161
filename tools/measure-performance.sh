#!/usr/bin/env bash
# Measures Red Door against its performance targets and rewrites docs/performance.md:
# builds the Release configuration in build-perf (benchmarks and soak included), then runs
# tools/measure_performance.py, which takes about 4 minutes. Measure on a quiet machine: the
# document notes the load average seen while measuring.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --test
# Only the measurement needs these: the system call trace and GNU time.
missing=()
for p in strace time; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  sudo=()
  [[ $(id -u) -eq 0 ]] || sudo=(sudo)
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
build=build-perf
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DREDDOOR_TESTS=ON \
  -DREDDOOR_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target reddoor reddoor_bench reddoor_soak
python3 tools/measure_performance.py "$build" docs/performance.md
