#pragma once
// How likely each dictionary word is in ordinary English, and how it is written when the
// word lists give it capitals: the table the children's ranking weighs candidates with.
//
// The table is a text file, one "word<TAB>cost[<TAB>name]" line per word (UTF-8):
//   word  as it is offered ("Wednesday", "I"; most words in lower case)
//   cost  -log10 of the word's probability, times 25, 0..254 (255: the model lacks it)
//   name  the word is only known as a proper name
// Words the table lacks count as the rarest. Lookups take lower-case code page 437 words.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class WordPrior
{
public:
    static constexpr uint8_t UnknownCost = 255;
    static constexpr float CostsPerDecade = 25.0f;

    // Replaces the table by the lines of text. Lines that do not parse, and words code page
    // 437 cannot hold, are skipped and counted. Returns the number skipped.
    size_t Load(std::string_view text);
    // Load of a file; false, with the table left empty, when it cannot be read. A file
    // larger than MaxFileSize is no table: EFOpenError "File too large: PATH".
    bool LoadFromFile(const std::string &path);
    static constexpr size_t MaxFileSize = 64 * 1024 * 1024;

    size_t Count() const { return FEntries.size(); }
    // log10 of the word's probability; the floor for words the table lacks.
    float LogProbability(std::string_view lowerWord) const;
    bool IsNameOnly(std::string_view lowerWord) const;
    // The log10 probability of the commonest word of the table (0 when it is empty).
    float HighestLogProbability() const { return FHighest; }
    // What the table says of a word, in one lookup.
    struct Facts
    {
        float logProbability; // the floor when the table lacks the word
        bool known;
        bool nameOnly;
    };
    Facts Lookup(std::string_view lowerWord) const;
    // The same, faster for words asked for in alphabetical order: cursor (0 at first) keeps
    // the place between calls.
    Facts Lookup(std::string_view lowerWord, size_t &cursor) const;
    bool IsKnown(std::string_view lowerWord) const { return Find(lowerWord) != nullptr; }
    // The word as it is offered: its capitals from the table, else the word itself.
    std::string Shown(std::string_view lowerWord) const;

    // What a word the table lacks counts as (one in a hundred million).
    static constexpr float FloorLogProbability = -8.0f;

private:
    struct Entry
    {
        uint32_t keyOffset;
        uint32_t shownOffset; // into FText; the key itself when the word has no capitals
        uint8_t keyLength;
        uint8_t shownLength;
        uint8_t cost;
        bool nameOnly;
    };
    const Entry *Find(std::string_view lowerWord) const;
    static Facts FactsOf(const Entry &e);
    std::string_view Key(const Entry &e) const
    {
        return { FText.data() + e.keyOffset, e.keyLength };
    }

    std::string FText; // keys and shown forms, code page 437
    std::vector<Entry> FEntries; // sorted by key
    float FHighest = 0.0f;
};
