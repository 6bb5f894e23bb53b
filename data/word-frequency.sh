#!/bin/sh
# Prints "word<TAB>count" for the words of the texts given (default: the King James Bible
# of the Debian package bible-kjv-text, printed by `bible`), most common first, lower case,
# words seen at least twice. This is how data/word-frequency.txt was made:
#   data/word-frequency.sh > data/word-frequency.txt
set -eu

text() {
  if [ $# -gt 0 ]; then
    cat "$@"
  else
    command -v bible > /dev/null || { echo "word-frequency.sh: no bible (package bible-kjv)" >&2; exit 1; }
    # Verse references ("Ge1:1 ") are not words of the text.
    bible -f Genesis1:1-Revelation22:21 | sed -E 's/^[1-3]?[A-Za-z]+[0-9]+:[0-9]+ //'
  fi
}

text "$@" | LC_ALL=C tr -cs "A-Za-z'" '\n' | LC_ALL=C tr 'A-Z' 'a-z' \
  | sed -e "s/^'*//" -e "s/'*\$//" | grep -v '^$' | LC_ALL=C sort | uniq -c \
  | LC_ALL=C sort -k1,1nr -k2,2 | awk '$1 >= 2 { print $2 "\t" $1 }'
