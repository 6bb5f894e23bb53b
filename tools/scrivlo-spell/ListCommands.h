#pragma once
// The suggest and complete commands: one line "ARGUMENT: entry, entry, ..." per argument.

#include <cstdint>
#include <string>
#include <vector>

class ChildRanker;
class TDictionary;

// Suggestions for each word, as the spell check dialog would list them: from ranker when
// one is given, else from the dictionary's own search.
void RunSuggest(const TDictionary &dictionary, const std::vector<std::string> &words,
                uint16_t maxCount, ChildRanker *ranker = nullptr);
// Dictionary words that extend each prefix; through ranker when one is given, which leaves
// out the never-suggest words.
void RunComplete(const TDictionary &dictionary, const std::vector<std::string> &prefixes,
                 uint16_t maxCount, ChildRanker *ranker = nullptr);
