#!/usr/bin/env bash
# Scrivlo beside the editors a family or school would pick instead, started and driven
# the same way under a virtual screen with a window manager:
#   bench/editors.sh [BIN_DIR]
# Typing: each editor opens the same 100,000-word Rich Text document (gedit its plain
# text twin), the caret goes to the end, KEYS keys are typed DELAY ms apart with xdotool,
# and the process's user + system time (/proc/PID/stat) is read before and after, once
# the editor is idle again. Runs alternate (Scrivlo, peer, Scrivlo, peer...), so the
# load of a shared machine hits both alike. Then start-up (window mapped, idle) and
# opening 1.5 MB and 8 MB Rich Text. Every start gets a fresh HOME.
#
# Settings (environment): RUNS (typing and start-up runs of each, 5), OPEN_RUNS (3),
# KEYS (500), DELAY (25), PEERS ("focuswriter abiword gedit"), ROWS ("typing startup
# open"), OPEN_LIMIT (seconds an open may take before it counts as "still busy", 40),
# IDLE_RUNS (typing runs that first measure IDLE_SECONDS, 10, of idleness: 2),
# SHOTS (a folder: a screenshot of each editor after its first typing run). Against an
# earlier build of Scrivlo: BEFORE=ITS_BIN_DIR PEERS="before before-off" ROWS=typing.
set -euo pipefail
bin=$(realpath "${1:-build/bin}")
here=$(cd "$(dirname "$0")" && pwd)
RUNS=${RUNS:-5}
OPEN_RUNS=${OPEN_RUNS:-3}
KEYS=${KEYS:-500}
DELAY=${DELAY:-25}
PEERS=${PEERS:-focuswriter abiword gedit}
ROWS=${ROWS:-typing startup open}
OPEN_LIMIT=${OPEN_LIMIT:-40}
IDLE_RUNS=${IDLE_RUNS:-2}
IDLE_SECONDS=${IDLE_SECONDS:-10}
SHOTS=${SHOTS:-}

# The peers and what drives them; nothing here is needed to build or test Scrivlo.
"$here/../scripts/install-deps" --peers

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

source "$here/xdrive.sh"
start_screen

# --- The measurements ----------------------------------------------------------------

# One typing run: prints the processor time per key in µs and, in the first IDLE_RUNS
# runs, the time used in IDLE_SECONDS with the story open and nothing happening (µs).
typing_run() {
  local editor=$1 run=$2 file before after idle=-
  file=$(file_for "$editor" "$work/story.rtf")
  start_editor "$editor" "$file"
  wait_mapped
  wait_idle 180
  xdotool windowactivate --sync "$window" 2> /dev/null || xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers ctrl+End
  wait_idle 180
  if [ "$run" -lt "$IDLE_RUNS" ]; then
    before=$(cpu_ns "$pid")
    nap "$IDLE_SECONDS"
    idle=$((($(cpu_ns "$pid") - before) / 1000)) # µs
  fi
  before=$(cpu_ticks "$pid")
  xdotool type --delay "$DELAY" "$(typed_text)"
  started=$(now_ms)
  wait_idle 60
  after=$(cpu_ticks "$pid")
  if [ -n "$SHOTS" ] && [ ! -e "$SHOTS/$editor.png" ]; then
    mkdir -p "$SHOTS"
    import -window root "$SHOTS/$editor.png" 2> /dev/null || true
  fi
  stop_editor
  echo "$(((after - before) * 1000 * 1000 / ticks_per_s / KEYS)) $idle"
}

# One start without a document: prints "mapped_ms settled_ms".
startup_run() {
  start_editor "$1" ""
  wait_mapped
  wait_idle 60
  stop_editor
  echo "$mapped $settled"
}

# One open of a Rich Text file (gedit: its text twin): prints the ms until it settled,
# or "busy" when it had not after OPEN_LIMIT seconds.
open_run() {
  start_editor "$1" "$(file_for "$1" "$2")"
  wait_mapped
  wait_idle "$OPEN_LIMIT"
  stop_editor
  if [ "$busy" = 1 ]; then echo busy; else echo "$settled"; fi
}

# --- Statistics ------------------------------------------------------------------------

# "median min max" of the numbers given
stats() {
  printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    print m, v[1], v[NR] }'
}

# One value for a table: "median unit (min–max)", or how many runs were still busy.
cell() { # unit scale values...
  local unit=$1 scale=$2 busy=0 v
  shift 2
  local -a done=()
  for v in "$@"; do if [ "$v" = busy ]; then busy=$((busy + 1)); else done+=("$v"); fi; done
  if [ "$busy" -gt 0 ]; then
    echo "$busy of $# still busy after $OPEN_LIMIT s"
    return
  fi
  stats "${done[@]}" | awk -v u="$unit" -v s="$scale" '{
    printf "%.2f %s (%.2f–%.2f)", $1 / s, u, $2 / s, $3 / s }'
}

