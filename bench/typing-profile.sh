#!/usr/bin/env bash
# Where Scrivlo's processor time per key goes: the typing run of bench/editors.sh (the
# 100,000-word story, the caret at its end, KEYS keys typed DELAY ms apart) under
# callgrind, counting only from the first key until the editor is idle again. Prints
# the instructions per key and the costliest functions; instruction counts repeat on a
# busy machine where times do not.
#   bench/typing-profile.sh [BIN_DIR] [on|off]   (spelling as you type; on by default)
# OUT=FILE keeps the profile (callgrind_annotate FILE.1, or kcachegrind). A space typed
# and taken back before the count opens the dictionary where checking is off; the copy of
# unsaved work, made 30 s after the last key, is left out of the count.
set -euo pipefail
bin=$(realpath "${1:-build/bin}")
here=$(cd "$(dirname "$0")" && pwd)
spelling=${2:-on}
KEYS=${KEYS:-100}
DELAY=${DELAY:-150}
OPEN_LIMIT=600
export SCRIVLO_AUTOSAVE_SECONDS=3600

work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT
source "$here/xdrive.sh"
start_screen
make_story "$work/story"
out=${OUT:-$work/callgrind.out}

# Under callgrind the caret's blinking alone keeps the process from going quiet: calm is
# less than a quarter of each second spent.
wait_calm() {
  local last now
  last=$(cpu_ticks "$pid")
  while :; do
    nap 1
    now=$(cpu_ticks "$pid")
    [ $((now - last)) -lt $((ticks_per_s / 4)) ] && return
    last=$now
  done
}

editor=scrivlo
[ "$spelling" = off ] && editor=scrivlo-off
WRAP="valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file=$out" \
  start_editor "$editor" "$work/story.rtf"
wait_mapped
wait_calm
xdotool windowactivate --sync "$window" 2> /dev/null || xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+End
xdotool type --delay "$DELAY" "a "
xdotool key --delay "$DELAY" BackSpace BackSpace
wait_calm
callgrind_control -i on "$pid" > /dev/null 2>&1
xdotool type --delay "$DELAY" "$(typed_text)"
wait_calm
callgrind_control -i off "$pid" > /dev/null 2>&1
callgrind_control -d "$pid" > /dev/null 2>&1
stop_editor

total=$(grep -h '^totals:' "$out"* | awk '{ s += $2 } END { print s }')
printf 'spelling as you type %s: %d keys, %.0f instructions per key\n' "$spelling" "$KEYS" \
  "$(echo "$total / $KEYS" | bc -l)"
callgrind_annotate --inclusive=yes "$out.1" 2> /dev/null | sed -n '/^Ir/,$p' | head -n 32
