#!/usr/bin/env bash
# The demo's headless tour: the terminal, offscreen, against the interface-box
# simulator (a far station that answers, takes a message and asks for the automatic
# answer; the broadcast service) and the directory simulator on 127.0.0.1. It opens
# the port, dials a favourite, receives the answer, sends the message, gives the
# automatic klkl answer, updates the phonebook from the directory and sends a
# broadcast; a picture of each step and a transcript of the line (both directions)
# go into the folder. Exits 0 when every step saw what it waited for.
#   scripts/tour.sh [folder]     (default: build/demo/tour)
# Uses the build in build/ (VORNAL_BUILD_DIR); builds it when it is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${VORNAL_BUILD_DIR:-$here/build}
out=${1:-$build/demo/tour}
bin="$build/bin"
if [ ! -x "$bin/vornal-terminal-scripted" ] || [ ! -x "$bin/vornal-boxsim" ] || [ ! -x "$bin/vornal-dirsim" ]; then
  "$here/scripts/build.sh"
fi

# A fresh program folder and settings for every tour, so it always goes the same way.
rm -rf "$out/folder" "$out/config" "$out/runtime" "$out/transcript.txt" "$out"/*.png "$out"/*.log
mkdir -p "$out/runtime" "$out/config/vornal"
chmod 700 "$out/runtime"
folder="$out/folder"
"$here/scripts/seed-demo.sh" "$folder"
link="$out/box"
printf '[Ports]\n1=%s\n' "$link" >"$out/config/vornal/Vornal USB Terminal.ini"

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT
"$bin/vornal-boxsim" --link "$link" --log "$out/boxsim.log" --script "$here/tools/demo/far.txt" \
  --dial-pause 0.5 --broadcast-log "$out/broadcast.log" >/dev/null 2>"$out/boxsim.err" &
pids+=($!)
"$bin/vornal-dirsim" --csv "$here/tools/demo/directory.csv" >/dev/null 2>"$out/dirsim.err" &
pids+=($!)
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done

status=0
env XDG_RUNTIME_DIR="$out/runtime" XDG_CONFIG_HOME="$out/config" VORNAL_HOME="$folder" \
  QT_QPA_PLATFORM=offscreen DBUS_SESSION_BUS_ADDRESS=disabled: QT_LOGGING_RULES='qt.qpa.*=false' \
  VORNAL_WINDOW_SIZE=1280x800 VORNAL_TOUR="$out" \
  timeout 120 "$bin/vornal-terminal-scripted" 2> >(grep -v 'does not support raise()' >&2) || status=$?
echo "Tour pictures and the transcript of the line: $out (transcript.txt)"
exit $status
