#!/usr/bin/env python3
"""Keeps the auto-correct pairs whose correction is clearly the word that was meant.

Usage: autocorrect.py COMMON_WORDS WORD_COUNTS < pairs > kept
Reads "misspelling=correction" lines (UTF-8) on standard input, the everyday words (one a line,
lower case) and "word<TAB>count" lines; prints the pairs it keeps. A pair is applied without
asking, so it must not be a guess between two words: it is dropped when an everyday word
other than the correction lies nearer the misspelling, or as near and at least a tenth as
common ("goin": "going" and "join"; "woth": "worth" and "with"). Distances count a swap of
two neighbouring letters as 0.5 ("teh" is nearer "the" than "ten") and every other
one-letter edit as 1; other words are looked for one edit away, where misspellings of a
pair collide with real words.
"""
import sys

LETTERS = "abcdefghijklmnopqrstuvwxyz'"
# A rival as near as the correction blocks the pair unless the correction is this many
# times as common.
COMMONER = 10


def near(word):
    """Words one edit away, with the edit's cost."""
    out = {}
    for i in range(len(word) + 1):
        left, right = word[:i], word[i:]
        if right:
            out.setdefault(left + right[1:], 1.0)
        if len(right) > 1:
            out[left + right[1] + right[0] + right[2:]] = 0.5
        for c in LETTERS:
            out.setdefault(left + c + right, 1.0)
            if right:
                out.setdefault(left + c + right[1:], 1.0)
    out.pop(word, None)
    return out


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        common = {line.strip() for line in f if line.strip()}
    counts = {}
    with open(sys.argv[2], encoding="utf-8") as f:
        for line in f:
            word, count = line.rstrip("\n").split("\t")
            counts[word.lower()] = int(count)
    for line in sys.stdin:
        line = line.rstrip("\n")
        # The editor reads the list as UTF-8, and the spell check's word lists hold code
        # page 1252: a pair it cannot hold there is left out, never garbled.
        try:
            line.encode("cp1252")
        except UnicodeEncodeError:
            continue
        wrong, right = line.split("=", 1)
        target = right.lower()
        rivals = {w: c for w, c in near(wrong.lower()).items() if w in common}
        cost = rivals.pop(target, 2.0)  # beyond one edit: further than any rival
        wanted = counts.get(target, 0)
        if any(c < cost or (c == cost and counts.get(w, 0) * COMMONER >= wanted)
               for w, c in rivals.items()):
            continue
        print(line)


main()
