#!/bin/sh
# Prints the word list of ENGLISH.DCT on standard output, one "word<TAB>rank" a line, from
# the SCOWL lists. mkdct orders every sibling list by the smallest rank below each node,
# so the rank decides which words a lookup and the suggestion search meet first:
#   DCT_ORDER=frequency  rank = place of the word in DCT_FREQUENCY_LIST (most common
#                        first); words not in it follow all that are, by SCOWL size
#   DCT_ORDER=size       rank = the SCOWL size of the list the word comes from (10: common)
#   DCT_ORDER=letter     no rank: plain letter order
# mkdct lower-cases the words, keeps the smallest rank of a repeated word and skips what
# code page 437 cannot hold and words ending in 's. The choice below was measured (README,
# "Choosing ENGLISH.DCT"); every setting can be overridden from the environment.
set -eu

here=$(dirname "$0")
SCOWL_DIR=${SCOWL_DIR:-/usr/share/dict/scowl}
DCT_SPELLINGS=${DCT_SPELLINGS:-"english american"}
# A category may carry its own largest size: "proper-names:35".
DCT_CATEGORIES=${DCT_CATEGORIES:-"words upper proper-names contractions"}
DCT_MIN_SIZE=${DCT_MIN_SIZE:-10}
DCT_MAX_SIZE=${DCT_MAX_SIZE:-50}
# Words of the upper-case category shorter than this are left out: at two letters they are
# chemical symbols and abbreviations ("Fr", "Se") that, lower-cased, would make two-word
# splits of misspellings ("fr end").
DCT_UPPER_MIN_LENGTH=${DCT_UPPER_MIN_LENGTH:-3}
# One-letter words kept (lower case); every other single letter is left out.
DCT_ONE_LETTER_WORDS=${DCT_ONE_LETTER_WORDS-"a i"}
DCT_ORDER=${DCT_ORDER:-frequency}
# "word<TAB>count" lines, most common first.
DCT_FREQUENCY_LIST=${DCT_FREQUENCY_LIST:-$here/word-frequency.txt}

if [ ! -d "$SCOWL_DIR" ]; then
  echo "english-wordlist.sh: no SCOWL lists in $SCOWL_DIR (Debian package scowl)" >&2
  exit 1
fi
case $DCT_ORDER in
  frequency)
    [ -f "$DCT_FREQUENCY_LIST" ] || { echo "english-wordlist.sh: no $DCT_FREQUENCY_LIST" >&2; exit 1; } ;;
  size | letter) DCT_FREQUENCY_LIST=/dev/null ;;
  *) echo "english-wordlist.sh: DCT_ORDER is frequency, size or letter, not $DCT_ORDER" >&2; exit 1 ;;
esac

lists=""
for spelling in $DCT_SPELLINGS; do
  for entry in $DCT_CATEGORIES; do
    category=${entry%%:*}
    largest=$DCT_MAX_SIZE
    case $entry in *:*) largest=${entry#*:} ;; esac
    for file in "$SCOWL_DIR/$spelling-$category".*; do
      [ -f "$file" ] || continue
      size=${file##*.}
      case $size in *[!0-9]* | '') continue ;; esac
      [ "$size" -ge "$DCT_MIN_SIZE" ] && [ "$size" -le "$DCT_MAX_SIZE" ] && [ "$size" -le "$largest" ] || continue
      lists="$lists $file"
    done
  done
done
if [ -z "$lists" ]; then
  echo "english-wordlist.sh: no lists of sizes $DCT_MIN_SIZE..$DCT_MAX_SIZE in $SCOWL_DIR" >&2
  exit 1
fi

# The frequency list is read first, then each SCOWL list.
# shellcheck disable=SC2086
LC_ALL=C awk -v keep=" $DCT_ONE_LETTER_WORDS " -v order="$DCT_ORDER" -v freq="$DCT_FREQUENCY_LIST" \
  -v upperMin="$DCT_UPPER_MIN_LENGTH" '
  FILENAME == freq { split($0, f, "\t"); if (!(f[1] in common)) common[f[1]] = FNR; next }
  FNR == 1 { size = FILENAME; sub(/.*\./, "", size); upper = FILENAME ~ /-upper\./ }
  { sub(/\r$/, "") }
  $0 == "" { next }
  upper && length($0) < upperMin { next }
  # A one-letter line is one ASCII letter or one multi-byte UTF-8 character.
  /^[A-Za-z]$/ || /^[\300-\367][\200-\277]*$/ {
    if (index(keep, " " tolower($0) " ") == 0) next
  }
  order == "letter" { print; next }
  order == "size" { print $0 "\t" size; next }
  { w = tolower($0); print $0 "\t" ((w in common) ? common[w] : 1000000 + size) }
' "$DCT_FREQUENCY_LIST" $lists
