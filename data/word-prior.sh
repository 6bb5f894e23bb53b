#!/bin/sh
# Prints the word prior of the children's suggestion ranking: one "word<TAB>cost" line per
# word of ENGLISH.DCT that a language model knows or that the word lists only know with a
# capital, sorted by the lower-cased word. This is how data/word-prior.txt was made:
#   data/word-prior.sh > data/word-prior.txt
#
# word   as it is to be offered: as the SCOWL list of the smallest size (the most common
#        words) writes it, lower case on a tie: "Wednesday", "I" (size 10, against "i",
#        the letter, at 40), "McDonald", but "a" and "mark"; and in lower case whenever
#        a list of ordinary words up to size 60 holds it so ("doctor", not "Doctor",
#        the title, at 10; "teddy", not the name), one-letter words aside ("I"). A child
#        who means the capital types it, and the suggestion follows the typed capital.
# cost   -log10 of the word's unigram probability in the US English language model of the
#        Debian package pocketsphinx-en-us (BSD licence, see below), times 25, rounded, at
#        most 254; 255 when the model lacks the word
# a third field "name" marks words that only the proper-name lists hold.
#
# Needs (scripts/install-deps --data) the packages pocketsphinx-en-us and sphinxbase-utils (sphinx_lm_convert turns the
# binary model into ARPA text), scowl, and a C compiler: sphinx_lm_convert aborts on an
# internal check after it has written the unigrams, which are all this needs, and its
# unflushed output would be lost, so a small preloaded library turns that abort into an
# ordinary exit. The build never runs this script; the table it made is committed.
#
# Licence of the model (from /usr/share/doc/pocketsphinx-en-us/copyright): BSD-2,
# Copyright 1995-2014 Carnegie Mellon University, 2014-2015 Alpha Cephei Inc.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
MODEL=${MODEL:-/usr/share/pocketsphinx/model/en-us/en-us.lm.bin}
for tool in sphinx_lm_convert cc; do
  command -v $tool > /dev/null || { echo "word-prior.sh: no $tool (packages sphinxbase-utils, build-essential)" >&2; exit 1; }
done
[ -f "$MODEL" ] || { echo "word-prior.sh: no $MODEL (package pocketsphinx-en-us)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat > "$work/exit.c" << 'C'
#include <stdlib.h>
void __assert_fail(const char *a, const char *f, unsigned l, const char *fn)
{
    (void)a; (void)f; (void)l; (void)fn;
    exit(3);
}
C
cc -shared -fPIC -o "$work/exit.so" "$work/exit.c"
LD_PRELOAD="$work/exit.so" sphinx_lm_convert -i "$MODEL" -o "$work/model.arpa" -ofmt arpa \
  > /dev/null 2>&1 || true
awk '/^\\1-grams:/ { on = 1; next } on && /^$/ { exit } on { print $2 "\t" $1 }' \
  "$work/model.arpa" > "$work/unigrams"
declared=$(awk -F= '/^ngram 1=/ { print $2; exit }' "$work/model.arpa")
[ "$(wc -l < "$work/unigrams")" -eq "$declared" ] \
  || { echo "word-prior.sh: the model's unigrams came out incomplete" >&2; exit 1; }

# The words of ENGLISH.DCT with their capitals, and the proper names among them.
DCT_ORDER=letter sh "$here/english-wordlist.sh" > "$work/words"
# Each word with the SCOWL size of its list. Short upper-case words ("I") stay out of the
# dictionary's own list but give their capitals to the words it holds.
DCT_ORDER=size DCT_UPPER_MIN_LENGTH=1 sh "$here/english-wordlist.sh" > "$work/cased"
DCT_ORDER=letter DCT_CATEGORIES=proper-names sh "$here/english-wordlist.sh" > "$work/names"
DCT_ORDER=letter DCT_CATEGORIES="words upper contractions" sh "$here/english-wordlist.sh" \
  > "$work/common"
DCT_ORDER=letter DCT_CATEGORIES=words DCT_MAX_SIZE=60 sh "$here/english-wordlist.sh" \
  > "$work/ordinary"

LC_ALL=C.UTF-8 awk -F'\t' -v unigrams="$work/unigrams" -v names="$work/names" \
  -v common="$work/common" -v words="$work/words" -v ordinary="$work/ordinary" '
  FILENAME == unigrams { lp[tolower($1)] = $2; next }
  FILENAME == ordinary { if ($1 == tolower($1) && length($1) > 1) isLower[$1] = 1; next }
  FILENAME == names { isName[tolower($1)] = 1; next }
  FILENAME == common { isCommon[tolower($1)] = 1; next }
  FILENAME == words { inDct[tolower($1)] = 1; next }
  !(tolower($1) in inDct) || $1 ~ /\047s$/ { next }
  {
    w = $1; k = tolower(w); size = $2 + 0
    better = !(k in shown) || size < best[k] \
      || (size == best[k] && (w == k || (shown[k] != k && w ~ /^[A-Z][^A-Z]*$/)))
    if (!(k in shown)) order[++n] = k
    if (better) { shown[k] = w; best[k] = size }
  }
  END {
    for (i = 1; i <= n; i++) {
      k = order[i]
      if (k in isLower) shown[k] = k
      cost = 255
      if (k in lp) { cost = int(-lp[k] * 25 + 0.5); if (cost > 254) cost = 254 }
      if (cost == 255 && shown[k] == k) continue
      line = shown[k] "\t" cost
      if ((k in isName) && !(k in isCommon)) line = line "\tname"
      print k "\t" line
    }
  }' "$work/unigrams" "$work/names" "$work/common" "$work/ordinary" "$work/words" \
  "$work/cased" \
  | LC_ALL=C sort -t "$(printf '\t')" -k1,1 -u | cut -f2-
