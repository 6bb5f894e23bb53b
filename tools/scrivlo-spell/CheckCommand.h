#pragma once
// The check command: reports every unknown word of some files as FILE:LINE:COLUMN: WORD.

#include <string>
#include <vector>

class TDictionary;

// Checks each file ("-", or no file at all: standard input). Returns the exit status: 0
// when every word is known, 1 when unknown words were reported, 2 when a file could not
// be read. A run of 50 or more word characters counts as one unknown word.
int RunCheck(const TDictionary &dictionary, const std::vector<std::string> &files);
