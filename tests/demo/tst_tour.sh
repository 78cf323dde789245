#!/usr/bin/env bash
# Runs scripts/tour.sh into a temporary folder and checks what it left: a picture of
# every step, and in the transcript each step's bytes in the expected directions.
#   tst_tour.sh <source dir> <build dir>
set -euo pipefail
source=$1
build=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; echo "--- transcript"; cat "$out/transcript.txt" 2>/dev/null || true; exit 1; }

VORNAL_BUILD_DIR="$build" "$source/scripts/tour.sh" "$out" || fail "the tour did not end with 0"
[ -f "$out/transcript.txt" ] || fail "no transcript"

# The lines of one step's section of the transcript.
section() { awk -v head="== $1 ==" '$0 == head {on = 1; next} /^== / {on = 0} on' "$out/transcript.txt"; }
# expect <step heading> <direction: out|in|note> <text>: the text in that direction's
# lines of the step, joined (a line may end at a pause in the middle of a word).
expect() {
  local arrow
  case $2 in
    out) arrow='terminal -> box  ' ;;
    in) arrow='box -> terminal  ' ;;
    note) arrow='note             ' ;;
  esac
  section "$1" | grep -F "$arrow" | sed "s/^ *[0-9.]*  $arrow//" | tr -d '\n' | grep -qiF -- "$3" ||
    fail "step \"$1\": no $2 \"$3\""
}

expect "1. open the port" out "<CR>"
expect "2. dial a subscriber from the favourites" out "<SOH>"
expect "2. dial a subscriber from the favourites" out "31407"
expect "2. dial a subscriber from the favourites" in "[connected]"
expect "3. receive the answer" in "go ahead"
expect "5. send the message" out "spring meeting"
expect "5. send the message" out "nnnn"
expect "5. send the message" in "klkl"
expect "6. the automatic klkl answer" out "thank you"
expect "7. close the call" out "<DC3>"
expect "7. close the call" in "closed"
expect "8. update the phonebook from the directory" note "window frmUpdate"
expect "8. update the phonebook from the directory" note "9 subscribers listed"
expect "9. dial the broadcast service" in "+++):"
expect "9. dial the broadcast service" out "52816+"
expect "10. send the broadcast header" out "rundsenden to:"
expect "11. send the broadcast message" out "nnnn"
expect "12. end the broadcast" out "+++"
expect "12. end the broadcast" in "rundsenden ok: 2 teilnehmer"

pictures=$(ls "$out"/[0-9][0-9]-*.png | wc -l)
[ "$pictures" -eq 13 ] || fail "$pictures step pictures, expected 13"
grep -q "to 52816" "$out/broadcast.log" || fail "the broadcast service got no message for 52816"
echo "PASS: the tour's pictures and transcript"
