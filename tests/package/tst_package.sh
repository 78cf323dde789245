#!/usr/bin/env bash
# Builds the package from the build tree (cpack), checks what it holds and what it
# depends on, unpacks it with dpkg-deb -x into a temporary root and starts the terminal
# from there, offscreen, with an empty home: the first start must fill the per-user
# program folder from the shipped defaults, and a second start must keep the
# operator's changes. Those starts are the build's vornal-terminal-scripted put beside
# the package's program (the same start, and it ends once its window is shown); the
# package's own program must start and keep running.
#   tst_package.sh <build dir>
set -euo pipefail
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/vornal-terminal_*.deb)
echo "package: $(basename "$deb")"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|; s| ->.*||' >"$work/files"
for f in /usr/bin/vornal-terminal /usr/bin/vornal-boxsim /usr/bin/vornal-dirsim \
  /usr/share/vornal-terminal/VornalUsb.cfg /usr/share/vornal-terminal/New.rtf \
  /usr/share/vornal-terminal/VornalManual.html /usr/share/vornal-terminal/Skin-Std.jpg \
  /usr/share/vornal-terminal/Skin-Pnk.jpg /usr/share/vornal-terminal/soundstart.wav \
  /usr/share/applications/vornal-terminal.desktop \
  /usr/share/icons/hicolor/scalable/apps/vornal-terminal.svg \
  /usr/share/icons/hicolor/256x256/apps/vornal-terminal.png \
  /usr/share/man/man1/vornal-terminal.1.gz; do
  grep -qx "$f" "$work/files" || fail "the package lacks $f"
done
# Only the programs an operator runs: no tests, benchmarks or build tools.
if grep -E '^/usr/bin/.' "$work/files" | grep -vqE '/vornal-(terminal|boxsim|dirsim)$'; then
  fail "unexpected programs: $(grep -E '^/usr/bin/.' "$work/files" | tr '\n' ' ')"
fi
grep -v '^/usr/' "$work/files" | grep -q . && fail "files outside /usr: $(grep -v '^/usr/' "$work/files")"

depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for lib in libc6 libqt6core6 libqt6widgets6 libqt6serialport6; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib (shlibdeps)"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/vornal-terminal.desktop" || fail "desktop entry"
fi

home="$work/home"
mkdir -p "$home" "$work/runtime"
chmod 700 "$work/runtime"
# The program has no way to end by itself; the scripted terminal of the build (the same
# start, which says when its window is shown and can end then) runs beside it, so that
# it finds the package's defaults where the program does.
cp "$build/bin/vornal-terminal-scripted" "$root/usr/bin/"
run() { # program, then variables and the command it runs under
  local program=$1
  shift
  env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen \
    DBUS_SESSION_BUS_ADDRESS=disabled: QT_LOGGING_RULES='qt.qpa.*=false' "$@" "$root/usr/bin/$program"
}
start() {
  run vornal-terminal-scripted VORNAL_REPORT_SHOWN=quit timeout 60 >"$work/out.log" 2>&1 || { cat "$work/out.log"; fail "the terminal did not start and end"; }
  grep -q "window shown" "$work/out.log" || { cat "$work/out.log"; fail "no window"; }
}
start
folder="$home/.local/share/vornal-terminal"
for f in VornalUsb.cfg New.rtf VornalManual.html Skin-Std.jpg soundstart.wav; do
  cmp -s "$root/usr/share/vornal-terminal/$f" "$folder/$f" || fail "first start did not copy $f"
done

# The operator's changes survive the next start.
printf '// mine\r\n' >"$folder/VornalUsb.cfg"
rm "$folder/New.rtf"
start
[ "$(cat "$folder/VornalUsb.cfg")" = $'// mine\r' ] || fail "the configuration was overwritten"
[ ! -e "$folder/New.rtf" ] || fail "a removed file came back"

# The package's own program starts and keeps running until it is ended.
status=0
run vornal-terminal timeout 5 >"$work/out.log" 2>&1 || status=$?
[ "$status" = 124 ] || { cat "$work/out.log"; fail "the packaged terminal did not keep running (exit $status)"; }
[ "$(cat "$folder/VornalUsb.cfg")" = $'// mine\r' ] || fail "the configuration was overwritten"
echo "PASS: package file list, dependencies and first start"
