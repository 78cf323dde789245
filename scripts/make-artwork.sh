#!/usr/bin/env bash
# Draws the skin pictures and synthesises the event sounds into data/ (or the folder
# given), and draws the program's icon into packaging/, with the generator in tools/artwork. The results are kept in the repository;
# run this again only after changing the generator.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${VORNAL_BUILD_DIR:-$here/build}
out=${1:-$here/data}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target vornal-artwork
QT_QPA_PLATFORM=offscreen "$build/bin/vornal-artwork" "$out" "${2:-$here/packaging}"
