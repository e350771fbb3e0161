#!/usr/bin/env bash
# Installs the Debian packages that building and playing Red Door need; with --test also what
# its tests need, with --painter what the picture painter (tools/paint-pictures.sh) needs,
# with --package what building and checking the Debian package (tools/package.sh) needs, with
# --windows what the Windows build and its tests (tools/build-windows.sh) need.
# Does nothing when everything is already there. Non-interactive; uses sudo when not root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libfontconfig-dev
  fonts-liberation2 fonts-comic-neue
  nlohmann-json3-dev libcli11-dev libfmt-dev
  libgtest-dev libgmock-dev libbenchmark-dev
)
if [[ "${1:-}" == "--painter" ]]; then
  packages+=(libgif-dev)
fi
# Building the Debian package (CPack needs `file` to find the binaries for dpkg-shlibdeps) and
# checking it as Debian does.
package_tools=(dpkg-dev file lintian appstream desktop-file-utils)
if [[ "${1:-}" == "--package" ]]; then
  packages+=("${package_tools[@]}")
fi
# The Windows build (tools/build-windows.sh): the cross compiler, the icon's maker, the zip, the
# fonts that go with the game, and Wine and an X server for its tests.
if [[ "${1:-}" == "--windows" ]]; then
  packages=(cmake ninja-build dpkg-dev g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
    icoutils zip unzip fonts-liberation2 fonts-comic-neue wine64 xvfb xauth xdotool x11-utils
    imagemagick)
fi
if [[ "${1:-}" == "--test" ]]; then
  # The test command builds and checks the package too.
  packages+=("${package_tools[@]}")
  # The install of the package into a clean Debian root (run by hand).
  packages+=(debootstrap)
  packages+=(xvfb xauth xfonts-base xdotool imagemagick x11-utils python3)
  # A window manager for the fullscreen test: without one, X has no fullscreen.
  packages+=(openbox)
  # The install test validates the desktop entry.
  packages+=(desktop-file-utils)
  # The style check.
  packages+=(clang-format clang-tidy)
  # The fuzz targets: clang with libFuzzer and the sanitizer runtimes.
  packages+=(clang-14 libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "error: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
