#!/bin/sh
# Prints the word list of ENGLISH.DCT on standard output, one "word<TAB>rank" a line, from
# the SCOWL lists. mkdct orders every sibling list by the smallest rank below each node,
# so the rank decides which words a lookup and the suggestion search meet first:
#   ORDER=frequency  rank = place of the word in FREQUENCY_LIST (most common first); words
#                    not in it come after all that are, by SCOWL size
#   ORDER=size       rank = the SCOWL size of the list the word comes from (10 = common)
#   ORDER=letter     no rank: plain letter order
# mkdct lower-cases the words, keeps the smallest rank of a repeated word and skips what
# code page 437 cannot hold and words ending in 's. The choice below was measured (README,
# "Choosing ENGLISH.DCT"); every setting can be overridden from the environment.
set -eu

here=$(dirname "$0")
SCOWL_DIR=${SCOWL_DIR:-/usr/share/dict/scowl}
SPELLINGS=${SPELLINGS:-"english american"}
# A category may carry its own largest size: "proper-names:35".
CATEGORIES=${CATEGORIES:-"words upper proper-names contractions"}
MIN_SIZE=${MIN_SIZE:-10}
MAX_SIZE=${MAX_SIZE:-50}
# One-letter words kept (lower case); every other single letter is left out.
ONE_LETTER_WORDS=${ONE_LETTER_WORDS-"a i"}
ORDER=${ORDER:-frequency}
# "word<TAB>count" lines, most common first.
FREQUENCY_LIST=${FREQUENCY_LIST:-$here/word-frequency.txt}

if [ ! -d "$SCOWL_DIR" ]; then
  echo "english-wordlist.sh: no SCOWL lists in $SCOWL_DIR (Debian package scowl)" >&2
  exit 1
fi
case $ORDER in
  frequency)
    [ -f "$FREQUENCY_LIST" ] || { echo "english-wordlist.sh: no $FREQUENCY_LIST" >&2; exit 1; } ;;
  size | letter) FREQUENCY_LIST=/dev/null ;;
  *) echo "english-wordlist.sh: ORDER is frequency, size or letter, not $ORDER" >&2; exit 1 ;;
esac

lists=""
for spelling in $SPELLINGS; do
  for entry in $CATEGORIES; do
    category=${entry%%:*}
    largest=$MAX_SIZE
    case $entry in *:*) largest=${entry#*:} ;; esac
    for file in "$SCOWL_DIR/$spelling-$category".*; do
      [ -f "$file" ] || continue
      size=${file##*.}
      case $size in *[!0-9]* | '') continue ;; esac
      [ "$size" -ge "$MIN_SIZE" ] && [ "$size" -le "$MAX_SIZE" ] && [ "$size" -le "$largest" ] || continue
      lists="$lists $file"
    done
  done
done
if [ -z "$lists" ]; then
  echo "english-wordlist.sh: no lists of sizes $MIN_SIZE..$MAX_SIZE in $SCOWL_DIR" >&2
  exit 1
fi

# The frequency list is read first, then each SCOWL list.
# shellcheck disable=SC2086
LC_ALL=C awk -v keep=" $ONE_LETTER_WORDS " -v order="$ORDER" -v freq="$FREQUENCY_LIST" '
  FILENAME == freq { split($0, f, "\t"); if (!(f[1] in common)) common[f[1]] = FNR; next }
  FNR == 1 { size = FILENAME; sub(/.*\./, "", size) }
  { sub(/\r$/, "") }
  $0 == "" { next }
  # A one-letter line is one ASCII letter or one multi-byte UTF-8 character.
  /^[A-Za-z]$/ || /^[\300-\367][\200-\277]*$/ {
    if (index(keep, " " tolower($0) " ") == 0) next
  }
  order == "letter" { print; next }
  order == "size" { print $0 "\t" size; next }
  { w = tolower($0); print $0 "\t" ((w in common) ? common[w] : 1000000 + size) }
' "$FREQUENCY_LIST" $lists
