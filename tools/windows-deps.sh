#!/usr/bin/env bash
# Builds the libraries the Windows game links statically (SDL2, FreeType, SDL2_ttf, SDL2_image,
# fmt; the headers of nlohmann-json and CLI11; GoogleTest for the tests) from Debian's own
# source packages, with the MinGW-w64 cross compiler, and prints the list of
# their install prefixes for CMAKE_PREFIX_PATH (";"-separated) as its last line of output.
#
# The sources come from the archive the machine already uses, through an apt configuration of
# this script's own (deb-src lines, package lists and cache under the cache folder), so the
# machine's apt set-up is never changed. Each library is built once per version of its source
# package (and of the libraries it builds on) and kept in REDDOOR_CACHE (default
# ~/.cache/reddoor), outside every build tree. Progress goes to stderr.
set -euo pipefail
shopt -s inherit_errexit
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${REDDOOR_CACHE:-$HOME/.cache/reddoor}/mingw
toolchain=$root/cmake/mingw-w64-x86_64.cmake
jobs=${REDDOOR_JOBS:-$(nproc)}
mkdir -p "$cache"/apt/{lists/partial,cache/archives/partial,sources.d} "$cache"/{src,build}
log() { echo "windows-deps: $*" >&2; }

# deb-src stanzas for the Debian archives among the machine's deb822 sources.
sources=$cache/apt/sources.d/reddoor.sources
awk 'BEGIN { RS = ""; ORS = "\n\n" }
     /Types:[^\n]*deb/ && /URIs:[^\n]*debian/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' \
  /etc/apt/sources.list.d/*.sources >"$sources.new"
[[ -s "$sources.new" ]] || { log "no Debian archive in /etc/apt/sources.list.d/*.sources"; exit 1; }
if cmp -s "$sources.new" "$sources"; then rm "$sources.new"; else mv "$sources.new" "$sources"; fi
apt_options=(
  -o "Dir::Etc::sourcelist=$cache/apt/none.list" -o "Dir::Etc::sourceparts=$cache/apt/sources.d"
  -o "Dir::State::Lists=$cache/apt/lists" -o "Dir::Cache=$cache/apt/cache"
  -o "APT::Sandbox::User=$(id -un)" -o "Debug::NoLocking=1"
)
touch "$cache/apt/none.list"
# The package lists are read again once a day, or when the sources changed.
stamp=$cache/apt/updated
if [[ ! -e "$stamp" || -n $(find "$stamp" -mmin +1440) || "$sources" -nt "$stamp" ]]; then
  log "reading the source package lists"
  apt-get "${apt_options[@]}" -qq update >&2
  touch "$stamp"
fi

# version PACKAGE: the version apt-get source would fetch.
version() {
  apt-get "${apt_options[@]}" source --print-uris "$1" 2>/dev/null |
    awk -v p="$1_" '$2 ~ "^" p ".*\\.dsc$" { sub(p, "", $2); sub(/\.dsc$/, "", $2); print $2; exit }'
}

# unpack PACKAGE VERSION: the unpacked source folder, fetched on first use.
unpack() {
  local dir=$cache/src/$1_$2
  if [[ ! -e "$dir/.unpacked" ]]; then
    log "fetching the source of $1 $2"
    rm -rf "$dir" && mkdir -p "$dir"
    (cd "$dir" && apt-get "${apt_options[@]}" -qq source "$1=$2" >&2)
    touch "$dir/.unpacked"
  fi
  find "$dir" -mindepth 1 -maxdepth 1 -type d | head -n1
}

prefixes=()
# build NAME PACKAGE CMAKE-OPTIONS...: builds and installs one library into its own prefix, once.
build() {
  local name=$1 package=$2 ver
  shift 2
  ver=$(version "$package")
  [[ -n "$ver" ]] || { log "no source package $package"; exit 1; }
  local prefix=$cache/$name-$ver
  local key
  key="$ver ${prefixes[*]} $* $(sha1sum <"$toolchain" | cut -c1-12)"
  if [[ ! -e "$prefix/.built" || "$(cat "$prefix/.built")" != "$key" ]]; then
    local src start=$SECONDS
    src=$(unpack "$package" "$ver")
    log "building $name $ver"
    rm -rf "$prefix" "$cache/build/$name"
    local prefix_path
    prefix_path=$(IFS=';'; echo "${prefixes[*]}")
    nice -n 10 cmake -S "$src" -B "$cache/build/$name" -G Ninja -Wno-dev \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix_path" \
      -DBUILD_SHARED_LIBS=OFF "$@" >"$cache/build/$name.log" 2>&1 ||
      { tail -n 40 "$cache/build/$name.log" >&2; exit 1; }
    nice -n 10 cmake --build "$cache/build/$name" -j"$jobs" >>"$cache/build/$name.log" 2>&1 &&
      cmake --install "$cache/build/$name" >>"$cache/build/$name.log" 2>&1 ||
      { tail -n 40 "$cache/build/$name.log" >&2; exit 1; }
    echo "$key" >"$prefix/.built"
    rm -rf "$cache/build/$name"
    log "built $name $ver in $((SECONDS - start)) s"
  fi
  prefixes+=("$prefix")
}

build sdl2 libsdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_AUDIO=OFF \
  -DSDL_STATIC_PIC=ON
build freetype freetype -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
build sdl2-ttf libsdl2-ttf -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF -DSDL2TTF_SAMPLES=OFF
build sdl2-image libsdl2-image -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_SAMPLES=OFF \
  -DSDL2IMAGE_DEPS_SHARED=OFF -DSDL2IMAGE_BACKEND_STB=ON -DSDL2IMAGE_AVIF=OFF \
  -DSDL2IMAGE_JPG=OFF -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF
build fmt fmtlib -DFMT_TEST=OFF -DFMT_DOC=OFF
build nlohmann-json nlohmann-json3 -DJSON_BuildTests=OFF
build cli11 cli11 -DCLI11_BUILD_TESTS=OFF -DCLI11_BUILD_EXAMPLES=OFF -DCLI11_BUILD_DOCS=OFF
build googletest googletest -DBUILD_GMOCK=OFF
(IFS=';'; echo "${prefixes[*]}")
