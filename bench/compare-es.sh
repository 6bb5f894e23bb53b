#!/usr/bin/env bash
# ESPANOL.DCT measured: the dictionary made from each Spanish word list of Debian
# (data/spanish-wordlist.sh: hunspell-es expanded by unmunch, the chosen one, and
# wspanish), side by side with Hunspell (es_ES) and GNU Aspell (es), on the same inputs:
#   - building each dictionary: seconds of the word list and of mkdct, words, nodes, bytes;
#   - checking the Spanish fortunes of fortunes-es: words per second of the whole process,
#     peak resident memory (medians of RUNS) and the words flagged, as occurrences and as a
#     share of the words of the text (the text is edited prose: nearly every flag is a
#     false alarm);
#   - suggesting for bench/spanish-errors.tsv (children's Spanish misspellings, hand-made)
#     through the pipe protocol (-a): the right word first / in the top 5 / in the top 10.
# Both dictionaries are ranked with the same tables (WORDPRIOR_ES.TXT, NOSUGGEST_ES.TXT).
# usage: bench/compare-es.sh [BIN_DIR]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
bin=${1:-build/bin}
runs=${RUNS:-5}
errors=${SPANISH_ERRORS:-$here/spanish-errors.tsv}
fortunes=${FORTUNES_DIR:-/usr/share/games/fortunes/es}
hunspell="hunspell -d es_ES -i utf-8"
aspell="aspell --lang=es --encoding=utf-8 --sug-mode=normal"

for tool in hunspell aspell unmunch "$bin/checker-bench" "$bin/scrivlo-spell" "$bin/mkdct"; do
  command -v "$tool" > /dev/null || { echo "compare-es.sh: $tool is missing (make bench installs the peers)" >&2; exit 2; }
done
[ -d "$fortunes" ] || { echo "compare-es.sh: no $fortunes (package fortunes-es)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The fortunes without the "%" lines between them; not the offensive ones of off/, which
# are kept in ROT13.
text=$work/fortunes-es.txt
find "$fortunes" -maxdepth 1 -type f ! -name '*.dat' ! -name '*.u8' | sort | xargs cat | grep -v '^%$' > "$text"

field() { awk -v k="$2" '{ for (i = 1; i < NF; i++) if ($i == k) print $(i + 1) }' <<< "$1"; }
now() { date +%s.%N; }

printf 'Building ESPANOL.DCT from each word list\n'
printf '%-9s %9s %9s %9s %9s %10s\n' source "list s" "mkdct s" words nodes bytes
for source in hunspell wspanish; do
  mkdir -p "$work/$source"
  cp "$bin/WORDPRIOR_ES.TXT" "$bin/NOSUGGEST_ES.TXT" "$work/$source/"
  t0=$(now)
  DCT_SOURCE=$source sh "$here/../data/spanish-wordlist.sh" > "$work/$source/list.txt"
  t1=$(now)
  summary=$("$bin/mkdct" -o "$work/$source/ESPANOL.DCT" "$work/$source/list.txt" 2>&1)
  t2=$(now)
  read -r words nodes bytes < <(sed -E 's/.*: ([0-9]+) words, ([0-9]+) nodes, ([0-9]+) bytes.*/\1 \2 \3/' <<< "$summary")
  printf '%-9s %9.1f %9.1f %9d %9d %10d\n' "$source" "$(echo "$t1 - $t0" | bc -l)" \
    "$(echo "$t2 - $t1" | bc -l)" "$words" "$nodes" "$bytes"
done

declare -A cmds=(
  [scrivlo]="$bin/scrivlo-spell --dict $work/hunspell/ESPANOL.DCT"
  [wspanish]="$bin/scrivlo-spell --dict $work/wspanish/ESPANOL.DCT"
)

printf '\nChecking the Spanish fortunes (fortunes-es; %d bytes), medians of %d runs\n' \
  "$(stat -c %s "$text")" "$runs"
printf '%-10s %9s %12s %9s %9s %9s\n' checker words "words/s" "peak KB" flagged "flagged%"
for name in scrivlo wspanish hunspell aspell; do
  case $name in
    scrivlo | wspanish) cmd="${cmds[$name]} --no-context check" ;;
    hunspell) cmd="$hunspell -l" ;;
    aspell) cmd="$aspell list" ;;
  esac
  # shellcheck disable=SC2086
  row=$("$bin/checker-bench" check "$runs" "$text" -- $cmd)
  w=$(field "$row" words)
  printf '%-10s %9d %12.0f %9d %9d %9.2f\n' "$name" "$w" \
    "$(echo "$w / $(field "$row" seconds)" | bc -l)" "$(field "$row" maxrss_kb)" \
    "$(field "$row" flagged)" "$(echo "100 * $(field "$row" flagged) / $w" | bc -l)"
done

printf '\nSuggesting for %s through the pipe (-a)\n' "$(basename "$errors")"
printf '%-10s %6s %10s %7s %7s %7s %9s\n' checker pairs "median µs" "first%" "top5%" "top10%" "accepted%"
for name in scrivlo classic wspanish hunspell aspell; do
  case $name in
    scrivlo | wspanish) cmd="${cmds[$name]} --max 10 -a" ;;
    classic) cmd="${cmds[scrivlo]} --classic --max 10 -a" ;;
    hunspell) cmd="$hunspell -a" ;;
    aspell) cmd="$aspell -a" ;;
  esac
  # shellcheck disable=SC2086
  row=$("$bin/checker-bench" suggest "$errors" -- $cmd)
  printf '%-10s %6d %10.1f %7.1f %7.1f %7.1f %9.1f\n' "$name" "$(field "$row" pairs)" \
    "$(field "$row" median_us)" "$(field "$row" first)" "$(field "$row" top5)" \
    "$(field "$row" top10)" "$(field "$row" accepted)"
done
