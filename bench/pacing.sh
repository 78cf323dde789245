#!/usr/bin/env bash
# Pacing of the text-file sender, measured end to end on a pseudo-terminal with the
# byte-timestamping probe: drift, median deviation and the shortest interval at a
# CharDelay of 10 ms over 500 characters, the CPU used, and the window's
# responsiveness at 150 ms.
# The 10 ms run is repeated in rounds (VORNAL_PACING_ROUNDS, 3), each followed by the same
# text from bench_reference_sender, a plain sender on an absolute schedule, on the same
# probe; each round prints both senders' median deviation and drift and their ratios
# (program / reference), and a summary line the medians over the rounds.
#   bench/pacing.sh [BUILD_DIR]
# The traffic log runs as in the program; VORNAL_PACING_NOLOG=1 turns it off.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
probe=${VORNAL_PACING_PROBE:-$here/../shared/tools/pacing_probe.py}
sender="$build/bin/bench_pacing_sender"
reference="$build/bin/bench_reference_sender"
rounds=${VORNAL_PACING_ROUNDS:-3}
base=$(mktemp -d)
trap 'rm -rf "$base"' EXIT
export DBUS_SESSION_BUS_ADDRESS=disabled:

run() { # CHAR_DELAY_MS CHARACTERS [FIGURES_FILE [SENDER]]
  local work
  work=$(mktemp -d -p "$base")
  python3 "$probe" --create --target-ms "$1" --path-file "$work/tty" --dump "$work/dump.tsv" \
    --out "$work/probe.json" --silence 2.5 --wait 20 &
  local p=$!
  for _ in $(seq 100); do [ -s "$work/tty" ] && break; sleep 0.05; done
  if [ "${4:-program}" = reference ]; then
    "$reference" "$(cat "$work/tty")" "$(python3 -c "print($1 / 1000)")" "$2"
  else
    "$sender" "$(cat "$work/tty")" "$(python3 -c "print($1 / 1000)")" "$2" \
      ${VORNAL_PACING_NOLOG:+nolog} 2>/dev/null
  fi
  wait $p
  python3 - "$work/dump.tsv" "$1" "${3:-/dev/null}" <<'PY'
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
with open(sys.argv[3], "w") as f:
    f.write(f"{statistics.median(dev)} {100 * (elapsed - ideal) / ideal}\n")
PY
}

for round in $(seq "$rounds"); do
  echo "== CharDelay 10 ms, 500 characters"
  run 10 500 "$base/program.$round"
  echo "== CharDelay 10 ms, 500 characters, reference sender (round $round)"
  run 10 500 "$base/reference.$round" reference
done
python3 - "$base" "$rounds" <<'PY'
import statistics, sys
base, rounds = sys.argv[1], int(sys.argv[2])
ratio = lambda a, b: a / b if b else float("inf")
figures = {"program": [], "reference": []}
for r in range(1, rounds + 1):
    for who in figures:
        figures[who].append([float(x) for x in open(f"{base}/{who}.{r}").read().split()])
    (pd, pdr), (rd, rdr) = figures["program"][-1], figures["reference"][-1]
    print(f"round {r}: median absolute deviation program {pd:.4f} ms, reference {rd:.4f} ms, ratio "
          f"{ratio(pd, rd):.2f}; drift program {pdr:.4f} %, reference {rdr:.4f} %, ratio of their sizes "
          f"{ratio(abs(pdr), abs(rdr)):.2f}")
med = {who: [statistics.median(v[i] for v in figures[who]) for i in (0, 1)] for who in figures}
(pd, pdr), (rd, rdr) = med["program"], med["reference"]
print(f"summary over {rounds} rounds (medians): median absolute deviation program {pd:.4f} ms, reference "
      f"{rd:.4f} ms, ratio {ratio(pd, rd):.2f}; drift program {pdr:.4f} %, reference {rdr:.4f} %, ratio of "
      f"their sizes {ratio(abs(pdr), abs(rdr)):.2f}")
PY
echo "== CharDelay 150 ms, 40 characters (responsiveness)"
run 150 40