ratio() { # Scrivlo's values -- the peer's: the ratio of the medians
  local -a mine=()
  while [ "$1" != -- ]; do mine+=("$1"); shift; done
  shift
  local m p
  m=$(stats "${mine[@]}" | cut -d' ' -f1)
  if printf '%s\n' "$@" | grep -q busy; then
    awk -v m="$m" -v l="$OPEN_LIMIT" 'BEGIN { printf "< %.2f", m / (l * 1000) }'
    return
  fi
  p=$(stats "$@" | cut -d' ' -f1)
  awk -v m="$m" -v p="$p" 'BEGIN { if (p > 0) printf "%.2f", m / p; else print "–" }'
}

row() { # name unit scale Scrivlo's values -- the peer's
  local name=$1 unit=$2 scale=$3
  shift 3
  local -a mine=()
  while [ "$1" != -- ]; do mine+=("$1"); shift; done
  shift
  echo "| $name | $(cell "$unit" "$scale" "${mine[@]}") | $(cell "$unit" "$scale" "$@")" \
    "| $(ratio "${mine[@]}" -- "$@") |"
}

# --- Runs ------------------------------------------------------------------------------

make_story "$work/story"
echo "Scrivlo beside other editors, $(date -u '+%Y-%m-%d %H:%M UTC'): $(nproc) cores" \
  "($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')), load average" \
  "$(cut -d' ' -f1-3 /proc/loadavg) at the start; Scrivlo $(git -C "$here" describe --always --dirty 2> /dev/null || true)"
echo "Medians of the runs (min–max); ratio = Scrivlo's median / the peer's; runs alternate."

if [[ " $ROWS " == *" typing "* ]]; then
  echo
  echo "Typing $KEYS keys, $DELAY ms apart, at the end of 100,000 words ($RUNS runs each):"
  echo
  echo "| processor time per key, beside | Scrivlo (spelling as you type on) | peer | Scrivlo / peer |"
  echo "|---|---|---|---|"
  idle_rows=()
  for peer in $PEERS; do
    mine=() theirs=() mine_idle=() theirs_idle=()
    mine_editor=scrivlo
    [[ $peer == *-off ]] && mine_editor=scrivlo-off
    for ((i = 0; i < RUNS; i++)); do
      read -r key idle < <(typing_run "$mine_editor" "$i")
      mine+=("$key")
      [ "$idle" = - ] || mine_idle+=("$idle")
      read -r key idle < <(typing_run "$peer" "$i")
      theirs+=("$key")
      [ "$idle" = - ] || theirs_idle+=("$idle")
    done
    row "$(label "$peer")" ms 1000 "${mine[@]}" -- "${theirs[@]}"
    [ "$IDLE_RUNS" -gt 0 ] \
      && idle_rows+=("$(row "$(label "$peer")" ms 1000 "${mine_idle[@]}" -- "${theirs_idle[@]}")")
  done
  if [ ${#idle_rows[@]} -gt 0 ]; then
    echo
    echo "Idle: processor time in $IDLE_SECONDS s with the story open, the caret at its end," \
      "nothing happening ($IDLE_RUNS runs each):"
    echo
    echo "| idle, beside | Scrivlo | peer | Scrivlo / peer |"
    echo "|---|---|---|---|"
    printf '%s\n' "${idle_rows[@]}"
  fi
fi

if [[ " $ROWS " == *" startup "* ]]; then
  echo
  echo "Start-up without a document, from the start of the process ($RUNS runs each):"
  echo
  echo "| start-up, beside | Scrivlo | peer | Scrivlo / peer |"
  echo "|---|---|---|---|"
  for peer in $PEERS; do
    mapped_mine=() mapped_theirs=() idle_mine=() idle_theirs=()
    for ((i = 0; i < RUNS; i++)); do
      read -r m s < <(startup_run scrivlo)
      mapped_mine+=("$m") idle_mine+=("$s")
      read -r m s < <(startup_run "$peer")
      mapped_theirs+=("$m") idle_theirs+=("$s")
    done
    row "$(label "$peer" short): window mapped" s 1000 "${mapped_mine[@]}" -- "${mapped_theirs[@]}"
    row "$(label "$peer" short): idle" s 1000 "${idle_mine[@]}" -- "${idle_theirs[@]}"
  done
fi

if [[ " $ROWS " == *" open "* ]]; then
  echo
  echo "Opening Rich Text (gedit: the same text as plain text), from the start of the" \
    "process until it uses no more processor time ($OPEN_RUNS runs each):"
  echo
  echo "| open, beside | Scrivlo | peer | Scrivlo / peer |"
  echo "|---|---|---|---|"
  for size in 1500 8000; do
    # Samples of formatted words from Scrivlo's own bench tool, with their text twins.
    QT_QPA_PLATFORM=offscreen "$bin/rtf-load-bench" --make "$work/open.rtf" \
      $((size * 100 / 112)) > /dev/null 2>&1
    rtf_text_twin "$work/open.rtf"
    bytes=$(stat -c %s "$work/open.rtf" | sed ':a;s/\B[0-9]\{3\}\>/,&/;ta')
    for peer in $PEERS; do
      mine=() theirs=()
      for ((i = 0; i < OPEN_RUNS; i++)); do
        mine+=("$(open_run scrivlo "$work/open.rtf")")
        theirs+=("$(open_run "$peer" "$work/open.rtf")")
      done
      row "$(label "$peer" short), $bytes bytes" s 1000 "${mine[@]}" -- \
        "${theirs[@]}"
    done
  done
fi
