#pragma once
// The check command: reports every unknown word of some files as FILE:LINE:COLUMN: WORD,
// and, checked in context, each word its sentence says is wrong or needs a capital as
// FILE:LINE:COLUMN: WORD -> SUGGESTION.

#include <string>
#include <vector>

class ContextCheck;
class TDictionary;

// Checks each file ("-", or no file at all: standard input), in context too unless context
// is null. Returns the exit status: 0 when nothing was reported, 1 when unknown (or, in
// context, wrong) words were, 2 when a file could not be read. A run of 50 or more word
// characters counts as one unknown word.
int RunCheck(const TDictionary &dictionary, const std::vector<std::string> &files,
             const ContextCheck *context = nullptr);
