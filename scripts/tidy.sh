#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over every .cpp under src/, and the
# headers under src/ that they include, with the compile commands of the build in build/
# (or VORNAL_BUILD_DIR). The build must have been configured (scripts/build.sh); the
# moc and autogen sources it generates are not checked. Exits non-zero on any finding.
#   scripts/tidy.sh                     every source, two at a time
#   VORNAL_TIDY_JOBS=4 scripts/tidy.sh
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${VORNAL_BUILD_DIR:-$here/build}
jobs=${VORNAL_TIDY_JOBS:-2}
cd "$here"

tidy=$(command -v clang-tidy-14 || command -v clang-tidy || true)
if [ -z "$tidy" ]; then
  echo "tidy: clang-tidy is not installed (scripts/install-deps.sh)" >&2
  exit 2
fi
if [ ! -f "$build/compile_commands.json" ]; then
  echo "tidy: no $build/compile_commands.json; configure the build first (scripts/build.sh)" >&2
  exit 2
fi

mapfile -t sources < <(find src -name '*.cpp' -not -path '*_autogen/*' -not -name 'moc_*' | sort)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
start=$(date +%s)
status=0
runner=$(command -v run-clang-tidy-14 || command -v run-clang-tidy || true)
if [ -n "$runner" ]; then
  # run-clang-tidy takes regular expressions over the database's absolute file names.
  patterns=()
  for f in "${sources[@]}"; do
    patterns+=("^$(printf '%s' "$here/$f" | sed 's/[][\\.^$*+?(){}|]/\\&/g')\$")
  done
  "$runner" -clang-tidy-binary "$tidy" -p "$build" -j "$jobs" -quiet "${patterns[@]}" >"$log" 2>&1 || status=$?
else
  printf '%s\n' "${sources[@]}" | xargs -P "$jobs" -n 4 "$tidy" -p "$build" --quiet >"$log" 2>&1 || status=$?
fi
end=$(date +%s)

# The findings, each once (a header's finding comes with every source that includes it).
sed -i 's/\x1b\[[0-9;]*m//g' "$log"
findings=$(grep -E '^[^ ].*:[0-9]+:[0-9]+: (warning|error):' "$log" | sed "s|^$here/||" | sort -u || true)
if [ -n "$findings" ] || [ "$status" -ne 0 ]; then
  grep -vE "^($tidy|[0-9]+ warnings? (and [0-9]+ errors? )?generated\.|Suppressed [0-9]+ warnings|Use -header-filter|Error while processing)" "$log" || true
  echo
  echo "tidy: findings (${#sources[@]} sources checked in $((end - start)) s):"
  if [ -n "$findings" ]; then printf '%s\n' "$findings"; else echo "clang-tidy failed (exit $status)"; fi
  exit 1
fi
echo "tidy: ${#sources[@]} sources clean ($((end - start)) s)"
