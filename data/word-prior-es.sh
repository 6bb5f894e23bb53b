#!/bin/sh
# Prints the Spanish word prior of the children's suggestion ranking (WORDPRIOR_ES.TXT),
# in the format of data/word-prior.txt: one "word<TAB>cost[<TAB>name]" line per word of
# ESPANOL.DCT that the counted text holds or that the word list only knows with a
# capital, sorted by the lower-cased word. This is how data/word-prior-es.txt was made:
#   data/word-prior-es.sh > data/word-prior-es.txt
#
# word   as it is to be offered: lower case, or with its capital when the word list only
#        writes it so ("Madrid")
# cost   -log10 of the word's share of the words of the Spanish fortunes of the Debian
#        package fortunes-es (about 160,000 words of proverbs and quotations; not the offensive ones of off/), times 25,
#        rounded, at most 254; 255 when the text lacks the word
# a third field "name" marks words the word list only writes with a capital.
#
# Needs the packages fortunes-es, hunspell-es, hunspell-tools and python3
# (scripts/install-deps --data). The build never runs this script; its output is committed.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
FORTUNES_DIR=${FORTUNES_DIR:-/usr/share/games/fortunes/es}
[ -d "$FORTUNES_DIR" ] || { echo "word-prior-es.sh: no $FORTUNES_DIR (package fortunes-es)" >&2; exit 1; }
command -v python3 > /dev/null || { echo "word-prior-es.sh: no python3" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
DCT_FREQUENCY_LIST=none sh "$here/spanish-wordlist.sh" > "$work/words"
# The fortune files themselves: not their .dat indexes, the .u8 links to them nor the
# offensive ones of off/, which are kept in ROT13.
find "$FORTUNES_DIR" -maxdepth 1 -type f ! -name '*.dat' ! -name '*.u8' | sort > "$work/texts"

python3 - "$work/words" "$work/texts" << 'PY'
import math, re, sys
from collections import Counter

cased = {}  # lower-case word -> its forms in the word list
for line in open(sys.argv[1], encoding="utf-8"):
    w = line.rstrip("\n")
    cased.setdefault(w.lower(), set()).add(w)

counts = Counter()
for path in open(sys.argv[2], encoding="utf-8").read().split("\n"):
    if not path:
        continue
    text = open(path, encoding="utf-8", errors="replace").read()
    counts.update(w.lower() for w in re.findall(r"[^\W\d_]+", text))
total = sum(counts.values())

for key in sorted(cased):
    forms = cased[key]
    name_only = key not in forms
    count = counts.get(key, 0)
    if count == 0 and not name_only:
        continue
    cost = 255 if count == 0 else min(254, round(-math.log10(count / total) * 25))
    shown = key if not name_only else sorted(forms)[0]
    print(f"{shown}\t{cost}" + ("\tname" if name_only else ""))
PY
