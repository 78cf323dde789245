#!/usr/bin/env bash
# Fills a demo program folder: the sample files of tools/demo (a phonebook of
# fictional subscribers with favourites and broadcast receivers, a message, the klkl
# answer, preset phrases, local numbers, headline sets, a receivers list and its
# header, a configuration for the simulators), then the shipped files of data/. A
# file the folder already holds is never replaced.
#   scripts/seed-demo.sh <folder>
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
folder=$1
samples="$here/tools/demo"
mkdir -p "$folder"
for f in VornalUsb.cfg Message.txt klkl.txt VornalPresetText.txt LocalTelex.txt Headlines.txt \
  RSend.txt RSHeader.txt; do
  cp -n "$samples/$f" "$folder/$f"
done
if [ ! -e "$folder/phonebook.txt" ]; then
  python3 "$samples/make-phonebook.py" "$samples/subscribers.csv" "$folder/phonebook.txt"
fi
cp -rn "$here/data/." "$folder/"
