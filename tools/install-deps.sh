#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, only what is missing.
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev libgl1-mesa-dev libgtest-dev libgmock-dev
          qt6-svg-dev  # "Save picture" writes SVG drawings with Qt's SVG generator
          libbenchmark-dev fonts-dejavu-core
          clang libclang-rt-14-dev)  # the fuzz targets: clang and its libFuzzer

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
