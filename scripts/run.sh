#!/usr/bin/env bash
# Builds the terminal and starts it against the interface-box simulator, in a demo
# program folder with its own settings file, so no real settings are touched.
#   VORNAL_DEMO_DIR   the demo folder (default: build/demo)
# Without a display the program runs under Xvfb and writes a screenshot.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh"
build=${VORNAL_BUILD_DIR:-$here/build}
demo=${VORNAL_DEMO_DIR:-$build/demo}

mkdir -p "$demo/config/vornal"
# Seed the demo folder from data/ without overwriting what the operator changed.
cp -rn "$here/data/." "$demo/"
link="$demo/box"
ini="$demo/config/vornal/Vornal USB Terminal.ini"
if ! grep -q '^\[Ports\]' "$ini" 2>/dev/null; then
  printf '[Ports]\n1=%s\n' "$link" >>"$ini"
fi

"$build/bin/vornal-boxsim" --link "$link" --log "$demo/boxsim.log" &
sim=$!
trap 'kill $sim 2>/dev/null || true; [ -n "${xvfb:-}" ] && kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
echo "Interface-box simulator on $link (log: $demo/boxsim.log)"

export VORNAL_HOME="$demo"
export XDG_CONFIG_HOME="$demo/config"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: running under Xvfb on :99."
  Xvfb :99 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=:99
  sleep 1
  export VORNAL_SCREENSHOT="$demo/screenshot.png"
  echo "A screenshot of the window will be written to $VORNAL_SCREENSHOT"
fi
"$build/bin/vornal-terminal" "$@"
