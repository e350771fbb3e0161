#!/usr/bin/env bash
# Serves the built page (tools/build-web.sh) on this machine only: http://127.0.0.1:PORT/
#   tools/serve-web.sh [PORT] [SITE]     (default 8000, build-web/site)
set -euo pipefail
cd "$(dirname "$0")/.."
port=${1:-8000}
site=${2:-build-web/site}
[[ -f "$site/index.html" ]] || { echo "serve-web: no $site/index.html; run tools/build-web.sh" >&2; exit 1; }
echo "Red Door on http://127.0.0.1:$port/"
exec python3 -m http.server --bind 127.0.0.1 --directory "$site" "$port"
