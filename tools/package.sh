#!/usr/bin/env bash
# Builds the Debian package of Red Door, reddoor_VERSION_ARCH.deb, and checks it as Debian
# would: lintian must report no error and no warning (the package's own overrides excepted,
# each with its reason), appstreamcli must accept its software-centre entry, and
# desktop-file-validate its menu entry. Installs what is missing first.
#
# Usage: tools/package.sh [BUILD_DIR]   (default: build-package; the package is written there)
#
# The build is a release build of the game alone, with Debian's compiler and linker flags
# (dpkg-buildflags: hardening, optimisation), the binary installed in /usr/games.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}

tools/install-deps.sh --package

# Every hardening Debian knows, binding at load time included. CMake takes the flags from the
# environment, and has no CPPFLAGS of its own.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DREDDOOR_TESTS=OFF \
  -DREDDOOR_INSTALL_BINDIR=games >/dev/null
cmake --build "$build" -j2

version=$("$build/reddoor" --version)
version=${version##* }
changelog=$(dpkg-parsechangelog -l dist/changelog -S Version)
if [[ "$changelog" != "$version" ]]; then
  echo "error: dist/changelog's newest entry is $changelog, the project is $version:" \
    "add an entry for $version" >&2
  exit 1
fi

rm -f "$build"/reddoor_*.deb
(cd "$build" && cpack -G DEB >cpack.log) || {
  cat "$build/cpack.log" >&2
  echo "error: cpack failed" >&2
  exit 1
}
debs=("$build"/reddoor_"$version"_*.deb)
deb=${debs[0]}
[[ -f "$deb" ]] || { echo "error: cpack wrote no $build/reddoor_${version}_*.deb" >&2; exit 1; }

echo "lintian $deb:"
lintian --fail-on error,warning --display-info --show-overrides "$deb"

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
appstreamcli validate --no-net "$tree"/usr/share/metainfo/*.metainfo.xml
appstreamcli validate-tree --no-net "$tree"
desktop-file-validate "$tree"/usr/share/applications/reddoor.desktop

echo "package: $deb"
