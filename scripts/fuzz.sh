#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UBSan) into
# build-fuzz/ and runs each for SECONDS (default 60) on a copy of its seed corpus in
# fuzz/corpus/<target>/. Fails when any target reports a finding; the input that
# caused it is kept in build-fuzz/findings/.
#   scripts/fuzz.sh [SECONDS]       every target
#   FUZZ_TARGETS="fuzz_rtfreader" scripts/fuzz.sh 30
#   FUZZ_RUNS=1000000 scripts/fuzz.sh 600   stop after this many executions
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${VORNAL_FUZZ_BUILD_DIR:-$here/build-fuzz}
targets=${FUZZ_TARGETS:-"fuzz_configuration fuzz_phonebook fuzz_receive fuzz_directory fuzz_wordwrap fuzz_rtfreader fuzz_headlines"}

"$here/scripts/install-deps.sh"
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVORNAL_FUZZ=ON -DVORNAL_WERROR=OFF >/dev/null
# shellcheck disable=SC2086
cmake --build "$build" -j "$(nproc)" --target $targets

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
mkdir -p "$build/findings" "$build/logs"
failed=()
for t in $targets; do
  name=${t#fuzz_}
  work="$build/corpus/$name"
  mkdir -p "$work"
  extra=()
  if [ -n "${FUZZ_RUNS:-}" ]; then extra+=("-runs=$FUZZ_RUNS"); fi
  start=$(date +%s)
  if "$build/bin/$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/findings/$name-" "${extra[@]}" "$work" "$here/fuzz/corpus/$name" \
      >"$build/logs/$name.log" 2>&1; then
    status=ok
  else
    status=FINDING
    failed+=("$t")
  fi
  end=$(date +%s)
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/logs/$name.log" | grep -o '[0-9]*$' || true)
  last=$(grep -E '^#[0-9]+' "$build/logs/$name.log" | tail -1 || true)
  cov=$(echo "$last" | grep -o 'cov: [0-9]*' || true)
  ft=$(echo "$last" | grep -o 'ft: [0-9]*' || true)
  printf '%-20s %-8s runs %-10s %-10s %-10s %ss\n' "$t" "$status" "${runs:-?}" "$cov" "$ft" $((end - start))
  if [ "$status" != ok ]; then tail -40 "$build/logs/$name.log"; fi
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "Findings in: ${failed[*]} (inputs in $build/findings/)"
  exit 1
fi
