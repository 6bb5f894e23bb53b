#!/bin/sh
# Prints the word list of ENGLISH.DCT on standard output, one "word<TAB>rank" a line, from
# the SCOWL lists. The rank is the SCOWL size of the list a word comes from (10 = the most
# common words). mkdct lower-cases the words, keeps the smallest rank of a repeated word
# and skips what code page 437 cannot hold and words ending in 's.
set -eu

# The selection; tune these by measurement.
SCOWL_DIR=${SCOWL_DIR:-/usr/share/dict/scowl}
SPELLINGS="english american"
CATEGORIES="words upper proper-names contractions"
MIN_SIZE=10
MAX_SIZE=50
# One-letter words kept (lower case); every other single letter is left out.
ONE_LETTER_WORDS="a i"

if [ ! -d "$SCOWL_DIR" ]; then
  echo "english-wordlist.sh: no SCOWL lists in $SCOWL_DIR (Debian package scowl)" >&2
  exit 1
fi

found=0
for spelling in $SPELLINGS; do
  for category in $CATEGORIES; do
    for file in "$SCOWL_DIR/$spelling-$category".*; do
      [ -f "$file" ] || continue
      size=${file##*.}
      case $size in *[!0-9]* | '') continue ;; esac
      [ "$size" -ge "$MIN_SIZE" ] && [ "$size" -le "$MAX_SIZE" ] || continue
      found=$((found + 1))
      # A one-letter line is one ASCII letter or one multi-byte UTF-8 character.
      LC_ALL=C awk -v rank="$size" -v keep=" $ONE_LETTER_WORDS " '
        { sub(/\r$/, "") }
        $0 == "" { next }
        /^[A-Za-z]$/ || /^[\300-\367][\200-\277]*$/ {
          if (index(keep, " " tolower($0) " ") == 0) next
        }
        { print $0 "\t" rank }' "$file"
    done
  done
done

if [ "$found" -eq 0 ]; then
  echo "english-wordlist.sh: no lists of sizes $MIN_SIZE..$MAX_SIZE in $SCOWL_DIR" >&2
  exit 1
fi
