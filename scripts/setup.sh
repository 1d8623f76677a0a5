#!/usr/bin/env bash
# Installs whatever the build, the program and the tests need from Debian's
# packages, and nothing when all of it is already there.
set -euo pipefail

# Build tools; the engine and its modules; Qt and Xlib; a virtual X server and
# screenshots; OpenGL on llvmpipe; tests and benchmarks; the Windows cross
# compiler; clang for fuzzing; spdlog as a benchmark reference only.
packages=(
  g++ cmake ninja-build pkg-config
  libobs-dev obs-plugins
  qtbase5-dev libx11-dev
  xvfb xauth x11-utils imagemagick
  libgl1-mesa-dri libegl-mesa0
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64
  clang libclang-rt-14-dev
  libspdlog-dev locales python3
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# --no-install-recommends keeps the engine's modules from pulling in a studio.
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
