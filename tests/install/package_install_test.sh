#!/usr/bin/env bash
# Installs the Debian package into a clean Debian 12 root, as a player would: `apt-get install
# ./reddoor_*.deb` must pull every dependency from Debian. Then, in that root and as a player
# (a login shell, so with /usr/games on the PATH), the game prints its version, plays a
# scripted run on the first level that takes a screenshot and dumps the state, and man finds
# its page. Run it by hand, as root: it downloads the base system the first time.
#
# Usage: package_install_test.sh DEB [CACHE_DIR]
#   DEB        the package, as tools/package.sh writes it (build-package/reddoor_*.deb)
#   CACHE_DIR  keeps the clean base system as a tarball between runs, and the last screenshot
#              (default: build-chroot)
# REDDOOR_DEBIAN_MIRROR chooses the mirror (default: debootstrap's own). Exit 0 passed, 1 failed.
set -euo pipefail

usage="usage: package_install_test.sh DEB [CACHE_DIR]"
deb=$(realpath "${1:?$usage}")
cache=$(realpath -m "${2:-build-chroot}")
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
[[ -f "$deb" ]] || fail "no package $deb"
[[ $(id -u) -eq 0 ]] || fail "debootstrap and chroot need root"
command -v debootstrap >/dev/null || fail "no debootstrap: run tools/install-deps.sh --test"

# The pristine root is built once and kept as a tarball; every run unpacks a fresh copy.
base=$cache/bookworm-minbase.tar
mkdir -p "$cache"
if [[ ! -f "$base" ]]; then
  fresh=$(mktemp -d "$cache/debootstrap.XXXXXX")
  echo "debootstrap: a minimal Debian 12 in $fresh"
  debootstrap --variant=minbase bookworm "$fresh" ${REDDOOR_DEBIAN_MIRROR:+"$REDDOOR_DEBIAN_MIRROR"} \
    >"$cache/debootstrap.log" 2>&1 || fail "debootstrap failed, see $cache/debootstrap.log"
  tar -C "$fresh" -cf "$base.tmp" . && mv "$base.tmp" "$base"
  rm -rf "$fresh"
fi
root=$(mktemp -d "$cache/root.XXXXXX")
cleanup() {
  umount "$root/proc" 2>/dev/null || true
  rm -rf "$root"
}
trap cleanup EXIT
tar -C "$root" -xf "$base"
chmod 755 "$root" # mktemp made it private; it is the root of a system, open to its users
mount -t proc proc "$root/proc"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
printf 'wait 1000\nscreenshot /tmp/x.png\ndump\n' >"$root/tmp/x.script"

in_root() {
  chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"
}
as_player() {
  in_root runuser -l player -c "$1"
}
in_root sh -c "apt-get update -qq && cd /tmp && apt-get install -y -qq man-db ./$(basename "$deb")" \
  >"$cache/apt.log" 2>&1 || fail "apt-get install failed, see $cache/apt.log"
in_root useradd --create-home player

version=$(as_player 'reddoor --version') || fail "reddoor --version failed"
[[ "$version" == "reddoor $(dpkg-deb -f "$deb" Version)" ]] || fail "--version printed '$version'"

dump=$(as_player 'cd /tmp && reddoor --start Level1 --script /tmp/x.script') ||
  fail "the scripted run failed: $dump"
grep -Eq '^\{"t":1000,"visible":"Level1",.*\}$' <<<"$dump" || fail "no dump of Level1: $dump"
shot=$(identify -format '%m %wx%h' "$root/tmp/x.png") || fail "no screenshot /tmp/x.png"
[[ "$shot" == PNG* ]] || fail "the screenshot is not a PNG: $shot"
cp "$root/tmp/x.png" "$cache/screenshot.png" # for a person to look at

page=$(as_player 'man -w reddoor') || fail "man -w reddoor found no page"
[[ "$page" == /usr/share/man/man6/reddoor.6.gz ]] || fail "man -w reddoor gave $page"

echo "installed $(basename "$deb") in a clean Debian 12 root: $version; screenshot $shot; $page"
