#!/usr/bin/env bash
# Prepares a machine to build and test the player: the cross compiler, Wine with its
# virtual display and sound sink, and the image libraries cross-built from Debian's
# source packages. Safe to run again: every step skips what is already done.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
deps=$build/deps
prefix=$deps/prefix
mkdir -p "$build"
apt_log=$build/setup-packages.log

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

packages=(
  g++-mingw-w64-i686 libz-mingw-w64-dev cmake make dpkg-dev
  wine wine32:i386 xvfb pulseaudio libpulse0:i386
  gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386 gstreamer1.0-libav:i386
  googletest xauth
  imagemagick xdotool pulseaudio-utils
)

# No "producer | grep -q" under pipefail here: grep ends at its first match, the producer
# may then die of SIGPIPE, and the pipe would report a failure for a match.
missing_packages() {
  local p
  for p in "${packages[@]}"; do
    [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || echo "$p"
  done
}

has_source_lists() {
  local listed
  listed=$(apt-cache showsrc libpng1.6 2>/dev/null) || return 1
  grep -q '^Version:' <<<"$listed"
}

enable_sources() {
  # wine32 is an i386 package, and the image libraries come as source packages.
  local changed=0 architectures
  architectures=$(dpkg --print-foreign-architectures)
  if ! grep -qx i386 <<<"$architectures"; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
    changed=1
  fi
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    if grep -q '^Types: deb$' "$f"; then
      "${sudo_cmd[@]}" sed -i 's/^Types: deb$/Types: deb deb-src/' "$f"
      changed=1
    fi
  done
  if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list \
     && ! grep -q '^deb-src ' /etc/apt/sources.list; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | "${sudo_cmd[@]}" tee -a /etc/apt/sources.list >/dev/null
    changed=1
  fi
  echo $changed
}

update_package_lists() {
  echo "setup: updating the package lists"
  "${sudo_cmd[@]}" apt-get update -qq >>"$apt_log" 2>&1 || { tail -n 30 "$apt_log"; return 1; }
}

install_packages() {
  # A run that installed this very list leaves a note: later runs touch no package tool.
  local installed=$build/.packages-installed
  if [ -f "$installed" ] && [ "$(cat "$installed")" = "${packages[*]}" ]; then
    return 0
  fi
  local changed missing
  changed=$(enable_sources)
  mapfile -t missing < <(missing_packages)
  if [ "$changed" = 1 ] || [ ${#missing[@]} -gt 0 ]; then
    update_package_lists
  fi
  if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
      "${missing[@]}" >>"$apt_log" 2>&1 || { tail -n 30 "$apt_log"; return 1; }
  fi
  echo "${packages[*]}" >"$installed"
}

fetch_source() {
  # The newest listed version is sometimes missing from the mirror: try them newest first.
  local name=$1 v
  for v in $(apt-cache showsrc "$name" | sed -n 's/^Version: //p' | sort -Vru); do
    if apt-get source -qq --download-only "$name=$v" >/dev/null 2>&1; then
      return 0
    fi
    echo "setup: $name $v could not be fetched, trying the next version"
  done
  echo "setup: no version of the source package $name could be fetched" >&2
  return 1
}

unpack_source() {
  # dpkg-source applies Debian's patches; it cannot check signatures without a keyring.
  local name=$1 dsc
  dsc=$(ls -1 "${name}"_*.dsc | sort -V | tail -n 1)
  dpkg-source --no-check -x "$dsc" >/dev/null 2>&1
  local source folder
  source=$(sed -n 's/^Source: //p' "$dsc")
  for folder in "${source%%$'\n'*}"-*/; do
    case $folder in *debian*) continue ;; esac
    echo "$folder"
    return 0
  done
  return 1
}

cross_build() {
  local src=$1; shift
  local out=$deps/build-$(basename "$src")
  cmake -S "$src" -B "$out" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_PREFIX_PATH="$prefix" \
    -DZLIB_LIBRARY=/usr/i686-w64-mingw32/lib/libz.a \
    -DZLIB_INCLUDE_DIR=/usr/i686-w64-mingw32/include "$@" >"$out.log" 2>&1 \
    || { cat "$out.log"; return 1; }
  cmake --build "$out" -j"$(nproc)" >>"$out.log" 2>&1 || { tail -n 50 "$out.log"; return 1; }
  cmake --install "$out" >>"$out.log" 2>&1 || { tail -n 50 "$out.log"; return 1; }
}

build_libraries() {
  if [ -f "$prefix/.complete" ]; then
    echo "setup: image libraries already built in $prefix"
    return 0
  fi
  echo "setup: cross-building libjpeg-turbo, libpng and libtiff"
  # The source packages are listed once the lists were read with deb-src enabled.
  has_source_lists || update_package_lists
  rm -rf "$deps"
  mkdir -p "$deps/src" "$prefix"
  cd "$deps/src"
  local name
  for name in libjpeg-turbo libpng1.6 tiff; do fetch_source "$name"; done
  local jpeg png tiff
  jpeg=$deps/src/$(unpack_source libjpeg-turbo)
  png=$deps/src/$(unpack_source libpng1.6)
  tiff=$deps/src/$(unpack_source tiff)
  cross_build "$jpeg" -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF
  cross_build "$png" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
  cross_build "$tiff" -DBUILD_SHARED_LIBS=OFF -Dtiff-tools=OFF -Dtiff-tests=OFF \
    -Dtiff-contrib=OFF -Dtiff-docs=OFF -Dwebp=OFF -Dzstd=OFF -Dlzma=OFF -Djbig=OFF \
    -Dlerc=OFF -Dlibdeflate=OFF -Dcxx=OFF
  # The test corpora the source packages carry stay beside the prefix for the decoder tests.
  ln -sfn "$png" "$deps/libpng-src"
  ln -sfn "$jpeg" "$deps/libjpeg-src"
  ln -sfn "$tiff" "$deps/libtiff-src"
  touch "$prefix/.complete"
  cd "$root"
}

install_packages
build_libraries
