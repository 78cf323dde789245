#!/usr/bin/env bash
# Pacing of the text-file sender, measured end to end on a pseudo-terminal with the
# byte-timestamping probe: drift, median deviation and the shortest interval at a
# CharDelay of 10 ms over 500 characters, the CPU used, and the window's
# responsiveness at 150 ms.
#   bench/pacing.sh [BUILD_DIR]
# The traffic log runs as in the program; VORNAL_PACING_NOLOG=1 turns it off.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
probe=${VORNAL_PACING_PROBE:-$here/../shared/tools/pacing_probe.py}
sender="$build/bin/bench_pacing_sender"
base=$(mktemp -d)
trap 'rm -rf "$base"' EXIT
export DBUS_SESSION_BUS_ADDRESS=disabled:

run() { # CHAR_DELAY_MS CHARACTERS
  local work
  work=$(mktemp -d -p "$base")
  python3 "$probe" --create --target-ms "$1" --path-file "$work/tty" --dump "$work/dump.tsv" \
    --out "$work/probe.json" --silence 2.5 --wait 20 &
  local p=$!
  for _ in $(seq 100); do [ -s "$work/tty" ] && break; sleep 0.05; done
  "$sender" "$(cat "$work/tty")" "$(python3 -c "print($1 / 1000)")" "$2" \
    ${VORNAL_PACING_NOLOG:+nolog} 2>/dev/null
  wait $p
  python3 - "$work/dump.tsv" "$1" <<'PY'
import statistics, sys
target = float(sys.argv[2])
rows = [l.split('\t') for l in open(sys.argv[1]) if l.strip() and not l.startswith('index')]
# The first two bytes are the CR sent when the port opened and the call's byte 1; the
# transmission starts after them.
stamps = [int(r[1]) for r in rows][2:]
data = [int(r[3], 16) for r in rows][2:]
# The transmission's own leading CR is paced once; every later CR is followed by the
# turn of a dropped LF, one more CharDelay on the wire.
turns = [2 if (b == 13 and i > 0) else 1 for i, b in enumerate(data[:-1])]
iv = [(b - a) / 1e6 for a, b in zip(stamps, stamps[1:])]
dev = [abs(x - target * t) for x, t in zip(iv, turns)]
ideal = sum(target * t for t in turns)
elapsed = (stamps[-1] - stamps[0]) / 1e6
# The rate against the schedule, fitted over every byte, so that one late time
# stamp at either end does not count as drift.
slots = [0]
for t in turns:
    slots.append(slots[-1] + t)
rel = [(s - stamps[0]) / 1e6 for s in stamps]
xm, ym = sum(slots) / len(slots), sum(rel) / len(rel)
slope = sum((x - xm) * (y - ym) for x, y in zip(slots, rel)) / sum((x - xm) ** 2 for x in slots)
print(f"probe: gap from the leading CR to the first character {iv[0]:.3f} ms")
print(f"probe: rate against the schedule {100 * (slope - target) / target:+.4f} %")
print(f"probe: {len(data)} bytes sent; shortest interval {min(iv):.3f} ms; median absolute deviation "
      f"{statistics.median(dev):.4f} ms; largest {max(dev):.3f} ms; drift {100 * (elapsed - ideal) / ideal:.4f} % "
      f"({elapsed:.1f} ms against {ideal:.1f} ms)")
PY
}

echo "== CharDelay 10 ms, 500 characters"
run 10 500
echo "== CharDelay 150 ms, 40 characters (responsiveness)"
run 150 40
