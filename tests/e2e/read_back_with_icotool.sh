#!/usr/bin/env bash
# Reads back, with another icon tool, what the real program wrote in the end-to-end run:
# the selected icon saved through the save dialog and the batch of every icon of shell32.dll.
set -euo pipefail
selected="$1"
batch_folder="$2"
expected_batch="$3"

icotool -l "$selected" >/dev/null
count=0
shopt -s nullglob
for file in "$batch_folder"/*.ico; do
  icotool -l "$file" >/dev/null || { echo "icotool cannot read $file"; exit 1; }
  count=$((count + 1))
done
echo "icotool read $selected and $count batch files"
[ "$count" -eq "$expected_batch" ] || { echo "expected $expected_batch batch files"; exit 1; }
