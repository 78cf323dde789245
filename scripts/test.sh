#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite through CTest.
# Exits non-zero on any failure.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh"
build=${VORNAL_BUILD_DIR:-$here/build}
export QT_QPA_PLATFORM=offscreen
export DBUS_SESSION_BUS_ADDRESS=disabled:
ctest --test-dir "$build" --output-on-failure -j 2 --timeout 300
