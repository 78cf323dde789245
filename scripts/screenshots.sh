#!/usr/bin/env bash
# Screenshots of the main window under Xvfb: both skins in all five colour schemes, at
# 1280x800 and at 1024x700, with the port open and a message from the far station on
# the interface-box simulator. The files are named <skin>-<scheme>-<size>.png.
#   scripts/screenshots.sh [folder]     (default: build/screenshots)
#   --readme                            also copies the README's pictures (both skins
#                                       at 1280x800, the window at both sizes and at
#                                       1024x700 with the favourites open) into
#                                       docs/screenshots/
# Uses the build in build/ (VORNAL_BUILD_DIR); builds it when it is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${VORNAL_BUILD_DIR:-$here/build}
readme=0
out=""
for arg in "$@"; do
  case "$arg" in
    --readme) readme=1 ;;
    *) out=$arg ;;
  esac
done
out=${out:-$build/screenshots}
if [ ! -x "$build/bin/vornal-terminal-scripted" ] || [ ! -x "$build/bin/vornal-boxsim" ]; then
  "$here/scripts/build.sh"
fi
mkdir -p "$out"
work=$(mktemp -d)
display=":$((100 + RANDOM % 800))"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# A program folder of its own, seeded from data/, and a far station that sends a
# message as soon as the port opens.
cp -r "$here/data/." "$work/"
mkdir -p "$work/config/vornal"
cat >"$work/far.txt" <<'SCRIPT'
pause 0.2
send \r\nzczc 4711 08.12. 10:15\r\n
send to the members of the vornal network\r\n\r\n
send the autumn meeting of the club takes place on\r\n
send saturday, 12 december, at 14.00 in the museum of\r\n
send communication. please bring your tapes for the\r\n
send exchange table. the new directory is on line.\r\n\r\n
send best regards   klaus\r\nnnnn\r\n
SCRIPT

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
sleep 1

shot() { # skin scheme size [extra clicks [name]]
  local skin=$1 scheme=$2 size=$3 extra=${4:-} name=${5:-$1-$2-$3}
  local link="$work/box"
  rm -f "$work/config/vornal/"*.ini
  printf '[Ports]\n1=%s\n' "$link" >"$work/config/vornal/Vornal USB Terminal.ini"
  "$build/bin/vornal-boxsim" --link "$link" --script "$work/far.txt" --script-now \
    --caller 4711 >/dev/null 2>&1 &
  local sim=$!
  for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
  sleep 0.3 # the simulator follows the port's opening once it is fully set up
  local skinButton=lblStandard
  [ "$skin" = steampunk ] && skinButton=lblSteam
  DISPLAY=$display VORNAL_HOME=$work XDG_CONFIG_HOME=$work/config VORNAL_WINDOW_SIZE=$size \
    VORNAL_SCREENSHOT="$out/$name.png" VORNAL_SCREENSHOT_QUIT=1 \
    VORNAL_START_CLICKS="$skinButton,$scheme,lblOpen1,lblSoundOn${extra:+,$extra}" \
    timeout 10 "$build/bin/vornal-terminal-scripted" >/dev/null 2>&1 || true
  kill "$sim" 2>/dev/null || true
  wait "$sim" 2>/dev/null || true
  [ -f "$out/$name.png" ] && echo "$out/$name.png"
}

for size in 1280x800 1024x700; do
  for skin in standard steampunk; do
    for scheme in lblBkWt lbGnBk lblBlWt lblRdBl lblYlBl; do
      shot "$skin" "$scheme" "$size"
    done
  done
done
# The window on the small screen with the favourites open.
shot standard lblBkWt 1024x700 lblPhonebookShow standard-lblBkWt-1024x700-favourites

if [ "$readme" = 1 ]; then
  mkdir -p "$here/docs/screenshots"
  cp "$out/standard-lblBkWt-1280x800.png" "$here/docs/screenshots/standard-1280x800.png"
  cp "$out/steampunk-lbGnBk-1280x800.png" "$here/docs/screenshots/steampunk-1280x800.png"
  cp "$out/standard-lblBkWt-1024x700.png" "$here/docs/screenshots/window-1024x700.png"
  cp "$out/standard-lblBkWt-1280x800.png" "$here/docs/screenshots/window-1280x800.png"
  cp "$out/standard-lblBkWt-1024x700-favourites.png" "$here/docs/screenshots/window-1024x700-favourites.png"
  echo "copied the README's pictures into docs/screenshots/"
fi
