#!/bin/sh
# Prints the auto-correct list that ships beside ENGLISH.DCT (AUTOCORR.TXT), one
# "misspelling=correction" a line, from the common-misspelling list of Debian's codespell
# package. A pair is kept only when it is safe to apply without asking:
#   - the misspelling has exactly one correction, of at most 12 letters,
#   - the misspelling is not a word of ENGLISH.DCT, nor of any SCOWL list of ordinary words
#     (every size and spelling: words, upper-case words, contractions, abbreviations), so no
#     real word is ever changed; the rare proper names beyond ENGLISH.DCT ("Teh") are not
#     kept out, since the spell check reports them anyway,
#   - every word of the correction is a word of ENGLISH.DCT's list (english-wordlist.sh),
#   - the misspelling is made of letters and apostrophes only, as the spell check scans words,
#   - no everyday word (SCOWL sizes up to 35) is a likely rival of the correction
#     (autocorrect.py, with the word counts of word-frequency.txt), so the pair is never
#     a guess between two words.
# Run from the repository: sh data/autocorrect.sh > data/AUTOCORR.TXT
set -eu

here=$(dirname "$0")
CODESPELL_DICT=${CODESPELL_DICT:-/usr/lib/python3/dist-packages/codespell_lib/data/dictionary.txt}
SCOWL_DIR=${SCOWL_DIR:-/usr/share/dict/scowl}
[ -f "$CODESPELL_DICT" ] || { echo "autocorrect.sh: no $CODESPELL_DICT (Debian package codespell)" >&2; exit 1; }
[ -d "$SCOWL_DIR" ] || { echo "autocorrect.sh: no SCOWL lists in $SCOWL_DIR (Debian package scowl)" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# The words of ENGLISH.DCT and every SCOWL word but the proper names, lower case.
sh "$here/english-wordlist.sh" | cut -f1 | tr 'A-Z' 'a-z' | sort -u > "$tmp/dct"
for f in "$SCOWL_DIR"/*; do
  case $f in *-proper-names.*) ;; *) iconv -f ISO-8859-1 -t UTF-8 "$f" ;; esac
done | tr 'A-Z' 'a-z' | cat - "$tmp/dct" | sort -u > "$tmp/scowl"
for f in "$SCOWL_DIR"/english-words.10 "$SCOWL_DIR"/*-words.20 "$SCOWL_DIR"/*-words.35 \
  "$SCOWL_DIR"/*-contractions.10 "$SCOWL_DIR"/*-contractions.35; do
  [ -f "$f" ] && iconv -f ISO-8859-1 -t UTF-8 "$f"
done | tr 'A-Z' 'a-z' | sort -u > "$tmp/common"

LC_ALL=C awk -v scowl="$tmp/scowl" -v dct="$tmp/dct" '
  BEGIN {
    while ((getline w < scowl) > 0) known[w] = 1
    while ((getline w < dct) > 0) indct[w] = 1
  }
  {
    split($0, side, "->")
    from = side[1]; to = side[2]
    sub(/,$/, "", to)
    if (to == "" || index(to, ",") || from !~ /^[a-z][a-z'\'']+$/) next
    # Corrected while typing are the words children write; a longer word is left to the
    # underline and F7, where the child sees the change being made.
    if (length(to) > 12) next
    if (tolower(from) in known) next
    n = split(tolower(to), words, " ")
    for (i = 1; i <= n; i++) if (!(words[i] in indct)) next
    print from "=" to
  }' "$CODESPELL_DICT" | LC_ALL=C sort -u | python3 "$here/autocorrect.py" "$tmp/common" "$here/word-frequency.txt"
