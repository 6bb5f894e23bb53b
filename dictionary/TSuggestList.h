#pragma once
// Finds replacement candidates for one misspelt word in a dictionary file and keeps the
// best of them, ranked by similarity. Candidates are real words of the letter tree: the
// walk follows only branches whose phonetic code still agrees with the misspelt word's,
// and keeps words at most two letters shorter or longer.

#include "dictionary/TLinkedList.h"

#include <cstdint>
#include <string>
#include <string_view>

class TDCTFile;
class TDictionary;

class TSuggestion : public TLinkedListNode
{
public:
    TSuggestion(std::string_view word, int16_t score);
    std::string Word; // code page 437, at most 50 letters
    int16_t Score; // similarity percentage
};

class TSuggestList : public TLinkedList
{
public:
    explicit TSuggestList(TDictionary *dictionary);

    // Adds the candidates that file holds for word (lower case, code page 437), keeping at
    // most maxCount entries in all. Entries already present compete with the new ones.
    void SearchFile(TDCTFile &file, uint8_t maxCount, std::string_view word);
    // Whether candidate's phonetic code agrees with the start of the searched word's code.
    bool SoundsLike(std::string_view candidate) const;
    // Scores candidate against word and inserts it in rank order within MaxCount.
    void AddRanked(std::string_view word, std::string_view candidate);
    // Index of the first child of letter's node in the root list; 0 when there is none.
    int32_t FindRootChild(unsigned char letter) const;

    // The most nodes one walk of file that lists up to maxCount words reads: 50 per node of
    // the file and per word listed, far more than any word list needs, also with shared
    // endings. Only a file whose links loop back reaches it; the walk then ends with what
    // it has found.
    static uint64_t WalkBudget(const TDCTFile &file, uint32_t maxCount);

    // Four-character sound code of a word; shorter codes are padded with '0' when pad is set.
    static std::string PhoneticCode(std::string_view word, bool pad);

    TSuggestion *First() const { return static_cast<TSuggestion *>(Head()); }
    static TSuggestion *NextOf(const TSuggestion *s) { return static_cast<TSuggestion *>(s->Next); }

    uint8_t MaxCount = 0;
    TDCTFile *DCTFile = nullptr; // not owned
    TDictionary *Dictionary; // not owned
    std::string Code;
    int16_t MinLength = 0;
    int16_t MaxLength = 0;
};

// Percentage of letters the two words have in common, found by repeatedly taking the
// longest common run and matching what lies left and right of it. Both words non-empty.
int16_t Similarity(std::string_view word1, std::string_view word2);
