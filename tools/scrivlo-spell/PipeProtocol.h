#pragma once
// The line protocol for editors that check text through a pipe (`-a`): a banner, then for
// every text line one result line per word worth checking and an empty line.
//
//   *                       the word is known (left out in terse mode)
//   & WORD N OFFSET: a, b   unknown, N suggestions; OFFSET counts characters from 0
//   # WORD OFFSET           unknown, no suggestions
//
// Lines starting with ^ are text without the ^. *WORD and @WORD accept WORD for this
// session only; ! turns terse mode on, % off; #, ~, +, -, &, $ lines are ignored.

#include <cstdint>
#include <cstdio>
#include <string_view>

class ChildRanker;
class TDictionary;

// Serves the protocol until the input ends; returns the exit status (0, or 2 when
// standard output failed). Suggestions come from ranker when one is given, else from the
// dictionary's own search.
int RunPipe(const TDictionary &dictionary, uint16_t maxCount, std::FILE *in,
            ChildRanker *ranker = nullptr);
