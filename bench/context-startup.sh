#!/usr/bin/env bash
# The checks in context at start-up: time until the main window is mapped and the
# resident memory once the program is idle, with "Check Words in Context" and "Check
# Capitals" on (the default, the model read on a worker thread) and off; five starts of
# each, alternating, each with a fresh HOME on a virtual screen (bench/xdrive.sh).
#   bench/context-startup.sh [build/bin]
set -euo pipefail
bin=${1:-build/bin}
bin=$(cd "$bin" && pwd)
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT
OPEN_LIMIT=20
source "$(dirname "$0")/xdrive.sh"

# Here "scrivlo-off" is the program with both checks in context off, spelling as you
# type on in both.
fresh_home() {
  local home
  home=$(mktemp -d "$work/home.XXXX")
  if [ "$1" = scrivlo-off ]; then
    mkdir -p "$home/.config/Scrivlo"
    printf '[Editor]\nCheckWordsInContext=false\nCheckCapitals=false\n' \
      > "$home/.config/Scrivlo/Scrivlo.conf"
  fi
  echo "$home"
}

rss_kb() { awk '/^VmRSS/ { print $2 }' "/proc/$1/status"; }

start_screen
declare -A maps rss
for run in 1 2 3 4 5; do
  for editor in scrivlo scrivlo-off; do
    start_editor "$editor" ""
    wait_mapped
    wait_idle
    maps[$editor]+="$mapped "
    rss[$editor]+="$(rss_kb "$pid") "
    stop_editor
  done
done
median() { tr ' ' '\n' | grep . | sort -n | sed -n 3p; }
for editor in scrivlo scrivlo-off; do
  name=$([ "$editor" = scrivlo ] && echo "context on " || echo "context off")
  printf '%s: window mapped after %s ms (median; runs: %s), resident %s kB (median; runs: %s)\n' \
    "$name" "$(echo "${maps[$editor]}" | median)" "${maps[$editor]% }" \
    "$(echo "${rss[$editor]}" | median)" "${rss[$editor]% }"
done
