#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite through CTest.
# Exits non-zero on any failure.
#   scripts/test.sh              the normal build in build/
#   scripts/test.sh --sanitize   the same suite built with AddressSanitizer and
#                                UndefinedBehaviorSanitizer in build-asan/
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
if [ "${1:-}" = "--sanitize" ]; then
  export VORNAL_BUILD_DIR=${VORNAL_BUILD_DIR:-$here/build-asan}
  export VORNAL_CMAKE_ARGS="-DVORNAL_SANITIZE=ON"
  # Qt's own known reports are suppressed, and nothing else (see the file).
  export LSAN_OPTIONS="suppressions=$here/scripts/sanitizer-suppressions.txt:print_suppressions=0"
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
"$here/scripts/build.sh"
build=${VORNAL_BUILD_DIR:-$here/build}
export QT_QPA_PLATFORM=offscreen
export DBUS_SESSION_BUS_ADDRESS=disabled:
ctest --test-dir "$build" --output-on-failure -j 2 --timeout 300
