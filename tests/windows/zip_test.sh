#!/usr/bin/env bash
# The Windows zip holds one folder with exactly the game, its four font files, their two
# licences and README.txt; the exe needs no DLL but Windows' own and carries its icon, its
# version and a manifest asking for per-monitor DPI awareness and UTF-8.
# Usage: zip_test.sh PATH/TO/reddoor-VERSION-win64.zip
set -euo pipefail
zip=$1
name=$(basename "$zip" .zip)
work=$(mktemp -d "${TMPDIR:-/tmp}/reddoor-zip.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "zip_test: FAILED: $*" >&2; exit 1; }

unzip -Z1 "$zip" | grep -v '/$' | LC_ALL=C sort >"$work/files"
LC_ALL=C sort >"$work/expected" <<FILES
$name/README.txt
$name/fonts/ComicNeue-Bold.otf
$name/fonts/ComicNeue-Regular.otf
$name/fonts/LICENSE-ComicNeue.txt
$name/fonts/LICENSE-LiberationSans.txt
$name/fonts/LiberationSans-Bold.ttf
$name/fonts/LiberationSans-Regular.ttf
$name/reddoor.exe
FILES
diff "$work/expected" "$work/files" >&2 || fail "the zip holds other files"

unzip -q "$zip" -d "$work"
exe=$work/$name/reddoor.exe
# Windows' own DLLs, which every Windows 10 and 11 has.
system='^(advapi32|gdi32|imm32|kernel32|msvcrt|ole32|oleaut32|setupapi|shell32|user32|version|winmm)\.dll$'
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z')
[[ -n "$dlls" ]] || fail "no imports found"
others=$(grep -Ev "$system" <<<"$dlls" || true)
[[ -z "$others" ]] || fail "reddoor.exe needs DLLs that Windows lacks: $others"

resources=$(wrestool -l "$exe")
for type in 14 16 24; do  # group icon, version, manifest
  grep -q -- "--type=$type " <<<"$resources" || fail "no resource of type $type: $resources"
done
wrestool -x --raw --type=14 "$exe" | od -An -tu2 -N6 | grep -q ' 0 *1 *5$' ||
  fail "the icon does not hold five sizes"
manifest=$(wrestool -x --raw --type=24 "$exe")
for want in PerMonitorV2 '>UTF-8<'; do
  grep -qF -- "$want" <<<"$manifest" || fail "the manifest lacks $want"
done
strings -el "$exe" | grep -qx 'Red Door' || fail "no product name in the version"
grep -q $'\r$' "$work/$name/README.txt" || fail "README.txt has no CRLF line ends"
echo "zip_test: passed"
