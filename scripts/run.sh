#!/usr/bin/env bash
# Builds the terminal and starts it against the interface-box simulator and the
# directory simulator (on 127.0.0.1), in a demo program folder of fictional sample
# files with its own settings file, so no real settings are touched.
#   VORNAL_DEMO_DIR   the demo folder (default: build/demo)
# Without a display it runs the headless tour instead (scripts/tour.sh): a picture of
# each step and a transcript of the line in build/demo/tour/, then it ends.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh"
build=${VORNAL_BUILD_DIR:-$here/build}
demo=${VORNAL_DEMO_DIR:-$build/demo}

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: running the headless tour."
  exec "$here/scripts/tour.sh" "$demo/tour"
fi

mkdir -p "$demo/config/vornal"
# Seed the demo folder with the sample files and data/ without overwriting what the
# operator changed.
"$here/scripts/seed-demo.sh" "$demo"
link="$demo/box"
ini="$demo/config/vornal/Vornal USB Terminal.ini"
if ! grep -q '^\[Ports\]' "$ini" 2>/dev/null; then
  printf '[Ports]\n1=%s\n' "$link" >>"$ini"
fi

"$build/bin/vornal-boxsim" --link "$link" --log "$demo/boxsim.log" --script "$here/tools/demo/far.txt" &
sim=$!
"$build/bin/vornal-dirsim" --csv "$here/tools/demo/directory.csv" >/dev/null 2>"$demo/dirsim.err" &
dirsim=$!
trap 'kill $sim $dirsim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
echo "Interface-box simulator on $link (log: $demo/boxsim.log)"
echo "Directory simulator on 127.0.0.1:11811: \"Update\", then \"Retrieve\""

export VORNAL_HOME="$demo"
export XDG_CONFIG_HOME="$demo/config"
# A session without a runtime folder (a root shell, ssh) gets a private one of its own.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="$demo/runtime"
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
fi
"$build/bin/vornal-terminal" "$@"
