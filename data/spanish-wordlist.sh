#!/bin/sh
# Prints the word list of ESPANOL.DCT on standard output, one "word<TAB>rank" a line
# (UTF-8), with the capitals of the source, for mkdct:
#   DCT_SOURCE=hunspell  the es_ES dictionary of hunspell-es with every form its affix
#                        rules make (unmunch of hunspell-tools): about a million forms,
#                        every person and tense of the verbs ("vamos", "llegó")
#   DCT_SOURCE=wspanish  the word list of the package wspanish: 86,000 words, few verb
#                        forms
# The rank of a word is its cost in DCT_FREQUENCY_LIST (the Spanish word prior: the
# smaller, the more common); words it lacks follow all that it holds. DCT_FREQUENCY_LIST=none
# leaves the ranks out (plain letter order). mkdct orders every sibling list
# by the smallest rank below each node, so common words are met first.
# Entries that are not one word of letters ("DD.HH.", "Educ.ar", names with spaces) are
# left out: the checker splits text at every other character, so no text could ever
# match them. The choice of source was measured (bench/README.md, "ESPANOL.DCT").
set -eu

here=$(dirname "$0")
DCT_SOURCE=${DCT_SOURCE:-hunspell}
HUNSPELL_DIC=${HUNSPELL_DIC:-/usr/share/hunspell/es_ES}
WSPANISH=${WSPANISH:-/usr/share/dict/spanish}
# One-letter words kept: the conjunctions and the preposition. The other single letters of
# the source (symbols, numerals: "C", "N", "d") would turn misspellings into two-word
# splits ("c asa").
DCT_ONE_LETTER_WORDS=${DCT_ONE_LETTER_WORDS-"a e o u y ó"}
# "word<TAB>cost" lines.
DCT_FREQUENCY_LIST=${DCT_FREQUENCY_LIST:-$here/word-prior-es.txt}

case $DCT_SOURCE in
  hunspell)
    command -v unmunch > /dev/null \
      || { echo "spanish-wordlist.sh: no unmunch (Debian package hunspell-tools)" >&2; exit 1; }
    [ -f "$HUNSPELL_DIC.dic" ] && [ -f "$HUNSPELL_DIC.aff" ] \
      || { echo "spanish-wordlist.sh: no $HUNSPELL_DIC.dic/.aff (Debian package hunspell-es)" >&2; exit 1; }
    words() { unmunch "$HUNSPELL_DIC.dic" "$HUNSPELL_DIC.aff" 2> /dev/null; } ;;
  wspanish)
    [ -f "$WSPANISH" ] || { echo "spanish-wordlist.sh: no $WSPANISH (Debian package wspanish)" >&2; exit 1; }
    words() { cat "$WSPANISH"; } ;;
  *) echo "spanish-wordlist.sh: DCT_SOURCE is hunspell or wspanish, not $DCT_SOURCE" >&2; exit 1 ;;
esac
[ "$DCT_FREQUENCY_LIST" = none ] || [ -f "$DCT_FREQUENCY_LIST" ] || { echo "spanish-wordlist.sh: no $DCT_FREQUENCY_LIST" >&2; exit 1; }

# unmunch leaves the flags on a few entries ("abatible/S|") and spaces after some.
# Byte-wise: a letter is an ASCII letter or a two-byte UTF-8 character (the accented Latin
# letters).
words | LC_ALL=C awk -v freq="$DCT_FREQUENCY_LIST" -v keep=" $DCT_ONE_LETTER_WORDS " '
  BEGIN {
    while (freq != "none" && (getline line < freq) > 0) {
      split(line, f, "\t")
      rank[tolower(f[1])] = f[2] + 0
    }
  }
  {
    sub(/\/.*/, ""); sub(/[ \t\r]+$/, "")
    if ($0 == "" || $0 !~ /^([A-Za-z]|[\303-\305][\200-\277])+$/ || seen[$0]++) next
    w = tolower($0)
    if (($0 ~ /^[A-Za-z]$/ || $0 ~ /^[\303-\305][\200-\277]$/) && index(keep, " " w " ") == 0) next
    if (freq == "none") print
    else print $0 "\t" ((w in rank) ? rank[w] : 1000)
  }'
