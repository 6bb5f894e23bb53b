#!/usr/bin/env bash
# The table of "Choosing ENGLISH.DCT" in bench/README.md: the chosen settings and one change of
# each kind, measured by dictionary-choice.sh. Needs the packages of
# `scripts/install-deps --bench` (fortunes, bible-kjv-text).
# usage: bench/dictionary-table.sh [BIN_DIR] [CORPORA_DIR]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
bin=${1:-build/bin}
corpora=${2:-$here/../../shared/corpora}
fortunes=/usr/share/games/fortunes
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Orders by the word counts of everyday fortunes texts, alone and together with the Bible.
texts=()
for f in education food fortunes humorists kids literature love people pets riddles \
  songs-poems sports wisdom; do
  texts+=("$fortunes/$f")
done
"$here/../data/word-frequency.sh" "${texts[@]}" > "$work/fortunes.txt"
bible -f Genesis1:1-Revelation22:21 | sed -E 's/^[1-3]?[A-Za-z]+[0-9]+:[0-9]+ //' > "$work/both-text.txt"
cat "${texts[@]}" >> "$work/both-text.txt"
"$here/../data/word-frequency.sh" "$work/both-text.txt" > "$work/both.txt"

all26="a b c d e f g h i j k l m n o p q r s t u v w x y z"
"$here/dictionary-choice.sh" "$bin" "$corpora" \
  "size 20=DCT_MAX_SIZE=20" "size 35=DCT_MAX_SIZE=35" "size 40=DCT_MAX_SIZE=40" \
  "**size 50, upper-case words of 3+ letters, order: KJV counts (chosen)**=DCT_MAX_SIZE=50" \
  "size 55=DCT_MAX_SIZE=55" "size 60=DCT_MAX_SIZE=60" "size 70=DCT_MAX_SIZE=70" \
  "size 80=DCT_MAX_SIZE=80" \
  "50, words only=DCT_CATEGORIES=words" \
  "50, words + upper=DCT_CATEGORIES='words upper'" \
  "50, no contractions=DCT_CATEGORIES='words upper proper-names'" \
  "50, + abbreviations=DCT_CATEGORIES='words upper proper-names contractions abbreviations'" \
  "50, proper names ≤ 35=DCT_CATEGORIES='words upper proper-names:35 contractions'" \
  "50, words ≤ 40=DCT_CATEGORIES='words:40 upper proper-names contractions'" \
  "50, English spellings only=DCT_SPELLINGS=english" \
  "50, + British -ize spellings=DCT_SPELLINGS='english american british_z'" \
  "50, upper-case words of any length=DCT_UPPER_MIN_LENGTH=1" \
  "50, upper-case words of 4+ letters=DCT_UPPER_MIN_LENGTH=4" \
  "50, one-letter words: none=DCT_ONE_LETTER_WORDS=" \
  "50, one-letter words: a=DCT_ONE_LETTER_WORDS=a" \
  "50, one-letter words: all 26=DCT_ONE_LETTER_WORDS='$all26'" \
  "50, order: letter=DCT_ORDER=letter" "50, order: SCOWL size=DCT_ORDER=size" \
  "50, order: fortunes counts=DCT_FREQUENCY_LIST=$work/fortunes.txt" \
  "50, order: KJV + fortunes counts=DCT_FREQUENCY_LIST=$work/both.txt"
