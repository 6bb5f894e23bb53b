#!/bin/sh
# Prints the confusable word groups of the check in context: one group a line, its words
# separated by spaces. This is how data/CONFUSABLE.TXT was made:
#   data/confusables.sh > data/CONFUSABLE.TXT
#
# The groups are the homophones of the pronunciation dictionary of the Debian package
# pocketsphinx-en-us (cmudict-en-us.dict: words spelt differently with one pronunciation)
# among the common words: those the word prior (word-prior.txt) writes in lower case,
# without the name mark, with a cost of at most MAXCOST (25 per decade of probability;
# 140 is about one word in 400,000), and longer than one letter (a letter's name is no word a
# child means), less the groups data/confusables-extra.txt strikes out with a leading '-'
# (pairs of the pronunciation dictionary no child mixes up: "the thee", "are or"). Then
# the project's own near-homophones, the other lines of data/confusables-extra.txt.
#
# Licence of the pronunciation dictionary (from /usr/share/doc/pocketsphinx-en-us/copyright):
# BSD-2, Copyright 1995-2014 Carnegie Mellon University, 2014-2015 Alpha Cephei Inc.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
DICT=${DICT:-/usr/share/pocketsphinx/model/en-us/cmudict-en-us.dict}
MAXCOST=${MAXCOST:-140}
struck=$(mktemp)
trap 'rm -f "$struck"' EXIT
sed -n 's/^-//p' "$here/confusables-extra.txt" > "$struck"
[ -r "$DICT" ] || { echo "confusables.sh: $DICT missing (package pocketsphinx-en-us)" >&2; exit 1; }

echo "# Confusable words of the check in context, one group a line (data/confusables.sh)."
echo "# Homophones of the common words, from cmudict-en-us.dict of pocketsphinx-en-us:"
LC_ALL=C awk -v maxcost="$MAXCOST" '
  FNR == NR {
    if (NF == 2 && $1 ~ /^[a-z'\'']+$/ && $2 + 0 <= maxcost && length($1) > 1) common[$1] = 1
    next
  }
  {
    word = $1
    sub(/\([0-9]+\)$/, "", word)
    if (!(word in common)) next
    sound = $2
    for (i = 3; i <= NF; i++) sound = sound " " $i
    key = sound SUBSEP word
    if (key in seen) next
    seen[key] = 1
    group[sound] = count[sound] ? group[sound] " " word : word
    count[sound]++
  }
  END {
    for (s in group) if (count[s] > 1) print group[s]
  }
' "$here/word-prior.txt" "$DICT" | LC_ALL=C sort -u |
  { grep -vxF -f "$struck" || true; }
echo "# Near-homophones chosen by the project (data/confusables-extra.txt):"
grep -v '^[#-]' "$here/confusables-extra.txt"
