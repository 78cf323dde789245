#!/usr/bin/env bash
# Builds the Debian package of the terminal into build/ (vornal-terminal_<version>_<arch>.deb)
# and prints its path. Install it with `apt install ./build/vornal-terminal_*.deb`.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${VORNAL_BUILD_DIR:-$here/build}
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh"
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/vornal-terminal_*.deb
