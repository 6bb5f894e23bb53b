#!/usr/bin/env bash
# Are the words a child asks to hear really heard? Says words through the program's
# speaker (speech-bench, as the spelling dialog does) into a PulseAudio null sink, records
# it, and counts the stretches of sound. Not part of the tests: it needs PulseAudio,
# parec, python3 and the voices (flite, speech-dispatcher-espeak-ng), and takes a minute.
#   bench/speech-audible.sh [BIN] [TRIES]
# Each entry is one run of speech-bench: a word (or a sentence), or "dog @es playa", an
# English word and then, after switching to Spanish, a Spanish one, where both must sound.
set -euo pipefail
bin=${1:-build/bin}
[ -x "$bin/speech-bench" ] || { echo "speech-audible.sh: no $bin/speech-bench (make bench builds it)" >&2; exit 2; }
tries=${2:-3}
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
  --load="module-native-protocol-unix" --load="module-null-sink sink_name=rec" 2>/dev/null
trap 'pulseaudio --kill 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink rec

# Stretches of sound: peaks above 300 in 20 ms frames, apart by 0.3 s of quiet.
count='
import sys, array
d = array.array("h", open(sys.argv[1], "rb").read())
n, f, last, seconds = 0, 320, -1e9, 0.0
for i in range(0, len(d) - f, f):
    if max(map(abs, d[i:i + f])) > 300:
        if i - last > 0.3 * 16000: n += 1
        last, seconds = i, seconds + f / 16000
print(n, round(seconds, 2))
'
entries=(beach beech me people favorite dog castle "the beach"
  "Once upon a time a little dragon found a shiny pebble beside the river."
  "dog @es playa")
printf '%-75s %s\n' "said" "heard (tries, seconds of sound each)"
total=0 heard=0
for entry in "${entries[@]}"; do
  read -r -a words <<< "$entry"
  [[ $entry == *" "* && $entry != *@* ]] && words=("$entry")
  need=1; [[ $entry == *@* ]] && need=2
  ok=0 secs=()
  for _ in $(seq "$tries"); do
    parec -d rec.monitor --format=s16le --rate=16000 --channels=1 > "$work/rec.raw" &
    rec=$!
    sleep 0.3
    QT_QPA_PLATFORM=offscreen timeout 60 "$bin/speech-bench" --gap 800 "${words[@]}" \
      > /dev/null 2>&1 || true
    sleep 0.3
    kill "$rec"; wait "$rec" 2>/dev/null || true
    read -r segments seconds < <(python3 -c "$count" "$work/rec.raw")
    (( segments >= need )) && ok=$((ok + 1))
    secs+=("$seconds")
  done
  total=$((total + tries)) heard=$((heard + ok))
  printf '%-75s %d/%d  %s s\n' "$entry" "$ok" "$tries" "${secs[*]}"
done
echo "heard $heard of $total"
